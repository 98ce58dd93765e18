#pragma once

// The command "Xuất ra Excel" of the list forms: the rows a grid shows, under the heads it
// shows, saved as a spreadsheet (.xlsx) or CSV file the user names.

#include <QString>
#include <QStringList>

class QPushButton;

namespace ui {
class Grid;
}

namespace datafiles {

// What a list's export is told besides its grid.
struct ListExport
{
    QString name;         // proposed file name without extension; "" proposes the window's title
    QStringList leaveOut; // fields of the grid not written (the marks column, a password)
};

// Saves the rows of grid's data control under the grid's columns (less leaveOut), each
// column's kind taken from its field's type. The file name is asked through the save dialog
// (saveFileChooser: filters "Excel (*.xlsx)" and "CSV (*.csv)"); the rows are read from a
// snapshot of the data control's source, so the user's current row does not move. A progress
// window with a cancel button appears when the work lasts past a second. A refusal (folder,
// file in use, read-only file) or failure is told through the message dialog and leaves the old
// file as it was; success is told with the file's name. Returns the path written, "" when
// nothing was (cancelled, refused, no rows source).
QString exportGrid(ui::Grid& grid, const ListExport& what);

// Makes button run exportGrid on grid when clicked; the button's accessible name becomes its
// caption ("Xuất ra Excel").
void connectExportButton(QPushButton* button, ui::Grid* grid, ListExport what);

} // namespace datafiles
