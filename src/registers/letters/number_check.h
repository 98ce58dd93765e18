#pragma once

// The check of a letters register's numbers before its year's book is bound: numbers missing from
// the sequence, numbers given to more than one letter, and numbers whose date runs backwards
// against the next number (a letter registered under a number dated later than the letter under
// the next one). Outgoing letters are numbered per letter type, so they are checked per type.
// No widgets: the list form shows what this finds.

#include "platform/db/database.h"

#include <QList>
#include <QString>

namespace registers {

enum class NumberProblem
{
    Missing,       // number ... lastNumber are given to no letter
    Repeated,      // number is given to this letter and to another
    DateBackwards, // this letter's date is later than that of the next number's letter
};

struct NumberFinding
{
    NumberProblem problem = NumberProblem::Missing;
    QString letterType; // outgoing letters: the type numbered on its own; "" for incoming letters
    int number = 0;
    int lastNumber = 0; // Missing: the last number of the gap
    qint64 id = 0;      // the letter to open (0 for Missing)
    QString date;       // the letter's date, "yyyymmdd" (Repeated, DateBackwards)
    int nextNumber = 0; // DateBackwards: the next number and its (earlier) date
    QString nextDate;

    bool operator==(const NumberFinding&) const = default;
};

// Reads table of letters once (register number, letter type, date, id) and returns what is wrong,
// per letter type (outgoing letters; incoming letters have one sequence) in number order.
// Numbers start at 1: a sequence beginning at 4 misses 1 to 3. A letter without a number, and a
// date left empty, are not judged. May raise db::DbError.
QList<NumberFinding> checkRegisterNumbers(db::Database& letters, const QString& table, bool incoming);

// The finding in the words of the check's list: "Thiếu số 5 đến 7", "Số 12 dùng cho nhiều công
// văn", "Số 20 (05/03/2026) có ngày sau số 21 (04/03/2026)".
QString describeFinding(const NumberFinding& finding);

// A date key "yyyymmdd" as the lists show it, "dd/mm/yyyy"; anything else as it is.
QString shownDate(const QString& key);

} // namespace registers
