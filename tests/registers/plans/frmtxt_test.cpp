// The detail editor opened by the work-plan entry form's enlarge button: typing with abbreviation
// expansion, F4, and what closing it hands back to the entry form.
#include "plan_fixture.h"

#include "../../support/accessibility_check.h"

#include "registers/plans/frmtxt.h"

namespace {

using plans_test::PlanTest;
using registers::PlanDetailEditor;
using registers::PlansEntryForm;

TEST_F(PlanTest, DetailEditorCopiesAChangedTextBackOnlyWhileAddingOrEditing)
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

} // namespace
