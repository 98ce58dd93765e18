#pragma once

class QWidget;

namespace datafiles {

// Makes the main window's data-file commands known (app::registerFormOpener):
//   mnuchondulieucongvan, mnuchondulieulich  the dialog DataFileChoiceDialog for the letters or the
//                                            plans-and-schedule file, with the main window hidden
//                                            while it is open;
//   mnubackup                                the same for the backup file, only while the letters
//                                            file lies inside the program folder (otherwise the
//                                            command does nothing);
//   mnunhapdulieucv, mnunhapdulieulich,      the import of old data with the kind "cv", "lich"
//   mnunhapbangthamkhao                      or "tk" (importOldData), after the administrator check.
void registerDataFileCommands();

} // namespace datafiles
