#include "schedule_forms.h"

#include "frmGridlich.h"
#include "frmgridtuan.h"
#include "frmlich.h"
#include "frmtracuulich.h"

#include "registers/form_registry.h"

#include "app/core/module1.h"
#include "app/gui/register_catalog.h"
#include "common/clock.h"
#include "common/dates.h"

#include <stdexcept>

namespace registers {

void registerScheduleForms()
{
    addForm(QStringLiteral("frmlich"), [] { return new ScheduleEntryForm; });
    addForm(QStringLiteral("frmGridlich"), [] { return new ScheduleListForm; });
    addForm(QStringLiteral("frmgridtuan"), [] { return new WeekViewForm; });
    addForm(QStringLiteral("frmtracuulich"), [] { return new ScheduleSearchForm; });
    // Each button begins a visit of the register on the schedule file and the working year's table.
    const auto visit = [](const app::FormRequest& request, Start start) {
        return std::make_shared<RegisterSession>(Register::Schedule, start, request.database(),
                                                 app::module1().scheduleTable);
    };
    app::RegisterDescriptor d;
    d.frameTitle = QStringLiteral("Lịch làm việc");
    d.dataFile = app::DataFile::Schedule;
    d.entry = {QStringLiteral("cmdnaplich"), QStringLiteral("Nạp, sửa lịch tuần"),
               [visit](const app::FormRequest& request, QWidget* main) {
                   setMainWindow(main);
                   auto* entry = form<ScheduleEntryForm>(QStringLiteral("frmlich"));
                   entry->setSession(visit(request, Start::Entry));
                   entry->open(entry->session().yearTable());
               }};
    // The week that holds today, unless the caller names a day of another week in the first box.
    d.list = {QStringLiteral("Cmdxemlich"), QStringLiteral("Xem lịch tuần"),
              [visit](const app::FormRequest& request, QWidget* main) {
                  setMainWindow(main);
                  auto* week = form<WeekViewForm>(QStringLiteral("frmgridtuan"));
                  week->setSession(visit(request, Start::Week));
                  const QDate day = request.boxes.isEmpty() ? common::clock().today()
                                                            : common::dateFromDisplay(request.boxes.value(0));
                  // Rows that cannot be read were told by the view; the main window then stays as it is.
                  if (!week->openWeek(day))
                      throw std::runtime_error("the week view could not read its rows");
              }};
    d.search = {QStringLiteral("cmdtracuulich"), QStringLiteral("Tra cứu lịch tuần"),
                [visit](const app::FormRequest& request, QWidget* main) {
                    setMainWindow(main);
                    auto* search = form<ScheduleSearchForm>(QStringLiteral("frmtracuulich"));
                    search->setSession(visit(request, Start::Search));
                    search->open();
                }};
    app::addRegister(std::move(d));
}

} // namespace registers
