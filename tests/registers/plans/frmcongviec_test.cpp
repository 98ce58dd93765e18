// The work-plan entry form driven as a secretary drives it: adding with the pre-filled unit,
// department and type, the required boxes, the cancel captions, dates, deleting, the rights of
// ordinary staff and the detail editor.
#include "plan_fixture.h"

#include "../../support/accessibility_check.h"

#include "registers/plans/frmtxt.h"
#include "registers/task_record.h"

#include <QLabel>

namespace {

using plans_test::PlanTest;
using registers::PlanDetailEditor;
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
    EXPECT_EQ(status(f), u"Xem công việc"_s);
    EXPECT_EQ(f->ui().Label5->text(),
              u"Hướng dẫn : F4 : xoá cả ô    F5: tự điền ngày    F6 : Sao chép nội dung trang trước   "
              "PgUp, Pgdn : chuyển trang "_s);
    EXPECT_FALSE(enabled(f, "Cmdsua")); // empty year: nothing to correct or delete
    EXPECT_FALSE(enabled(f, "cmdDelete"));

    click(*f, "cmdAdd");
    EXPECT_EQ(f->mode(), registers::EntryMode::Adding);
    EXPECT_EQ(caption(f, "cmdAdd"), u"&Huỷ nạp"_s);
    EXPECT_EQ(f->ui().txtban->text(), QString());
    EXPECT_FALSE(enabled(f, "cmdGrid"));
    EXPECT_FALSE(enabled(f, "cmdclose"));
    click(*f, "cmdUpdate");
    EXPECT_EQ(home.responder.lastMessage(),
              u"Cần phải điền đủ nội dung các ô :\rBan, tên hay tóm tắt nội dung công việc, "
              "thời gian bắt đầu, thời gian kết thúc"_s);
    EXPECT_EQ(f->mode(), registers::EntryMode::Adding);

    f->ui().txtban->setText(u"Văn phòng"_s);
    f->ui().txtphong->setText(u"Tổng hợp"_s);
    f->ui().txtndungtt->setText(u"Báo cáo \"quý\" 50% _1"_s);
    f->ui().txtloai->setText(u"Báo cáo"_s);
    leave(f, u"Txttgianbdau"_s, u"2/1/26"_s, u"txtchidao"_s);
    leave(f, u"Txttgiankthuc"_s, u"10/1/2026"_s, u"txtchidao"_s);
    f->ui().chkkhan->setChecked(true);
    click(*f, "cmdUpdate");
    EXPECT_EQ(plans(u"Tendonvi, bophan, ndungtt, Tgianbdau, Tgianbdauchuan, Tgiankthucchuan, khan, "
                    "ngaycapnhatchuan, nguoicapnhat"_s),
              QStringList{u"Văn phòng|Tổng hợp|Báo cáo \"quý\" 50% _1|02/01/2026|20260102|20260110|true|"
                          "20260105|Nguyễn Văn An"_s});
    EXPECT_EQ(caption(f, "cmdAdd"), u"&Nạp mới"_s);
    EXPECT_TRUE(enabled(f, "Cmdsua"));
    auto* types = f->ui().DBComboloai;
    EXPECT_GE(types->findText(u"Báo cáo"_s), 0);

    click(*f, "cmdAdd");
    const Ui::frmcongviec& ui = f->ui();
    EXPECT_EQ((QStringList{ui.txtban->text(), ui.txtphong->text(), ui.txtloai->text(), ui.txtndungtt->text()}),
              (QStringList{u"Văn phòng"_s, u"Tổng hợp"_s, u"Báo cáo"_s, QString()}));
    click(*f, "cmdAdd"); // "&Huỷ nạp": nothing is written
    EXPECT_EQ(plans(u"id"_s).size(), 1);
    EXPECT_EQ(status(f), u"Xem công việc"_s);

    click(*f, "cmdclose");
    EXPECT_TRUE(mainWindow.isVisible());
}

