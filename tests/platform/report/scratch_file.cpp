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
    static const QStringList senders{u"UBND tỉnh Quảng Ngãi"_s, u"Sở Tài chính"_s, u"Bộ Giáo dục và Đào tạo"_s,
                                     u"Công đoàn ngành Y tế"_s};
    QList<ScratchFile::Values> rows;
    for (int i = 1; i <= count; ++i) {
        const QString day =
            u"%1/%2/2025"_s.arg(1 + i % 28, 2, 10, QLatin1Char('0')).arg(1 + i % 12, 2, 10, QLatin1Char('0'));
        rows.append({{u"stt"_s, i},
                     {u"ng_den"_s, day},
                     {u"ng_denchuan"_s, day.mid(6, 4) + day.mid(3, 2) + day.left(2)},
                     {u"noigui"_s, senders.at(i % senders.size())},
                     {u"so_cv"_s, u"%1/CVĐ-%2"_s.arg(i).arg(i * 3)},
                     {u"ng_cv"_s, day},
                     {u"loai"_s, u"Công văn"_s},
                     {u"dv_nhan"_s, u"Phòng Tổ chức, Văn phòng"_s},
                     {u"mat"_s, i % 5 == 0 ? u"Mật"_s : QString()},
                     {u"tt_ndung"_s, u"Về việc triển khai kế hoạch số %1 năm 2025 của đơn vị ở Đắk Lắk"_s.arg(i)},
                     {u"da_xuli"_s, i % 2 == 0},
                     {u"chonin"_s, u"X"_s}});
    }
    return rows;
}

QList<ScratchFile::Values> outgoingLetters(int count)
{
    QList<ScratchFile::Values> rows;
    for (int i = 1; i <= count; ++i) {
        const QString day = u"%1/03/2025"_s.arg(1 + i % 28, 2, 10, QLatin1Char('0'));
        rows.append({{u"stt"_s, i},
                     {u"so_cv"_s, u"%1/VP-TH"_s.arg(i)},
                     {u"ng_cv"_s, day},
                     {u"ng_cvchuan"_s, u"202503"_s + day.left(2)},
                     {u"loai"_s, u"Tờ trình"_s},
                     {u"dv_nhan"_s, u"Sở Nội vụ, Sở Tư pháp"_s},
                     {u"noiluu"_s, u"Văn thư"_s},
                     {u"nguoiky"_s, u"Nguyễn Văn Đức"_s},
                     {u"tt_ndung"_s, u"Đề nghị phê duyệt dự toán lần %1, hạng mục \"sửa chữa\""_s.arg(i)},
                     {u"chonin"_s, u"X"_s}});
    }
    return rows;
}
