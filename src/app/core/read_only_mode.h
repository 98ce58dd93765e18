#pragma once

#include <QString>

// The read-only run: a data folder or data file this user cannot write (a folder shared for
// reading, a CD, files of another user) is used for viewing, searching and printing only.
// Start-up sets Module1::readOnly; commands that write ask refuseWhenReadOnly() first.
namespace app {

// True when this user can write the file at path and create files beside it (SQLite writes its
// journal there): the folder is writable, and the file, when it exists, is writable and carries a
// write permission (a file without one opens read-only even for an administrator).
bool canWriteDataFile(const QString& path);
// True when this user can create and write files in folder.
bool canWriteFolder(const QString& folder);

// Told once at start-up when the run becomes read-only; what names the folder or file that
// cannot be written.
QString readOnlyStartMessage(const QString& what);
// Told when a command that writes is chosen during a read-only run.
QString readOnlyRefusal();

// During a read-only run (readOnly, the program state's flag) tells readOnlyRefusal() and returns true; otherwise
// returns false and shows nothing. Every command that writes data calls it before it starts.
bool refuseWhenReadOnly(bool readOnly);

// A scratch file (print tables) of this run outside the data folder, for a read-only run: a copy
// of the template at templatePath in a private temporary folder removed when the program ends. Empty when it
// cannot be made.
QString privateScratchFile(const QString& templatePath);

} // namespace app
