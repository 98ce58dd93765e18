#include "plan_lists.h"

#include "registers/form_support.h"
#include "registers/task_record.h"

#include "app/core/messenger.h"

namespace registers {

ui::DataControl* makeListControl(QWidget* parent, const char* name)
{
    auto* d = new ui::DataControl(parent);
    d->setObjectName(QString::fromLatin1(name));
    d->setRecordsetType(db::RecordsetType::Snapshot);
    d->hide();
    return d;
}

void setUpListCombo(ui::DataCombo* combo, ui::DataControl* rows, const QString& field, const QString& caption,
                    const QString& bound)
{
    combo->setRowSource(rows);
    combo->setListField(field);
    if (!bound.isEmpty())
        combo->setBoundColumn(bound);
    combo->setEditable(false);
    setAccessibleCaption(combo, caption);
}

void bindPlanLists(RegisterSession& visit, ui::DataControl* units, ui::DataControl* departments, ui::DataControl* types)
{
    const ProgramContext& m = visit.context();
    units->setDatabase(m.scheduleReference);
    units->setRecordSource(QStringLiteral("SELECT * FROM donvi ORDER BY matt"));
    units->refresh();
    departments->setDatabase(m.scheduleReference);
    departments->setRecordSource(QStringLiteral("SELECT * FROM bophan ORDER BY matt"));
    departments->refresh();
    types->setDatabase(visit.database());
    types->setRecordSource(QStringLiteral("select distinct loai from kehoach") + m.workingYear +
                           QStringLiteral(" order by loai"));
    types->refresh();
}

bool refuseEndBeforeStart(const ui::TextBox* start, ui::TextBox* end, const QString& endDate)
{
    if (!endBeforeStart(start->text(), endDate))
        return false;
    app::tell(kEndBeforeStartMessage);
    end->setFocus();
    return true;
}

} // namespace registers
