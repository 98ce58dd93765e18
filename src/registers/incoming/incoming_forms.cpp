#include "incoming_forms.h"

#include "frmcvden.h"
#include "frmgridcvden.h"
#include "frmtracuucvden.h"

#include "registers/letters/letter_register.h"

#include "app/core/module1.h"

namespace registers {

void registerIncomingForms()
{
    registerLetterRegister(
        {Register::Incoming, QStringLiteral("Công văn đến"), QStringLiteral("frmcvden"), QStringLiteral("frmgridcvden"),
         QStringLiteral("frmtracuucvden"), QStringLiteral("cmdnapcvden"), QStringLiteral("Cmdxemcvden"),
         QStringLiteral("cmdtracuucvden"), QStringLiteral("Nạp, sửa, in CV đến"), QStringLiteral("Xem CV đến"),
         QStringLiteral("Tra cứu CV đến"), &app::Module1::incomingTable, [] { return new IncomingEntryForm; },
         [] { return new IncomingListForm; }, [] { return new IncomingSearchForm; }});
}

} // namespace registers
