#pragma once

// The schedule list: the year's schedule, or a search's hits, ordered by day and time, with the
// current item's boxes below the grid for adding and correcting (the list has modes of its own),
// marks for printing and the marked items printed
// on brlichtuan.rpt through the print table inlich.

#include "registers/entry_form.h"
#include "registers/print_marks.h"

#include "platform/report/report_control.h"
#include "platform/ui/grid.h"

#include <memory>

namespace Ui {
class frmGridlich;
}

namespace registers {

// The old form frmGridlich.
class ScheduleListForm : public EntryForm
{
    Q_OBJECT

public:
    explicit ScheduleListForm(QWidget* parent = nullptr);
    ~ScheduleListForm() override;

    // Shows source (the year's schedule in order, or a search statement) of the year table
    // `table`; fromSearch: the list shows a search's hits, which "&Chọn tất" marks. False, with
    // the engine's text told, when the rows cannot be read.
    bool openList(const QString& table, const QString& source, bool fromSearch);

    ui::Grid* DBGrid1 = nullptr;
    report::ReportControl CrystalReport1;

    void DBGrid1_DblClick();
    void Cmdchontat_Click();
    void Cmdhuychon_Click();
    void Cmdin_Click();

protected:
    void Form_Load() override;
    void Form_KeyUp(int keyCode, int shift) override;
    void writeRecord(db::Recordset& rs) override;
    void afterClose() override;
    SessionPtr makeOwnSession() const override;
    void joined(RegisterSession& session) override { Q_UNUSED(session) } // nothing comes back to the list

private:
    long long rememberPosition();
    void marksRan(bool ran);

    std::unique_ptr<Ui::frmGridlich> m_ui;
    MarkPrintConfig m_printConfig;
    PrintMarks m_marks;
    bool m_fromSearch = false;
};

// How the schedule list marks and prints.
MarkPrintConfig scheduleMarkConfig();

} // namespace registers
