#include "plan_forms.h"

#include "frmcongviec.h"
#include "frmgridcongviec.h"
#include "frmtracuukh.h"
#include "frmtxt.h"

#include "registers/form_registry.h"
#include "registers/register_opener.h"

#include "app/core/module1.h"
#include "app/gui/register_catalog.h"

namespace registers {

void registerPlanForms()
{
    addForm(QStringLiteral("frmcongviec"), [] { return new PlansEntryForm; });
    addForm(QStringLiteral("frmgridcongviec"), [] { return new PlansListForm; });
    addForm(QStringLiteral("frmtracuukh"), [] { return new PlansSearchForm; });
    addForm(QStringLiteral("frmtxt"), [] { return new PlanDetailEditor; });
    const auto opener = [](Start start, const QString& formName, auto show) {
        return openerOf(Register::Plans, start, formName, &app::Module1::plansTable, std::function(show));
    };
    app::RegisterDescriptor d;
    d.frameTitle = QStringLiteral("kế hoạch công tác");
    d.dataFile = app::DataFile::Schedule;
    d.entry = {QStringLiteral("cmdnapkh"), QStringLiteral("Nạp, sửa kế hoạch"),
               opener(Start::Entry, QStringLiteral("frmcongviec"),
                      [](PlansEntryForm& f, const app::FormRequest&) { f.open(f.session().yearTable()); })};
    d.list = {QStringLiteral("cmdxemkh"), QStringLiteral("Xem kế hoạch"),
              opener(Start::List, QStringLiteral("frmgridcongviec"), [](PlansListForm& f, const app::FormRequest&) {
                  const QString table = f.session().yearTable();
                  f.openList(table, planListSource(table));
              })};
    d.search = {QStringLiteral("cmdtracuukh"), QStringLiteral("Tra cứu kế hoạch"),
                opener(Start::Search, QStringLiteral("frmtracuukh"),
                       [](PlansSearchForm& f, const app::FormRequest&) { f.open(); })};
    app::addRegister(std::move(d));
}

} // namespace registers
