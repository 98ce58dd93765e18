#pragma once

#include <QString>
#include <QStringList>
#include <functional>

// Moving an office's data between a program folder and a database server: the program folder's
// data files (letters, schedule, reference lists) become data sets on the server named after the
// files, and back. Behind `selvaro --move-to-server` and `--move-from-server`.
namespace datafiles {

// The data files of programFolder that move: the letters and schedule files its settings file
// names (the defaults when it has none) and the reference file of its data folder.
QStringList dataFilesOf(const QString& programFolder);

// What a move says as it goes (a line at a time: each table as it is copied, then a summary line
// per table with its rows and checksum).
using MoveReport = std::function<void(const QString& line)>;

// Copies each data file of programFolder that exists to a new data set of the server `connection` (a libpq
// connection string or "service=<name>"). All or nothing: when one file fails, the data sets this
// run made are dropped again. Returns an empty text on success, else the reason, in the
// program's words (the server refused the password, cannot be reached, is too old, already has
// a data set of that name, refused a table's rows, or a table differs after the copy).
QString moveToServer(const QString& programFolder, const QString& connection, const MoveReport& report);

// The other direction: writes each data file of programFolder whose data set the server has.
// Refuses when one of those files is already there; removes the files it wrote when one fails.
QString moveFromServer(const QString& programFolder, const QString& connection, const MoveReport& report);

} // namespace datafiles
