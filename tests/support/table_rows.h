#pragma once

// Reading a table the way tests compare it: one text per row.

#include "platform/db/database.h"
#include "platform/db/recordset.h"

#include <QStringList>

namespace test {

// Column values of every row of table in db, in the given order (id order), joined by "|".
inline QStringList tableRows(db::Database& db, const QString& table, const QString& columns,
                             const QString& order = QStringLiteral("id"))
{
    QStringList result;
    db::Recordset rs = db.openRecordset(QStringLiteral("select ") + columns + QStringLiteral(" from ") + table +
                                            QStringLiteral(" order by ") + order,
                                        db::RecordsetType::Snapshot);
    for (; !rs.eof(); rs.moveNext()) {
        QStringList values;
        for (int i = 0; i < rs.fieldCount(); ++i)
            values << rs.value(i).toString();
        result << values.join(QLatin1Char('|'));
    }
    return result;
}

} // namespace test
