// Handling incoming letters to a deadline: the deadline and handler boxes of the entry form, the
// question about a deadline before the arrival, the reply letter, the due list and the main
// window's counts, on the program the register tests start (today 5 January 2026, 09:00).
#include "../../platform/report/pdf_text.h"
#include "../register_fixture.h"

#include "accessibility_check.h"
#include "registers/incoming/frmcvdenhan.h"
#include "ui_frmcvdenhan.h"

#include "app/core/letters_schema.h"
#include "app/gui/frmmain.h"
#include "common/dates.h"
#include "datafiles/forms/file_dialog.h"
#include "files.h"

#include <QDir>

namespace {

using registers::DueLettersForm;
using registers::IncomingEntryForm;
using registers_test::RegisterTest;

class LetterHandlingTest : public RegisterTest
{
protected:
    // A letter straight into a year table.
    static void letter(const QString& table, int stt, const QString& deadline, int handled)
    {
        test::insertRow(app::module1().letters, table,
                        {{"stt", stt},
                         {"ng_den", "02/12/2025"},
                         {"noigui", u"Sở Tư pháp %1"_s.arg(stt)},
                         {"tt_ndung", u"Việc số %1"_s.arg(stt)},
                         {"hanxl", deadline},
                         {"hanxlchuan", common::normaliseDate(deadline)},
                         {"nguoixl", "Phòng Hành chính"},
                         {"da_xuli", handled}});
    }
};

// A deadline before the letter arrived is asked about once: "no" goes back to the deadline box in
// the same mode with everything typed; "yes" keeps it. A second letter's deadline, handler and
// handling time are saved and read back; an older file's table has no boxes for them.
TEST_F(LetterHandlingTest, DeadlineBeforeArrivalIsAskedThenDeadlineHandlerAndTimeAreSavedAndReadBack)
{
    IncomingEntryForm* f = openIncoming();
    click(*f, "cmdAdd");
    fillIncoming(f, u"Báo cáo tổng kết"_s);
    leave(f, u"mhanxl"_s, u"03/01/2026"_s, u"mnguoixl"_s);
    home.responder.clear();
    home.responder.answer(u"no"_s);
    click(*f, "cmdUpdate");
    EXPECT_EQ(home.messages(), QStringList{u"Hạn xử lý 03/01/2026 sớm hơn ngày đến cơ quan 05/01/2026 !"_s + QChar(13) +
                                           u"Vẫn giữ hạn xử lý này không ?"_s});
    EXPECT_EQ(f->mode(), registers::EntryMode::Adding);
    EXPECT_EQ(QApplication::focusWidget(), f->ui().mhanxl->editor());
    EXPECT_EQ(f->ui().mhanxl->text(), u"03/01/2026"_s);
    EXPECT_EQ(f->ui().mtt_ndung->text(), u"Báo cáo tổng kết"_s);
    EXPECT_TRUE(rows(u"id"_s).isEmpty());

    home.responder.clear();
    home.responder.answer(u"yes"_s);
    click(*f, "cmdUpdate");
    EXPECT_EQ(home.messages().size(), 1);
    EXPECT_EQ(rows(u"hanxl, time_xl"_s), QStringList{"03/01/2026|"});

    click(*f, "cmdAdd");
    fillIncoming(f, u"Báo cáo quý"_s);
    EXPECT_TRUE(f->ui().mhanxl->isVisible());
    leave(f, u"mhanxl"_s, u"12/01/2026"_s, u"mnguoixl"_s);
    f->ui().mnguoixl->setText(u"Văn phòng Đảng uỷ"_s);
    f->ui().Checkdaxuly->setChecked(true);
    f->ui().mcv_traloi->setText(u"7/UBND"_s);
    click(*f, "cmdUpdate");
    EXPECT_EQ(f->mode(), registers::EntryMode::Viewing);
    // Marked handled without a time: the save stamped the time of the save.
    EXPECT_EQ(rows(u"hanxl, hanxlchuan, nguoixl, da_xuli, time_xl, cv_traloi"_s).value(1),
              u"12/01/2026|20260112|Văn phòng Đảng uỷ|true|05/01/2026 09:00|7/UBND"_s);
    f->hide();

    // Read back through the cursor when the form opens again (on the last letter).
    f = openIncoming();
    EXPECT_EQ(f->ui().mhanxl->text(), u"12/01/2026"_s);
    EXPECT_EQ(f->ui().mnguoixl->text(), u"Văn phòng Đảng uỷ"_s);
    EXPECT_EQ(f->ui().mtime_xl->text(), u"05/01/2026 09:00"_s);
    EXPECT_TRUE(f->ui().Checkdaxuly->isChecked());

    // The reply number shows the outgoing letter of that number.
    test::insertRow(app::module1().letters, app::module1().outgoingTable,
                    {{"stt", 7}, {"so_cv", "7/UBND"}, {"ng_cv", "06/01/2026"}, {"tt_ndung", "Trả lời Sở Nội vụ"}});
    home.responder.clear();
    click(*f, "cmdcvtraloi");
    ASSERT_EQ(home.messages().size(), 1);
    EXPECT_TRUE(home.messages().first().startsWith(u"Công văn đi số 7/UBND ngày 06/01/2026"_s));
    EXPECT_TRUE(home.messages().first().endsWith(u"Trích yếu: Trả lời Sở Nội vụ"_s));

    // A year table of an older file (no handling columns) shows no deadline or handler boxes.
    f->hide();
    app::Module1& m = app::module1();
    db::TableDef old = m.letters.tableDef(u"cvdenmau"_s);
    old.name = u"cvden2024"_s;
    for (const db::FieldDef& c : app::handlingColumns())
        old.fields.removeIf([&c](const db::FieldDef& g) { return g.name == c.name; });
    old.indexes.removeIf([](const db::IndexDef& i) { return i.name == app::deadlineIndex().name; });
    m.letters.appendTableDef(old);
    f->open(u"cvden2024"_s);
    EXPECT_FALSE(f->ui().mhanxl->isVisible());
    EXPECT_FALSE(f->ui().lblnguoixl->isVisible());
    EXPECT_TRUE(f->ui().mtime_xl->isVisible());
    home.responder.clear();
    click(*f, "cmdAdd");
    fillIncoming(f, u"Thư mời"_s);
    click(*f, "cmdUpdate");
    EXPECT_TRUE(home.messages().isEmpty()) << home.messageText();
    EXPECT_EQ(test::tableRows(m.letters, u"cvden2024"_s, u"tt_ndung"_s), QStringList{"Thư mời"});
    f->hide();
}

// The main window counts the letters due under "Công văn đến"; its button opens the list by
// deadline, overdue letters marked in words and colour, printed and exported.
TEST_F(LetterHandlingTest, MainWindowCountsAndTheDueListPrintsAndExports)
{
    app::Module1& m = app::module1();
    letter(m.incomingTable, 1, "06/01/2026", 0); // due tomorrow
    letter(m.incomingTable, 2, "31/12/2025", 0); // overdue since last year
    letter(m.incomingTable, 3, "02/01/2026", 1); // handled: never due
    letter(m.incomingTable, 4, "20/01/2026", 0); // not yet

    app::MainWindow window(m);
    window.showDataLabels();
    window.show();
    auto* counts = window.findChild<QLabel*>(u"lblcvdenhan"_s);
    ASSERT_NE(counts, nullptr);
    EXPECT_TRUE(counts->isVisible());
    EXPECT_EQ(counts->text(), u"Quá hạn xử lý: 1 công văn; sắp đến hạn (3 ngày): 1 công văn"_s);
    EXPECT_TRUE(test::accessibleNames(&window).contains(counts->text()));
    EXPECT_TRUE(test::isAccessible(&window));
    shoot(&window, u"frmMain_due.png"_s);

    auto* button = window.findChild<QPushButton*>(u"cmdcvdenhan"_s);
    ASSERT_NE(button, nullptr);
    registers::setMainWindow(&window);
    button->click();
    auto* list = registers::form<DueLettersForm>(u"frmcvdenhan"_s);
    ASSERT_TRUE(list->isVisible());
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(test::isAccessible(list));
    ui::Grid* grid = list->ui().DBGrid1;
    ASSERT_EQ(grid->model()->rowCount(), 2);
    EXPECT_EQ(grid->model()->index(0, 0).data().toString(), u"Quá hạn"_s);
    EXPECT_EQ(grid->model()->index(0, 1).data().toString(), u"31/12/2025"_s);
    EXPECT_EQ(grid->model()->index(1, 0).data().toString(), u"Sắp đến hạn"_s);
    list->Data1->moveLast(); // the overdue row unselected shows its colour
    shoot(list, u"frmcvdenhan.png"_s);

    printToPdf();
    copyData("brcvdenhan.rpt");
    home.responder.clear();
    list->cmdin_Click();
    const QStringList pdfs = QDir(pdfDir.path()).entryList({u"*.pdf"_s});
    ASSERT_EQ(pdfs.size(), 1) << home.messageText();
    const QString printed = PdfText::read(QDir(pdfDir.path()).filePath(pdfs.first())).all();
    EXPECT_TRUE(printed.contains(u"CÔNG VĂN ĐẾN HẠN, QUÁ HẠN XỬ LÝ"_s)) << printed.toStdString();
    EXPECT_LT(printed.indexOf(u"Sở Tư pháp 2"_s), printed.indexOf(u"Sở Tư pháp 1"_s));
    EXPECT_TRUE(printed.contains(u"Tổng số: 2 công văn"_s));

    QTemporaryDir exportDir;
    const QString csv = exportDir.filePath(u"hạn.csv"_s);
    const datafiles::FileChooser previous =
        datafiles::setSaveFileChooser([&](const datafiles::OpenFileRequest&) { return csv; });
    list->ui().cmdxuatexcel->click();
    datafiles::setSaveFileChooser(previous);
    const QStringList lines = QString::fromUtf8(test::readFile(csv)).split(u"\r\n"_s, Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines.at(0).contains(u"Tình trạng,Hạn xử lý"_s));
    EXPECT_TRUE(lines.at(1).contains(u"Quá hạn,31/12/2025"_s));

    list->ui().cmdclose->click();
    EXPECT_FALSE(list->isVisible());
    EXPECT_TRUE(window.isVisible());
}

} // namespace
