#pragma once

// The schedule entry form: one item of the weekly work schedule (lich + year) at a time, browsed,
// added, corrected and deleted. The weekday and the time's sort key are derived from the day and
// the time typed; ordinary staff ("CB") change only the items they saved themselves.

#include "registers/entry_form.h"

#include <memory>

namespace Ui {
class frmlich;
}

namespace registers {

// The old form frmlich.
class ScheduleEntryForm : public EntryForm
{
    Q_OBJECT

public:
    explicit ScheduleEntryForm(QWidget* parent = nullptr);
    ~ScheduleEntryForm() override;

    // The generated layout, for reaching the controls typed (tests).
    const Ui::frmlich& ui() const { return *m_ui; }

    void cmdbang_Click();
    void cmdGrid_Click();
    // Back from the list, the week view or the search: the year's schedule read again, on the
    // item whose id is id (the one shown before when id is 0).
    void returnTo(long long id) override;

protected:
    void Form_Load() override;
    void Form_KeyUp(int keyCode, int shift) override;
    void fillNewRecord() override;
    void writeRecord(db::Recordset& rs) override;
    // The clash question before a save; the week published again after a save or a deletion.
    bool saveConfirmed() override;
    void aboutToDelete() override;
    void recordWritten() override;

private:
    std::unique_ptr<Ui::frmlich> m_ui;
    QString m_deletedDay; // the day of the item being deleted
};

} // namespace registers
