#pragma once

// The schedule search: criteria on the schedule table of any year of the plans-and-schedule file,
// turned into one condition; the hits, by day, are shown in the schedule list, where they are
// marked and printed. Opened by the main window and by the entry form.

#include "registers/register_session.h"

#include "platform/ui/form_base.h"
#include "platform/ui/text_box.h"

#include <QComboBox>
#include <functional>
#include <memory>

namespace Ui {
class frmtracuulich;
}

namespace registers {

// The old form frmtracuulich.
class ScheduleSearchForm : public ui::FormBase, public SessionMember
{
    Q_OBJECT

public:
    explicit ScheduleSearchForm(QWidget* parent = nullptr);
    ~ScheduleSearchForm() override;

    // Shows the form with the years of the schedule file; its criteria stay from the last time.
    void open();

    ui::TextBox* box(const QString& name) const { return control<ui::TextBox>(name); }
    QComboBox* yearList() const;

    void cmdtracuu_Click();
    void cmdxoa_Click();
    void cmdclose_Click();

protected:
    void Form_Load() override;
    ui::UnloadResult Form_Unload() override;
    void Form_KeyUp(int keyCode, int shift) override;
    SessionPtr makeOwnSession() const override;
    void joined(RegisterSession& session) override;

private:
    void search();

    std::unique_ptr<Ui::frmtracuulich> m_ui;
};

// The condition of the schedule search for the criteria typed in its boxes (boxText gives a box's
// text by name), appended in the boxes' order. refusedBox names the first box whose criterion is
// not valid (the condition is then not to be run).
struct ScheduleCondition
{
    QString condition;
    QString refusedBox;
};
ScheduleCondition scheduleCondition(const std::function<QString(const QString&)>& boxText);
// The search's statement on table for condition, ordered by day.
QString scheduleSearchStatement(const QString& table, const QString& condition);

} // namespace registers
