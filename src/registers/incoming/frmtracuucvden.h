#pragma once

// The incoming-letters search: criteria per column, hits shown in the incoming list.

#include "registers/search_form.h"

#include <memory>

namespace Ui {
class frmtracuucvden;
}

namespace registers {

// The old form frmtracuucvden.
class IncomingSearchForm : public SearchForm
{
    Q_OBJECT

public:
    explicit IncomingSearchForm(QWidget* parent = nullptr);
    ~IncomingSearchForm() override;

    // The generated layout, for reaching the controls typed (tests).
    const Ui::frmtracuucvden& ui() const { return *m_ui; }

private:
    std::unique_ptr<Ui::frmtracuucvden> m_ui;
};

SearchConfig incomingSearchConfig(const Ui::frmtracuucvden& ui);

} // namespace registers
