// The incoming list and search forms: marks, mark all after a search, printing the marked
// letters, the criteria, the year list, the pick lists, the sheet export, where closing returns to,
// and the entry form, list and search on a read-only file.
#include "../../platform/export/sheet_xml.h"
#include "../../platform/report/pdf_text.h"
#include "../register_fixture.h"

#include "accessibility_check.h"
#include "registers/incoming/frmgridcvden.h"
#include "registers/incoming/frmtracuucvden.h"
#include "registers/register_data.h"
#include "registers/register_print.h"
#include "ui_frmgridcvden.h"
#include "ui_frmtracuucvden.h"

#include "app/core/table_copy.h"
#include "common/criteria.h"
#include "datafiles/forms/file_dialog.h"

namespace {

using namespace registers;
using registers_test::addLetters;
using registers_test::RegisterTest;

class ListSearchTest : public RegisterTest
{
protected:
    void SetUp() override
    {
        RegisterTest::SetUp();
        printToPdf();
        addLetters(app::module1().incomingTable, {{1, "02/01/2026", "Sở Nội vụ", "Tuyển dụng"},
                                                  {2, "03/01/2026", "Bộ Tư pháp", "Phổ biến luật", "X"},
                                                  {3, "03/01/2026", "Sở Nội vụ", "Thi đua"},
                                                  {4, "08/01/2026", "Sở Nội vụ", "Khen thưởng"}});
    }
    IncomingListForm* list() { return form<IncomingListForm>(u"frmgridcvden"_s); }
    IncomingSearchForm* search() { return form<IncomingSearchForm>(u"frmtracuucvden"_s); }
    QStringList marked() const { return rows(u"stt, chonin"_s).filter(u"|X"_s); }
    // Runs a search with the boxes given (box name -> text) from the main window's button.
    void runSearch(const QList<QPair<QString, QString>>& boxes)
    {
        search()->setSession(programSession(Register::Incoming, Start::Search));
        search()->openWithValueLists({});
        search()->cmdxoa_Click();
        for (const auto& [name, text] : boxes)
            search()->control<ui::TextBox>(name)->setText(text);
        search()->Cmdtracuu_Click();
    }
    PdfText printed()
    {
        const QString file = list()->CrystalReport1.lastResult().outputFile;
        return file.isEmpty() ? PdfText{} : PdfText::read(file);
    }
};

TEST_F(ListSearchTest, SearchMarksOnlyItsHitsAndPrintsThemInIdOrder)
{
    runSearch({{u"mnoigui"_s, u"nội vụ"_s}, {u"mng_den1"_s, u"03/01/2026"_s}, {u"mng_den2"_s, u"08/01/2026"_s}});
    const app::Module1& m = app::module1();
    EXPECT_EQ(list()->session().lastSearch().where, u"[ng_denchuan] between '20260103' and '20260108' and "
                                                    "(([noigui] Like '*nội vụ*'))"_s);
    EXPECT_TRUE(marked().isEmpty()) << "a search clears the marks left from before";
    ASSERT_TRUE(list()->isVisible());
    EXPECT_FALSE(search()->isVisible());
    EXPECT_EQ(list()->Data1->recordset().recordCount(), 2);

    home.responder.clear();
    list()->Cmdin_Click(); // nothing marked yet
    EXPECT_EQ(home.messages(), QStringList{"Chưa có công văn nào được chọn để in!"});

    // A mark outside the hits is not printed; mark all marks exactly the hits.
    addLetters(m.incomingTable, {{5, "09/01/2026", "Sở Nội vụ", "Ngoài", "X"}});
    list()->Cmdchontat_Click();
    EXPECT_EQ(marked(), QStringList({"3|X", "4|X"}));
    const QAbstractItemModel* shown = list()->DBGrid1->model();
    for (int row = 0; row < shown->rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < shown->columnCount(); ++column)
            cells << shown->index(row, column).data().toString();
        EXPECT_TRUE(cells.contains(u"X"_s)) << "the list shows the mark: " << cells.join(u'|').toStdString();
    }
    list()->Data1->moveFirst();
    list()->DBGrid1_DblClick(); // unmark the first hit, then mark it again
    EXPECT_EQ(marked(), QStringList{"4|X"});
    list()->DBGrid1_DblClick();
    EXPECT_EQ(marked(), QStringList({"3|X", "4|X"}));
    addLetters(m.incomingTable, {{6, "10/01/2026", "Bộ", "Không trong danh sách", "X"}});

