#include "outgoing_forms.h"

#include "frmcvdi.h"
#include "frmgridcvdi.h"
#include "frmtracuucvdi.h"

#include "registers/letters/letter_register.h"

#include "app/core/module1.h"

namespace registers {

void registerOutgoingForms()
{
    registerLetterRegister(
        {Register::Outgoing, QStringLiteral("Công văn đi "), QStringLiteral("frmcvdi"), QStringLiteral("frmgridcvdi"),
         QStringLiteral("frmtracuucvdi"), QStringLiteral("cmdnapcvdi"), QStringLiteral("cmdxemcvdi"),
         QStringLiteral("cmdtracuucvdi"), QStringLiteral("Nạp, sửa, in CV đi"), QStringLiteral("Xem CV đi"),
         QStringLiteral("Tra cứu CV đi"), &app::Module1::outgoingTable, [] { return new OutgoingEntryForm; },
         [] { return new OutgoingListForm; }, [] { return new OutgoingSearchForm; }});
}

} // namespace registers
