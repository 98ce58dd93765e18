#pragma once

// The command "Xuất ra Excel" of the list forms: the rows a grid shows, under the heads it
// shows, saved as a spreadsheet (.xlsx) or CSV file the user names.

#include "platform/export/recordset_table.h"

#include <QString>
#include <QStringList>

#include <functional>

class QPushButton;
class QWidget;

namespace ui {
class Grid;
class TextBox;
} // namespace ui

namespace datafiles {

// What a list's export is told besides its grid.
struct ListExport
{
    QString name;         // proposed file name without extension; "" proposes the window's title
    QStringList leaveOut; // fields of the grid not written (the marks column, a password)
    // The form's boxes showing the current row (see labelledBoxes): written after the grid's
    // columns, less the fields the grid shows and those the rows lack.
    QList<exporting::SourceColumn> boxes = {};
};

// The fields of boxes bound to a data control, in their on-screen order (top to bottom, then left
// to right), each under the caption of the label whose buddy it is, without '&' and the ending
// ':'. A box that no label names is left out.
QList<exporting::SourceColumn> labelledBoxes(const QList<ui::TextBox*>& boxes);

// Saves the rows of grid's data control under the grid's columns (less leaveOut), then the boxes' fields, each
// column's kind taken from its field's type. The file name is asked through the save dialog
// (saveFileChooser: filters "Excel (*.xlsx)" and "CSV (*.csv)"); the rows are read once
// from the data control's source, so the user's current row does not move. A progress
// window with a cancel button appears when the work lasts past a second. A refusal (folder,
// file in use, read-only file) or failure is told through the message dialog and leaves the old
// file as it was; success is told with the file's name. Returns the path written, "" when
// nothing was (cancelled, refused, no rows source).
QString exportGrid(ui::Grid& grid, const ListExport& what);

// Reads a table through progress (rows read are the first half of the progress bar).
using TableReader = std::function<exporting::Table(const exporting::Progress& progress)>;

// The export itself, for a list that is not a grid over a data control: asks for the file as
// exportGrid does (proposing name), reads the table, saves it, and tells the user how it went as
// exportGrid does (read may raise ExportError or db::DbError). Returns the path written or "".
QString exportTable(QWidget* window, const QString& name, const TableReader& read);

// Makes button run exportGrid on grid when clicked; the button's accessible name becomes its
// caption ("Xuất ra Excel").
void connectExportButton(QPushButton* button, ui::Grid* grid, ListExport what);

} // namespace datafiles
