#pragma once

// The work-plan list: the plans of the year, or a search's hits, ordered by start and end, with
// the current plan's fields below the grid; plans are corrected and deleted here under the same
// rights as on the entry form, and every listed plan is printed on brkehoach.rpt.

#include "registers/record_grid_form.h"

#include "platform/ui/data_combo.h"

#include <memory>

namespace Ui {
class frmgridcongviec;
}

namespace registers {

// The old form frmgridcongviec.
class PlansListForm : public RecordGridForm
{
    Q_OBJECT

public:
    explicit PlansListForm(QWidget* parent = nullptr);
    ~PlansListForm() override;

    // The generated layout, for reaching the controls typed (tests).
    const Ui::frmgridcongviec& ui() const { return *m_ui; }

    ui::DataControl* Datadonvi = nullptr;
    ui::DataControl* Databophan = nullptr;
    ui::DataControl* Dataloai = nullptr;

    void cmdin_Click();

protected:
    void Form_Load() override;
    void writeRecord(db::Recordset& rs) override;
    bool dateRefused(const ui::TextBox* box, const QString& date) override;

private:
    void comboClick(ui::DataCombo* combo, ui::TextBox* box, int area);

    std::unique_ptr<Ui::frmgridcongviec> m_ui;
};

// The plans of the year in the lists' order.
QString planListSource(const QString& table);
// The print statement of the list whose record source is source: the report's columns, the
// result cut to 250 characters, and source's own table, condition and order. "" when source has
// no "from".
QString planPrintStatement(const QString& source);

} // namespace registers
