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

} // namespace datafiles
