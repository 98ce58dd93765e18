#include "incoming_forms.h"

#include "frmcvden.h"
#include "frmcvdenhan.h"
#include "frmgridcvden.h"
#include "frmtracuucvden.h"

#include "registers/letters/letter_register.h"
#include "registers/register_opener.h"

#include "app/core/module1.h"
#include "app/gui/register_catalog.h"

namespace registers {

void registerIncomingForms()
{
    registerLetterRegister(
        {Register::Incoming, QStringLiteral("Công văn đến"), QStringLiteral("frmcvden"), QStringLiteral("frmgridcvden"),
         QStringLiteral("frmtracuucvden"), QStringLiteral("cmdnapcvden"), QStringLiteral("Cmdxemcvden"),
         QStringLiteral("cmdtracuucvden"), QStringLiteral("Nạp, sửa, in CV đến"), QStringLiteral("Xem CV đến"),
         QStringLiteral("Tra cứu CV đến"), &app::Module1::incomingTable, [] { return new IncomingEntryForm; },
         [] { return new IncomingListForm; }, [] { return new IncomingSearchForm; }});

    // The letters due for handling: a fourth button of the frame, and their counts under it.
    addForm(QStringLiteral("frmcvdenhan"), [] { return new DueLettersForm; });
    const app::RegisterDescriptor* incoming = app::findRegister(QStringLiteral("cmdnapcvden"));
    if (!incoming)
        return;
    app::RegisterDescriptor d = *incoming;
    d.more = {{QStringLiteral("cmdcvdenhan"), QStringLiteral("Công văn đến hạn, quá hạn"),
               [](const app::FormRequest& request, QWidget* mainWindow) {
                   setMainWindow(mainWindow);
                   form<DueLettersForm>(QStringLiteral("frmcvdenhan"))->open(request.database(), contextFromProgram());
               }}};
    d.showsDueCounts = true;
    app::addRegister(std::move(d));
}

} // namespace registers
