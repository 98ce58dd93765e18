// The incoming entry form destroyed while one of its boxes has the focus.
#include "../focus_teardown.h"
#include "../register_fixture.h"

#include "registers/incoming/frmcvden.h"

namespace {

using registers_test::RegisterTest;

TEST_F(RegisterTest, IncomingEntryFormDestroyedWhileABoxHasTheFocus)
{
    auto* f = registers::form<registers::IncomingEntryForm>(QStringLiteral("frmcvden"));
    f->open(app::module1().incomingTable);
    registers_test::destroyWithFocusInBox(f);
}

} // namespace
