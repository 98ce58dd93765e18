// The schedule entry form driven as a secretary drives it: items across a Sunday and Monday and
// across 31 December, the weekday and time keys, the missing-box list, a refused day, a note
// written alone, deleting at once, engine errors of the sorted list and the week, and a double
// booking asked on saving.
#include "schedule_fixture.h"

#include "platform/db/db_error.h"

#include <QLabel>

namespace {

using registers::ScheduleEntryForm;
using schedule_test::ScheduleTest;

using FrmlichTest = ScheduleTest;

TEST_F(FrmlichTest, ItemsAcrossSundayMondayAndTheYearsEndGetTheirWeekdayAndTimeKey)
{
    ScheduleEntryForm* f = openEntry();
    EXPECT_FALSE(mainWindow.isVisible());
    EXPECT_FALSE(enabled(f, "Cmdsua")); // an empty year: nothing to correct or delete
    EXPECT_FALSE(enabled(f, "cmdDelete"));

    click(*f, "cmdAdd"); // today, a Monday, with its weekday
    EXPECT_EQ(f->mode(), registers::EntryMode::Adding);
    EXPECT_EQ(f->ui().cmdAdd->text(), u"&Huỷ nạp"_s);
    EXPECT_EQ(f->ui().mngay->text(), u"05/01/2026"_s);
    EXPECT_EQ(f->ui().mthu->text(), u"Thứ hai"_s);
    click(*f, "cmdUpdate");
    EXPECT_EQ(home.responder.lastMessage(),
              u"Cần phải điền đủ nội dung các ô :\rGiờ, Tên hoặc tóm tắt nội dung công việc"_s);
    f->ui().mgio->setText(u"9h"_s);
    f->ui().mndung->setText(u"Giao ban 'tuần' 50% *"_s);
    click(*f, "cmdUpdate");
    EXPECT_EQ(f->mode(), registers::EntryMode::Viewing);

    for (const auto& [day, time, shown] : {std::tuple{"4/1/26", "14h", "04/01/2026"},
                                           {"31.12.2025", "8h30", "31/12/2025"},
                                           {"1-1-2026", "h30", "01/01/2026"}}) {
        click(*f, "cmdAdd");
        leave(f, u"mngay"_s, QString::fromUtf8(day), u"mgio"_s);
        EXPECT_EQ(f->ui().mngay->text(), QString::fromUtf8(shown));
        f->ui().mgio->setText(QString::fromUtf8(time));
        f->ui().mndung->setText(u"Việc "_s + QString::fromUtf8(shown));
        click(*f, "cmdUpdate");
    }
    EXPECT_EQ(items(u"ngay, ngaychuan, thu, gio, giochuan, ndung, nguoicapnhat"_s),
              (QStringList{"05/01/2026|20260105|Thứ hai|9h|09h|Giao ban 'tuần' 50% *|Nguyễn Văn An",
                           "04/01/2026|20260104|Chủ nhật|14h|14h|Việc 04/01/2026|Nguyễn Văn An",
                           "31/12/2025|20251231|Thứ tư|8h30|08h30|Việc 31/12/2025|Nguyễn Văn An",
                           "01/01/2026|20260101|Thứ năm|h30|h30|Việc 01/01/2026|Nguyễn Văn An"}));

    // A day that does not exist is refused and emptied; then only the content is missing.
    click(*f, "cmdAdd");
    leave(f, u"mngay"_s, u"29/2/2026"_s, u"mgio"_s);
    EXPECT_EQ(home.responder.lastMessage(), u"Bạn cần nạp lại ngày tháng năm cho đúng!"_s);
    EXPECT_EQ(f->ui().mngay->text(), QString());
    f->ui().mngay->setFocus();
    key(*f, Qt::Key_F5); // an empty day gets today, then steps; the weekday follows
    key(*f, Qt::Key_F5);
    EXPECT_EQ(f->ui().mngay->text(), u"06/01/2026"_s);
    EXPECT_EQ(f->ui().mthu->text(), u"Thứ ba"_s);
    f->ui().mgio->setText(u"7h"_s);
    click(*f, "cmdUpdate");
    EXPECT_EQ(home.responder.lastMessage(),
              u"Cần phải điền đủ nội dung các ô :\rTên hoặc tóm tắt nội dung công viẹc"_s);
    click(*f, "cmdAdd"); // "&Huỷ nạp": nothing is written
    EXPECT_EQ(items(u"id"_s).size(), 4);
    EXPECT_EQ(f->ui().lbltrangthai->text(), u"Xem lịch làm việc hàng tuần"_s);
}

TEST_F(FrmlichTest, ANoteAloneIsWrittenWithoutChecksDeletingAsksNothingEngineErrorsAreToldAndDoubleBookingAsked)
{
    add(app::module1().scheduleTable,
        {{"05/01/2026", QString(), "Tiếp khách"},
         {"06/01/2026", "8h", "Họp"},
         {"06/01/2026", "8h30", "Giao ban tuần", "Phòng họp 1", QString(), "Nguyễn Văn An"}});
    ScheduleEntryForm* f = openEntry();
    f->Data1->moveFirst();
    click(*f, "Cmdsua");
    f->ui().mghichu->setText(u"Hoãn"_s);
    click(*f, "cmdUpdate"); // the time is missing, but only the note changed
    EXPECT_EQ(home.responder.messages(), QStringList());
    EXPECT_EQ(items(u"ghichu, nguoicapnhat"_s).value(0), u"Hoãn|Nguyễn Văn An"_s);

    f->ui().mthu->setFocus();
    EXPECT_EQ(home.responder.lastMessage(), u"Không cần nạp ô này ! Chương trình sẽ tự động nạp "
                                            "Thứ sau khi bạn nạp xong ô Ngày"_s);
    EXPECT_EQ(f->activeControlName(), u"mngay"_s);

    home.responder.clear();
    click(*f, "cmdDelete");
    EXPECT_EQ(home.responder.messages(), QStringList());
    EXPECT_EQ(items(u"ndung"_s), (QStringList{"Họp", "Giao ban tuần"}));

    // Engine errors of the sorted list and the week are told and the form stays usable.
    app::module1().schedule.setStatementHook([](const QString& sql) {
        if (sql.contains(u"chonin"_s) || sql.contains(u"ngaychuan]>="_s))
            throw db::DbError(3050, u"Không khoá được file."_s);
    });
    click(*f, "cmdbang");
    EXPECT_TRUE(home.responder.lastMessage().contains(u"Không khoá được file."_s));
    EXPECT_TRUE(f->isVisible());
    home.responder.clear();
    click(*f, "cmdGrid");
    EXPECT_TRUE(home.responder.lastMessage().contains(u"Không khoá được file."_s));
    EXPECT_TRUE(f->isVisible());
    app::module1().schedule.setStatementHook(nullptr);
    click(*f, "cmdAdd"); // still usable
    EXPECT_EQ(f->mode(), registers::EntryMode::Adding);

    // A double booking is asked once on saving; "no" keeps the form as typed.
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
    EXPECT_EQ(items(u"ndung"_s).size(), 2);

    home.responder.clear();
    home.responder.answer(u"yes"_s);
    click(*f, "cmdUpdate"); // the save button again: asked again, and written
    EXPECT_EQ(home.responder.messages().size(), 1);
    EXPECT_EQ(f->mode(), registers::EntryMode::Viewing);
    EXPECT_EQ(items(u"ndung, gio"_s), (QStringList{"Họp|8h", "Giao ban tuần|8h30", "Họp chi bộ|10h"}));

    // Corrected in its own time slot, an item does not clash with itself; two hours apart is free.
    home.responder.clear();
    click(*f, "Cmdsua");
    f->ui().mgio->setText(u"10h30"_s);
    click(*f, "cmdUpdate");
    EXPECT_TRUE(home.responder.messages().isEmpty()) << home.responder.lastMessage().toStdString();
    EXPECT_EQ(items(u"gio"_s).last(), u"10h30"_s);
}

} // namespace
