#pragma once

// The work-plan register's configuration of the entry form, which its list form (a grid of the
// same boxes) starts from too.

#include "registers/entry_form.h"

namespace registers {

EntryConfig planEntryConfig();

} // namespace registers
