#pragma once

// Printing a register through its print table and report file: the steps the list form's print
// command and the print-by-date dialog share. No widgets: the forms pass what they read.

#include "program_context.h"

#include "platform/db/database.h"
#include "platform/report/report_control.h"

#include <QRect>
#include <QString>

namespace registers {

// Empties the print table (on the context's scratch file) and fills it with fillStatement, in one
// transaction: the table holds the old rows or the new ones, never a mixture.
void fillPrintTable(const ProgramContext& context, const QString& printTable, const QString& fillStatement);
// The same with several fill statements, all in the one transaction.
void fillPrintTable(const ProgramContext& context, const QString& printTable, const QStringList& fillStatements);

// One fill of a print table from a data file's rows: "INSERT INTO <print table> <into> <select>
// IN '<file>' <rest>", where select reads one table ("Select * from cvden2026", "Select a, b from
// lich2026"), into is "" or the print table's column list "(a, b)", and rest the WHERE and ORDER BY.
struct PrintFill
{
    QString into;
    QString select;
    QString rest;
};
// Empties the print table and fills it from source's rows, in one transaction of the scratch
// file. A data file is read by the scratch file itself (IN '<file>'); the rows of a data set on a
// server are read there and written into the print table by their column names.
void fillPrintTable(const ProgramContext& context, const QString& printTable, db::Database& source,
                    const QList<PrintFill>& fills);

// The path of a data file as it stands inside " IN '...'" (quotes doubled).
QString inPath(const QString& path);

// The report file of the data folder: the context's program folder + "/data/" + name.
QString reportPath(const ProgramContext& context, const QString& name);

// Sets up control afresh (nothing of its previous report kept) for a register print as the list
// and date dialogs do: destination, report file, the preview window placed from the calling
// form's geometry (pixels), the margins typed in the margin box (millimetres; kept only when
// greater than 0 and less than 30), the title formula lbltd1 and the organisation's names
// tencaptren and tendonvi from the first row of tendonvi, and the context's scratch file as the
// data. Then produces the report. With data given (the work-plan report reads a stored query of
// that file) there is no title formula. moreFormulas (name, value) follow as formulas 3, 4, ...
report::ReportResult printReport(const ProgramContext& context, report::ReportControl& control,
                                 report::Destination destination, const QString& reportName, const QRect& formGeometry,
                                 const QString& margin, const QString& title, const db::Database* data = nullptr,
                                 const QList<QPair<QString, QString>>& moreFormulas = {});

// The margin in twips for a margin box text, or -1 when the text leaves the report's own margins.
int marginTwips(const QString& margin);

} // namespace registers
