#pragma once

#include <QString>

namespace db {

// The parts of a translated (SQLite) SELECT that a dynaset needs: its select list, its FROM
// clause and what follows. A SELECT over one table without DISTINCT, GROUP BY, HAVING, compound
// parts or aggregate functions is "single-table": each of its rows is one row of that table, so
// the dynaset can keep the rowids and read every row again by rowid.
struct SelectShape
{
    bool parsed = false;        // a plain SELECT with a FROM clause was found
    bool singleTable = false;   // see above
    QString selectList;         // between SELECT [ALL] and FROM
    QString fromClause;         // after FROM, up to WHERE/GROUP/HAVING/ORDER/LIMIT or the end
    QString tail;               // WHERE ... ORDER BY ... LIMIT ..., without a final ';'
    QString schema;             // schema that qualifies the table; empty when none
    QString table;              // the table name, unquoted
    QString qualifier;          // quoted alias, or quoted table name: what reaches the rowid
    bool orderByNumber = false; // ORDER BY names a column by its number in the select list

    static SelectShape analyse(const QString& sql);
};

// Text of sql from its first top-level SELECT on (for "INSERT INTO t SELECT ..."); empty when
// there is none.
QString selectPart(const QString& sql);

} // namespace db
