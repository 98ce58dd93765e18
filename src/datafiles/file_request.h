#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace datafiles {

// What the open dialog is asked for: its title, the folder it starts in and its filters (the
// first one selected), in the form Qt's file dialog takes them ("File *.MDB (*.MDB *.mdb)").
struct OpenFileRequest
{
    QString title;
    QString folder;
    QStringList filters;
    bool chooseFolder = false; // a folder is asked for, not a file (the filters are not used)
};

// Shows the open dialog and returns the path chosen, or "" when the user cancelled. The forms
// pass Qt's file dialog; tests pass a function that answers with a path.
using FileChooser = std::function<QString(const OpenFileRequest&)>;

} // namespace datafiles
