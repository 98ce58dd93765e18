#include "schedule_forms.h"

#include "frmGridlich.h"
#include "frmgridtuan.h"
#include "frmlich.h"
#include "frmtracuulich.h"

#include "registers/form_registry.h"
#include "registers/register_opener.h"

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
    const auto opener = [](Start start, const QString& formName, auto show) {
        return openerOf(Register::Schedule, start, formName, &app::Module1::scheduleTable, std::function(show));
    };
    app::RegisterDescriptor d;
    d.frameTitle = QStringLiteral("Lịch làm việc");
    d.dataFile = app::DataFile::Schedule;
    d.entry = {QStringLiteral("cmdnaplich"), QStringLiteral("Nạp, sửa lịch tuần"),
               opener(Start::Entry, QStringLiteral("frmlich"),
                      [](ScheduleEntryForm& f, const app::FormRequest&) { f.open(f.session().yearTable()); })};
    // The week that holds today, unless the caller names a day of another week in the first box.
    d.list = {QStringLiteral("Cmdxemlich"), QStringLiteral("Xem lịch tuần"),
              opener(Start::Week, QStringLiteral("frmgridtuan"), [](WeekViewForm& f, const app::FormRequest& r) {
                  const QDate day =
                      r.boxes.isEmpty() ? common::clock().today() : common::dateFromDisplay(r.boxes.value(0));
                  // Rows that cannot be read were told by the view; the main window then stays as it is.
                  if (!f.openWeek(day))
                      throw std::runtime_error("the week view could not read its rows");
              })};
    d.search = {QStringLiteral("cmdtracuulich"), QStringLiteral("Tra cứu lịch tuần"),
                opener(Start::Search, QStringLiteral("frmtracuulich"),
                       [](ScheduleSearchForm& f, const app::FormRequest&) { f.open(); })};
    app::addRegister(std::move(d));
}

} // namespace registers
