#pragma once

#include <QString>

// What a date text box of an entry or search form does with its text, kept out of the forms so
// that they only move texts in and out of their boxes and show the message.
namespace common {

// The usual message for a refused date (the forms that word it differently pass their own text
// to the message dialog).
inline const QString kInvalidDateMessage = QStringLiteral("Bạn cần nạp lại ngày tháng năm cho đúng !");

// Outcome of leaving a date box.
struct DateFieldResult
{
    enum class Outcome
    {
        Blank,     // trimmed text empty: nothing changes (the companion box keeps its value)
        Invalid,   // not a date: the form shows its message, empties the box and refocuses it
        Completed, // `text` replaces the box's text, `normalised` goes into the "...chuan" box
    };
    Outcome outcome = Outcome::Blank;
    QString text;       // "dd/mm/yyyy" when Completed, else ""
    QString normalised; // "yyyymmdd" when Completed, else ""
};

// The date field rule, run when a date box is left with `typed` in it.
DateFieldResult leaveDateField(const QString& typed);

// F5 / Shift+F5 in a date box (`step` +1 or -1). A blank box gets today's date (clock()) as
// "dd/mm/yyyy". Otherwise the day the trimmed text starts with (its first one or two digits; 0
// when it starts with none) is moved by `step` and put back in front of the rest of the text,
// and the result goes through parseDate(). The month never carries:
// "31/01/2009" + 1 and "01/03/2009" - 1 are refused. Returns the new text, or "" when the stepped
// day is refused (the box then keeps its text).
QString stepDateField(const QString& text, int step);

} // namespace common
