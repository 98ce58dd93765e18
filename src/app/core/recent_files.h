#pragma once

#include <QString>
#include <QStringList>

namespace app {

// The recent-files lists data/sysmem2 (letters files) and data/sysmem3 (schedule files): one
// quoted path per line, most recent first, lines ending with CR LF, UTF-8.

// The number of lines the update reads from an existing list.
constexpr int kRecentFilesRead = 21;

// Updates the list file at listFile with path:
//   - when the file exists, up to 21 lines are read; if the first one holds path the file is left
//     unchanged; otherwise its read-only attribute is cleared and it is rewritten with path first,
//     then each line read that is not path, in the order read, stopping at the first empty line;
//   - when it does not exist, it is created with path as its only line.
// Paths are compared exactly. Raises sys::FileError when the list cannot be read or written (a
// failed read-only clearing has shown its own message before).
void updateRecentFileList(const QString& listFile, const QString& path);

// The same for the list named listName ("sysmem2" or "sysmem3") in the data folder of
// programFolder.
void updateRecentFiles(const QString& programFolder, const QString& listName, const QString& path);

// The paths a list file holds, most recent first; empty when it does not exist. Used by the
// data-file commands that offer them.
QStringList readRecentFiles(const QString& listFile);

} // namespace app
