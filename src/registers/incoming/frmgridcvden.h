#pragma once

// The incoming-letters list: marks letters for printing, prints them, prints by date.

#include "registers/list_form.h"

#include <memory>

namespace Ui {
class frmgridcvden;
}

namespace registers {

class frmgridcvden : public ListForm
{
    Q_OBJECT

public:
    explicit frmgridcvden(QWidget* parent = nullptr);
    ~frmgridcvden() override;

private:
    std::unique_ptr<Ui::frmgridcvden> m_ui;
};

ListConfig incomingListConfig();

} // namespace registers