    home.responder.answer(u"no"_s); // not the preview: the printer (a PDF here)
    list()->Cmdin_Click();
    ASSERT_TRUE(list()->CrystalReport1.lastResult().ok()) << home.messageText();
    const PdfText pdf = printed();
    ASSERT_TRUE(pdf.error.isEmpty()) << pdf.error.toStdString();
    const QString text = pdf.all();
    EXPECT_TRUE(text.contains(u"(Những công văn được chọn)"_s));
    EXPECT_LT(text.indexOf(u"Thi đua"_s), text.indexOf(u"Khen thưởng"_s));
    EXPECT_FALSE(text.contains(u"Không trong danh sách"_s));
    EXPECT_FALSE(text.contains(u"Tuyển dụng"_s));
    EXPECT_EQ(m.letters.querySql(u"qrdata1"_s),
              u"SELECT * FROM "_s + m.incomingTable + u" WHERE "_s + list()->session().lastSearch().where);

    // Closing the list returns to the search form; clearing the marks clears them all.
    list()->Cmdhuychon_Click();
    EXPECT_TRUE(marked().isEmpty());
    list()->cmdclose_Click();
    EXPECT_TRUE(search()->isVisible());
    EXPECT_FALSE(list()->isVisible());
}

TEST_F(ListSearchTest, CriteriaRefusedBeforeAnythingChangesOddTextsFoundAsTypedAndABlankSearchListsTheYear)
{
    struct Case
    {
        QString box, text, box2, text2;
        QString message;
    };
    // clang-format off
    const QList<Case> cases = {
        {"mstt", "=5", {}, {}, common::invalidCriterionMessage(u"=5"_s)},
        {"mnoigui", "Sở+", {}, {}, common::invalidCriterionMessage(u"Sở+"_s)},
        {"mng_den1", "08/01/2026", "mng_den2", "02/01/2026",
         "Không đặt thời điểm cuối trước thời điểm đầu!\r\nCần nạp lại 2 mút thời gian ngày đến của công văn!"},
        {"mng_cv1", "08/01/2026", "mng_cv2", "02/01/2026",
         "Không đặt thời điểm cuối trước thời điểm đầu!\r\nCần nạp lại 2 mút thời gian ngày công văn!"},
    };
    // clang-format on
    for (const Case& c : cases) {
        home.responder.clear();
        QList<QPair<QString, QString>> boxes = {{c.box, c.text}};
        if (!c.box2.isEmpty())
            boxes.append({c.box2, c.text2});
        runSearch(boxes);
        EXPECT_EQ(home.messages(), QStringList{c.message}) << c.text.toStdString();
        EXPECT_EQ(marked(), QStringList{"2|X"}) << "marks stay";
        EXPECT_FALSE(list()->isVisible());
    }
    // Quotes, percent and brackets are taken as typed, not refused.
    const QString odd = u"Sở 'Nội' vụ 50% [a]* (b)"_s;
    addLetters(app::module1().incomingTable, {{9, "04/01/2026", odd, "Lạ"}});
    runSearch({{u"mnoigui"_s, u"'Nội' vụ 50% [[]a]+(b)"_s}});
    ASSERT_TRUE(list()->isVisible()) << home.messageText();
    EXPECT_EQ(list()->Data1->recordset().recordCount(), 1);
    EXPECT_EQ(list()->ui().mnoigui->text(), odd);
    // No year chosen is refused too.
    search()->yearList()->setCurrentIndex(-1);
    home.responder.clear();
    search()->Cmdtracuu_Click();
    EXPECT_EQ(home.messages(), QStringList{"Cần chọn năm để tra cứu trước !"});

    // A blank search lists the chosen year, and mark all marks it whole.
    app::Module1& m = app::module1();
    ASSERT_TRUE(app::copyTableStructure(m.letters, m.letters, u"cvdenmau"_s, u"cvden2025"_s, false));
    addLetters("cvden2025", {{7, "30/12/2025", "Sở cũ", "Năm trước"}, {8, "31/12/2025", "Sở cũ", "Không có dấu"}});
    // A row whose mark is NULL (written by an older program) is marked too.
    m.letters.execute(u"UPDATE cvden2025 SET chonin = NULL WHERE stt = 8"_s);
    runSearch({});
    search()->show();
    EXPECT_EQ(search()->yearList()->currentText(), u"2026"_s);
    ASSERT_GE(search()->yearList()->findText(u"2025"_s), 0);
    search()->yearList()->setCurrentText(u"2025"_s);
    search()->Cmdtracuu_Click();
    EXPECT_TRUE(list()->session().lastSearch().where.isEmpty());
    EXPECT_EQ(list()->table(), u"cvden2025"_s);
    EXPECT_EQ(list()->ui().mnoigui->text(), u"Sở cũ"_s);
    list()->Cmdchontat_Click();
    EXPECT_EQ(test::scalar(m.letters, u"select count(*) from cvden2025 where chonin = 'X'"_s), 2);
}

