// The work-plan entry form driven as a secretary drives it: adding with the pre-filled unit,
// department and type, the required boxes, the cancel captions, dates, deleting and the rights
// of ordinary staff.
#include "plan_fixture.h"

#include "registers/task_record.h"

#include <QLabel>

namespace {

using plans_test::Plan;
using plans_test::PlanTest;
using registers::PlansEntryForm;

class FrmcongviecTest : public PlanTest
{
protected:
    static QString status(PlansEntryForm* f) { return f->ui().lbltrangthai->text(); }
};

TEST_F(FrmcongviecTest, AddingPrefillsFromTheLastPlanListsMissingBoxesAndOffersTheNewType)
{
    PlansEntryForm* f = openEntry();
    EXPECT_FALSE(mainWindow.isVisible());
    EXPECT_EQ(status(f), QStringLiteral("Xem công việc"));
    EXPECT_EQ(f->ui().Label5->text(),
              QStringLiteral("Hướng dẫn : F4 : xoá cả ô    F5: tự điền ngày    F6 : Sao chép nội dung trang trước   "
                             "PgUp, Pgdn : chuyển trang "));
    EXPECT_FALSE(enabled(f, "Cmdsua")); // empty year: nothing to correct or delete
    EXPECT_FALSE(enabled(f, "cmdDelete"));

    click(*f, "cmdAdd");
    EXPECT_EQ(f->mode(), registers::EntryMode::Adding);
    EXPECT_EQ(caption(f, "cmdAdd"), QStringLiteral("&Huỷ nạp"));
    EXPECT_EQ(f->ui().txtban->text(), QString());
    EXPECT_FALSE(enabled(f, "cmdGrid"));
    EXPECT_FALSE(enabled(f, "cmdclose"));
    click(*f, "cmdUpdate");
    EXPECT_EQ(home.responder.lastMessage(),
              QStringLiteral("Cần phải điền đủ nội dung các ô :\rBan, tên hay tóm tắt nội dung công việc, "
                             "thời gian bắt đầu, thời gian kết thúc"));
    EXPECT_EQ(f->mode(), registers::EntryMode::Adding);

    f->ui().txtban->setText(QStringLiteral("Văn phòng"));
    f->ui().txtphong->setText(QStringLiteral("Tổng hợp"));
    f->ui().txtndungtt->setText(QStringLiteral("Báo cáo \"quý\" 50% _1"));
    f->ui().txtloai->setText(QStringLiteral("Báo cáo"));
    leave(f, QStringLiteral("Txttgianbdau"), QStringLiteral("2/1/26"), QStringLiteral("txtchidao"));
    leave(f, QStringLiteral("Txttgiankthuc"), QStringLiteral("10/1/2026"), QStringLiteral("txtchidao"));
    f->ui().chkkhan->setChecked(true);
    click(*f, "cmdUpdate");
    EXPECT_EQ(plans(QStringLiteral("Tendonvi, bophan, ndungtt, Tgianbdau, Tgianbdauchuan, Tgiankthucchuan, khan, "
                                   "ngaycapnhatchuan, nguoicapnhat"))
                  .join(QLatin1Char('#'))
                  .toStdString(),
              QStringList{QStringLiteral("Văn phòng|Tổng hợp|Báo cáo \"quý\" 50% _1|02/01/2026|20260102|20260110|true|"
                                         "20260105|Nguyễn Văn An")}
                  .join(QLatin1Char('#'))
                  .toStdString());
    EXPECT_EQ(caption(f, "cmdAdd"), QStringLiteral("&Nạp mới"));
    EXPECT_TRUE(enabled(f, "Cmdsua"));
    auto* types = f->ui().DBComboloai;
    EXPECT_GE(types->findText(QStringLiteral("Báo cáo")), 0);

    click(*f, "cmdAdd");
    EXPECT_EQ(f->ui().txtban->text(), QStringLiteral("Văn phòng"));
    EXPECT_EQ(f->ui().txtphong->text(), QStringLiteral("Tổng hợp"));
    EXPECT_EQ(f->ui().txtloai->text(), QStringLiteral("Báo cáo"));
    EXPECT_EQ(f->ui().txtndungtt->text(), QString());
    click(*f, "cmdAdd"); // "&Huỷ nạp": nothing is written
    EXPECT_EQ(plans(QStringLiteral("id")).size(), 1);
    EXPECT_EQ(status(f), QStringLiteral("Xem công việc"));

    click(*f, "cmdclose");
    EXPECT_TRUE(mainWindow.isVisible());
}

TEST_F(FrmcongviecTest, EndDateBeforeStartIsRefusedAndCancellingAnEditRestoresTheStoredPlan)
{
    addPlan({"Văn phòng", "Họp", "05/01/2026", "06/01/2026"});
    PlansEntryForm* f = openEntry();
    click(*f, "Cmdsua");
    EXPECT_EQ(caption(f, "Cmdsua"), QStringLiteral("&Huỷ sửa"));
    EXPECT_FALSE(enabled(f, "cmdDelete"));
    struct Case
    {
        const char* end;
        bool refused;
    };
    for (const Case& c : {Case{"04/01/2026", true}, Case{"05/01/2026", false}, Case{"31/02/2026", true}}) {
        home.responder.clear();
        leave(f, QStringLiteral("Txttgiankthuc"), QString::fromLatin1(c.end), QStringLiteral("txtchidao"));
        EXPECT_EQ(home.responder.messages().size(), c.refused ? 1 : 0) << c.end;
    }
    EXPECT_EQ(home.responder.messages().value(0), QStringLiteral("Bạn cần nạp lại ngày tháng năm cho đúng !"));
    // The refused end keeps what was typed, and the focus.
    leave(f, QStringLiteral("Txttgiankthuc"), QStringLiteral("4/1/26"), QStringLiteral("txtchidao"));
    EXPECT_EQ(home.responder.lastMessage(), QStringLiteral("Thời gian kết thúc không thể đặt trước thời gian bắt "
                                                           "đầu!\rCần nạp lại con số thời gian kết thúc!"));
    EXPECT_EQ(f->ui().Txttgiankthuc->text(), QStringLiteral("4/1/26"));
    EXPECT_TRUE(f->ui().Txttgiankthuc->hasFocus());
    // Saved as it stands, it is refused again and nothing is written.
    home.responder.clear();
    click(*f, "cmdUpdate");
    EXPECT_EQ(home.responder.messages().size(), 1);
    EXPECT_EQ(plans(QStringLiteral("Tgiankthuc")), QStringList{"06/01/2026"});
    click(*f, "Cmdsua"); // "&Huỷ sửa"
    EXPECT_EQ(f->ui().Txttgiankthuc->text(), QStringLiteral("06/01/2026"));
    EXPECT_EQ(caption(f, "Cmdsua"), QStringLiteral("&Sửa"));
    EXPECT_EQ(plans(QStringLiteral("Tgiankthuc")), QStringList{"06/01/2026"});
}

// The position box moves only while viewing: while a plan is added or edited it is locked, and
// Enter in it (even with a number put there) stays on that plan.
TEST_F(FrmcongviecTest, PositionBoxIsLockedWhileAddingOrEditing)
{
    for (const char* summary : {"Họp", "Báo cáo"})
        addPlan({"Văn phòng", QString::fromUtf8(summary), "05/01/2026", "06/01/2026"});
    struct Case
    {
        const char* button; // "" to stay viewing
        registers::EntryMode mode;
        const char* summary; // txtndungtt after "1" and Enter in mrecnum
    };
    for (const Case& c :
         {Case{"", registers::EntryMode::Viewing, "Họp"}, Case{"Cmdsua", registers::EntryMode::Editing, "Báo cáo"},
          Case{"cmdAdd", registers::EntryMode::Adding, ""}}) {
        SCOPED_TRACE(c.button);
        const bool viewing = !*c.button;
        PlansEntryForm* f = openEntry();
        if (!viewing)
            click(*f, c.button);
        ui::TextBox* recnum = f->ui().mrecnum;
        EXPECT_EQ(recnum->isLocked(), !viewing);
        recnum->setFocus();
        recnum->setText(QStringLiteral("1"));
        key(*f, Qt::Key_Return);
        EXPECT_EQ(f->mode(), c.mode);
        EXPECT_EQ(f->ui().txtndungtt->text(), QString::fromUtf8(c.summary));
        EXPECT_EQ(recnum->text(), viewing ? QStringLiteral("1/2") : QStringLiteral("1"));
        if (!viewing) {
            click(*f, c.button); // "&Huỷ sửa", "&Huỷ nạp"
            EXPECT_FALSE(recnum->isLocked());
        }
        EXPECT_EQ(plans(QStringLiteral("ndungtt")), (QStringList{"Họp", "Báo cáo"}));
        registers::destroyForms();
    }
}

// Ordinary staff ("CB") change and delete only plans last saved by themselves or by nobody; by the
// buttons, and by the handlers when a key reaches them.
TEST_F(FrmcongviecTest, RightsRuleGuardsCorrectingAndDeleting)
{
    struct Case
    {
        const char* rights;
        const char* savedBy;
        bool allowed;
    };
    const Case cases[] = {{"CB", "", true},
                          {"CB", "Nguyễn Văn An", true},
                          {"CB", "Trần Thị Bình", false},
                          {"QT", "Trần Thị Bình", true},
                          {"QT - LĐ", "Trần Thị Bình", true}};
    for (const Case& c : cases) {
        const QString savedBy = QString::fromUtf8(c.savedBy);
        SCOPED_TRACE(std::string(c.rights) + " / " + c.savedBy);
        login(QStringLiteral("Nguyễn Văn An"), QString::fromUtf8(c.rights));
        addPlan({"Văn phòng", "Họp", "05/01/2026", "06/01/2026", savedBy});
        PlansEntryForm* f = openEntry();
        EXPECT_EQ(enabled(f, "Cmdsua"), c.allowed);
        EXPECT_EQ(enabled(f, "cmdDelete"), c.allowed);
        // Urgent and finished are marked while viewing, by those who may change the plan.
        EXPECT_EQ(f->ui().chkkhan->isEnabled(), c.allowed);
        EXPECT_EQ(f->ui().chkketthuc->isEnabled(), c.allowed);
        EXPECT_TRUE(f->ui().txtban->isLocked());
        f->Cmdsua_Click();
        EXPECT_EQ(f->mode(), c.allowed ? registers::EntryMode::Editing : registers::EntryMode::Viewing);
        if (c.allowed) {
            f->ui().txtndungtt->setText(QStringLiteral("Họp giao ban"));
            click(*f, "cmdUpdate");
        }
        home.responder.answer(QStringLiteral("yes"));
        f->cmdDelete_Click();
        EXPECT_EQ(plans(QStringLiteral("ndungtt")).size(), c.allowed ? 0 : 1);
        if (!c.allowed)
            home.responder.clear();
        registers::destroyForms();
        app::module1().schedule.execute(QStringLiteral("delete from ") + app::module1().plansTable);
    }
}

// A plan marked finished while viewing is written when the form leaves it, stamped with its saver.
TEST_F(FrmcongviecTest, FinishedMarkedWhileViewingIsWrittenOnClosing)
{
    addPlan({"Văn phòng", "Họp", "05/01/2026", "06/01/2026"});
    PlansEntryForm* f = openEntry();
    EXPECT_EQ(f->mode(), registers::EntryMode::Viewing);
    f->ui().chkketthuc->click();
    click(*f, "cmdclose");
    EXPECT_EQ(plans(QStringLiteral("ketthuc, nguoicapnhat")), QStringList{"true|Nguyễn Văn An"});
}

TEST(TaskRecordTest, SavedByNameAndDateOrder)
{
    EXPECT_EQ(registers::savedByName(QStringLiteral("Một người dùng")), QString());
    EXPECT_EQ(registers::savedByName(QStringLiteral("Nguyễn Văn An")), QStringLiteral("Nguyễn Văn An"));
    struct Case
    {
        const char* start;
        const char* end;
        bool before;
    };
    for (const Case& c :
         {Case{"05/01/2026", "04/01/2026", true}, Case{"05/01/2026", "05/01/2026", false},
          Case{"31/12/2025", "01/01/2026", false}, Case{"", "01/01/2026", false}, Case{"xx", "01/01/2026", false}})
        EXPECT_EQ(registers::endBeforeStart(QString::fromLatin1(c.start), QString::fromLatin1(c.end)), c.before)
            << c.start << " " << c.end;
}

} // namespace
