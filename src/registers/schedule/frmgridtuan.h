#pragma once

// The week view: the schedule of one week, Monday to Sunday, by day and time; the week before or
// after, the week of a month's first day, and the whole week printed on brlichtuan.rpt. Opened by
// the main window for the current week and by the entry form for the week of its item; nothing is
// edited here.

#include "registers/register_session.h"

#include "common/weeks.h"
#include "platform/report/report_control.h"
#include "platform/ui/data_control.h"
#include "platform/ui/form_base.h"
#include "platform/ui/grid.h"
#include "platform/ui/text_box.h"

#include <QStringList>
#include <memory>

namespace Ui {
class frmgridtuan;
}

namespace registers {

// The old form frmgridtuan.
class WeekViewForm : public ui::FormBase, public SessionMember
{
    Q_OBJECT

public:
    explicit WeekViewForm(QWidget* parent = nullptr);
    ~WeekViewForm() override;

    // Shows the week that holds day. False, with the engine's text told and the view not shown,
    // when the rows cannot be read.
    bool openWeek(const QDate& day);

    ui::DataControl* Data1 = nullptr;
    ui::Grid* DBGrid1 = nullptr;
    report::ReportControl CrystalReport1;
    common::Week week() const { return m_week; }
    QStringList tables() const { return m_tables; }
    const Ui::frmgridtuan& ui() const { return *m_ui; }

    void cmdtruoc_Click();
    void cmdsau_Click();
    void cmdthang_Click();
    void List1_Click(int row);
    void Cmdinlich_Click();
    // "Xuất lịch tuần": the week shown written as lichtuan.ics and lichtuan.html into a folder the
    // user chooses; then the user may make that folder the publish folder (week_publish.h), or,
    // when it is already, stop publishing there.
    void cmdxuatlichtuan_Click();
    void cmdclose_Click();

protected:
    void Form_Load() override;
    ui::UnloadResult Form_Unload() override;
    void Form_KeyUp(int keyCode, int shift) override;
    SessionPtr makeOwnSession() const override;

private:
    bool showWeek(const common::Week& week);
    void step(int weeks);
    void Data1_Reposition();

    std::unique_ptr<Ui::frmgridtuan> m_ui;
    common::Week m_week;
    QStringList m_tables;
};

} // namespace registers