// The position box moves only while viewing: while a plan is added or edited it is locked, and
// Enter in it (even with a number put there) stays on that plan. An end date before the start is
// refused, cancelling restores the plan, and finished marked while viewing is written on closing.
TEST_F(FrmcongviecTest, PositionBoxIsLockedWhileAddingOrEditingAndAnEndBeforeTheStartIsRefused)
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
        recnum->setText(u"1"_s);
        key(*f, Qt::Key_Return);
        EXPECT_EQ(f->mode(), c.mode);
        EXPECT_EQ(f->ui().txtndungtt->text(), QString::fromUtf8(c.summary));
        EXPECT_EQ(recnum->text(), viewing ? u"1/2"_s : u"1"_s);
        if (!viewing) {
            click(*f, c.button); // "&Huỷ sửa", "&Huỷ nạp"
            EXPECT_FALSE(recnum->isLocked());
        }
        EXPECT_EQ(plans(u"ndungtt"_s), (QStringList{"Họp", "Báo cáo"}));
        registers::destroyForms();
    }

    PlansEntryForm* f = openEntry();
    click(*f, "Cmdsua");
    EXPECT_EQ(caption(f, "Cmdsua"), u"&Huỷ sửa"_s);
    EXPECT_FALSE(enabled(f, "cmdDelete"));
    for (const auto& [end, refused] : {std::pair{"04/01/2026", true}, {"05/01/2026", false}, {"31/02/2026", true}}) {
        home.responder.clear();
        leave(f, u"Txttgiankthuc"_s, QString::fromLatin1(end), u"txtchidao"_s);
        EXPECT_EQ(home.responder.messages().size(), refused ? 1 : 0) << end;
    }
    EXPECT_EQ(home.responder.messages().value(0), u"Bạn cần nạp lại ngày tháng năm cho đúng !"_s);
    // The refused end keeps what was typed, and the focus.
    leave(f, u"Txttgiankthuc"_s, u"4/1/26"_s, u"txtchidao"_s);
    EXPECT_EQ(home.responder.lastMessage(), u"Thời gian kết thúc không thể đặt trước thời gian bắt "
                                            "đầu!\rCần nạp lại con số thời gian kết thúc!"_s);
    EXPECT_EQ(f->ui().Txttgiankthuc->text(), u"4/1/26"_s);
    EXPECT_TRUE(f->ui().Txttgiankthuc->hasFocus());
    // Saved as it stands, it is refused again and nothing is written.
    home.responder.clear();
    click(*f, "cmdUpdate");
    EXPECT_EQ(home.responder.messages().size(), 1);
    EXPECT_EQ(plans(u"Tgiankthuc"_s), (QStringList{"06/01/2026", "06/01/2026"}));
    click(*f, "Cmdsua"); // "&Huỷ sửa"
    EXPECT_EQ(f->ui().Txttgiankthuc->text(), u"06/01/2026"_s);
    EXPECT_EQ(caption(f, "Cmdsua"), u"&Sửa"_s);
    EXPECT_EQ(plans(u"Tgiankthuc"_s), (QStringList{"06/01/2026", "06/01/2026"}));

    // Finished marked while viewing is written when the form leaves the plan, stamped with its saver.
    EXPECT_EQ(f->mode(), registers::EntryMode::Viewing);
    f->ui().chkketthuc->click();
    click(*f, "cmdclose");
    EXPECT_EQ(plans(u"ketthuc, nguoicapnhat"_s), (QStringList{"|", "true|Nguyễn Văn An"}));
}

// Ordinary staff ("CB") change and delete only plans last saved by themselves or by nobody; by the
// buttons, and by the handlers when a key reaches them.
TEST_F(FrmcongviecTest, RightsRuleGuardsCorrectingAndDeleting)
{
    // rights, last saved by, may correct and delete
    const std::tuple<const char*, const char*, bool> cases[] = {{"CB", "", true},
                                                                {"CB", "Nguyễn Văn An", true},
                                                                {"CB", "Trần Thị Bình", false},
                                                                {"QT", "Trần Thị Bình", true},
                                                                {"QT - LĐ", "Trần Thị Bình", true}};
    for (const auto& [rights, savedBy, allowed] : cases) {
        SCOPED_TRACE(std::string(rights) + " / " + savedBy);
        login(u"Nguyễn Văn An"_s, QString::fromUtf8(rights));
        addPlan({"Văn phòng", "Họp", "05/01/2026", "06/01/2026", QString::fromUtf8(savedBy)});
        PlansEntryForm* f = openEntry();
        // Urgent and finished are marked while viewing, by those who may change the plan.
        EXPECT_EQ((QList<bool>{enabled(f, "Cmdsua"), enabled(f, "cmdDelete"), f->ui().chkkhan->isEnabled(),
                               f->ui().chkketthuc->isEnabled()}),
                  QList<bool>(4, allowed));
        EXPECT_TRUE(f->ui().txtban->isLocked());
        f->Cmdsua_Click();
        EXPECT_EQ(f->mode(), allowed ? registers::EntryMode::Editing : registers::EntryMode::Viewing);
        if (allowed) {
            f->ui().txtndungtt->setText(u"Họp giao ban"_s);
            click(*f, "cmdUpdate");
        }
        home.responder.answer(u"yes"_s);
        f->cmdDelete_Click();
        EXPECT_EQ(plans(u"ndungtt"_s).size(), allowed ? 0 : 1);
        if (!allowed)
            home.responder.clear();
        registers::destroyForms();
        app::module1().schedule.execute(u"delete from "_s + app::module1().plansTable);
    }
}

