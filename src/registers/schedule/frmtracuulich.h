#pragma once

// The schedule search: criteria on the schedule table of any year of the plans-and-schedule file,
// turned into one condition; the hits, by day, are shown in the schedule list, where they are
// marked and printed. Opened by the main window and by the entry form.

#include "registers/search_form.h"

#include <memory>

namespace Ui {
class frmtracuulich;
}

namespace registers {

// The old form frmtracuulich.
class ScheduleSearchForm : public SearchForm
{
    Q_OBJECT

public:
    explicit ScheduleSearchForm(QWidget* parent = nullptr);
    ~ScheduleSearchForm() override;

    // The generated layout, for reaching the controls typed (tests).
    const Ui::frmtracuulich& ui() const { return *m_ui; }

    void cmdtracuu_Click() { Cmdtracuu_Click(); }

protected:
    bool openList(const QString& table, const QString& condition) override;

private:
    std::unique_ptr<Ui::frmtracuulich> m_ui;
};

SearchConfig scheduleSearchConfig(const Ui::frmtracuulich& ui);
// The search's statement on table for condition, ordered by day.
QString scheduleSearchStatement(const QString& table, const QString& condition);

} // namespace registers
