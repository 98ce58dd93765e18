#include "record_grid_form.h"

#include "form_support.h"
#include "register_opener.h"

namespace registers {

void RecordGridForm::attachGrid(ui::Grid* grid, const QString& caption, const QList<ListColumn>& columns,
                                ui::TextBox* margin, EntryConfig config)
{
    DBGrid1 = grid;
    for (const ListColumn& c : columns)
        DBGrid1->addColumn(c.caption, c.field, c.width);
    DBGrid1->setDataSource(Data1);
    setAccessibleCaption(DBGrid1, caption);
    margin->setText(QStringLiteral("10"));
    attachControls(std::move(config));
}

bool RecordGridForm::openList(const QString& table, const QString& source)
{
    open(table, source);
    if (!Data1->hasRecordset())
        return false; // the data control told the engine's text
    if (Data1->recordset().recordCount() > 0)
        Data1->moveFirst();
    DBGrid1->setFocus();
    return true;
}

long long RecordGridForm::keepPosition()
{
    session().setCurrentId(Data1->hasCurrentRecord() ? recordset().value(QStringLiteral("id")).toLongLong() : 0);
    DBGrid1->setFocus();
    return session().currentId();
}

void RecordGridForm::afterClose()
{
    keepPosition();
    session().finished(FormRole::List);
}

SessionPtr RecordGridForm::makeOwnSession() const
{
    return programSession(m_config.which, Start::List, table());
}

} // namespace registers
