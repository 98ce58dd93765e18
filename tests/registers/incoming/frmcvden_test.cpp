// The incoming-letter entry form driven as a secretary drives it: modes, numbering, required
// boxes, keys, the position box, bad input and two programs adding at once.
#include "../register_fixture.h"

#include "registers/register_data.h"

#include "datafiles/letter_save.h"
#include "platform/db/db_error.h"
#include "platform/ui/status_style.h"

namespace {

using registers::IncomingEntryForm;
using registers_test::RegisterTest;

class FrmcvdenTest : public RegisterTest
{
protected:
    // Adds a row straight into the year table (letters already registered).
    void addRow(int stt, const QString& noigui, const QString& cdDang = QString(), const QString& loai = QString())
    {
        app::Module1& m = app::module1();
        db::Recordset rs = m.letters.openRecordset(m.incomingTable);
        rs.addNew();
        rs.setValue(u"stt"_s, stt);
        rs.setValue(u"ng_den"_s, u"02/01/2026"_s);
        rs.setValue(u"ng_denchuan"_s, u"20260102"_s);
        rs.setValue(u"noigui"_s, noigui);
        rs.setValue(u"so_cv"_s, u"%1/SNV"_s.arg(stt));
        rs.setValue(u"dv_nhan"_s, u"Phòng Hành chính"_s);
        rs.setValue(u"tt_ndung"_s, u"Nội dung %1"_s.arg(stt));
        rs.setValue(u"cd_dang"_s, cdDang);
        rs.setValue(u"loai"_s, loai);
        datafiles::saveLetter(m.letters, rs);
    }
    QString status(IncomingEntryForm* f) const { return f->ui().lbltrangthai->text(); }
    // The number, channel and type boxes, joined by "|".
    static QString numberChannelType(IncomingEntryForm* f)
    {
        return QStringList{f->ui().mstt->text(), f->ui().mcd_dang->text(), f->ui().mloai->text()}.join(u'|');
    }
};

// On an empty year: a save with required boxes blank lists them and writes nothing; adding, then
// pressing Add again saves and copies type and channel; bad input is saved as typed or refused
// with the typed values kept.
TEST_F(FrmcvdenTest, MissingBoxesAreListedAddingAgainSavesAndCopiesTypeAndChannelAndBadInputIsKept)
{
    IncomingEntryForm* f = openIncoming();
    EXPECT_EQ(status(f), u"Xem công văn đến"_s);
    EXPECT_TRUE(f->ui().mnoigui->isLocked());
    const Ui::frmcvden& ui = f->ui();
    // the boxes left blank, the list the message names
    const std::pair<QList<ui::TextBox*>, QString> cases[] = {
        {{ui.mng_den, ui.mtt_ndung}, u"Ngày đến, tóm tắt nội dung"_s},
        {{ui.mng_den, ui.mnoigui, ui.mdv_nhan, ui.mtt_ndung}, u"Ngày đến, nơi gửi, nơi nhận, tóm tắt nội dung"_s},
        {{ui.mdv_nhan}, u"nơi nhận"_s},
    };
    for (const auto& [empty, list] : cases) {
        click(*f, "cmdAdd");
        fillIncoming(f, u"x"_s);
        for (ui::TextBox* b : empty)
            b->setText(u"  "_s);
        home.responder.clear();
        click(*f, "cmdUpdate");
        EXPECT_EQ(home.messages(), QStringList{u"Cần phải điền đủ nội dung các ô :\r"_s + list});
        EXPECT_EQ(f->mode(), registers::EntryMode::Adding);
        EXPECT_TRUE(rows(u"id"_s).isEmpty());
        home.responder.answer(u"no"_s);
        key(*f, Qt::Key_Escape);
    }

    click(*f, "cmdAdd");
    EXPECT_EQ(f->mode(), registers::EntryMode::Adding);
    EXPECT_EQ(numberChannelType(f), u" 1||"_s);
    EXPECT_EQ(f->ui().mng_den->text(), u"05/01/2026"_s);
    auto* label = f->ui().lbltrangthai;
    EXPECT_EQ(ui::foreColor(label), ui::colorFromNumber(65535));
    EXPECT_EQ(ui::backColor(label), ui::colorFromNumber(255));
    EXPECT_FALSE(f->ui().Cmdtracuu->isEnabled());
    EXPECT_TRUE(f->ui().mstt->isLocked());

    fillIncoming(f, u"Họp giao ban"_s);
    f->ui().mcd_dang->setText(u"Công đoàn"_s);
    f->ui().mloai->setText(u"Giấy mời"_s);
    click(*f, "cmdAdd");
    EXPECT_EQ(rows(u"stt, ng_denchuan, cd_dang, loai, kieuupdate, idcu = id"_s),
              QStringList{"1|20260105|Công đoàn|Giấy mời|1|1"});
    EXPECT_EQ(numberChannelType(f), u" 2|Công đoàn|Giấy mời"_s);

    home.responder.answer(u"no"_s); // Esc: do not keep the letter being added
    key(*f, Qt::Key_Escape);
    EXPECT_EQ(home.messages().last(), u"Có lưu giữ bản ghi đang nạp không ?"_s);
    EXPECT_EQ(f->mode(), registers::EntryMode::Viewing);
    EXPECT_EQ(rows(u"stt"_s).size(), 1);
    EXPECT_EQ(f->ui().mrecnum->text(), u"1/1"_s);

    const QString odd = u"Sở 'Nội' vụ 50% [a]* \"b\""_s;
    click(*f, "cmdAdd");
    fillIncoming(f, odd);
    f->ui().mnoigui->setText(odd);
    click(*f, "cmdUpdate");
    EXPECT_EQ(rows(u"noigui, tt_ndung"_s).last(), odd + u'|' + odd);

    // A text longer than its column: the engine's error, nothing written, the letter stays.
    click(*f, "cmdAdd");
    fillIncoming(f, u"dài"_s);
    const QString tooLong(300, u'x');
    f->ui().mso_cv->setText(tooLong);
    click(*f, "cmdUpdate");
    ASSERT_EQ(home.boxes().size(), 1);
    EXPECT_TRUE(home.boxes().first().contains(u"Lỗi dữ liệu : "_s)) << home.boxes().first().toStdString();
    EXPECT_EQ(f->mode(), registers::EntryMode::Adding);
    EXPECT_EQ(f->ui().mso_cv->text(), tooLong);
    EXPECT_EQ(rows(u"id"_s).size(), 2);
    f->ui().mso_cv->setText(u"12/UB"_s);
    click(*f, "cmdUpdate");
    EXPECT_EQ(rows(u"so_cv"_s).last(), u"12/UB"_s);

    // An impossible date is refused when the box is left.
    click(*f, "cmdAdd");
    home.responder.clear();
    ui::TextBox* date = f->ui().mng_cv;
    type(date, u"31/4/2026"_s);
    f->ui().mmat->setFocus();
    EXPECT_EQ(home.messages(), QStringList{"Cần nhập lại ngày tháng năm cho đúng!"});
    EXPECT_EQ(date->text(), QString());
    EXPECT_TRUE(date->hasFocus());
}

// The position box and paging stay inside the year; numbered out of order (10, then 3), the last
// record in table order gives the new number.
TEST_F(FrmcvdenTest, PositionBoxPagingFunctionKeysAndTheNewNumberFollowingTheLastRecordInTableOrder)
{
    addRow(10, "Sở Nội vụ", QString(), "Công văn");
    addRow(3, "Bộ Tư pháp", "Đảng,NN", "Chỉ thị");
    IncomingEntryForm* f = openIncoming();
    ui::TextBox* recnum = f->ui().mrecnum;
    const QList<QPair<QString, QString>> positions = {
        {u"0"_s, u"2/2"_s}, {u"99"_s, u"2/2"_s}, {u"abc"_s, u"2/2"_s}, {u"1"_s, u"1/2"_s}};
    for (const auto& [typed, shown] : positions) {
        recnum->setFocus();
        recnum->setText(typed);
        key(*f, Qt::Key_Return);
        EXPECT_EQ(recnum->text(), shown) << typed.toStdString();
    }
    EXPECT_EQ(f->ui().mnoigui->text(), u"Sở Nội vụ"_s);
    key(*f, Qt::Key_PageUp); // on the first record
    EXPECT_EQ(recnum->text(), u"1/2"_s);
    key(*f, Qt::Key_PageDown);
    key(*f, Qt::Key_PageDown); // on the last record
    EXPECT_EQ(recnum->text(), u"2/2"_s);
    EXPECT_EQ(f->ui().mnoigui->text(), u"Bộ Tư pháp"_s);

    click(*f, "cmdsua");
    ASSERT_EQ(f->ui().cmdsua->text(), u"Huỷ sửa"_s);
    struct Case
    {
        ui::TextBox* box;
        QString before;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        QString after;
    };
    const QList<Case> cases = {
        {f->ui().mcd_dang, QString(), Qt::Key_F5, Qt::NoModifier, u"Công đoàn"_s},
        {f->ui().mcd_dang, u"abc"_s, Qt::Key_F5, Qt::NoModifier, u"Công đoàn"_s},
        {f->ui().mcd_dang, u"Công đoàn"_s, Qt::Key_F5, Qt::NoModifier, u"Đảng,NN"_s},
        {f->ui().mng_cv, QString(), Qt::Key_F5, Qt::NoModifier, u"05/01/2026"_s},
        {f->ui().mng_den, u"05/01/2026"_s, Qt::Key_F5, Qt::NoModifier, u"06/01/2026"_s},
        {f->ui().mng_den, u"05/01/2026"_s, Qt::Key_F5, Qt::ShiftModifier, u"04/01/2026"_s},
        {f->ui().mnoigui, u"xyz"_s, Qt::Key_F4, Qt::NoModifier, QString()},
        {f->ui().mnoigui, u"xyz"_s, Qt::Key_F6, Qt::NoModifier, u"Sở Nội vụ"_s}, // previous record
        {f->ui().mloai, QString(), Qt::Key_F6, Qt::NoModifier, u"Công văn"_s},
        // Not data boxes: F4 and F6 change nothing.
        {f->ui().mrecnum, u"2/2"_s, Qt::Key_F4, Qt::NoModifier, u"2/2"_s},
        {f->ui().mrecnum, u"2/2"_s, Qt::Key_F6, Qt::NoModifier, u"2/2"_s},
    };
    for (const Case& c : cases) {
        ui::TextBox* b = c.box;
        b->setFocus();
        b->setText(c.before);
        key(*f, c.key, c.modifiers);
        EXPECT_EQ(b->text(), c.after) << b->objectName().toStdString() << " " << c.before.toStdString() << " key "
                                      << c.key;
    }
    // Cancelling the edit shows the stored letter again.
    click(*f, "cmdsua");
    EXPECT_EQ(f->mode(), registers::EntryMode::Viewing);
    EXPECT_EQ(f->ui().mnoigui->text(), u"Bộ Tư pháp"_s);
    EXPECT_EQ(rows(u"noigui, kieuupdate"_s), QStringList({"Sở Nội vụ|1", "Bộ Tư pháp|1"}));
    EXPECT_EQ(f->ui().mrecnum->text(), u"2/2"_s);
    click(*f, "cmdAdd");
    EXPECT_EQ(numberChannelType(f), u" 4|Đảng,NN|Chỉ thị"_s);
}

// Two programs on one letters file (two connections) add letters at the same time: a number
// proposed when adding started and taken meanwhile is replaced by the next free one.
TEST_F(FrmcvdenTest, TwoProgramsAddingAtOnceNeverShareARegisterNumber)
{
    app::Module1& m = app::module1();
    db::Database other = db::Database::open(m.lettersPath, app::kConnect);
    const auto otherAdds = [&](int proposed) {
        db::Recordset rs = other.openRecordset(m.incomingTable);
        rs.addNew();
        rs.setValue(u"stt"_s, proposed);
        rs.setValue(u"noigui"_s, u"Máy khác"_s);
        datafiles::saveLetter(other, rs, [&](db::Recordset& row) {
            row.setValue(u"stt"_s, registers::nextFreeNumber(other, m.incomingTable, u"stt"_s, proposed));
        });
    };
    IncomingEntryForm* f = openIncoming();
    for (int round = 0; round < 3; ++round) {
        click(*f, "cmdAdd");
        const int proposed = f->ui().mstt->text().trimmed().toInt();
        otherAdds(proposed); // the other program saves first with the same proposal
        fillIncoming(f, u"Lần %1"_s.arg(round));
        click(*f, "cmdUpdate");
        EXPECT_TRUE(status(f).contains(u"số %1 đã có công văn khác dùng"_s.arg(proposed))) << status(f).toStdString();
    }
    // A number typed through "Số mới" is kept as typed, even when it repeats.
    click(*f, "cmdAdd");
    click(*f, "cmdsuasocvden");
    f->ui().mstt->setText(u"1"_s);
    fillIncoming(f, u"Số gõ tay"_s);
    click(*f, "cmdUpdate");
    EXPECT_EQ(status(f), u"Xem công văn đến"_s);
    QStringList numbers = rows(u"stt"_s);
    EXPECT_EQ(numbers.takeLast(), u"1"_s);
    EXPECT_EQ(numbers, QStringList({"1", "2", "3", "4", "5", "6"}));
}

} // namespace
