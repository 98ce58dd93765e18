#pragma once

// The register book of a letters register in the layout of the rules on clerical work: the
// letters of a year, or of a range of register numbers (for outgoing letters one letter type or
// all), under a cover page, in numbered columns, sorted by register number. It is printed through
// the report files sodkcvden.rpt and sodkcvdi.rpt from the print tables incvden and incvdi.
// No widgets: the dialog hands over what the user chose.

#include "registers/program_context.h"

#include "platform/db/database.h"
#include "platform/report/report_control.h"
#include "registers/register_print.h"

#include <QRect>
#include <QString>

namespace registers {

struct BookRequest
{
    bool incoming = true;
    QString table;      // the year table the list shows, "cvden2026"
    int from = 0;       // the first register number; 0 with to 0: the whole year
    int to = 0;         // the last register number
    QString volume;     // "Quyển số", printed as typed (a dotted line when empty)
    QString letterType; // outgoing letters: the type of the book; empty: every type

    bool wholeYear() const { return from == 0 && to == 0; }
};

// The year a book is of: the four digits closing the table's name ("cvdi2026" -> "2026").
QString bookYear(const QString& table);

// The message refusing a range before anything is read (a number below 1, the first number
// above the last), or "" when the request may be printed.
QString refuseBookRange(const BookRequest& request);

// The fill of the print table of the scratch file (incvden or incvdi) with the book's letters. The
// letter type is quoted as a literal.
PrintFill bookFill(const BookRequest& request);

// What printing a book came to. When refusal is not empty nothing was printed and refusal is the
// message for the user (nothing in the year, the range or the type); otherwise result tells how
// the report went and letters, first and last what the book holds.
struct BookOutcome
{
    QString refusal;
    report::ReportResult result;
    int letters = 0;
    int first = 0;
    int last = 0;
};

// Fills the print table with the book's letters from letters (one transaction), counts them and,
// when there are any, prints the book: the organisation's names from tendonvi, the year, the first
// and last numbers printed, the volume and the letter type go to the cover as the formulas
// tencaptren, tendonvi, nam, tu_so, den_so, quyen_so and loai_vb. May raise db::DbError.
BookOutcome printRegisterBook(const ProgramContext& context, report::ReportControl& control, db::Database& letters,
                              const BookRequest& request, report::Destination destination, const QRect& formGeometry);

} // namespace registers
