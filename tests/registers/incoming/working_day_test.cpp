// A secretary's working day on the incoming register, through the forms only: three letters
// added (one first refused for a missing box, one from the pick grids with an abbreviation), one
// corrected, one correction cancelled, paging and a jump by position, a search by sender and
// date range, all hits marked and printed, a date range printed, and the backup at closing.
#include "../../platform/report/pdf_text.h"
#include "../print_by_date.h"
#include "../register_fixture.h"

#include "registers/incoming/frmcvden.h"
#include "registers/incoming/frmgridcvden.h"
#include "registers/incoming/frmtracuucvden.h"
#include "registers/letters/frmincv.h"

#include "app/gui/register_catalog.h"
#include "common/clock.h"

#include <QDir>
#include <QTemporaryDir>

namespace {

using namespace registers;
using registers_test::RegisterTest;

class WorkingDayTest : public RegisterTest
{
protected:
    // The main window's register button, as it runs it.
    // As the main window's button does (the list clears the year's print marks).
    void press(const char* name)
    {
        ASSERT_TRUE(app::runRegisterCommand(QString::fromLatin1(name), &mainWindow)) << name;
        mainWindow.hide();
    }
    // Double-clicks the row of grid whose first column reads text.
    static void doubleClickRow(ui::Grid* grid, const QString& text)
    {
        ASSERT_TRUE(grid->isVisible());
        for (int row = 0; row < grid->model()->rowCount(); ++row) {
            const QModelIndex index = grid->model()->index(row, 0);
            if (index.data().toString() == text) {
                const QPoint at = grid->visualRect(index).center();
                QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at);
                QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, at);
                QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, at);
                return;
            }
        }
        FAIL() << "no row " << text.toStdString();
    }
    QStringList backupRows() const
    {
        const app::Module1& m = app::module1();
        db::Database backup = db::Database::open(m.backupPath, app::kConnect);
        return test::tableRows(backup, m.incomingTable, QStringLiteral("stt, noigui, tt_ndung"), QStringLiteral("stt"));
    }

    QTemporaryDir pdfDir;
};

