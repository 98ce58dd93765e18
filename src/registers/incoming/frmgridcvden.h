#pragma once

// The incoming-letters list: marks letters for printing, prints them, prints by date.

#include "registers/letters_list_form.h"

#include <memory>

namespace Ui {
class frmgridcvden;
}

namespace registers {

// The old form frmgridcvden.
class IncomingListForm : public LettersListForm
{
    Q_OBJECT

public:
    explicit IncomingListForm(QWidget* parent = nullptr);
    ~IncomingListForm() override;

    const Ui::frmgridcvden& ui() const { return *m_ui; }

private:
    std::unique_ptr<Ui::frmgridcvden> m_ui;
};

LettersListConfig incomingListConfig(const Ui::frmgridcvden& ui);

} // namespace registers
