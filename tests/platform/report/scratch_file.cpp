#include "scratch_file.h"

void ScratchFile::addRows(const QString& table, const QList<Values>& rows)
{
    db::Recordset records = db().openRecordset(table, db::RecordsetType::Dynaset);
    db().beginTrans();
    for (const Values& row : rows) {
        records.addNew();
        for (const auto& [field, value] : row)
            records.setValue(field, value);
        records.update();
    }
    db().commitTrans();
}

QList<ScratchFile::Values> incomingLetters(int count)
{
    static const QStringList senders{QStringLiteral("UBND tỉnh Quảng Ngãi"), QStringLiteral("Sở Tài chính"),
                                     QStringLiteral("Bộ Giáo dục và Đào tạo"), QStringLiteral("Công đoàn ngành Y tế")};
    QList<ScratchFile::Values> rows;
    for (int i = 1; i <= count; ++i) {
        const QString day = QStringLiteral("%1/%2/2025")
                                .arg(1 + i % 28, 2, 10, QLatin1Char('0'))
                                .arg(1 + i % 12, 2, 10, QLatin1Char('0'));
        rows.append({{QStringLiteral("stt"), i},
                     {QStringLiteral("ng_den"), day},
                     {QStringLiteral("ng_denchuan"), day.mid(6, 4) + day.mid(3, 2) + day.left(2)},
                     {QStringLiteral("noigui"), senders.at(i % senders.size())},
                     {QStringLiteral("so_cv"), QStringLiteral("%1/CVĐ-%2").arg(i).arg(i * 3)},
                     {QStringLiteral("ng_cv"), day},
                     {QStringLiteral("loai"), QStringLiteral("Công văn")},
                     {QStringLiteral("dv_nhan"), QStringLiteral("Phòng Tổ chức, Văn phòng")},
                     {QStringLiteral("mat"), i % 5 == 0 ? QStringLiteral("Mật") : QString()},
                     {QStringLiteral("tt_ndung"),
                      QStringLiteral("Về việc triển khai kế hoạch số %1 năm 2025 của đơn vị ở Đắk Lắk").arg(i)},
                     {QStringLiteral("da_xuli"), i % 2 == 0},
                     {QStringLiteral("chonin"), QStringLiteral("X")}});
    }
    return rows;
}

QList<ScratchFile::Values> outgoingLetters(int count)
{
    QList<ScratchFile::Values> rows;
    for (int i = 1; i <= count; ++i) {
        const QString day = QStringLiteral("%1/03/2025").arg(1 + i % 28, 2, 10, QLatin1Char('0'));
        rows.append({{QStringLiteral("stt"), i},
                     {QStringLiteral("so_cv"), QStringLiteral("%1/VP-TH").arg(i)},
                     {QStringLiteral("ng_cv"), day},
                     {QStringLiteral("ng_cvchuan"), QStringLiteral("202503") + day.left(2)},
                     {QStringLiteral("loai"), QStringLiteral("Tờ trình")},
                     {QStringLiteral("dv_nhan"), QStringLiteral("Sở Nội vụ, Sở Tư pháp")},
                     {QStringLiteral("noiluu"), QStringLiteral("Văn thư")},
                     {QStringLiteral("nguoiky"), QStringLiteral("Nguyễn Văn Đức")},
                     {QStringLiteral("tt_ndung"),
                      QStringLiteral("Đề nghị phê duyệt dự toán lần %1, hạng mục \"sửa chữa\"").arg(i)},
                     {QStringLiteral("chonin"), QStringLiteral("X")}});
    }
    return rows;
}
