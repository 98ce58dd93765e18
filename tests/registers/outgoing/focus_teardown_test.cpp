// The outgoing entry form destroyed while one of its boxes has the focus.
#include "../focus_teardown.h"
#include "../register_fixture.h"

#include "registers/outgoing/frmcvdi.h"
#include "registers/outgoing/outgoing_forms.h"

namespace {

using registers_test::RegisterTest;

TEST_F(RegisterTest, OutgoingEntryFormDestroyedWhileABoxHasTheFocus)
{
    registers::registerOutgoingForms();
    auto* f = registers::form<registers::OutgoingEntryForm>(QStringLiteral("frmcvdi"));
    f->open(app::module1().outgoingTable);
    registers_test::destroyWithFocusInBox(f);
}

} // namespace
