#include "letter_handling.h"

#include "common/dates.h"
#include "platform/db/sql_quote.h"

namespace registers {

bool deadlineBeforeArrival(const QString& deadline, const QString& arrival)
{
    const QString d = common::normaliseDate(deadline.trimmed());
    const QString a = common::normaliseDate(arrival.trimmed());
    return d.size() == 8 && a.size() == 8 && d < a;
}

QString deadlineBeforeArrivalQuestion(const QString& deadline, const QString& arrival)
{
    return QStringLiteral("Hạn xử lý ") + deadline.trimmed() + QStringLiteral(" sớm hơn ngày đến cơ quan ") +
           arrival.trimmed() + QStringLiteral(" !") + QChar(13) + QStringLiteral("Vẫn giữ hạn xử lý này không ?");
}

QString handlingTimeText(const QDateTime& at)
{
    return at.toString(QStringLiteral("dd/MM/yyyy hh:mm"));
}

ReplyLetter findReplyLetter(db::Database& db, const QString& incomingTable, const QString& replyNumber)
{
    const QString number = replyNumber.trimmed();
    const QString year = incomingTable.right(4);
    bool digits = false;
    const int stt = number.toInt(&digits);
    if (number.isEmpty() || year.toInt() <= 0)
        return {};
    for (const int y : {year.toInt(), year.toInt() + 1}) {
        const QString table = QStringLiteral("cvdi") + QString::number(y);
        if (!db.hasTable(table))
            continue;
        QString where = QStringLiteral("so_cv = ") + db::quoteLiteral(number);
        if (digits)
            where += QStringLiteral(" or stt = ") + QString::number(stt);
        db::Recordset rs = db.openRecordset(QStringLiteral("select * from ") + db::quoteJetName(table) +
                                                QStringLiteral(" where ") + where + QStringLiteral(" order by id"),
                                            db::RecordsetType::Snapshot);
        if (rs.eof())
            continue;
        return {table,
                rs.value(QStringLiteral("id")).toLongLong(),
                rs.value(QStringLiteral("so_cv")).toString(),
                rs.value(QStringLiteral("ng_cv")).toString(),
                rs.value(QStringLiteral("dv_nhan")).toString(),
                rs.value(QStringLiteral("tt_ndung")).toString()};
    }
    return {};
}

QString replyLetterText(const ReplyLetter& letter, const QString& replyNumber)
{
    if (!letter.found())
        return QStringLiteral("Không tìm thấy công văn đi số ") + replyNumber.trimmed() + QStringLiteral(" !");
    const QChar cr(13);
    return QStringLiteral("Công văn đi số ") + letter.number + QStringLiteral(" ngày ") + letter.date + cr +
           QStringLiteral("Nơi nhận: ") + letter.recipients + cr + QStringLiteral("Trích yếu: ") + letter.summary;
}

} // namespace registers
