#pragma once

// The outgoing-letters search: criteria per column, hits shown in the outgoing list.

#include "registers/search_form.h"

#include <memory>

namespace Ui {
class frmtracuucvdi;
}

namespace registers {

class frmtracuucvdi : public SearchForm
{
    Q_OBJECT

public:
    explicit frmtracuucvdi(QWidget* parent = nullptr);
    ~frmtracuucvdi() override;

private:
    std::unique_ptr<Ui::frmtracuucvdi> m_ui;
};

SearchConfig outgoingSearchConfig();

} // namespace registers
