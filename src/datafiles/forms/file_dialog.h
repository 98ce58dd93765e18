#pragma once

#include "datafiles/file_request.h"

class QWidget;

namespace datafiles {

// The open dialog of the data-file commands: Qt's file dialog with the request's title, folder
// and filters (the first selected), or choosing a folder when the request asks for one, over
// parent. Tests replace it with setFileChooser().
FileChooser fileChooser(QWidget* parent);

// Replaces the open dialog (tests); an empty chooser restores Qt's. Returns the previous one.
FileChooser setFileChooser(FileChooser chooser);

// The save dialog of the commands that write a file (the lists' "Xuất ra Excel"): Qt's file
// dialog asking for a new or existing file name, in the request's folder (a path ending in a
// file name proposes that name), with the request's filters (the first selected); a name typed
// without an extension gets the selected filter's, and replacing a file is asked first. Tests
// replace it with setSaveFileChooser().
FileChooser saveFileChooser(QWidget* parent);

// Replaces the save dialog (tests); an empty chooser restores Qt's. Returns the previous one.
FileChooser setSaveFileChooser(FileChooser chooser);

} // namespace datafiles
