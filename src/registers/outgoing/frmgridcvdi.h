#pragma once

// The outgoing-letters list: marks letters for printing, prints them, prints by date.

#include "registers/letters_list_form.h"

#include <memory>

namespace Ui {
class frmgridcvdi;
}

namespace registers {

// The old form frmgridcvdi.
class OutgoingListForm : public LettersListForm
{
    Q_OBJECT

public:
    explicit OutgoingListForm(QWidget* parent = nullptr);
    ~OutgoingListForm() override;

private:
    std::unique_ptr<Ui::frmgridcvdi> m_ui;
};

LettersListConfig outgoingListConfig();

} // namespace registers
