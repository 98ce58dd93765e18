// The plan entry form and the plan list destroyed while one of their boxes has the focus.
#include "../focus_teardown.h"
#include "plan_fixture.h"

#include "registers/plans/frmgridcongviec.h"

namespace {

using plans_test::PlanTest;

TEST_F(PlanTest, EntryFormAndListDestroyedWhileABoxHasTheFocus)
{
    registers_test::destroyWithFocusInBox(openEntry());
    ASSERT_TRUE(app::openForm(request(QStringLiteral("cmdxemkh")), &mainWindow));
    registers_test::destroyWithFocusInBox(registers::form<registers::PlansListForm>(QStringLiteral("frmgridcongviec")));
}

} // namespace
