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

    const Ui::frmgridcvdi& ui() const { return *m_ui; }

private:
    std::unique_ptr<Ui::frmgridcvdi> m_ui;
};

LettersListConfig outgoingListConfig(const Ui::frmgridcvdi& ui);

} // namespace registers
