#include "form_support.h"

#include "app/core/messenger.h"
#include "app/core/run_time_error.h"
#include "common/abbreviation.h"
#include "common/date_field.h"
#include "platform/db/db_error.h"
#include "platform/ui/data_control.h"
#include "platform/ui/form_base.h"
#include "platform/ui/hourglass.h"

#include <QLabel>

namespace registers {

db::Recordset referenceList(const ProgramContext& m, ReferenceList list)
{
    switch (list) {
    case ReferenceList::Abbreviations:
        return m.abbreviations;
    case ReferenceList::Units:
        return m.units;
    case ReferenceList::Correspondents:
        return m.correspondents;
    case ReferenceList::LetterTypes:
        break;
    }
    return m.letterTypes;
}

void expandFrom(const ProgramContext& context, ui::TextBox& box, int key, ReferenceList list, const QString& column)
{
    if (box.isLocked())
        return; // a box being viewed is never rewritten
    TextBoxAdapter adapter(box);
    try {
        db::Recordset rs = referenceList(context, list); // a handle: the program's list, moved
        common::expandAbbreviation(adapter, key, rs, column);
    } catch (const db::DbError& e) {
        app::recordRunTimeError(e);
    }
}

bool moveToTypedPosition(ui::DataControl& data, const QString& typed)
{
    if (!data.hasRecordset())
        return false;
    const db::Recordset rs = data.recordset();
    bool ok = false;
    const int n = typed.section(QLatin1Char('/'), 0, 0).trimmed().toInt(&ok);
    if (!ok || n <= 0 || n == rs.absolutePosition() + 1 || n > rs.recordCount())
        return false;
    data.moveTo(n - 1);
    return true;
}

bool recheckDateBox(ui::TextBox& box, const QString& message)
{
    const common::DateFieldResult r = common::leaveDateField(box.text());
    if (r.outcome == common::DateFieldResult::Outcome::Invalid) {
        app::tell(message);
        box.setText(QString());
        box.setFocus();
        return false;
    }
    if (r.outcome == common::DateFieldResult::Outcome::Completed && box.text() != r.text)
        box.setText(r.text);
    return true;
}

void refuseSearch(const QString& message, QWidget* focus)
{
    ui::setDefaultPointer();
    app::tell(message);
    if (focus)
        focus->setFocus();
}

} // namespace registers
