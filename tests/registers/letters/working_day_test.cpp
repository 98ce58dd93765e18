// A secretary's day on each letter register, through the forms: the register's own morning (letters
// added, numbered and corrected), then alike on both the backup made at closing, a search from the
// main window, all hits marked and printed, and a date range printed from the list.
#include "../../platform/report/pdf_text.h"
#include "../../support/accessibility_check.h"
#include "../register_fixture.h"

#include "../server_run.h"
#include "platform/db/pg/server_engine.h"
#include "registers/letters/frmincv.h"
#include "registers/letters_list_form.h"
#include "registers/outgoing/frmcvdi.h"
#include "registers/outgoing/outgoing_forms.h"
#include "registers/search_form.h"
#include "ui_frmcvdi.h"
#include "ui_frmincv.h"

#include <QDir>
#include <ostream>

namespace {

using namespace registers;

const QString A = u"Công văn"_s;
const QString B = u"Quyết định"_s;

class LetterDayTest;

struct Day
{
    const char* name;
    const char* entryButton;
    const char* searchButton;
    void (LetterDayTest::*morning)();
    QString app::Module1::*table;
    QList<QPair<QString, QString>> criteria; // the afternoon's search
    bool criteriaStay;                       // typed in the morning already: the search form keeps them
    QStringList printed, notPrinted;         // of the marked hits
    QString firstDay, lastDay, rangeTitle, inRange;
    QString backupColumns;
    QStringList backedUp; // among the backup's rows, which are as many as the register's
};

// Names the register in test listings.
void PrintTo(const Day& d, std::ostream* os)
{
    *os << d.name;
}

class LetterDayTest : public registers_test::RegisterTest, public ::testing::WithParamInterface<Day>
{
public:
    void incomingMorning();
    void outgoingMorning();
    void day();

protected:
    void SetUp() override
    {
        RegisterTest::SetUp();
        registerOutgoingForms();
        app::module1().backupPath = QDir(home.home()).filePath(u"vemocv_backup.mdb"_s);
        printToPdf();
    }
    // The main window's register button, as it runs it.
    void press(const char* button)
    {
        ASSERT_TRUE(app::openForm(request(QString::fromLatin1(button), app::DataFile::Letters), &mainWindow));
        mainWindow.hide();
    }
    QStringList letters(const QString& columns, db::Database& db) const
    {
        return test::tableRows(db, app::module1().*GetParam().table, columns);
    }
    QStringList letters(const QString& columns) const { return letters(columns, app::module1().letters); }

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
    template <typename Form> static void goTo(Form* entry, const char* position)
    {
        ui::TextBox* recnum = entry->ui().mrecnum;
        recnum->setFocus();
        recnum->setText(QString::fromLatin1(position));
        key(*entry, Qt::Key_Return);
    }

    // Sets the outgoing letter's type as typed: the box is left, which numbers the letter.
    static void setType(OutgoingEntryForm* entry, const QString& type)
    {
        ui::TextBox* loai = entry->ui().mloai;
        loai->setFocus();
        loai->setText(type);
        entry->ui().mso_cv->setFocus();
    }
    static void fill(EntryForm* entry, const QStringList& boxes, const QStringList& texts)
    {
        for (int i = 0; i < boxes.size(); ++i)
            entry->control<ui::TextBox>(boxes.at(i))->setText(texts.value(i));
    }
    // Clicks "In công văn theo &Ngày" on list; checks that the dialog proposes firstDate, prints up
    // to lastDate and returns the text of the printed register.
    QString printByDate(LettersListForm& list, const QString& firstDate, const QString& lastDate)
    {
        QString text;
        home.responder.onModal(u"frmincv"_s, [&](ui::FormBase& form) {
            auto& dialog = dynamic_cast<DatePrintDialog&>(form);
            EXPECT_TRUE(test::isAccessible(&dialog));
            EXPECT_EQ(dialog.ui().mngay1->text(), firstDate);
            dialog.ui().mngay2->setText(lastDate);
            dialog.ui().cmdOK->click();
            text = PdfText::read(dialog.CrystalReport1.lastResult().outputFile).all();
        });
        EXPECT_TRUE(list.controls().printByDate->isEnabled());
        list.controls().printByDate->click();
        return text;
    }
    void addOutgoing(OutgoingEntryForm* entry, const QString& type, const QString& signer, const QString& summary)
    {
        click(*entry, "cmdAdd");
        setType(entry, type);
        fill(entry, kOutgoingBoxes, {u"Sở Nội vụ"_s, u"Phòng Hành chính"_s, signer, summary});
        click(*entry, "cmdUpdate");
    }

