#include "number_check.h"

#include "platform/db/row_reader.h"

namespace registers {

QString shownDate(const QString& key)
{
    if (key.size() != 8)
        return key;
    return key.mid(6, 2) + u'/' + key.mid(4, 2) + u'/' + key.left(4);
}

namespace {

struct Entry
{
    qint64 id;
    int number;
    QString date;
};

// One sequence (one letter type), its entries in number order.
void checkSequence(const QString& type, const QList<Entry>& entries, QList<NumberFinding>& found)
{
    int previous = 0;
    QString previousLatest; // the latest date among the letters of the previous number
    qint64 previousLatestId = 0;
    for (qsizetype i = 0; i < entries.size();) {
        const int number = entries[i].number;
        qsizetype end = i;
        QString earliest, latest;
        qint64 latestId = 0;
        while (end < entries.size() && entries[end].number == number) {
            const Entry& e = entries[end];
            if (!e.date.isEmpty()) {
                if (earliest.isEmpty() || e.date < earliest)
                    earliest = e.date;
                if (latest.isEmpty() || e.date > latest) {
                    latest = e.date;
                    latestId = e.id;
                }
            }
            ++end;
        }
        if (number > previous + 1)
            found.append({NumberProblem::Missing, type, previous + 1, number - 1, 0, {}, 0, {}});
        if (!previousLatest.isEmpty() && !earliest.isEmpty() && previousLatest > earliest) {
            found.append(
                {NumberProblem::DateBackwards, type, previous, 0, previousLatestId, previousLatest, number, earliest});
        }
        if (end - i > 1) {
            for (qsizetype k = i; k < end; ++k)
                found.append({NumberProblem::Repeated, type, number, 0, entries[k].id, entries[k].date, 0, {}});
        }
        previous = number;
        previousLatest = latest;
        previousLatestId = latestId;
        i = end;
    }
}

} // namespace

QList<NumberFinding> checkRegisterNumbers(db::Database& letters, const QString& table, bool incoming)
{
    const QString date = incoming ? QStringLiteral("ng_denchuan") : QStringLiteral("ng_cvchuan");
    const QString type = incoming ? QStringLiteral("''") : QStringLiteral("loai");
    db::RowReader rows(letters, QStringLiteral("SELECT ") + type + QStringLiteral(" AS kind, stt, ") + date +
                                    QStringLiteral(", id FROM ") + table + QStringLiteral(" WHERE stt >= 1 ORDER BY ") +
                                    (incoming ? QString() : type + QStringLiteral(", ")) + QStringLiteral("stt, id"));
    QList<NumberFinding> found;
    QList<Entry> sequence;
    QString currentType;
    bool first = true;
    while (rows.next()) {
        const QString kind = rows.value(0).toString();
        if (!first && kind != currentType) {
            checkSequence(currentType, sequence, found);
            sequence.clear();
        }
        first = false;
        currentType = kind;
        sequence.append({rows.value(3).toLongLong(), rows.value(1).toInt(), rows.value(2).toString().trimmed()});
    }
    checkSequence(currentType, sequence, found);
    return found;
}

QString describeFinding(const NumberFinding& f)
{
    switch (f.problem) {
    case NumberProblem::Missing:
        return f.number == f.lastNumber ? QStringLiteral("Thiếu số ") + QString::number(f.number)
                                        : QStringLiteral("Thiếu số ") + QString::number(f.number) +
                                              QStringLiteral(" đến ") + QString::number(f.lastNumber);
    case NumberProblem::Repeated:
        return QStringLiteral("Số ") + QString::number(f.number) + QStringLiteral(" dùng cho nhiều công văn");
    case NumberProblem::DateBackwards:
        return QStringLiteral("Số ") + QString::number(f.number) + QStringLiteral(" (") + shownDate(f.date) +
               QStringLiteral(") có ngày sau số ") + QString::number(f.nextNumber) + QStringLiteral(" (") +
               shownDate(f.nextDate) + QStringLiteral(")");
    }
    return {};
}

} // namespace registers
