#pragma once

#include "export_table.h"

namespace exporting {

// Widest a column is made, in characters; longer texts wrap within it.
constexpr int kMaxColumnWidth = 60;
// Longest text a sheet cell holds (the format's own limit); longer texts are cut to it.
constexpr int kMaxCellText = 32767;

// Writes table as a one-sheet workbook (sheet "Danh sách") to path, which the caller has made
// a temporary file: heads in bold in the first row, which stays in view (frozen) while the rows
// scroll; numbers as numeric cells, dates as date cells shown dd/mm/yyyy (dd/mm/yyyy hh:mm with a
// time of day), every text as a string cell (a text such as "=1+1" is never a formula), blank
// cells for empty values; each column as wide as its widest head or value within
// kMaxColumnWidth, and texts longer than their column (or holding line breaks) wrapped.
// Returns false when progress stopped it. Raises ExportError WriteFailed when the writer fails,
// TooManyRows past the sheet's 1,048,575 rows under the heads.
bool writeXlsx(const Table& table, const QString& path, const Progress& progress = {});

// The width writeXlsx gives a column whose widest head or value has the given characters.
int columnWidth(int characters);

} // namespace exporting
