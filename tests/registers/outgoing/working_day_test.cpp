// A secretary's day on the outgoing register, through the forms: letters of two types numbered
// each in its own run, a type change while editing refused and restored, the letter number by F5,
// a number taken meanwhile by another program, a search by number and by signer, all hits marked
// and printed, a date range printed, and the backup at closing.
#include "../../platform/report/pdf_text.h"
#include "../../support/accessibility_check.h"
#include "../print_by_date.h"
#include "../register_fixture.h"

#include "registers/letters/frmincv.h"
#include "registers/outgoing/frmcvdi.h"
#include "registers/outgoing/frmgridcvdi.h"
#include "registers/outgoing/frmtracuucvdi.h"
#include "registers/outgoing/outgoing_forms.h"

#include "app/gui/register_catalog.h"
#include "common/clock.h"

#include <QDir>
#include <QTemporaryDir>

namespace {

using namespace registers;
using registers_test::RegisterTest;

const QString A = QStringLiteral("Công văn");
const QString B = QStringLiteral("Quyết định");

class OutgoingDayTest : public RegisterTest
{
protected:
    void SetUp() override
    {
        RegisterTest::SetUp();
        app::Module1& m = app::module1();
        addReference(m.lettersReference, QStringLiteral("loaicv"), QStringLiteral("loai"), A, QStringLiteral("cv"));
        addReference(m.lettersReference, QStringLiteral("loaicv"), QStringLiteral("loai"), B, QStringLiteral("qd"));
        app::openReferenceRecordsets();
        registerOutgoingForms();
    }
    // As the main window's button does (the list clears the year's print marks).
    void press(const char* name)
    {
        ASSERT_TRUE(app::runRegisterCommand(QString::fromLatin1(name), &mainWindow)) << name;
        mainWindow.hide();
    }
    // Sets the type as typed: the box is left, which numbers the letter.
    void setType(OutgoingEntryForm* entry, const QString& type)
    {
        ui::TextBox* loai = entry->box(QStringLiteral("mloai"));
        loai->setFocus();
        loai->setText(type);
        entry->box(QStringLiteral("mso_cv"))->setFocus();
    }
    void addLetter(OutgoingEntryForm* entry, const QString& type, const QString& signer, const QString& summary)
    {
        click(*entry, "cmdAdd");
        setType(entry, type);
        entry->box(QStringLiteral("mdv_nhan"))->setText(QStringLiteral("Sở Nội vụ"));
        entry->box(QStringLiteral("mnoiluu"))->setText(QStringLiteral("Phòng Hành chính"));
        entry->box(QStringLiteral("mnguoiky"))->setText(signer);
        entry->box(QStringLiteral("mtt_ndung"))->setText(summary);
        click(*entry, "cmdUpdate");
    }
    QStringList letters(const db::Database& db, const QString& columns) const
    {
        return tableRows(const_cast<db::Database&>(db), app::module1().outgoingTable, columns);
    }