TEST_F(ListSearchTest, ListBoxesAreReadOnlyExportAsASheetAndClosingReturnsWhereTheListWasOpened)
{
    app::Module1& m = app::module1();
    // From the main window.
    list()->setSession(programSession(Register::Incoming, Start::List));
    mainWindow.hide();
    list()->open(m.incomingTable, m.incomingTable, false);
    ui::TextBox* sender = list()->ui().mnoigui;
    EXPECT_TRUE(sender->isLocked());
    EXPECT_EQ(list()->ui().mrecnum->text(), u"4/4"_s);

    // "Xuất ra Excel" writes the rows the list shows under its heads (not the marks column), the
    // arrival dates as date cells, through the save dialog the program asks file names with.
    EXPECT_TRUE(test::isAccessible(list()));
    shoot(list(), u"frmgridcvden_export.png"_s);
    QTemporaryDir dir;
    const QString file = dir.filePath(u"Công văn đến.xlsx"_s);
    datafiles::OpenFileRequest asked;
    const datafiles::FileChooser previous = datafiles::setSaveFileChooser([&](const datafiles::OpenFileRequest& r) {
        asked = r;
        return file;
    });
    home.responder.clear();
    list()->ui().cmdxuatexcel->click();
    datafiles::setSaveFileChooser(previous);

    EXPECT_EQ(list()->ui().cmdxuatexcel->accessibleName(), u"Xuất ra Excel"_s);
    EXPECT_EQ(asked.filters, QStringList({"Excel (*.xlsx)", "CSV (*.csv)"}));
    EXPECT_EQ(home.messages(), QStringList{u"Đã xuất danh sách ra file "_s + file + u" !"_s});
    EXPECT_EQ(list()->ui().mrecnum->text(), u"4/4"_s) << "the current letter stays";
    const QString sheet = test::zipMember(file, u"xl/worksheets/sheet1.xml"_s);
    const QString styles = test::zipMember(file, u"xl/styles.xml"_s);
    const QStringList strings = test::sharedStrings(test::zipMember(file, u"xl/sharedStrings.xml"_s));
    // The grid's columns, then the letter's boxes not in the grid under their labels' captions.
    QStringList heads;
    for (char column = 'A'; column <= 'J'; ++column)
        heads << test::stringCell(sheet, strings, QChar::fromLatin1(column) + u"1"_s);
    EXPECT_EQ(heads, (QStringList{u"Ngày đến"_s, u"Nơi gửi"_s, u"Đánh số CV đến"_s, u"Số công văn"_s,
                                  u"Ngày công văn"_s, u"Loại công văn"_s, u"Nơi nhận công văn"_s,
                                  u"Đảng,NN / Công đoàn"_s, u"Độ mật"_s, u"Tóm tắt nội dung công văn"_s}));
    EXPECT_TRUE(test::cellXml(sheet, u"K1"_s).isEmpty()) << "nothing after the summary";
    const QString stt = test::cellXml(sheet, u"C3"_s);
    EXPECT_TRUE(stt.contains(u"<v>2</v>"_s) && !stt.contains(u"t=\"s\""_s)) << qPrintable(stt);
    EXPECT_EQ(test::stringCell(sheet, strings, u"J3"_s), u"Phổ biến luật"_s);
    EXPECT_EQ(test::numberFormatOf(test::cellXml(sheet, u"A5"_s), styles), u"dd/mm/yyyy"_s);
    const QString date = test::cellXml(sheet, u"A2"_s);
    EXPECT_TRUE(date.contains(u"<v>46024</v>"_s)) << qPrintable(date); // 2 Jan 2026
    EXPECT_EQ(test::stringCell(sheet, strings, u"B3"_s), u"Bộ Tư pháp"_s);
    EXPECT_FALSE(sheet.contains(u"<row r=\"6\""_s));
    list()->cmdclose_Click();
    EXPECT_TRUE(mainWindow.isVisible());

    // From a search started in the entry form: back to the entry form on the letter current in the list.
    auto* entry = form<IncomingEntryForm>(u"frmcvden"_s);
    entry->open(m.incomingTable);
    entry->Cmdtracuu_Click();
    EXPECT_FALSE(entry->isVisible());
    ASSERT_TRUE(search()->isVisible());
    // Reached from the entry form first, the pick lists show the reference lists.
    EXPECT_EQ(search()->pickGrids()->dataControl(u"DBGridnoigui"_s)->recordset().recordCount(), 3);
    search()->ui().mnoigui->setText(u"Bộ"_s);
    search()->Cmdtracuu_Click();
    ASSERT_EQ(list()->Data1->recordset().recordCount(), 1);
    list()->cmdclose_Click();
    EXPECT_TRUE(entry->isVisible());
    EXPECT_EQ(entry->ui().mnoigui->text(), u"Bộ Tư pháp"_s);
    EXPECT_EQ(entry->ui().mrecnum->text(), u"2/4"_s);
}

