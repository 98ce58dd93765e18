// The week view: the current week from the main window, stepping back across the year's end into
// the year before (its own table), the week of a month's first day, the week printed to PDF and
// published ("Xuất lịch tuần", then again after every save and deletion, a folder that cannot be
// written told), and closing back to the entry form on the row current in the view; a search of
// the year before marking that year's table.
#include "../server_run.h"
#include "schedule_fixture.h"

#include "../../support/accessibility_check.h"

#include "datafiles/forms/file_dialog.h"
#include "files.h"
#include "ui_frmgridtuan.h"

#include <QDir>

namespace {

using registers::WeekViewForm;
using schedule_test::ScheduleTest;

class FrmgridtuanTest : public ScheduleTest
{
protected:
    void TearDown() override
    {
        datafiles::setFileChooser({});
        ScheduleTest::TearDown();
    }
    static QString read(const QString& path) { return QString::fromUtf8(test::readFile(path)); }
    WeekViewForm* view() { return formNamed<WeekViewForm>("frmgridtuan"); }
    const Ui::frmgridtuan& ui() { return view()->ui(); }
    QStringList shown() { return ScheduleTest::shown(view()->Data1, u"ndung"_s); }
    QString week() { return ui().txtdautuan->text() + u" - "_s + ui().txtcuoituan->text(); }
    void acrossTheYearsEnd();
};

// The same week's work with the office's data on a server.
using FrmgridtuanOnServerTest = registers_test::OnServer<FrmgridtuanTest>;

TEST_F(FrmgridtuanTest, StepsBackAcrossTheYearsEndIntoLastYearsTableAndPrintsAndPublishesTheWeek)
{
    acrossTheYearsEnd();
}

TEST_F(FrmgridtuanOnServerTest, StepsBackAcrossTheYearsEndIntoLastYearsTableAndPrintsAndPublishesTheWeek)
{
    acrossTheYearsEnd();
}

void FrmgridtuanTest::acrossTheYearsEnd()
{
    addYear(u"lich2025"_s);
    add("lich2025", {{"31/12/2025", "14h", "Tổng kết năm <b>2025</b>"},
                     {"29/12/2025", "8h", "Giao ban cuối năm"},
                     {"28/12/2025", "8h", "Trực Chủ nhật"}});
    add(app::module1().scheduleTable, {{"04/01/2026", "7h30", "Trực Tết"},
                                       {"01/01/2026", "9h", "Chào năm mới"},
                                       {"05/01/2026", "10h", "Giao ban"},
                                       {"05/01/2026", "8h", "Chào cờ"},
                                       {"11/01/2026", "8h", "Trực"}});
    app::FormRequest r = request(u"Cmdxemlich"_s);
    r.boxes = {u"05/01/2026"_s, u"11/01/2026"_s};
    ASSERT_TRUE(app::openForm(r, &mainWindow));
    activate(view());
    EXPECT_TRUE(test::isAccessible(view()));
    EXPECT_EQ(shown(), (QStringList{"Chào cờ", "Giao ban", "Trực"}));

    click(*view(), "cmdtruoc"); // the week across 31 December shows both years' days
    EXPECT_EQ(week(), u"29/12/2025 - 04/01/2026"_s);
    EXPECT_EQ(ui().lbltieude->text(), u"Xem lịch làm việc trong tuần từ 29/12/2025 đến 04/01/2026"_s);
    EXPECT_EQ(shown(), (QStringList{"Giao ban cuối năm", "Tổng kết năm <b>2025</b>", "Chào năm mới", "Trực Tết"}));
    home.responder.answer(u"no"_s);
    click(*view(), "Cmdinlich");
    const QString text = printed(view()->CrystalReport1);
    EXPECT_TRUE(text.contains(u"(Từ29/12/2025đến04/01/2026)"_s));
    const qsizetype last = text.indexOf(u"Tổngkếtnăm"_s);
    EXPECT_TRUE(last >= 0 && last < text.indexOf(u"TrựcTết"_s)) << text.toStdString();
    EXPECT_FALSE(text.contains(u"TrựcChủnhật"_s));

    QTemporaryDir out;
    QString folder = out.filePath(u"khong-co"_s); // not there: told, no publish folder
    datafiles::setFileChooser(
        [&](const datafiles::OpenFileRequest& asked) { return asked.chooseFolder ? folder : QString(); });
    click(*view(), "cmdxuatlichtuan");
    EXPECT_TRUE(home.responder.lastMessage().startsWith(u"Không ghi được lịch tuần vào thư mục "_s));
    folder = out.path();
    home.responder.answer(u"yes"_s); // publish there from now on
    click(*view(), "cmdxuatlichtuan");
    const QString ics = read(out.filePath(u"lichtuan.ics"_s));
    EXPECT_TRUE(ics.contains(u"UID:lich2025-1@selvaro"_s) && ics.contains(u"UID:lich2026-1"_s));
    EXPECT_TRUE(read(out.filePath(u"lichtuan.html"_s)).contains(u"năm &lt;b&gt;2025"_s));
    EXPECT_EQ(registers::publishFolder(), out.path());

    click(*view(), "cmdtruoc"); // wholly in 2025
    EXPECT_EQ(shown(), QStringList{"Trực Chủ nhật"});
    click(*view(), "cmdsau");
    click(*view(), "cmdsau");
    EXPECT_EQ(ui().txtdautuan->text(), u"05/01/2026"_s);

    // The month list counts in the working year of the visit.
    app::module1().workingYear = u"2005"_s;
    view()->setSession(registers::programSession(registers::Register::Schedule, registers::Start::Week));
    click(*view(), "cmdthang");
    view()->List1_Click(2);
    EXPECT_EQ(week(), u"28/02/2005 - 06/03/2005"_s);
    app::module1().workingYear = u"2026"_s;

    click(*view(), "cmdclose");
    EXPECT_FALSE(view()->isVisible());
    EXPECT_TRUE(mainWindow.isVisible());

    // A search of the year before lists it whole by day and marks that year's table only.
    ASSERT_TRUE(app::openForm(request(u"cmdtracuulich"_s), &mainWindow));
    auto* search = formNamed<registers::ScheduleSearchForm>("frmtracuulich");
    auto* list = formNamed<registers::ScheduleListForm>("frmGridlich");
    search->yearList()->setCurrentText(u"2025"_s);
    click(*search, "cmdtracuu"); // no box filled: the whole year by day
    EXPECT_EQ(list->ui().mndung->text(), u"Trực Chủ nhật"_s);
    click(*list, "Cmdchontat");
    EXPECT_EQ(items(u"chonin"_s, u"lich2025"_s), QStringList(3, u"X"_s));
    EXPECT_EQ(items(u"chonin"_s), QStringList(5, QString()));
    click(*list, "Cmdhuychon");
    EXPECT_EQ(items(u"chonin"_s, u"lich2025"_s), QStringList(3, QString()));
    click(*list, "cmdclose");
    EXPECT_TRUE(search->isVisible());
    click(*search, "cmdclose");
    EXPECT_TRUE(mainWindow.isVisible());

    // A new item of the published week is published with it; deleting it takes it out again.
    registers::ScheduleEntryForm* f = openEntry();
    const auto addItem = [&](const QString& what) {
        click(*f, "cmdAdd");
        leave(f, u"mngay"_s, u"2/1/2026"_s, u"mgio"_s);
        f->ui().mgio->setText(u"15h"_s);
        f->ui().mndung->setText(what);
        click(*f, "cmdUpdate");
        EXPECT_EQ(f->mode(), registers::EntryMode::Viewing);
    };
    const QString page = out.filePath(u"lichtuan.html"_s);
    addItem(u"Chào cờ đầu năm"_s);
    EXPECT_TRUE(read(page).contains(u"Chào cờ đầu năm"_s));
    click(*f, "cmdDelete");
    EXPECT_FALSE(read(page).contains(u"Chào cờ đầu năm"_s));

    // The calendar cannot be replaced: the saves are kept, told once, and the last good page stays.
    const QString lastPage = read(page);
    QFile::remove(out.filePath(u"lichtuan.ics"_s));
    ASSERT_TRUE(QDir(out.path()).mkdir(u"lichtuan.ics"_s));
    home.responder.clear();
    addItem(u"Họp một"_s);
    addItem(u"Họp hai"_s);
    EXPECT_EQ(items(u"ndung"_s).size(), 7);
    ASSERT_EQ(home.responder.messages().size(), 1);
    EXPECT_TRUE(home.responder.lastMessage().startsWith(u"Không ghi được lịch tuần vào thư mục "_s));
    EXPECT_EQ(read(page), lastPage);
}

TEST_F(FrmgridtuanTest, ClosingAViewOpenedFromTheEntryFormLeavesItOnTheViewsRow)
{
    add(app::module1().scheduleTable,
        {{"06/01/2026", "8h", "Họp"}, {"07/01/2026", "9h", "Tiếp khách"}, {QString(), "9h", "Chưa định ngày"}});
    registers::ScheduleEntryForm* entry = openEntry(); // on the last item, which has no day yet
    click(*entry, "cmdGrid");
    EXPECT_EQ(home.responder.lastMessage(), u"Công việc này chưa nạp ngày nên không chuyển sang bảng lịch tuần được"_s);
    EXPECT_TRUE(entry->isVisible());
    entry->Data1->moveFirst(); // "Họp", a Tuesday
    click(*entry, "cmdGrid");
    ASSERT_TRUE(view()->isVisible());
    EXPECT_FALSE(entry->isVisible());
    EXPECT_EQ(entry->mode(), registers::EntryMode::Viewing);
    EXPECT_EQ(ui().txtdautuan->text(), u"05/01/2026"_s);
    view()->Data1->moveLast(); // "Tiếp khách"
    click(*view(), "cmdclose");
    EXPECT_TRUE(entry->isVisible());
    EXPECT_FALSE(mainWindow.isVisible());
    EXPECT_EQ(entry->ui().mndung->text(), u"Tiếp khách"_s);
}

} // namespace