    QTemporaryDir pdfDir;
};

TEST_F(OutgoingDayTest, NumberPerTypeCorrectSearchMarkPrintAndBackUp)
{
    app::Module1& m = app::module1();
    m.backupPath = QDir(home.home()).filePath(QStringLiteral("vemocv_backup.mdb"));
    qputenv("SELVARO_PRINT_TO", pdfDir.path().toUtf8());

    press("cmdnapcvdi");
    auto* entry = form<OutgoingEntryForm>(QStringLiteral("frmcvdi"));
    ASSERT_TRUE(entry->isVisible());
    EXPECT_TRUE(test::isAccessible(entry));
    activate(entry);

    // The first letter of the year: type "Công văn" proposed, number 1, today's letter date.
    click(*entry, "cmdAdd");
    EXPECT_EQ(entry->box(QStringLiteral("mloai"))->text(), A);
    EXPECT_EQ(entry->box(QStringLiteral("mstt"))->text(), QStringLiteral("1"));
    EXPECT_EQ(entry->box(QStringLiteral("mng_cv"))->text(), QStringLiteral("05/01/2026"));
    click(*entry, "cmdUpdate"); // nothing filled in
    EXPECT_EQ(home.messages().value(0),
              QStringLiteral("Cần phải điền đủ nội dung các ô :\rnơi nhận, nơi lưu, người ký, tóm tắt nội dung"));
    int action = ui::action::Cancel, save = 1;
    home.responder.answer(QStringLiteral("no"));
    entry->Data1_Validate(action, save); // drop it
    for (const QString& type : {A, A, B, A, B, A, A})
        addLetter(entry, type, QStringLiteral("Nguyễn Văn An"), QStringLiteral("Báo cáo ") + type);
    EXPECT_EQ(letters(m.letters, QStringLiteral("loai, stt")),
              QStringList({A + "|1", A + "|2", B + "|1", A + "|3", B + "|2", A + "|4", A + "|5"}));

    // A new letter of the second type gets 3; F5 in mso_cv gives "3/"; a blank type is refused.
    click(*entry, "cmdAdd");
    EXPECT_EQ(entry->box(QStringLiteral("mstt"))->text(), QStringLiteral("6"));
    home.responder.clear();
    setType(entry, QStringLiteral(" "));
    EXPECT_EQ(home.messages(), QStringList{QStringLiteral("Cần phải xác định loại công văn trước!\rCần chọn loại công "
                                                          "văn từ danh sách để đảm bảo việc cho số được chính xác!")});
    setType(entry, B);
    EXPECT_EQ(entry->box(QStringLiteral("mstt"))->text(), QStringLiteral("3"));
    entry->box(QStringLiteral("mstt"))->setText(QStringLiteral("99"));
    entry->box(QStringLiteral("mstt"))->setFocus();
    key(*entry, Qt::Key_F5); // numbers again
    EXPECT_EQ(entry->box(QStringLiteral("mstt"))->text(), QStringLiteral("3"));
    entry->box(QStringLiteral("mso_cv"))->setFocus();
    key(*entry, Qt::Key_F5);
    EXPECT_EQ(entry->box(QStringLiteral("mso_cv"))->text(), QStringLiteral("3/"));
    type(entry->box(QStringLiteral("mso_cv")), QStringLiteral("QĐ-UB"));
    entry->box(QStringLiteral("mdv_nhan"))->setText(QStringLiteral("Bộ Tư pháp"));
    entry->box(QStringLiteral("mnoiluu"))->setText(QStringLiteral("Văn phòng Đảng uỷ"));
    entry->box(QStringLiteral("mnguoiky"))->setText(QStringLiteral("Trần Thị Bình"));
    entry->box(QStringLiteral("mtt_ndung"))->setText(QStringLiteral("Bổ nhiệm cán bộ"));
    click(*entry, "cmdUpdate");

    // Meanwhile another program gives the next B number 4: the letter proposed as 4 is written as 5.
    click(*entry, "cmdAdd");
    EXPECT_EQ(entry->box(QStringLiteral("mloai"))->text(), B);
    EXPECT_EQ(entry->box(QStringLiteral("mstt"))->text(), QStringLiteral("4"));
    {
        db::Database other = db::Database::open(m.lettersPath, app::kConnect);
        db::Recordset rs = other.openRecordset(m.outgoingTable);
        rs.addNew();
        rs.setValue(QStringLiteral("loai"), B);
        rs.setValue(QStringLiteral("stt"), 4);
        rs.setValue(QStringLiteral("tt_ndung"), QStringLiteral("Khen thưởng"));
        rs.update();
    }
    entry->box(QStringLiteral("mdv_nhan"))->setText(QStringLiteral("Sở Tài chính"));
    entry->box(QStringLiteral("mnoiluu"))->setText(QStringLiteral("Phòng Hành chính"));
    entry->box(QStringLiteral("mnguoiky"))->setText(QStringLiteral("Trần Thị Bình"));
    entry->box(QStringLiteral("mtt_ndung"))->setText(QStringLiteral("Điều động"));
    click(*entry, "cmdUpdate");
    EXPECT_EQ(letters(m.letters, QStringLiteral("stt, tt_ndung")).mid(7),
              QStringList({QStringLiteral("3|Bổ nhiệm cán bộ"), QStringLiteral("4|Khen thưởng"),
                           QStringLiteral("5|Điều động")}));
    EXPECT_TRUE(entry->control<QLabel>(QStringLiteral("lbltrangthai"))->text().contains(QStringLiteral("số 5")));

    // Letter 2 (A2) made B would take B1's number: refused, type and number restored.
    ui::TextBox* recnum = entry->box(QStringLiteral("mrecnum"));
    recnum->setFocus();
    recnum->setText(QStringLiteral("2"));
    key(*entry, Qt::Key_Return);
    click(*entry, "cmdsua");
    home.responder.clear();
    setType(entry, B);
    EXPECT_EQ(home.messages(), QStringList{QStringLiteral("Số công văn :  1 cho loại 'Quyết định' đã được dùng "
                                                          "!Không thể sửa ô Loại CV về loại này được !")});
    EXPECT_EQ(entry->box(QStringLiteral("mloai"))->text(), A);
    EXPECT_EQ(entry->box(QStringLiteral("mstt"))->text(), QStringLiteral("2"));
    click(*entry, "cmdsua"); // "Huỷ sửa"
    // Letter 7 (A5) becomes the first "Tờ trình".
    recnum->setFocus();
    recnum->setText(QStringLiteral("7"));
    key(*entry, Qt::Key_Return);
    click(*entry, "cmdsua");
    setType(entry, QStringLiteral("Tờ trình"));
    EXPECT_EQ(entry->box(QStringLiteral("mstt"))->text(), QStringLiteral("1"));
    click(*entry, "cmdUpdate");
    EXPECT_EQ(letters(m.letters, QStringLiteral("loai, stt")).value(6), QStringLiteral("Tờ trình|1"));
    entry->cmdclose_Click();
    EXPECT_TRUE(mainWindow.isVisible());
    db::Database backup = db::Database::open(m.backupPath, app::kConnect);
    const QStringList saved = letters(backup, QStringLiteral("loai, stt, so_cv"));
    EXPECT_TRUE(saved.contains(B + QStringLiteral("|3|3/QĐ-UB"))) << saved.join(u',').toStdString();
    EXPECT_TRUE(saved.contains(QStringLiteral("Tờ trình|1|")));

    // Search by letter number from the main window, then by signer; mark all hits and print.
    press("cmdtracuucvdi");
    auto* search = form<OutgoingSearchForm>(QStringLiteral("frmtracuucvdi"));
    ASSERT_TRUE(search->isVisible());
    EXPECT_TRUE(test::isAccessible(search));
    search->box(QStringLiteral("mso_cv"))->setText(QStringLiteral("3/"));
    click(*search, "cmdtracuu");
    auto* list = form<OutgoingListForm>(QStringLiteral("frmgridcvdi"));
    ASSERT_TRUE(list->isVisible());
    EXPECT_TRUE(test::isAccessible(list));
    EXPECT_EQ(list->Data1->recordset().recordCount(), 1);
    click(*list, "cmdclose");
    ASSERT_TRUE(search->isVisible());
    click(*search, "cmdxoa");
    search->box(QStringLiteral("mnguoiky"))->setText(QStringLiteral("Trần Thị Bình"));
    click(*search, "cmdtracuu");
    EXPECT_EQ(list->Data1->recordset().recordCount(), 2);
    click(*list, "Cmdchontat");
    EXPECT_EQ(letters(m.letters, QStringLiteral("chonin")).count(QStringLiteral("X")), 2);
    home.responder.answer(QStringLiteral("no")); // straight to the printer
    click(*list, "Cmdin");
    const PdfText marked = PdfText::read(list->CrystalReport1.lastResult().outputFile);
    ASSERT_TRUE(marked.error.isEmpty()) << marked.error.toStdString() << home.messageText();
    EXPECT_TRUE(marked.all().contains(QStringLiteral("Bổ nhiệm cán bộ")));
    EXPECT_TRUE(marked.all().contains(QStringLiteral("Điều động")));
    EXPECT_FALSE(marked.all().contains(QStringLiteral("Báo cáo")));

    // The day's letters by letter date, from the list.
    const QString rangeText = registers_test::printByDateFromList(home.responder, *list, QStringLiteral("05/01/2026"),
                                                                  QStringLiteral("05/01/2026"));
    EXPECT_TRUE(rangeText.contains(QStringLiteral("(Ngày 05/01/2026)"))) << rangeText.toStdString();
    EXPECT_TRUE(rangeText.contains(QStringLiteral("Báo cáo Quyết định")));
    click(*list, "cmdclose");
    click(*search, "cmdclose");
    EXPECT_TRUE(mainWindow.isVisible());
    qunsetenv("SELVARO_PRINT_TO");
}

} // namespace