// The detail editor opened by the enlarge button: typing with abbreviation expansion, F4, and what
// closing it hands back to the entry form.
TEST_F(FrmcongviecTest, DetailEditorCopiesAChangedTextBackOnlyWhileAddingOrEditing)
{
    addReference(app::module1().reference, u"chutat"_s, u"chudu"_s, u"Uỷ ban nhân dân"_s, u"ubnd"_s);
    app::openReferenceRecordsets(app::module1());
    struct Case
    {
        const char* name;
        bool edit;         // Cmdsua first (else the plan is only viewed)
        const char* typed; // typed at the end of Text1
        bool f4;           // F4 in Text1 after typing
        bool closeButton;  // cmdclose, else the close box
        const char* box;   // txtndungct afterwards
    };
    const Case cases[] = {
        {"typed, expanded, copied back", true, " ubnd tỉnh", false, true, "Chi tiết Uỷ ban nhân dân tỉnh"},
        {"unchanged", true, "", false, false, "Chi tiết"},
        {"F4 empties", true, "x", true, false, ""},
        {"viewing: read only", false, " ubnd", true, true, "Chi tiết"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        addPlan({"Văn phòng", "Họp", "05/01/2026", "06/01/2026"});
        app::module1().schedule.execute(u"update "_s + app::module1().plansTable + u" set ndungct = 'Chi tiết'"_s);
        PlansEntryForm* f = openEntry();
        if (c.edit)
            click(*f, "Cmdsua");
        click(*f, "cmdxemct");
        auto* editor = registers::form<PlanDetailEditor>(u"frmtxt"_s);
        activate(editor);
        ASSERT_TRUE(editor->isVisible());
        EXPECT_FALSE(f->isVisible());
        EXPECT_TRUE(test::isAccessible(editor));
        EXPECT_EQ(editor->Text1->text(), u"Chi tiết"_s);
        type(editor->Text1, QString::fromUtf8(c.typed));
        if (c.f4)
            key(*editor, Qt::Key_F4);
        if (c.closeButton)
            click(*editor, "cmdclose");
        else
            editor->close();
        EXPECT_FALSE(editor->isVisible());
        EXPECT_TRUE(f->isVisible());
        EXPECT_EQ(f->activeControlName(), u"txtndungtt"_s); // where the focus was before
        ui::TextBox* box = f->ui().txtndungct;
        EXPECT_EQ(box->text(), QString::fromUtf8(c.box));
        EXPECT_EQ(box->dataChanged(), c.edit && QString::fromUtf8(c.box) != u"Chi tiết"_s);
        if (c.edit) {
            click(*f, "cmdUpdate");
            EXPECT_EQ(plans(u"ndungct"_s), QStringList{QString::fromUtf8(c.box)});
        }
        registers::destroyForms();
        app::module1().schedule.execute(u"delete from "_s + app::module1().plansTable);
    }
}

TEST(TaskRecordTest, SavedByNameAndDateOrder)
{
    EXPECT_EQ(registers::savedByName(u"Một người dùng"_s), QString());
    EXPECT_EQ(registers::savedByName(u"Nguyễn Văn An"_s), u"Nguyễn Văn An"_s);
    for (const auto& [start, end, before] : {std::tuple{"05/01/2026", "04/01/2026", true},
                                             {"05/01/2026", "05/01/2026", false},
                                             {"31/12/2025", "01/01/2026", false},
                                             {"", "01/01/2026", false},
                                             {"xx", "01/01/2026", false}})
        EXPECT_EQ(registers::endBeforeStart(QString::fromLatin1(start), QString::fromLatin1(end)), before)
            << start << " " << end;
}

} // namespace
