#pragma once

// Widget-free rules of handling an incoming letter: its deadline against its arrival, the time
// stamped when it is marked handled, and the outgoing letter that answered it.

#include "platform/db/database.h"

#include <QDateTime>
#include <QString>

namespace registers {

// True when both dates are dates ("dd/mm/yyyy") and the deadline is an earlier day than the arrival.
bool deadlineBeforeArrival(const QString& deadline, const QString& arrival);
// The question asked once on saving such a letter: "yes" keeps the deadline, "no" goes back to it.
QString deadlineBeforeArrivalQuestion(const QString& deadline, const QString& arrival);

// The handling time written when a letter is marked handled without one: "dd/mm/yyyy hh:mm".
QString handlingTimeText(const QDateTime& at);

// An outgoing letter found by the number an incoming letter was answered with.
struct ReplyLetter
{
    QString table; // cvdi + year
    long long id = 0;
    QString number;     // so_cv
    QString date;       // ng_cv
    QString recipients; // dv_nhan
    QString summary;    // tt_ndung
    bool found() const { return id > 0; }
};

// The outgoing letter of the incoming table's year, else of the next year (a reply written after
// New Year), whose own number so_cv equals replyNumber (trimmed, compared as the registers
// compare texts) or, for a number alone, whose register number stt is it. Not found when
// replyNumber is blank or no such table or letter exists. Throws db::DbError when a file cannot
// be read.
ReplyLetter findReplyLetter(db::Database& db, const QString& incomingTable, const QString& replyNumber);

// The message that shows the outgoing letter, or says that none has the number.
QString replyLetterText(const ReplyLetter& letter, const QString& replyNumber);

} // namespace registers
