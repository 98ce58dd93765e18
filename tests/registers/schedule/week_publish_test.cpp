// Double booking asked on saving, and the published week: "Xuất lịch tuần" on a week across New
// Year, the publish folder rewritten after a save and a deletion, a folder that cannot be written.
#include "schedule_fixture.h"

#include "../../support/accessibility_check.h"

#include "datafiles/forms/file_dialog.h"

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
    static QString read(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }
    QTemporaryDir out;
};

TEST_F(WeekPublishTest, ADoubleBookingIsAskedOnceAndNoKeepsTheFormAsTyped)
{
    add(app::module1().scheduleTable,
        {{"06/01/2026", "8h30", "Giao ban tuần", "Phòng họp 1", QString(), "Nguyễn Văn An"}});
    ScheduleEntryForm* f = openEntry();
    click(*f, "cmdAdd");
    leave(f, QStringLiteral("mngay"), QStringLiteral("6/1/2026"), QStringLiteral("mgio"));
    f->ui().mgio->setText(QStringLiteral("10h"));
    f->ui().mndung->setText(QStringLiteral("Họp chi bộ"));
    f->ui().mchutri->setText(QStringLiteral(" nguyễn văn AN "));
    home.responder.clear();
    home.responder.answer(QStringLiteral("no"));
    click(*f, "cmdUpdate");
    EXPECT_EQ(home.responder.messages(),
              QStringList{QStringLiteral("Người chủ trì Nguyễn Văn An đã có lịch \"Giao ban tuần\" lúc 8h30 ngày "
                                         "06/01/2026 tại Phòng họp 1.\rVẫn ghi ?")});
    EXPECT_EQ(f->mode(), registers::EntryMode::Adding);
    EXPECT_EQ(f->ui().mngay->text() + f->ui().mgio->text() + f->ui().mndung->text() + f->ui().mchutri->text(),
              QStringLiteral("06/01/202610hHọp chi bộ nguyễn văn AN "));
    EXPECT_EQ(items(QStringLiteral("ndung")).size(), 1);

    home.responder.clear();
    home.responder.answer(QStringLiteral("yes"));
    click(*f, "cmdUpdate"); // the save button again: asked again, and written
    EXPECT_EQ(home.responder.messages().size(), 1);
    EXPECT_EQ(f->mode(), registers::EntryMode::Viewing);
    EXPECT_EQ(items(QStringLiteral("ndung, gio")), (QStringList{"Giao ban tuần|8h30", "Họp chi bộ|10h"}));

    // Corrected in its own time slot, an item does not clash with itself; two hours apart is free.
    home.responder.clear();
    click(*f, "Cmdsua");
    f->ui().mgio->setText(QStringLiteral("10h30"));
    click(*f, "cmdUpdate");
    EXPECT_TRUE(home.responder.messages().isEmpty()) << home.responder.lastMessage().toStdString();
    EXPECT_EQ(items(QStringLiteral("gio")).last(), QStringLiteral("10h30"));
}

TEST_F(WeekPublishTest, TheWeekAcrossNewYearIsExportedAndRepublishedAfterEveryChange)
{
    addYear(QStringLiteral("lich2025"));
    add("lich2025", {{"31/12/2025", "14h", "Tổng kết năm <b>2025</b>"}});
    add(app::module1().scheduleTable, {{"01/01/2026", "Cả ngày", "Nghỉ Tết"}});
    app::FormRequest r = request(QStringLiteral("Cmdxemlich"));
    r.boxes = {QStringLiteral("29/12/2025"), QStringLiteral("04/01/2026")};
    ASSERT_TRUE(app::openForm(r, &mainWindow));
    auto* view = formNamed<WeekViewForm>("frmgridtuan");
    activate(view);
    EXPECT_TRUE(test::isAccessible(view));
    QString folder = out.filePath(QStringLiteral("khong-co")); // not there: told, no publish folder
    datafiles::setFileChooser(
        [&](const datafiles::OpenFileRequest& asked) { return asked.chooseFolder ? folder : QString(); });
    click(*view, "cmdxuatlichtuan");
    EXPECT_TRUE(home.responder.lastMessage().startsWith(QStringLiteral("Không ghi được lịch tuần vào thư mục ")));
    folder = out.path();
    home.responder.answer(QStringLiteral("yes")); // publish there from now on
    click(*view, "cmdxuatlichtuan");
    const QString ics = read(out.filePath(QStringLiteral("lichtuan.ics")));
    EXPECT_TRUE(ics.contains(QStringLiteral("UID:lich2025-1@selvaro")) &&
                ics.contains(QStringLiteral("UID:lich2026-1")));
    EXPECT_TRUE(read(out.filePath(QStringLiteral("lichtuan.html"))).contains(QStringLiteral("năm &lt;b&gt;2025")));
    EXPECT_EQ(registers::publishFolder(), out.path());
    click(*view, "cmdclose");

    // A new item of that week is published with it; deleting it takes it out again.
    ScheduleEntryForm* f = openEntry();
    const auto addItem = [&](const QString& what) {
        click(*f, "cmdAdd");
        leave(f, QStringLiteral("mngay"), QStringLiteral("2/1/2026"), QStringLiteral("mgio"));
        f->ui().mgio->setText(QStringLiteral("15h"));
        f->ui().mndung->setText(what);
        click(*f, "cmdUpdate");
        EXPECT_EQ(f->mode(), registers::EntryMode::Viewing);
    };
    const QString page = out.filePath(QStringLiteral("lichtuan.html"));
    addItem(QStringLiteral("Chào cờ đầu năm"));
    EXPECT_TRUE(read(page).contains(QStringLiteral("Chào cờ đầu năm")));
    click(*f, "cmdDelete");
    EXPECT_FALSE(read(page).contains(QStringLiteral("Chào cờ đầu năm")));

    // The calendar cannot be replaced: the saves are kept, told once, and the last good page stays.
    const QString lastPage = read(page);
    QFile::remove(out.filePath(QStringLiteral("lichtuan.ics")));
    ASSERT_TRUE(QDir(out.path()).mkdir(QStringLiteral("lichtuan.ics")));
    home.responder.clear();
    addItem(QStringLiteral("Họp một"));
    addItem(QStringLiteral("Họp hai"));
    EXPECT_EQ(items(QStringLiteral("ndung")).size(), 3);
    ASSERT_EQ(home.responder.messages().size(), 1);
    EXPECT_TRUE(home.responder.lastMessage().startsWith(QStringLiteral("Không ghi được lịch tuần vào thư mục ")));
    EXPECT_EQ(read(page), lastPage);
}

} // namespace