TEST_F(WorkingDayTest, AddCorrectSearchMarkPrintAndBackUp)
{
    app::Module1& m = app::module1();
    m.backupPath = QDir(home.home()).filePath(QStringLiteral("vemocv_backup.mdb"));
    qputenv("SELVARO_PRINT_TO", pdfDir.path().toUtf8());

    // Morning: the entry form; closing it once creates the backup file.
    press("cmdnapcvden");
    auto* entry = form<IncomingEntryForm>(QStringLiteral("frmcvden"));
    ASSERT_TRUE(entry->isVisible());
    EXPECT_FALSE(mainWindow.isVisible());
    entry->cmdclose_Click();
    EXPECT_TRUE(mainWindow.isVisible());
    ASSERT_TRUE(QFile::exists(m.backupPath));
    press("cmdnapcvden");
    activate(entry);

    // Letter 1: the channel by F5, the arrival date typed short.
    click(*entry, "cmdAdd");
    key(*entry, Qt::Key_F5); // in mcd_dang
    EXPECT_EQ(entry->box(QStringLiteral("mcd_dang"))->text(), QStringLiteral("Công đoàn"));
    entry->box(QStringLiteral("mng_den"))->setText(QString());
    type(entry->box(QStringLiteral("mng_den")), QStringLiteral("4/1/26"));
    type(entry->box(QStringLiteral("mnoigui")), QStringLiteral("Sở Nội vụ"));
    EXPECT_EQ(entry->box(QStringLiteral("mng_den"))->text(), QStringLiteral("04/01/2026"));
    type(entry->box(QStringLiteral("mso_cv")), QStringLiteral("15/SNV-TCCB"));
    type(entry->box(QStringLiteral("mdv_nhan")), QStringLiteral("Phòng Hành chính"));
    type(entry->box(QStringLiteral("mtt_ndung")), QStringLiteral("Tuyển dụng công chức"));
    click(*entry, "cmdUpdate");

    // Letter 2: saved without its summary, refused, completed.
    click(*entry, "cmdAdd");
    type(entry->box(QStringLiteral("mnoigui")), QStringLiteral("Sở Tài chính"));
    type(entry->box(QStringLiteral("mdv_nhan")), QStringLiteral("Phòng Hành chính"));
    home.responder.clear();
    click(*entry, "cmdUpdate");
    EXPECT_EQ(home.messages(), QStringList{QStringLiteral("Cần phải điền đủ nội dung các ô :\rtóm tắt nội dung")});
    type(entry->box(QStringLiteral("mtt_ndung")), QStringLiteral("Dự toán ngân sách"));
    click(*entry, "cmdUpdate");

    // Letter 3: sender and receiving units from the pick grids, type and summary by abbreviation.
    click(*entry, "cmdAdd");
    entry->box(QStringLiteral("mnoigui"))->setFocus();
    key(*entry, Qt::Key_F5);
    doubleClickRow(entry->pickGrids()->grid(QStringLiteral("DBGridnoigui")), QStringLiteral("Bộ Tư pháp"));
    EXPECT_EQ(entry->box(QStringLiteral("mnoigui"))->text(), QStringLiteral("Bộ Tư pháp"));
    EXPECT_EQ(entry->activeControlName(), QStringLiteral("mso_cv"));
    entry->box(QStringLiteral("mdv_nhan"))->setFocus();
    key(*entry, Qt::Key_F5);
    ui::Grid* units = entry->pickGrids()->grid(QStringLiteral("DBGriddv_nhan"));
    doubleClickRow(units, QStringLiteral("Phòng Hành chính"));
    doubleClickRow(units, QStringLiteral("Văn phòng Đảng uỷ"));
    key(*entry, Qt::Key_Escape); // closes the grid, back in the box
    EXPECT_EQ(entry->box(QStringLiteral("mdv_nhan"))->text(), QStringLiteral("Phòng Hành chính, Văn phòng Đảng uỷ"));
    type(entry->box(QStringLiteral("mloai")), QStringLiteral("cv "));
    type(entry->box(QStringLiteral("mtt_ndung")), QStringLiteral("Ý kiến của ubnd tỉnh"));
    EXPECT_EQ(entry->box(QStringLiteral("mloai"))->text(), QStringLiteral("Công văn "));
    EXPECT_EQ(entry->box(QStringLiteral("mtt_ndung"))->text(), QStringLiteral("Ý kiến của Uỷ ban nhân dân tỉnh"));
    click(*entry, "cmdUpdate");
    EXPECT_EQ(rows(QStringLiteral("stt, ng_den, ng_denchuan, noigui")),
              QStringList({QStringLiteral("1|04/01/2026|20260104|Sở Nội vụ"),
                           QStringLiteral("2|05/01/2026|20260105|Sở Tài chính"),
                           QStringLiteral("3|05/01/2026|20260105|Bộ Tư pháp")}));

    // Correct letter 2; start correcting letter 1 and cancel.
    key(*entry, Qt::Key_PageUp);
    EXPECT_EQ(entry->box(QStringLiteral("mrecnum"))->text(), QStringLiteral("2/3"));
    click(*entry, "cmdsua");
    entry->box(QStringLiteral("mtt_ndung"))->setText(QStringLiteral("Dự toán ngân sách năm 2026"));
    click(*entry, "cmdUpdate");
    key(*entry, Qt::Key_PageUp);
    click(*entry, "cmdsua");
    entry->box(QStringLiteral("mnoigui"))->setText(QStringLiteral("Nhầm"));
    click(*entry, "cmdsua"); // "Huỷ sửa"
    EXPECT_EQ(entry->box(QStringLiteral("mnoigui"))->text(), QStringLiteral("Sở Nội vụ"));
    key(*entry, Qt::Key_PageDown);
    EXPECT_EQ(entry->box(QStringLiteral("mrecnum"))->text(), QStringLiteral("2/3"));
    ui::TextBox* recnum = entry->box(QStringLiteral("mrecnum"));
    recnum->setFocus();
    recnum->setText(QStringLiteral("3"));
    key(*entry, Qt::Key_Return);
    EXPECT_EQ(entry->box(QStringLiteral("mnoigui"))->text(), QStringLiteral("Bộ Tư pháp"));

    // Search from the entry form by sender and arrival dates; closing the list returns here.
    click(*entry, "Cmdtracuu");
    auto* search = form<IncomingSearchForm>(QStringLiteral("frmtracuucvden"));
    ASSERT_TRUE(search->isVisible());
    search->box(QStringLiteral("mnoigui"))->setText(QStringLiteral("Sở"));
    search->box(QStringLiteral("mng_den1"))->setText(QStringLiteral("04/01/2026"));
    search->box(QStringLiteral("mng_den2"))->setText(QStringLiteral("05/01/2026"));
    click(*search, "cmdtracuu");
    auto* list = form<IncomingListForm>(QStringLiteral("frmgridcvden"));
    ASSERT_TRUE(list->isVisible());
    EXPECT_EQ(list->Data1->recordset().recordCount(), 2);
    click(*list, "cmdclose");
    ASSERT_TRUE(entry->isVisible());
    entry->cmdclose_Click();
    EXPECT_TRUE(mainWindow.isVisible());

    // The afternoon: the same search from the main window; all hits marked and printed.
    press("cmdtracuucvden");
    ASSERT_TRUE(search->isVisible());
    EXPECT_EQ(search->box(QStringLiteral("mnoigui"))->text(), QStringLiteral("Sở")); // the criteria stayed
    click(*search, "cmdtracuu");
    click(*list, "Cmdchontat");
    EXPECT_EQ(rows(QStringLiteral("stt, chonin")),
              QStringList({QStringLiteral("1|X"), QStringLiteral("2|X"), QStringLiteral("3|")}));
    home.responder.answer(QStringLiteral("no")); // straight to the printer
    click(*list, "Cmdin");
    const PdfText marked = PdfText::read(list->CrystalReport1.lastResult().outputFile);
    ASSERT_TRUE(marked.error.isEmpty()) << marked.error.toStdString() << home.messageText();
    EXPECT_TRUE(marked.all().contains(QStringLiteral("Tuyển dụng công chức")));
    EXPECT_TRUE(marked.all().contains(QStringLiteral("Dự toán ngân sách năm 2026")));
    EXPECT_FALSE(marked.all().contains(QStringLiteral("Bộ Tư pháp")));

    // A date range from the list.
    list->Data1->moveFirst();
    const QString rangeText = registers_test::printByDateFromList(home.responder, *list, QStringLiteral("04/01/2026"),
                                                                  QStringLiteral("05/01/2026"));
    EXPECT_TRUE(rangeText.contains(QStringLiteral("(Từ ngày 04/01/2026 đến 05/01/2026)"))) << rangeText.toStdString();
    EXPECT_TRUE(rangeText.contains(QStringLiteral("Ý kiến của Uỷ ban nhân dân tỉnh")));

    click(*list, "cmdclose");
    ASSERT_TRUE(search->isVisible());
    click(*search, "cmdclose");
    EXPECT_TRUE(mainWindow.isVisible());
    EXPECT_EQ(backupRows(), QStringList({QStringLiteral("1|Sở Nội vụ|Tuyển dụng công chức"),
                                         QStringLiteral("2|Sở Tài chính|Dự toán ngân sách năm 2026"),
                                         QStringLiteral("3|Bộ Tư pháp|Ý kiến của Uỷ ban nhân dân tỉnh")}));
    qunsetenv("SELVARO_PRINT_TO");
}

} // namespace
