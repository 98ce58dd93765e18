// The schedule entry form and the schedule list destroyed while one of their boxes has the focus.
#include "../focus_teardown.h"
#include "schedule_fixture.h"

#include "registers/schedule/frmGridlich.h"

namespace {

using schedule_test::ScheduleTest;

TEST_F(ScheduleTest, EntryFormAndListDestroyedWhileABoxHasTheFocus)
{
    registers_test::destroyWithFocusInBox(openEntry());
    registers::ScheduleEntryForm* entry = openEntry();
    click(*entry, "cmdbang");
    auto* list = formNamed<registers::ScheduleListForm>("frmGridlich");
    ASSERT_TRUE(list->isVisible());
    registers_test::destroyWithFocusInBox(list);
}

} // namespace
