#include "register_book.h"

#include "registers/register_print.h"

#include "platform/db/recordset.h"
#include "platform/db/sql_quote.h"

namespace registers {

namespace {

QString printTableOf(const BookRequest& request)
{
    return request.incoming ? QStringLiteral("incvden") : QStringLiteral("incvdi");
}

// "công văn đến", "công văn đi loại Quyết định": the letters a message speaks of.
QString lettersNamed(const BookRequest& request)
{
    QString text = request.incoming ? QStringLiteral("công văn đến") : QStringLiteral("công văn đi");
    if (!request.incoming && !request.letterType.isEmpty())
        text += QStringLiteral(" loại ") + request.letterType;
    return text;
}

} // namespace

QString bookYear(const QString& table)
{
    const QString year = table.right(4);
    for (const QChar c : year) {
        if (!c.isDigit())
            return {};
    }
    return year;
}

QString refuseBookRange(const BookRequest& request)
{
    if (request.wholeYear())
        return {};
    if (request.from < 1 || request.to < 1)
        return QStringLiteral("Số đăng ký phải là số nguyên từ 1 trở lên !");
    if (request.from > request.to)
        return QStringLiteral("Số ở ô 'Từ số' phải nhỏ hơn hoặc bằng số ở ô 'Đến số' !");
    return {};
}

PrintFill bookFill(const BookRequest& request)
{
    QStringList conditions;
    if (!request.wholeYear()) {
        conditions << QStringLiteral("[stt] >= ") + QString::number(request.from)
                   << QStringLiteral("[stt] <= ") + QString::number(request.to);
    }
    if (!request.incoming && !request.letterType.isEmpty())
        conditions << QStringLiteral("[loai] = ") + db::quoteLiteral(request.letterType);
    PrintFill fill{QString(), QStringLiteral("SELECT * FROM ") + request.table, QString()};
    if (!conditions.isEmpty())
        fill.rest = QStringLiteral(" WHERE ") + conditions.join(QStringLiteral(" AND "));
    return fill;
}

BookOutcome printRegisterBook(const ProgramContext& context, report::ReportControl& control, db::Database& letters,
                              const BookRequest& request, report::Destination destination, const QRect& formGeometry)
{
    BookOutcome outcome;
    outcome.refusal = refuseBookRange(request);
    if (!outcome.refusal.isEmpty())
        return outcome;

    const QString printTable = printTableOf(request);
    fillPrintTable(context, printTable, letters, {bookFill(request)});
    db::Database scratch = context.scratch;
    db::Recordset count =
        scratch.openRecordset(QStringLiteral("SELECT Count(*) AS n, Min(stt) AS lo, Max(stt) AS hi FROM ") + printTable,
                              db::RecordsetType::Snapshot);
    outcome.letters = count.value(0).toInt();
    outcome.first = count.value(1).toInt();
    outcome.last = count.value(2).toInt();

    const QString year = bookYear(request.table);
    if (outcome.letters == 0) {
        outcome.refusal = request.wholeYear()
                              ? QStringLiteral("Năm ") + year + QStringLiteral(" chưa có ") + lettersNamed(request) +
                                    QStringLiteral(" nào để in sổ đăng ký !")
                              : QStringLiteral("Không có ") + lettersNamed(request) +
                                    QStringLiteral(" nào có số đăng ký từ ") + QString::number(request.from) +
                                    QStringLiteral(" đến ") + QString::number(request.to) + QStringLiteral(" !");
        return outcome;
    }

    const QString reportName = request.incoming ? QStringLiteral("sodkcvden.rpt") : QStringLiteral("sodkcvdi.rpt");
    const QList<QPair<QString, QString>> cover{
        {QStringLiteral("nam"), year},
        {QStringLiteral("tu_so"), QString::number(outcome.first)},
        {QStringLiteral("den_so"), QString::number(outcome.last)},
        {QStringLiteral("quyen_so"), request.volume.trimmed()},
        {QStringLiteral("loai_vb"), request.incoming ? QString() : request.letterType},
    };
    outcome.result =
        printReport(context, control, destination, reportName, formGeometry, QString(), QString(), nullptr, cover);
    return outcome;
}

} // namespace registers
