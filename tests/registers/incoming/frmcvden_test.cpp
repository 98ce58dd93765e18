// The incoming-letter entry form driven as a secretary drives it: modes, numbering, required
// boxes, keys, the position box, bad input, a read-only file and two programs adding at once.
#include "../register_fixture.h"

#include "registers/incoming/frmcvden.h"
#include "registers/register_data.h"
#include "ui_frmcvden.h"

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
        rs.setValue(QStringLiteral("stt"), stt);
        rs.setValue(QStringLiteral("ng_den"), QStringLiteral("02/01/2026"));
        rs.setValue(QStringLiteral("ng_denchuan"), QStringLiteral("20260102"));
        rs.setValue(QStringLiteral("noigui"), noigui);
        rs.setValue(QStringLiteral("so_cv"), QStringLiteral("%1/SNV").arg(stt));
        rs.setValue(QStringLiteral("dv_nhan"), QStringLiteral("Phòng Hành chính"));
        rs.setValue(QStringLiteral("tt_ndung"), QStringLiteral("Nội dung %1").arg(stt));
        rs.setValue(QStringLiteral("cd_dang"), cdDang);
        rs.setValue(QStringLiteral("loai"), loai);
        datafiles::saveLetter(m.letters, rs);
    }
    QString status(IncomingEntryForm* f) const { return f->ui().lbltrangthai->text(); }
};

TEST_F(FrmcvdenTest, AddingToAnEmptyYearThenPressingAddAgainSavesAndCopiesTypeAndChannel)
{
    IncomingEntryForm* f = openIncoming();
    EXPECT_EQ(status(f), QStringLiteral("Xem công văn đến"));
    EXPECT_TRUE(f->ui().mnoigui->isLocked());
    click(*f, "cmdAdd");
    EXPECT_EQ(f->mode(), registers::EntryMode::Adding);
    EXPECT_EQ(f->ui().mstt->text(), QStringLiteral(" 1"));
    EXPECT_EQ(f->ui().mng_den->text(), QStringLiteral("05/01/2026"));
    EXPECT_EQ(f->ui().mcd_dang->text(), QString());
    EXPECT_EQ(f->ui().mloai->text(), QString());
    auto* label = f->ui().lbltrangthai;
    EXPECT_EQ(ui::foreColor(label), ui::colorFromNumber(65535));
    EXPECT_EQ(ui::backColor(label), ui::colorFromNumber(255));
    EXPECT_FALSE(f->ui().Cmdtracuu->isEnabled());
    EXPECT_TRUE(f->ui().mstt->isLocked());

    fillIncoming(f, QStringLiteral("Họp giao ban"));
    f->ui().mcd_dang->setText(QStringLiteral("Công đoàn"));
    f->ui().mloai->setText(QStringLiteral("Giấy mời"));
    click(*f, "cmdAdd");
    EXPECT_EQ(rows(QStringLiteral("stt, ng_denchuan, cd_dang, loai, kieuupdate, idcu = id")),
              QStringList{"1|20260105|Công đoàn|Giấy mời|1|1"});
    EXPECT_EQ(f->ui().mstt->text(), QStringLiteral(" 2"));
    EXPECT_EQ(f->ui().mcd_dang->text(), QStringLiteral("Công đoàn"));
    EXPECT_EQ(f->ui().mloai->text(), QStringLiteral("Giấy mời"));

    home.responder.answer(QStringLiteral("no")); // Esc: do not keep the letter being added
    key(*f, Qt::Key_Escape);
    EXPECT_EQ(home.messages().last(), QStringLiteral("Có lưu giữ bản ghi đang nạp không ?"));
    EXPECT_EQ(f->mode(), registers::EntryMode::Viewing);
    EXPECT_EQ(rows(QStringLiteral("stt")).size(), 1);
    EXPECT_EQ(f->ui().mrecnum->text(), QStringLiteral("1/1"));
}

TEST_F(FrmcvdenTest, NewNumberIsTheLastRecordsNumberPlusOneInTableOrder)
{
    addRow(10, "Sở Nội vụ");
    addRow(3, "Sở Tài chính", "Đảng,NN", "Công văn");
    IncomingEntryForm* f = openIncoming();
    EXPECT_EQ(f->ui().mrecnum->text(), QStringLiteral("2/2"));
    click(*f, "cmdAdd");
    EXPECT_EQ(f->ui().mstt->text(), QStringLiteral(" 4"));
    EXPECT_EQ(f->ui().mcd_dang->text(), QStringLiteral("Đảng,NN"));
}

