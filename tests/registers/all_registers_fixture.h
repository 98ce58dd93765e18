#pragma once

// The register fixture with the forms of all four registers known, an administrator logged in and
// the main window's buttons at hand: for what the registers' forms do alike.

#include "register_fixture.h"

#include "registers/outgoing/outgoing_forms.h"
#include "registers/plans/plan_forms.h"
#include "registers/schedule/schedule_forms.h"

namespace registers_test {

class AllRegistersTest : public RegisterTest
{
protected:
    void SetUp() override
    {
        RegisterTest::SetUp();
        registers::registerOutgoingForms();
        registers::registerPlanForms();
        registers::registerScheduleForms();
        login(u"Nguyễn Văn An"_s, u"QT"_s);
    }
};

} // namespace registers_test