// A letters file opened for reading only, or without write permission (another drive, a shared
// folder): the entry form shows the letters but refuses adding and correcting; the list and the
// search work but marks are refused.
TEST_F(ListSearchTest, ReadOnlyFileIsViewedListedAndSearchedButNotChanged)
{
    app::Module1& m = app::module1();
    const QFile::Permissions writable = QFile::permissions(m.lettersPath);
    for (bool permissionOnly : {false, true}) {
        SCOPED_TRACE(permissionOnly ? "no write permission" : "opened read-only");
        if (permissionOnly)
            QFile::setPermissions(m.lettersPath, writable & ~(QFile::WriteOwner | QFile::WriteUser | QFile::WriteGroup |
                                                              QFile::WriteOther));
        m.letters = db::Database::open(m.lettersPath, app::kConnect,
                                       permissionOnly ? db::OpenMode::SharedWrite : db::OpenMode::ReadOnly);
        IncomingEntryForm* f = openIncoming();
        EXPECT_EQ(f->ui().mnoigui->text(), u"Sở Nội vụ"_s);
        home.responder.clear();
        click(*f, "cmdAdd");
        click(*f, "cmdsua");
        EXPECT_EQ(home.messages(), QStringList(2, kReadOnlyMessage));
        EXPECT_EQ(f->mode(), EntryMode::Viewing);
        f->hide();

        runSearch({{u"mnoigui"_s, u"Sở"_s}});
        ASSERT_TRUE(list()->isVisible());
        EXPECT_EQ(list()->Data1->recordset().recordCount(), 3);
        home.responder.clear();
        list()->Cmdchontat_Click();
        list()->DBGrid1_DblClick();
        EXPECT_EQ(home.messages(), QStringList(2, kReadOnlyMessage));
        EXPECT_EQ(marked(), QStringList{"2|X"});
        list()->hide();
    }
    QFile::setPermissions(m.lettersPath, writable);
}

// The margin box and the date range's title are checked through the printing forms (the schedule
// list's margin box, the print-by-date dialog).
TEST(RegisterPrint, ListStatementKeepsAStatementAndOrdersATable)
{
    EXPECT_EQ(listStatement(u"cvden2026"_s), u"select * from cvden2026 order by id"_s);
    EXPECT_EQ(listStatement(u"SELECT * FROM cvden2026 WHERE x"_s), u"SELECT * FROM cvden2026 WHERE x"_s);
}

} // namespace
