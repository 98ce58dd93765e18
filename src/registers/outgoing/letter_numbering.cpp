#include "letter_numbering.h"

#include "platform/db/sql_quote.h"

namespace registers {

QString typeCriterion(const QString& type)
{
    return QStringLiteral("loai =") + db::quoteLiteral(type);
}

QString letterNumberPrefix(const QString& registerNumber)
{
    return registerNumber.trimmed() + QStringLiteral("/");
}

TypeNumber numberForType(const db::Recordset& rs, const QString& type, int editedPosition)
{
    TypeNumber result;
    if (rs.recordCount() == 0) {
        result.number = 1;
        return result;
    }
    if (type.trimmed().isEmpty()) {
        result.outcome = TypeNumber::Outcome::NoType;
        return result;
    }
    const QString criterion = typeCriterion(type);
    db::Recordset look = rs.clone();
    if (editedPosition < 0) {
        look.findLast(criterion);
        result.number = look.noMatch() ? 1 : look.value(QStringLiteral("stt")).toInt() + 1;
        return result;
    }
    look.setAbsolutePosition(editedPosition);
    if (editedPosition > 0) {
        look.findPrevious(criterion);
        result.number = look.noMatch() ? 1 : look.value(QStringLiteral("stt")).toInt() + 1;
        look.setAbsolutePosition(editedPosition);
    } else {
        result.number = 1;
    }
    if (editedPosition + 1 < rs.recordCount()) {
        look.findNext(criterion);
        if (!look.noMatch() && look.value(QStringLiteral("stt")).toInt() == result.number)
            result.outcome = TypeNumber::Outcome::Taken;
    }
    return result;
}

} // namespace registers
