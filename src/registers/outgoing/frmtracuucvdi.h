#pragma once

// The outgoing-letters search: criteria per column, hits shown in the outgoing list.

#include "registers/search_form.h"

#include <memory>

namespace Ui {
class frmtracuucvdi;
}

namespace registers {

// The old form frmtracuucvdi.
class OutgoingSearchForm : public SearchForm
{
    Q_OBJECT

public:
    explicit OutgoingSearchForm(QWidget* parent = nullptr);
    ~OutgoingSearchForm() override;

    // The generated layout, for reaching the controls typed (tests).
    const Ui::frmtracuucvdi& ui() const { return *m_ui; }

private:
    std::unique_ptr<Ui::frmtracuucvdi> m_ui;
};

SearchConfig outgoingSearchConfig(const Ui::frmtracuucvdi& ui);

} // namespace registers
