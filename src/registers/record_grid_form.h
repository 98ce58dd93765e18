#pragma once

// A register list that shows its records in a grid with the current record's boxes below and
// edits them under the entry form's modes and rules (PlansListForm, ScheduleListForm). The base
// holds what such a list does alike: the grid on Data1, opening on the first record with the focus
// in the grid, the print margin box and report control, and, when it closes, the current record
// handed to its visit for the form the user came from; nothing comes back to a list.

#include "entry_form.h"

#include "platform/report/report_control.h"
#include "platform/ui/grid.h"

namespace registers {

struct ListColumn
{
    QString caption;
    QString field;
    int width;
};

// What every list changes in its register's entry configuration: its own status label and
// buttons, the row deleted with cmdxoa after a question, the record's id shown in txtid.
template <class Ui> EntryConfig listConfig(EntryConfig config, const Ui& ui)
{
    config.controls = {ui.lbltrangthai, ui.cmdUpdate, ui.cmdclose};
    config.boxFields.insert(ui.txtid, QStringLiteral("ID"));
    config.deleteButton = ui.cmdxoa;
    config.deleteQuestion = QStringLiteral("Có thực sự muốn xoá dòng này không ?");
    return config;
}

class RecordGridForm : public EntryForm
{
    Q_OBJECT

public:
    using EntryForm::EntryForm;

    // Shows source (the year's records in the list's order, or a search's) of the year table
    // `table` from its first record, the focus in the grid. False, with the engine's text told,
    // when the rows cannot be read.
    bool openList(const QString& table, const QString& source);

    ui::Grid* DBGrid1 = nullptr;
    report::ReportControl CrystalReport1;

protected:
    // Puts the columns on grid, shows Data1 in it under the accessible caption, and gives the
    // print margin box its default; then wires the controls of config (attachControls).
    void attachGrid(ui::Grid* grid, const QString& caption, const QList<ListColumn>& columns, ui::TextBox* margin,
                    EntryConfig config);

    // Hands the current record's id (0 for none) to the visit and puts the focus back in the grid.
    long long keepPosition();

    void afterClose() override;
    SessionPtr makeOwnSession() const override;
    void joined(RegisterSession& session) override { Q_UNUSED(session) }
};

} // namespace registers
