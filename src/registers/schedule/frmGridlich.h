#pragma once

// The schedule list: the year's schedule, or a search's hits, ordered by day and time, with the
// current item's boxes below the grid for adding and correcting (the list has modes of its own),
// marks for printing and the marked items printed
// on brlichtuan.rpt through the print table inlich.

#include "registers/print_marks.h"
#include "registers/record_grid_form.h"

#include <memory>

namespace Ui {
class frmGridlich;
}

namespace registers {

// The old form frmGridlich.
class ScheduleListForm : public RecordGridForm
{
    Q_OBJECT

public:
    explicit ScheduleListForm(QWidget* parent = nullptr);
    ~ScheduleListForm() override;

    // The generated layout, for reaching the controls typed (tests).
    const Ui::frmGridlich& ui() const { return *m_ui; }

    // Opens the list (RecordGridForm::openList); fromSearch: the list shows a search's hits, which
    // "&Chọn tất" marks. A list whose rows cannot be read hides again.
    bool openList(const QString& table, const QString& source, bool fromSearch);

    void DBGrid1_DblClick();
    void Cmdchontat_Click();
    void Cmdhuychon_Click();
    void Cmdin_Click();

protected:
    void Form_Load() override;
    void Form_KeyUp(int keyCode, int shift) override;
    void writeRecord(db::Recordset& rs) override;
    // The clash question before a save; the week published again after a save or a deletion.
    bool saveConfirmed() override;
    void aboutToDelete() override;
    void recordWritten() override;

private:
    void marksRan(bool ran);

    std::unique_ptr<Ui::frmGridlich> m_ui;
    QString m_deletedDay; // the day of the item being deleted
    MarkPrintConfig m_printConfig;
    PrintMarks m_marks;
    bool m_fromSearch = false;
};

// How the schedule list marks and prints.
MarkPrintConfig scheduleMarkConfig();

} // namespace registers
