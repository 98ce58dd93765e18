#pragma once

#include "datafiles/file_request.h"

class QWidget;

namespace datafiles {

// The save dialog: Qt's file dialog asking where to write a file, with the request's title, the
// suggested path in `folder` and its filters. Answers the path chosen, "" when cancelled. Tests
// replace it with setSaveFileChooser().
FileChooser saveFileChooser(QWidget* parent);

// Replaces the save dialog (tests); an empty chooser restores Qt's. Returns the previous one.
FileChooser setSaveFileChooser(FileChooser chooser);

} // namespace datafiles
