#pragma once

// Writing and reading tables the way tests prepare and compare them.

#include "platform/db/database.h"
#include "platform/db/recordset.h"
#include "platform/db/sql_quote.h"

#include <QStringList>
#include <QVariantMap>

namespace test {

using namespace Qt::StringLiterals;

// Column values of every row of table in db, in the given order (id order), joined by "|".
inline QStringList tableRows(db::Database& db, const QString& table, const QString& columns,
                             const QString& order = u"id"_s)
{
    QStringList result;
    db::Recordset rs = db.openRecordset(u"select "_s + columns + u" from "_s + table + u" order by "_s + order,
                                        db::RecordsetType::Snapshot);
    for (; !rs.eof(); rs.moveNext()) {
        QStringList values;
        for (int i = 0; i < rs.fieldCount(); ++i)
            values << rs.value(i).toString();
        result << values.join(u'|');
    }
    return result;
}

// Adds a row to table; a null QVariant is stored as Null.
inline void insertRow(db::Database& db, const QString& table, const QVariantMap& values)
{
    QStringList names, literals;
    for (auto it = values.begin(); it != values.end(); ++it) {
        names << it.key();
        literals << (it.value().isNull() ? u"Null"_s : db::quoteLiteral(it.value().toString()));
    }
    db.execute(u"INSERT INTO "_s + table + u" ("_s + names.join(u',') + u") VALUES ("_s + literals.join(u',') + u")"_s);
}

// The values of column in every row of table, in the table's order, "<null>" for Null.
inline QStringList columnValues(db::Database& db, const QString& table, const QString& column)
{
    QStringList values;
    db::Recordset rs = db.openRecordset(u"select "_s + column + u" from "_s + table, db::RecordsetType::Snapshot);
    for (; !rs.eof(); rs.moveNext())
        values << (rs.value(0).isNull() ? u"<null>"_s : rs.value(0).toString());
    return values;
}

// The first value of the first row of sql (a count) as an integer.
inline int scalar(db::Database& db, const QString& sql)
{
    return db.openRecordset(sql, db::RecordsetType::Snapshot).value(0).toInt();
}

} // namespace test
