#include "schedule_forms.h"

#include "frmGridlich.h"
#include "frmgridtuan.h"
#include "frmlich.h"
#include "frmtracuulich.h"

#include "registers/form_registry.h"

#include "app/core/module1.h"
#include "app/gui/form_commands.h"
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
    app::registerFormOpener(QStringLiteral("cmdnaplich"), [visit](const app::FormRequest& request, QWidget* main) {
        setMainWindow(main);
        auto* entry = form<ScheduleEntryForm>(QStringLiteral("frmlich"));
        entry->setSession(visit(request, Start::Entry));
        entry->open(entry->session().yearTable());
    });
    // The main window has put the current week's Monday first among the boxes.
    app::registerFormOpener(QStringLiteral("Cmdxemlich"), [visit](const app::FormRequest& request, QWidget* main) {
        setMainWindow(main);
        auto* week = form<WeekViewForm>(QStringLiteral("frmgridtuan"));
        week->setSession(visit(request, Start::Week));
        // Rows that cannot be read were told by the view; the main window then stays as it is.
        if (!week->openWeek(common::dateFromDisplay(request.boxes.value(0))))
            throw std::runtime_error("the week view could not read its rows");
    });
    app::registerFormOpener(QStringLiteral("cmdtracuulich"), [visit](const app::FormRequest& request, QWidget* main) {
        setMainWindow(main);
        auto* search = form<ScheduleSearchForm>(QStringLiteral("frmtracuulich"));
        search->setSession(visit(request, Start::Search));
        search->open();
    });
}

} // namespace registers
