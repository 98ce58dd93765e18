// Double booking asked on saving, and the published week: "Xuất lịch tuần" on a week across New
// Year, the publish folder rewritten after a save and a deletion, a folder that cannot be written.
#include "schedule_fixture.h"

#include "../../support/accessibility_check.h"

#include "datafiles/forms/file_dialog.h"
#include "files.h"

#include <QDir>

namespace {

using registers::ScheduleEntryForm;
using registers::WeekViewForm;
using schedule_test::ScheduleTest;

class WeekPublishTest : public ScheduleTest
{
protected:
    void TearDown() override
    {
        datafiles::setFileChooser({});
        ScheduleTest::TearDown();
    }
    static QString read(const QString& path) { return QString::fromUtf8(test::readFile(path)); }
    QTemporaryDir out;
};

TEST_F(WeekPublishTest, ADoubleBookingIsAskedOnceAndNoKeepsTheFormAsTyped)
{
    add(app::module1().scheduleTable,
        {{"06/01/2026", "8h30", "Giao ban tuần", "Phòng họp 1", QString(), "Nguyễn Văn An"}});
    ScheduleEntryForm* f = openEntry();
    click(*f, "cmdAdd");
    leave(f, u"mngay"_s, u"6/1/2026"_s, u"mgio"_s);
    f->ui().mgio->setText(u"10h"_s);
    f->ui().mndung->setText(u"Họp chi bộ"_s);
    f->ui().mchutri->setText(u" nguyễn văn AN "_s);
    home.responder.clear();
    home.responder.answer(u"no"_s);
    click(*f, "cmdUpdate");
    EXPECT_EQ(home.responder.messages(),
              QStringList{u"Người chủ trì Nguyễn Văn An đã có lịch \"Giao ban tuần\" lúc 8h30 ngày "
                          "06/01/2026 tại Phòng họp 1.\rVẫn ghi ?"_s});
    EXPECT_EQ(f->mode(), registers::EntryMode::Adding);
    EXPECT_EQ(f->ui().mngay->text() + f->ui().mgio->text() + f->ui().mndung->text() + f->ui().mchutri->text(),
              u"06/01/202610hHọp chi bộ nguyễn văn AN "_s);
    EXPECT_EQ(items(u"ndung"_s).size(), 1);

    home.responder.clear();
    home.responder.answer(u"yes"_s);
    click(*f, "cmdUpdate"); // the save button again: asked again, and written
    EXPECT_EQ(home.responder.messages().size(), 1);
    EXPECT_EQ(f->mode(), registers::EntryMode::Viewing);
    EXPECT_EQ(items(u"ndung, gio"_s), (QStringList{"Giao ban tuần|8h30", "Họp chi bộ|10h"}));

    // Corrected in its own time slot, an item does not clash with itself; two hours apart is free.
    home.responder.clear();
    click(*f, "Cmdsua");
    f->ui().mgio->setText(u"10h30"_s);
    click(*f, "cmdUpdate");
    EXPECT_TRUE(home.responder.messages().isEmpty()) << home.responder.lastMessage().toStdString();
    EXPECT_EQ(items(u"gio"_s).last(), u"10h30"_s);
}

TEST_F(WeekPublishTest, TheWeekAcrossNewYearIsExportedAndRepublishedAfterEveryChange)
{
    addYear(u"lich2025"_s);
    add("lich2025", {{"31/12/2025", "14h", "Tổng kết năm <b>2025</b>"}});
    add(app::module1().scheduleTable, {{"01/01/2026", "Cả ngày", "Nghỉ Tết"}});
    app::FormRequest r = request(u"Cmdxemlich"_s);
    r.boxes = {u"29/12/2025"_s, u"04/01/2026"_s};
    ASSERT_TRUE(app::openForm(r, &mainWindow));
    auto* view = formNamed<WeekViewForm>("frmgridtuan");
    activate(view);
    EXPECT_TRUE(test::isAccessible(view));
    QString folder = out.filePath(u"khong-co"_s); // not there: told, no publish folder
    datafiles::setFileChooser(
        [&](const datafiles::OpenFileRequest& asked) { return asked.chooseFolder ? folder : QString(); });
    click(*view, "cmdxuatlichtuan");
    EXPECT_TRUE(home.responder.lastMessage().startsWith(u"Không ghi được lịch tuần vào thư mục "_s));
    folder = out.path();
    home.responder.answer(u"yes"_s); // publish there from now on
    click(*view, "cmdxuatlichtuan");
    const QString ics = read(out.filePath(u"lichtuan.ics"_s));
    EXPECT_TRUE(ics.contains(u"UID:lich2025-1@selvaro"_s) && ics.contains(u"UID:lich2026-1"_s));
    EXPECT_TRUE(read(out.filePath(u"lichtuan.html"_s)).contains(u"năm &lt;b&gt;2025"_s));
    EXPECT_EQ(registers::publishFolder(), out.path());
    click(*view, "cmdclose");

    // A new item of that week is published with it; deleting it takes it out again.
    ScheduleEntryForm* f = openEntry();
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
    EXPECT_EQ(items(u"ndung"_s).size(), 3);
    ASSERT_EQ(home.responder.messages().size(), 1);
    EXPECT_TRUE(home.responder.lastMessage().startsWith(u"Không ghi được lịch tuần vào thư mục "_s));
    EXPECT_EQ(read(page), lastPage);
}

} // namespace
