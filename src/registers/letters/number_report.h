#pragma once

// The findings of the check of register numbers as the user takes them away: the cells of the
// check's list (shared by the dialog, the printout and the spreadsheet), printed through the
// report file kiemtraso.rpt and saved as a spreadsheet table. No widgets.

#include "number_check.h"
#include "registers/program_context.h"

#include "platform/export/export_table.h"
#include "platform/report/report_control.h"

#include <QHash>
#include <QRect>
#include <QStringList>

namespace registers {

// The columns of the check's list, in order.
enum FindingColumn
{
    FindingType,    // "Loại": the letter type (outgoing letters)
    FindingNumber,  // "Số": the number, or "9 - 11" for a gap of several numbers
    FindingProblem, // "Vấn đề": "Thiếu số", "Trùng số", "Ngày sau số 7 (08/01/2026)"
    FindingDate,    // "Ngày": the letter's date dd/mm/yyyy
    FindingSummary, // "Trích yếu": the letter's summary
};

// One finding's cells under the list's columns; summaries holds the letters' summaries by id.
QStringList findingCells(const NumberFinding& finding, const QHash<qint64, QString>& summaries);

// The summaries of the numbered letters of table, by id, as the check's list shows them (blanks
// made one). May raise db::DbError.
QHash<qint64, QString> letterSummaries(db::Database& letters, const QString& table);

// The check's list as a spreadsheet table: the list's heads ("Loại" only for outgoing letters),
// the number a number cell (a gap of several numbers as its text), the date a date cell.
exporting::Table findingsTable(const QList<NumberFinding>& findings, const QHash<qint64, QString>& summaries,
                               bool incoming);

// Prints the findings through kiemtraso.rpt: fills the print table inkiemtraso of the context's
// scratch file (made there the first time; emptied and filled in one transaction) and passes the
// formula tieude ("KIỂM TRA SỐ ĐĂNG KÝ CÔNG VĂN ĐẾN NĂM 2026") besides the organisation's names.
// May raise db::DbError.
report::ReportResult printFindings(const ProgramContext& context, report::ReportControl& control,
                                   const QList<NumberFinding>& findings, const QHash<qint64, QString>& summaries,
                                   bool incoming, const QString& table, report::Destination destination,
                                   const QRect& formGeometry);

} // namespace registers
