#pragma once

#include <QString>
#include <functional>

// Which folder the program works in. The program folder is named by --home DIR, else by the
// SELVARO_HOME variable, else it is the executable's own folder (a build, or a copy of the program
// with its data folder beside it). An installed program (its executable's folder not writable, or
// /usr/bin without a data folder, with the installed share folder ../share/selvaro/data beside
// it) works in the user's data location instead, whose data folder is filled from the share
// folder on first start.
namespace app {

struct ProgramFolderChoice
{
    enum class Source
    {
        HomeOption,   // --home DIR
        HomeVariable, // SELVARO_HOME
        Executable,   // the executable's folder
        UserData      // the user's data location; its data folder is prepared from the share folder
    };
    Source source = Source::Executable;
    QString folder; // absolute and clean
    QString error;  // a named folder that cannot be used: what is wrong, in one English sentence
};

// What the choice looks at; tests give their own.
struct ProgramFolderFacts
{
    QString homeOption;       // --home DIR, empty when not given
    QString homeVariable;     // SELVARO_HOME, empty when unset
    QString executableFolder; // the folder of the running executable
    QString userDataLocation; // userDataLocation()
    // True when this user can create files in the folder (canWriteFolder).
    std::function<bool(const QString& folder)> canWrite;
};

// Chooses the program folder. A folder named by --home or SELVARO_HOME must be an existing folder
// this user can write; otherwise error says why (the folder is missing, is a file, or cannot be
// written) and the program ends before any window. Without a named folder: the executable's
// folder when it is writable and either has a data folder or is not an installed program;
// otherwise the user's data location. With no named folder and no executable folder given, the
// choice is the executable's folder with an empty path and no error.
ProgramFolderChoice chooseProgramFolder(const ProgramFolderFacts& facts);

// The same with the real environment: SELVARO_HOME, the running executable's folder,
// userDataLocation() and canWriteFolder. Before the application object exists, only a folder
// named by --home or SELVARO_HOME is chosen and checked.
ProgramFolderChoice chooseProgramFolder(const QString& homeOption);

// The installed share folder of an executable in <prefix>/bin: <prefix>/share/selvaro/data,
// where the package puts the template file, the report files and the help guide.
QString installedDataFolder(const QString& executableFolder);

// The user's data location: the generic data location followed by "selvaro" (normally
// ~/.local/share/selvaro; $XDG_DATA_HOME/selvaro when that is set).
QString userDataLocation();

// Makes the data folder of programFolder (creating programFolder too when needed) and copies into
// it every file of sharedFolder that it lacks. A file already there, in any letter case, is never
// replaced: the user's files win. Each copy is made by sys::copyFile (a temporary name renamed into
// place), so a program ended half-way leaves no half-copied file. A share folder that is missing or lacks
// the template only copies what it has (start-up then says that the template is missing).
// Returns an empty string on success, otherwise the message to tell, naming the folder.
QString prepareUserDataFolder(const QString& programFolder, const QString& sharedFolder);

} // namespace app