    // The letters as another machine of the office opens them.
    static db::Database otherClient()
    {
        const app::Module1& m = app::module1();
        return m.serverConnection.isEmpty() ? db::Database::open(m.lettersPath, app::kConnect)
                                            : db::pg::openDataSet(m.serverConnection, u"vemocv"_s);
    }

    const QStringList kOutgoingBoxes = {u"mdv_nhan"_s, u"mnoiluu"_s, u"mnguoiky"_s, u"mtt_ndung"_s};
};

// Three letters added (one first refused for a missing box, one from the pick grids with an
// abbreviation), one corrected, one correction cancelled, paging and a jump by position, a search
// from the entry form by sender and arrival dates.
void LetterDayTest::incomingMorning()
{
    // The entry form; closing it once creates the backup file.
    press("cmdnapcvden");
    auto* entry = form<IncomingEntryForm>(u"frmcvden"_s);
    ASSERT_TRUE(entry->isVisible());
    entry->cmdclose_Click();
    EXPECT_TRUE(mainWindow.isVisible());
    ASSERT_TRUE(QFile::exists(app::module1().backupPath));
    press("cmdnapcvden");
    activate(entry);

    // Letter 1: the channel by F5, the arrival date typed short.
    click(*entry, "cmdAdd");
    key(*entry, Qt::Key_F5); // in mcd_dang
    EXPECT_EQ(entry->ui().mcd_dang->text(), u"Công đoàn"_s);
    entry->ui().mng_den->setText(QString());
    type(entry->ui().mng_den, u"4/1/26"_s);
    type(entry->ui().mnoigui, u"Sở Nội vụ"_s);
    EXPECT_EQ(entry->ui().mng_den->text(), u"04/01/2026"_s);
    type(entry->ui().mso_cv, u"15/SNV-TCCB"_s);
    type(entry->ui().mdv_nhan, u"Phòng Hành chính"_s);
    type(entry->ui().mtt_ndung, u"Tuyển dụng công chức"_s);
    click(*entry, "cmdUpdate");

    // Letter 2: saved without its summary, refused, completed.
    click(*entry, "cmdAdd");
    type(entry->ui().mnoigui, u"Sở Tài chính"_s);
    type(entry->ui().mdv_nhan, u"Phòng Hành chính"_s);
    home.responder.clear();
    click(*entry, "cmdUpdate");
    EXPECT_EQ(home.messages(), QStringList{"Cần phải điền đủ nội dung các ô :\rtóm tắt nội dung"});
    type(entry->ui().mtt_ndung, u"Dự toán ngân sách"_s);
    click(*entry, "cmdUpdate");

    // Letter 3: sender and receiving units from the pick grids, type and summary by abbreviation.
    click(*entry, "cmdAdd");
    entry->ui().mnoigui->setFocus();
    key(*entry, Qt::Key_F5);
    doubleClickRow(entry->pickGrids()->grid(u"DBGridnoigui"_s), u"Bộ Tư pháp"_s);
    EXPECT_EQ(entry->ui().mnoigui->text(), u"Bộ Tư pháp"_s);
    EXPECT_EQ(entry->activeControlName(), u"mso_cv"_s);
    entry->ui().mdv_nhan->setFocus();
    key(*entry, Qt::Key_F5);
    ui::Grid* units = entry->pickGrids()->grid(u"DBGriddv_nhan"_s);
    doubleClickRow(units, u"Phòng Hành chính"_s);
    doubleClickRow(units, u"Văn phòng Đảng uỷ"_s);
    key(*entry, Qt::Key_Escape); // closes the grid, back in the box
    EXPECT_EQ(entry->ui().mdv_nhan->text(), u"Phòng Hành chính, Văn phòng Đảng uỷ"_s);
    type(entry->ui().mloai, u"cv "_s);
    type(entry->ui().mtt_ndung, u"Ý kiến của ubnd tỉnh"_s);
    EXPECT_EQ(entry->ui().mloai->text(), u"Công văn "_s);
    EXPECT_EQ(entry->ui().mtt_ndung->text(), u"Ý kiến của Uỷ ban nhân dân tỉnh"_s);
    click(*entry, "cmdUpdate");
    EXPECT_EQ(letters(u"stt, ng_den, ng_denchuan, noigui"_s),
              QStringList({"1|04/01/2026|20260104|Sở Nội vụ", "2|05/01/2026|20260105|Sở Tài chính",
                           "3|05/01/2026|20260105|Bộ Tư pháp"}));

    // Correct letter 2 while another client corrects its summary: told what the other wrote, the
    // typed summary stays and is written when saved again. Then start correcting letter 1 and cancel.
    key(*entry, Qt::Key_PageUp);
    EXPECT_EQ(entry->ui().mrecnum->text(), u"2/3"_s);
    click(*entry, "cmdsua");
    entry->ui().mtt_ndung->setText(u"Dự toán ngân sách năm 2026"_s);
    otherClient().execute(u"UPDATE "_s + app::module1().incomingTable +
                          u" SET tt_ndung = 'Dự toán (máy khác)' WHERE stt = 2"_s);
    home.responder.clear();
    click(*entry, "cmdUpdate");
    EXPECT_TRUE(home.responder.messageBoxes().join(u'\n').contains(u"tt_ndung = «Dự toán (máy khác)»"_s))
        << home.responder.messageBoxes().join(u'\n').toStdString();
    EXPECT_EQ(entry->ui().mtt_ndung->text(), u"Dự toán ngân sách năm 2026"_s);
    EXPECT_EQ(letters(u"tt_ndung"_s).value(1), u"Dự toán (máy khác)"_s);
    click(*entry, "cmdUpdate");
    key(*entry, Qt::Key_PageUp);
    click(*entry, "cmdsua");
    entry->ui().mnoigui->setText(u"Nhầm"_s);
    click(*entry, "cmdsua"); // "Huỷ sửa"
    EXPECT_EQ(entry->ui().mnoigui->text(), u"Sở Nội vụ"_s);
    key(*entry, Qt::Key_PageDown);
    EXPECT_EQ(entry->ui().mrecnum->text(), u"2/3"_s);
    goTo(entry, "3");
    EXPECT_EQ(entry->ui().mnoigui->text(), u"Bộ Tư pháp"_s);

    // Search from the entry form by sender and arrival dates; closing the list returns here.
    click(*entry, "Cmdtracuu");
    auto* search = form<SearchForm>(u"frmtracuucvden"_s);
    ASSERT_TRUE(search->isVisible());
    for (const auto& [box, text] : GetParam().criteria)
        search->control<ui::TextBox>(box)->setText(text);
    click(*search, "cmdtracuu");
    auto* list = form<LettersListForm>(u"frmgridcvden"_s);
    ASSERT_TRUE(list->isVisible());
    EXPECT_EQ(list->Data1->recordset().recordCount(), 2);
    click(*list, "cmdclose");
    ASSERT_TRUE(entry->isVisible());
    entry->cmdclose_Click();
}

// Letters of two types numbered each in its own run, a type change while editing refused and
// restored, the letter number by F5, a number taken meanwhile by another program.
void LetterDayTest::outgoingMorning()
{
    app::Module1& m = app::module1();
    addReference(m.lettersReference, u"loaicv"_s, u"loai"_s, A, u"cv"_s);
    addReference(m.lettersReference, u"loaicv"_s, u"loai"_s, B, u"qd"_s);
    app::openReferenceRecordsets(app::module1());
    press("cmdnapcvdi");
    auto* entry = form<OutgoingEntryForm>(u"frmcvdi"_s);
    ASSERT_TRUE(entry->isVisible());
    activate(entry);

    // The first letter of the year: type "Công văn" proposed, number 1, today's letter date.
    click(*entry, "cmdAdd");
    EXPECT_EQ(entry->ui().mloai->text(), A);
    EXPECT_EQ(entry->ui().mstt->text(), u"1"_s);
    EXPECT_EQ(entry->ui().mng_cv->text(), u"05/01/2026"_s);
    click(*entry, "cmdUpdate"); // nothing filled in
    EXPECT_EQ(home.messages().value(0),
              u"Cần phải điền đủ nội dung các ô :\rnơi nhận, nơi lưu, người ký, tóm tắt nội dung"_s);
    home.responder.answer(u"no"_s);
    entry->Data1_Validate(ui::DataAction::None, true); // drop it
    for (const QString& type : {A, A, B, A, B, A, A})
        addOutgoing(entry, type, u"Nguyễn Văn An"_s, u"Báo cáo "_s + type);
    EXPECT_EQ(letters(u"loai, stt"_s),
              QStringList({A + "|1", A + "|2", B + "|1", A + "|3", B + "|2", A + "|4", A + "|5"}));

    // A new letter of the second type gets 3; F5 in mso_cv gives "3/"; a blank type is refused.
    click(*entry, "cmdAdd");
    EXPECT_EQ(entry->ui().mstt->text(), u"6"_s);
    home.responder.clear();
    setType(entry, u" "_s);
    EXPECT_EQ(home.messages(), QStringList{u"Cần phải xác định loại công văn trước!\rCần chọn loại công "
                                           "văn từ danh sách để đảm bảo việc cho số được chính xác!"_s});
    setType(entry, B);
    EXPECT_EQ(entry->ui().mstt->text(), u"3"_s);
    entry->ui().mstt->setText(u"99"_s);
    entry->ui().mstt->setFocus();
    key(*entry, Qt::Key_F5); // numbers again
    EXPECT_EQ(entry->ui().mstt->text(), u"3"_s);
    entry->ui().mso_cv->setFocus();
    key(*entry, Qt::Key_F5);
    EXPECT_EQ(entry->ui().mso_cv->text(), u"3/"_s);
    type(entry->ui().mso_cv, u"QĐ-UB"_s);
    fill(entry, kOutgoingBoxes, {u"Bộ Tư pháp"_s, u"Văn phòng Đảng uỷ"_s, u"Trần Thị Bình"_s, u"Bổ nhiệm cán bộ"_s});
    click(*entry, "cmdUpdate");

    // Meanwhile another program (another client of the server) gives the next B number 4: the letter proposed as 4 is
    // written as 5.
    click(*entry, "cmdAdd");
    EXPECT_EQ(entry->ui().mloai->text(), B);
    EXPECT_EQ(entry->ui().mstt->text(), u"4"_s);
    {
        db::Database other = otherClient();
        db::Recordset rs = other.openRecordset(m.outgoingTable);
        rs.addNew();
        rs.setValue(u"loai"_s, B);
        rs.setValue(u"stt"_s, 4);
        rs.setValue(u"tt_ndung"_s, u"Khen thưởng"_s);
        rs.update();
    }
    fill(entry, kOutgoingBoxes, {u"Sở Tài chính"_s, u"Phòng Hành chính"_s, u"Trần Thị Bình"_s, u"Điều động"_s});
    click(*entry, "cmdUpdate");
    EXPECT_EQ(letters(u"stt, tt_ndung"_s).mid(7), QStringList({"3|Bổ nhiệm cán bộ", "4|Khen thưởng", "5|Điều động"}));
    EXPECT_TRUE(entry->control<QLabel>(u"lbltrangthai"_s)->text().contains(u"số 5"_s));

    // Letter 2 (A2) made B would take B1's number: refused, type and number restored.
    goTo(entry, "2");
    click(*entry, "cmdsua");
    home.responder.clear();
    setType(entry, B);
    EXPECT_EQ(home.messages(), QStringList{u"Số công văn :  1 cho loại 'Quyết định' đã được dùng "
                                           "!Không thể sửa ô Loại CV về loại này được !"_s});
    EXPECT_EQ(entry->ui().mloai->text(), A);
    EXPECT_EQ(entry->ui().mstt->text(), u"2"_s);
    click(*entry, "cmdsua"); // "Huỷ sửa"
    // Letter 7 (A5) becomes the first "Tờ trình".
    goTo(entry, "7");
    click(*entry, "cmdsua");
    setType(entry, u"Tờ trình"_s);
    EXPECT_EQ(entry->ui().mstt->text(), u"1"_s);
    click(*entry, "cmdUpdate");
    EXPECT_EQ(letters(u"loai, stt"_s).value(6), u"Tờ trình|1"_s);
    entry->cmdclose_Click();
}

void LetterDayTest::day()
{
    const Day& d = GetParam();
    (this->*d.morning)();
    ASSERT_TRUE(mainWindow.isVisible());
    db::Database backup = db::Database::open(app::module1().backupPath, app::kConnect);
    const QStringList saved = letters(d.backupColumns, backup);
    EXPECT_EQ(saved.size(), letters(u"id"_s).size()) << "each letter backed up once";
    for (const QString& row : d.backedUp)
        EXPECT_TRUE(saved.contains(row)) << row.toStdString() << " in " << saved.join(u',').toStdString();

    // The afternoon: a search from the main window; all hits marked and printed.
    press(d.searchButton);
    const QString suffix = QString::fromLatin1(d.entryButton).mid(6); // "cvden", "cvdi"
    auto* search = form<SearchForm>(u"frmtracuu"_s + suffix);
    ASSERT_TRUE(search->isVisible());
    EXPECT_TRUE(test::isAccessible(search));
    for (const auto& [box, text] : d.criteria) {
        if (d.criteriaStay)
            EXPECT_EQ(search->control<ui::TextBox>(box)->text(), text) << "the criteria stayed";
        else
            search->control<ui::TextBox>(box)->setText(text);
    }
    click(*search, "cmdtracuu");
    auto* list = form<LettersListForm>(u"frmgrid"_s + suffix);
    ASSERT_TRUE(list->isVisible());
    EXPECT_TRUE(test::isAccessible(list));
    const int hits = list->Data1->recordset().recordCount();
    EXPECT_EQ(hits, d.printed.size());
    click(*list, "Cmdchontat");
    EXPECT_EQ(letters(u"chonin"_s).count(u"X"_s), hits);
    home.responder.answer(u"no"_s); // straight to the printer
    click(*list, "Cmdin");
    const PdfText marked = PdfText::read(list->CrystalReport1.lastResult().outputFile);
    ASSERT_TRUE(marked.error.isEmpty()) << marked.error.toStdString() << home.messageText() << "|";
    for (const QString& text : d.printed)
        EXPECT_TRUE(marked.all().contains(text)) << text.toStdString();
    for (const QString& text : d.notPrinted)
        EXPECT_FALSE(marked.all().contains(text)) << text.toStdString();

    // A date range from the list.
    list->Data1->moveFirst();
    const QString range = printByDate(*list, d.firstDay, d.lastDay);
    EXPECT_TRUE(range.contains(d.rangeTitle)) << range.toStdString();
    EXPECT_TRUE(range.contains(d.inRange));
    click(*list, "cmdclose");
    ASSERT_TRUE(search->isVisible());
    click(*search, "cmdclose");
    EXPECT_TRUE(mainWindow.isVisible());
}

TEST_P(LetterDayTest, AddCorrectSearchMarkPrintAndBackUp)
{
    day();
}

// The same day with the office's data on a server: the folder is moved there (its setting then
// names the server) and the program started again on it; the backup is a file of this machine.
using LetterDayOnServerTest = registers_test::OnServer<LetterDayTest>;

TEST_P(LetterDayOnServerTest, AddCorrectSearchMarkPrintAndBackUp)
{
    day();
}

// clang-format off
const auto kDays = ::testing::Values(
    Day{"Incoming", "cmdnapcvden", "cmdtracuucvden", &LetterDayTest::incomingMorning, &app::Module1::incomingTable,
        {{"mnoigui", "Sở"}, {"mng_den1", "04/01/2026"}, {"mng_den2", "05/01/2026"}}, true,
        {"Tuyển dụng công chức", "Dự toán ngân sách năm 2026"}, {"Bộ Tư pháp"},
        "04/01/2026", "05/01/2026", "(Từ ngày 04/01/2026 đến 05/01/2026)", "Ý kiến của Uỷ ban nhân dân tỉnh",
        "stt, noigui, tt_ndung",
        {"1|Sở Nội vụ|Tuyển dụng công chức", "2|Sở Tài chính|Dự toán ngân sách năm 2026",
         "3|Bộ Tư pháp|Ý kiến của Uỷ ban nhân dân tỉnh"}},
    Day{"Outgoing", "cmdnapcvdi", "cmdtracuucvdi", &LetterDayTest::outgoingMorning, &app::Module1::outgoingTable,
        {{"mnguoiky", "Trần Thị Bình"}}, false,
        {"Bổ nhiệm cán bộ", "Điều động"}, {"Báo cáo"},
        "05/01/2026", "05/01/2026", "(Ngày 05/01/2026)", "Báo cáo Quyết định",
        "loai, stt, so_cv", {B + "|3|3/QĐ-UB", "Tờ trình|1|"}});
// clang-format on
std::string dayName(const ::testing::TestParamInfo<Day>& info)
{
    return info.param.name;
}
INSTANTIATE_TEST_SUITE_P(Registers, LetterDayTest, kDays, dayName);
INSTANTIATE_TEST_SUITE_P(Registers, LetterDayOnServerTest, kDays, dayName);

} // namespace
