#pragma once

#include "export_table.h"

class QIODevice;

namespace exporting {

// Writes table to out as CSV: UTF-8 with a byte-order mark (so a spreadsheet program reads the
// Vietnamese letters), fields separated by commas, records ended by CR LF, and a field holding
// a quote, comma, CR or LF enclosed in quotes with its quotes doubled (RFC 4180). Dates are
// written dd/mm/yyyy (hh:mm added when there is a time of day), numbers as digits with a point.
// A text beginning with =, +, -, @, a tab or a CR would be run as a formula by a spreadsheet
// program opening the file; it is written with an apostrophe in front ('=1+1), which every
// such program shows as text. Returns false when progress stopped it (out then holds part of
// the file); raises nothing, the caller checks out's state.
bool writeCsv(const Table& table, QIODevice& out, const Progress& progress = {});

// The text of one CSV field as writeCsv writes it (quoted, guarded) for a text value.
QString csvField(const QString& text, bool guardFormula);

} // namespace exporting