TEST_F(FrmcvdenTest, MissingRequiredBoxesAreListedAndNothingIsWritten)
{
    IncomingEntryForm* f = openIncoming();
    const Ui::frmcvden& ui = f->ui();
    struct Case
    {
        QList<ui::TextBox*> empty;
        QString list;
    };
    const QList<Case> cases = {
        {{ui.mng_den, ui.mtt_ndung}, QStringLiteral("Ngày đến, tóm tắt nội dung")},
        {{ui.mng_den, ui.mnoigui, ui.mdv_nhan, ui.mtt_ndung},
         QStringLiteral("Ngày đến, nơi gửi, nơi nhận, tóm tắt nội dung")},
        {{ui.mdv_nhan}, QStringLiteral("nơi nhận")},
    };
    for (const Case& c : cases) {
        click(*f, "cmdAdd");
        fillIncoming(f, QStringLiteral("x"));
        for (ui::TextBox* b : c.empty)
            b->setText(QStringLiteral("  "));
        home.responder.clear();
        click(*f, "cmdUpdate");
        EXPECT_EQ(home.messages(), QStringList{QStringLiteral("Cần phải điền đủ nội dung các ô :\r") + c.list});
        EXPECT_EQ(f->mode(), registers::EntryMode::Adding);
        EXPECT_TRUE(rows(QStringLiteral("id")).isEmpty());
        home.responder.answer(QStringLiteral("no"));
        key(*f, Qt::Key_Escape);
    }
}

