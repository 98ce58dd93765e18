#include "register_buttons.h"

#include "app/core/module1.h"
#include "common/dates.h"

#include <QDir>

namespace app {

const QList<RegisterButton>& registerButtons()
{
    static const QList<RegisterButton> buttons = {
        {QStringLiteral("cmdnapcvden"), QStringLiteral("Nạp, sửa, in CV đến"), true},
        {QStringLiteral("Cmdxemcvden"), QStringLiteral("Xem CV đến"), true},
        {QStringLiteral("cmdtracuucvden"), QStringLiteral("Tra cứu CV đến"), true},
        {QStringLiteral("cmdnapcvdi"), QStringLiteral("Nạp, sửa, in CV đi"), true},
        {QStringLiteral("cmdxemcvdi"), QStringLiteral("Xem CV đi"), true},
        {QStringLiteral("cmdtracuucvdi"), QStringLiteral("Tra cứu CV đi"), true},
        {QStringLiteral("cmdnapkh"), QStringLiteral("Nạp, sửa kế hoạch"), false},
        {QStringLiteral("cmdxemkh"), QStringLiteral("Xem kế hoạch"), false},
        {QStringLiteral("cmdtracuukh"), QStringLiteral("Tra cứu kế hoạch"), false},
        {QStringLiteral("cmdnaplich"), QStringLiteral("Nạp, sửa lịch tuần"), false},
        {QStringLiteral("Cmdxemlich"), QStringLiteral("Xem lịch tuần"), false},
        {QStringLiteral("cmdtracuulich"), QStringLiteral("Tra cứu lịch tuần"), false},
    };
    return buttons;
}

const RegisterButton* findRegisterButton(const QString& name)
{
    for (const RegisterButton& b : registerButtons()) {
        if (b.name.compare(name, Qt::CaseInsensitive) == 0)
            return &b;
    }
    return nullptr;
}

namespace {

QString yyyymmdd(const QDate& d)
{
    return d.toString(QStringLiteral("yyyyMMdd"));
}

QString plansSource(const Module1& m)
{
    return QStringLiteral("SELECT * FROM ") + m.plansTable +
           QStringLiteral(" ORDER BY tgianbdauchuan+tgiankthucchuan ");
}

QString distinctValues(const QString& column, const QString& table)
{
    return QStringLiteral("select distinct ") + column + QStringLiteral(" from ") + table + QStringLiteral(" where ") +
           column + QStringLiteral("<>''");
}

} // namespace

FormRequest registerRequest(const RegisterButton& button, const QDate& today)
{
    const Module1& m = module1();
    FormRequest r;
    r.command = button.name;
    r.dataFile = button.letters ? DataFile::Letters : DataFile::Schedule;
    const QString name = button.name.toLower();
    const QStringList letterLookups = {QStringLiteral("select * from donvi order by matt"),
                                       QStringLiteral("select * from noigui order by matt"),
                                       QStringLiteral("select * from loaicv order by matt")};
    if (name == QLatin1String("cmdnapcvden")) {
        r.recordSource = m.incomingTable;
        r.lookups = letterLookups;
    } else if (name == QLatin1String("cmdnapcvdi")) {
        r.recordSource = m.outgoingTable;
        r.lookups = letterLookups;
    } else if (name == QLatin1String("cmdnapkh")) {
        r.recordSource = plansSource(m);
        r.lookups = {QStringLiteral("SELECT * FROM bophan ORDER BY matt"),
                     QStringLiteral("select distinct loai from ") + m.plansTable + QStringLiteral(" order by loai")};
    } else if (name == QLatin1String("cmdnaplich")) {
        r.recordSource = m.scheduleTable;
    } else if (name == QLatin1String("cmdxemcvden")) {
        r.recordSource = m.incomingTable;
    } else if (name == QLatin1String("cmdxemcvdi")) {
        r.recordSource = m.outgoingTable;
    } else if (name == QLatin1String("cmdxemkh")) {
        r.recordSource = plansSource(m);
    } else if (name == QLatin1String("cmdxemlich")) {
        const Week w = weekOf(today);
        const QString monday = common::dateToText(w.monday);
        const QString sunday = common::dateToText(w.sunday);
        r.recordSource = QStringLiteral("Select * from ") + m.scheduleTable + QStringLiteral(" where [ngaychuan]>= '") +
                         yyyymmdd(w.monday) + QStringLiteral("' and [ngaychuan]<= '") + yyyymmdd(w.sunday) +
                         QStringLiteral("' order by [ngaychuan],[giochuan]");
        r.boxes = {monday, sunday};
        r.title = QStringLiteral("Xem lịch làm việc trong tuần từ ") + monday + QStringLiteral(" đến ") + sunday;
    } else if (name == QLatin1String("cmdtracuucvden")) {
        r.lookups = {distinctValues(QStringLiteral("dv_nhan"), m.incomingTable),
                     distinctValues(QStringLiteral("noigui"), m.incomingTable),
                     distinctValues(QStringLiteral("loai"), m.incomingTable)};
    } else if (name == QLatin1String("cmdtracuucvdi")) {
        r.lookups = {distinctValues(QStringLiteral("noiluu"), m.outgoingTable),
                     distinctValues(QStringLiteral("dv_nhan"), m.outgoingTable),
                     distinctValues(QStringLiteral("loai"), m.outgoingTable)};
    }
    return r;
}

QString printMarkReset(const RegisterButton& button)
{
    const Module1& m = module1();
    const QString name = button.name.toLower();
    if (name == QLatin1String("cmdxemcvden"))
        return QStringLiteral("UPDATE ") + m.incomingTable + QStringLiteral(" SET chonin = '' where [chonin]= 'X' ;");
    if (name == QLatin1String("cmdxemcvdi"))
        return QStringLiteral("UPDATE ") + m.outgoingTable + QStringLiteral(" SET chonin = '' where [chonin] = 'X';");
    return QString();
}

QString dataFileMissingMessage(const QString& path)
{
    return QStringLiteral("Không tìm thấy file dữ liệu ") + QDir::toNativeSeparators(path) + QStringLiteral(" !") +
           QStringLiteral("\r") + QStringLiteral("Cần kiểm tra việc nối mạng và thư mục mạng chứa file này, ") +
           QStringLiteral("chạy lại chương trình hoặc chọn lại file dữ liệu !");
}

} // namespace app
