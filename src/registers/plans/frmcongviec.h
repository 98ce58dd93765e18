#pragma once

// The work-plan entry form: one task of the year (kehoach + year) at a time, added, corrected
// and deleted; ordinary staff ("CB") change only the tasks they saved themselves.

#include "registers/entry_form.h"

#include "platform/ui/data_combo.h"

#include <memory>

namespace Ui {
class frmcongviec;
}

namespace registers {

// The old form frmcongviec.
class PlansEntryForm : public EntryForm
{
    Q_OBJECT

public:
    explicit PlansEntryForm(QWidget* parent = nullptr);
    ~PlansEntryForm() override;

    // The generated layout, for reaching the controls typed (tests).
    const Ui::frmcongviec& ui() const { return *m_ui; }

    ui::DataControl* Datadonvi = nullptr;
    ui::DataControl* Databophan = nullptr;
    ui::DataControl* Dataloai = nullptr;

    void cmdGrid_Click();
    // Back from the list or the search: the year's plans again, on the plan whose id is id.
    void returnTo(long long id) override;

protected:
    void Form_Load() override;
    void fillNewRecord() override;
    void writeRecord(db::Recordset& rs) override;
    bool dateRefused(const ui::TextBox* box, const QString& date) override;

private:
    void bindLists();
    void DBCombodonvi_Click(int area);
    void DBCombophong_Click(int area);
    void DBComboloai_Click(int area) override;
    void cmdxemct_Click();

    std::unique_ptr<Ui::frmcongviec> m_ui;
};

} // namespace registers
