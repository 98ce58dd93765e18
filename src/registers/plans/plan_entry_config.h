#pragma once

// The work-plan register's configuration of the entry form. Its list form (a grid of like boxes
// under other names) starts from the texts and rules and adds its own controls.

#include "registers/entry_form.h"

namespace Ui {
class frmcongviec;
}

namespace registers {

// The texts and rules of the plan forms, without their controls.
EntryConfig planEntryTexts();
// The required boxes of a plan, in the order the missing-field message lists them.
QList<RequiredBox> planRequired(ui::TextBox* unit, ui::TextBox* summary, ui::TextBox* start, ui::TextBox* end);
EntryConfig planEntryConfig(const Ui::frmcongviec& ui);

} // namespace registers
