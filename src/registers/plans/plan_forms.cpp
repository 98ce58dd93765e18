#include "plan_forms.h"

#include "frmcongviec.h"
#include "frmgridcongviec.h"
#include "frmtracuukh.h"
#include "frmtxt.h"

#include "registers/form_registry.h"

#include "app/core/module1.h"
#include "app/gui/register_catalog.h"

namespace registers {

void registerPlanForms()
{
    addForm(QStringLiteral("frmcongviec"), [] { return new PlansEntryForm; });
    addForm(QStringLiteral("frmgridcongviec"), [] { return new PlansListForm; });
    addForm(QStringLiteral("frmtracuukh"), [] { return new PlansSearchForm; });
    addForm(QStringLiteral("frmtxt"), [] { return new PlanDetailEditor; });
    // Each button begins a visit of the register on the plans file and the working year's table.
    const auto visit = [](const app::FormRequest& request, Start start) {
        return std::make_shared<RegisterSession>(Register::Plans, start, request.database(), app::module1().plansTable);
    };
    app::RegisterDescriptor d;
    d.frameTitle = QStringLiteral("kế hoạch công tác");
    d.dataFile = app::DataFile::Schedule;
    d.entry = {QStringLiteral("cmdnapkh"), QStringLiteral("Nạp, sửa kế hoạch"),
               [visit](const app::FormRequest& request, QWidget* main) {
                   setMainWindow(main);
                   auto* entry = form<PlansEntryForm>(QStringLiteral("frmcongviec"));
                   entry->setSession(visit(request, Start::Entry));
                   entry->open(entry->session().yearTable());
               }};
    d.list = {QStringLiteral("cmdxemkh"), QStringLiteral("Xem kế hoạch"),
              [visit](const app::FormRequest& request, QWidget* main) {
                  setMainWindow(main);
                  auto* list = form<PlansListForm>(QStringLiteral("frmgridcongviec"));
                  list->setSession(visit(request, Start::List));
                  const QString table = list->session().yearTable();
                  list->openList(table, planListSource(table));
              }};
    d.search = {QStringLiteral("cmdtracuukh"), QStringLiteral("Tra cứu kế hoạch"),
                [visit](const app::FormRequest& request, QWidget* main) {
                    setMainWindow(main);
                    auto* search = form<PlansSearchForm>(QStringLiteral("frmtracuukh"));
                    search->setSession(visit(request, Start::Search));
                    search->open();
                }};
    app::addRegister(std::move(d));
}

} // namespace registers
