#include "incoming_forms.h"

#include "frmcvden.h"
#include "frmgridcvden.h"
#include "frmtracuucvden.h"

#include "registers/letters/letter_register.h"

#include "app/core/module1.h"

namespace registers {

void registerIncomingForms()
{
    registerLetterRegister({QStringLiteral("frmcvden"), QStringLiteral("frmgridcvden"),
                            QStringLiteral("frmtracuucvden"), QStringLiteral("cmdnapcvden"),
                            QStringLiteral("Cmdxemcvden"), QStringLiteral("cmdtracuucvden"),
                            &app::Module1::incomingTable, [] { return new IncomingEntryForm; },
                            [] { return new IncomingListForm; }, [] { return new IncomingSearchForm; }});
}

} // namespace registers
