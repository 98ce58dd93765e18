#pragma once

// The outgoing-letters list: marks letters for printing, prints them, prints by date.

#include "registers/letters_list_form.h"

#include <memory>

namespace Ui {
class frmgridcvdi;
}

namespace registers {

class frmgridcvdi : public LettersListForm
{
    Q_OBJECT

public:
    explicit frmgridcvdi(QWidget* parent = nullptr);
    ~frmgridcvdi() override;

private:
    std::unique_ptr<Ui::frmgridcvdi> m_ui;
};

LettersListConfig outgoingListConfig();

} // namespace registers