TEST_F(FrmcvdenTest, FunctionKeysWhileEditing)
{
    addRow(1, "Sở Nội vụ", QString(), "Công văn");
    addRow(2, "Bộ Tư pháp");
    IncomingEntryForm* f = openIncoming();
    click(*f, "cmdsua");
    ASSERT_EQ(f->ui().cmdsua->text(), QStringLiteral("Huỷ sửa"));
    struct Case
    {
        ui::TextBox* box;
        QString before;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        QString after;
    };
    const QList<Case> cases = {
        {f->ui().mcd_dang, QString(), Qt::Key_F5, Qt::NoModifier, QStringLiteral("Công đoàn")},
        {f->ui().mcd_dang, QStringLiteral("abc"), Qt::Key_F5, Qt::NoModifier, QStringLiteral("Công đoàn")},
        {f->ui().mcd_dang, QStringLiteral("Công đoàn"), Qt::Key_F5, Qt::NoModifier, QStringLiteral("Đảng,NN")},
        {f->ui().mng_cv, QString(), Qt::Key_F5, Qt::NoModifier, QStringLiteral("05/01/2026")},
        {f->ui().mng_den, QStringLiteral("05/01/2026"), Qt::Key_F5, Qt::NoModifier, QStringLiteral("06/01/2026")},
        {f->ui().mng_den, QStringLiteral("05/01/2026"), Qt::Key_F5, Qt::ShiftModifier, QStringLiteral("04/01/2026")},
        {f->ui().mng_den, QStringLiteral("31/01/2026"), Qt::Key_F5, Qt::NoModifier, QStringLiteral("31/01/2026")},
        {f->ui().mnoigui, QStringLiteral("xyz"), Qt::Key_F4, Qt::NoModifier, QString()},
        {f->ui().mnoigui, QStringLiteral("xyz"), Qt::Key_F6, Qt::NoModifier,
         QStringLiteral("Sở Nội vụ")}, // previous record
        {f->ui().mloai, QString(), Qt::Key_F6, Qt::NoModifier, QStringLiteral("Công văn")},
        // Not data boxes: F4 and F6 change nothing.
        {f->ui().mrecnum, QStringLiteral("2/2"), Qt::Key_F4, Qt::NoModifier, QStringLiteral("2/2")},
        {f->ui().mrecnum, QStringLiteral("2/2"), Qt::Key_F6, Qt::NoModifier, QStringLiteral("2/2")},
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
    EXPECT_EQ(f->ui().mnoigui->text(), QStringLiteral("Bộ Tư pháp"));
    EXPECT_EQ(rows(QStringLiteral("noigui, kieuupdate")), QStringList({"Sở Nội vụ|1", "Bộ Tư pháp|1"}));
}

TEST_F(FrmcvdenTest, PositionBoxAndPagingStayInsideTheYear)
{
    for (int i = 1; i <= 3; ++i)
        addRow(i, QStringLiteral("Nơi %1").arg(i));
    IncomingEntryForm* f = openIncoming();
    ui::TextBox* recnum = f->ui().mrecnum;
    const QList<QPair<QString, QString>> cases = {{QStringLiteral("0"), QStringLiteral("3/3")},
                                                  {QStringLiteral("99"), QStringLiteral("3/3")},
                                                  {QStringLiteral("abc"), QStringLiteral("3/3")},
                                                  {QStringLiteral("1"), QStringLiteral("1/3")}};
    for (const auto& [typed, shown] : cases) {
        recnum->setFocus();
        recnum->setText(typed);
        key(*f, Qt::Key_Return);
        EXPECT_EQ(recnum->text(), shown) << typed.toStdString();
    }
    EXPECT_EQ(f->ui().mnoigui->text(), QStringLiteral("Nơi 1"));
    key(*f, Qt::Key_PageUp); // on the first record
    EXPECT_EQ(recnum->text(), QStringLiteral("1/3"));
    key(*f, Qt::Key_PageDown);
    key(*f, Qt::Key_PageDown);
    key(*f, Qt::Key_PageDown); // on the last record
    EXPECT_EQ(recnum->text(), QStringLiteral("3/3"));
    EXPECT_EQ(f->ui().mnoigui->text(), QStringLiteral("Nơi 3"));
}

TEST_F(FrmcvdenTest, BadInputIsSavedAsTypedOrRefusedWithTheTypedValuesKept)
{
    IncomingEntryForm* f = openIncoming();
    const QString odd = QStringLiteral("Sở 'Nội' vụ 50% [a]* \"b\"");
    click(*f, "cmdAdd");
    fillIncoming(f, odd);
    f->ui().mnoigui->setText(odd);
    click(*f, "cmdUpdate");
    EXPECT_EQ(rows(QStringLiteral("noigui, tt_ndung")), QStringList{odd + QLatin1Char('|') + odd});

    // A text longer than its column: the engine's error, nothing written, the letter stays.
    click(*f, "cmdAdd");
    fillIncoming(f, QStringLiteral("dài"));
    const QString tooLong(300, QLatin1Char('x'));
    f->ui().mso_cv->setText(tooLong);
    click(*f, "cmdUpdate");
    ASSERT_EQ(home.boxes().size(), 1);
    EXPECT_TRUE(home.boxes().first().contains(QStringLiteral("Lỗi dữ liệu : "))) << home.boxes().first().toStdString();
    EXPECT_EQ(f->mode(), registers::EntryMode::Adding);
    EXPECT_EQ(f->ui().mso_cv->text(), tooLong);
    EXPECT_EQ(rows(QStringLiteral("id")).size(), 1);
    f->ui().mso_cv->setText(QStringLiteral("12/UB"));
    click(*f, "cmdUpdate");
    EXPECT_EQ(rows(QStringLiteral("so_cv")).last(), QStringLiteral("12/UB"));

    // An impossible date is refused when the box is left.
    click(*f, "cmdAdd");
    home.responder.clear();
    ui::TextBox* date = f->ui().mng_cv;
    type(date, QStringLiteral("31/4/2026"));
    f->ui().mmat->setFocus();
    EXPECT_EQ(home.messages(), QStringList{"Cần nhập lại ngày tháng năm cho đúng!"});
    EXPECT_EQ(date->text(), QString());
    EXPECT_TRUE(date->hasFocus());
}

TEST_F(FrmcvdenTest, AReadOnlyLettersFileIsViewedButNotChanged)
{
    addRow(1, "Sở Nội vụ");
    app::Module1& m = app::module1();
    const QFile::Permissions writable = QFile::permissions(m.lettersPath);
    // Opened for reading only, and a file without write permission (another drive, a shared folder).
    for (bool permissionOnly : {false, true}) {
        if (permissionOnly)
            QFile::setPermissions(m.lettersPath, writable & ~(QFile::WriteOwner | QFile::WriteUser | QFile::WriteGroup |
                                                              QFile::WriteOther));
        m.letters = db::Database::open(m.lettersPath, app::kConnect,
                                       permissionOnly ? db::OpenMode::SharedWrite : db::OpenMode::ReadOnly);
        IncomingEntryForm* f = openIncoming();
        EXPECT_EQ(f->ui().mnoigui->text(), QStringLiteral("Sở Nội vụ"));
        home.responder.clear();
        click(*f, "cmdAdd");
        click(*f, "cmdsua");
        EXPECT_EQ(home.messages(), QStringList(2, registers::kReadOnlyMessage));
        EXPECT_EQ(f->mode(), registers::EntryMode::Viewing);
        f->hide();
    }
    QFile::setPermissions(m.lettersPath, writable);
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
        rs.setValue(QStringLiteral("stt"), proposed);
        rs.setValue(QStringLiteral("noigui"), QStringLiteral("Máy khác"));
        datafiles::saveLetter(other, rs, [&](db::Recordset& row) {
            row.setValue(QStringLiteral("stt"),
                         registers::nextFreeNumber(other, m.incomingTable, QStringLiteral("stt"), proposed));
        });
    };
    IncomingEntryForm* f = openIncoming();
    for (int round = 0; round < 3; ++round) {
        click(*f, "cmdAdd");
        const int proposed = f->ui().mstt->text().trimmed().toInt();
        otherAdds(proposed); // the other program saves first with the same proposal
        fillIncoming(f, QStringLiteral("Lần %1").arg(round));
        click(*f, "cmdUpdate");
        EXPECT_TRUE(status(f).contains(QStringLiteral("số %1 đã có công văn khác dùng").arg(proposed)))
            << status(f).toStdString();
    }
    // A number typed through "Số mới" is kept as typed, even when it repeats.
    click(*f, "cmdAdd");
    click(*f, "cmdsuasocvden");
    f->ui().mstt->setText(QStringLiteral("1"));
    fillIncoming(f, QStringLiteral("Số gõ tay"));
    click(*f, "cmdUpdate");
    EXPECT_EQ(status(f), QStringLiteral("Xem công văn đến"));
    QStringList numbers = rows(QStringLiteral("stt"));
    EXPECT_EQ(numbers.takeLast(), QStringLiteral("1"));
    EXPECT_EQ(numbers, QStringList({"1", "2", "3", "4", "5", "6"}));
}

} // namespace
