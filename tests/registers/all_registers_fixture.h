#pragma once

// The register fixture with the forms of all four registers known, an administrator logged in and
// the main window's buttons at hand: for what the registers' forms do alike.

#include "register_fixture.h"

#include "app/gui/form_commands.h"
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
        app::module1().userFullName = QStringLiteral("Nguyễn Văn An");
        app::module1().userRights = QStringLiteral("QT");
    }

    // Runs the main window's button command on file, as the main window does, and returns the
    // form named form, active.
    template <typename T> T* openBy(const char* command, app::DataFile file, const char* form)
    {
        app::FormRequest request;
        request.command = QString::fromLatin1(command);
        request.dataFile = file;
        EXPECT_TRUE(app::openForm(request, &mainWindow)) << command;
        auto* f = registers::form<T>(QString::fromLatin1(form));
        activate(f);
        return f;
    }
};

} // namespace registers_test
