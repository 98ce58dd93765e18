#pragma once

#include <QString>

namespace app {

struct Module1;

// The data folder of a program folder: <programFolder>/data, where the template file, the local
// data files, the settings files, the report files and the help live.
QString dataFolder(const QString& programFolder);

// Path of a file in the data folder. File names there are matched without regard to letter case:
// when an entry of the folder has the same name in another case (the template built as
// "vemogoc.mdb", asked for as "vemogoc.MDB"), that entry's path is returned; otherwise the name
// as given, for a file still to be created.
QString dataFilePath(const QString& programFolder, const QString& name);

// The same rule for any path: path itself when it exists; otherwise the entry of path's folder
// whose name equals path's name without regard to case (the first in the folder's name order when
// several do); otherwise path unchanged. An empty path stays empty.
QString matchNameCase(const QString& path);

// The reference file beside a letters or schedule file: the folder part of path (up to and
// including its last separator) followed by "vemotk.mdb"; just "vemotk.mdb" when path has no
// folder part.
QString referenceFileBeside(const QString& path);

// Sets the program folder in state and the paths that hang off it: templatePath
// (data/vemogoc.mdb), referencePath (data/vemotk.MDB) and scratchPath (data/vemotemp.MDB), each
// matched to an existing file of another letter case.
void setProgramFolder(Module1& state, const QString& programFolder);

} // namespace app
