#include "register_data.h"

#include "registers_log.h"

#include "app/core/messenger.h"
#include "app/core/run_time_error.h"
#include "platform/db/db_error.h"
#include "platform/db/recordset.h"
#include "platform/db/transaction.h"

#include <QRegularExpression>

namespace registers {

bool isWritable(db::Database& db, const QString& table)
{
    // A server has no read-only files, and the probe would move the table's number there, so that
    // every client read its rows again: the save takes its write lock itself.
    if (!db.isFile())
        return true;
    try {
        // Writes nothing, but needs the file's write lock, as every save does.
        db.execute(QStringLiteral("UPDATE ") + table + QStringLiteral(" SET id = id WHERE id = 0"));
        return true;
    } catch (const db::DbError& e) {
        if (e.number() == db::errc::ReadOnlyFile || e.number() == db::errc::NotUpdatable)
            return false;
        throw;
    }
}

bool refuseWhenReadOnly(db::Database& db, const QString& table)
{
    try {
        if (isWritable(db, table))
            return false;
    } catch (const db::DbError& e) {
        app::recordRunTimeError(e);
        return false;
    }
    app::tell(kReadOnlyMessage);
    return true;
}

int nextFreeNumber(db::Database& db, const QString& table, const QString& field, int number, const QString& scope)
{
    const QString where = scope.isEmpty() ? QString() : QStringLiteral(" and (") + scope + QStringLiteral(")");
    db::Recordset taken = db.openRecordset(QStringLiteral("select count(*) from ") + table + QStringLiteral(" where ") +
                                               field + QStringLiteral(" = ") + QString::number(number) + where,
                                           db::RecordsetType::Snapshot);
    if (taken.value(0).toInt() == 0)
        return number;
    db::Recordset highest = db.openRecordset(QStringLiteral("select max(") + field + QStringLiteral(") from ") + table +
                                                 (scope.isEmpty() ? QString() : QStringLiteral(" where ") + scope),
                                             db::RecordsetType::Snapshot);
    return highest.value(0).toInt() + 1;
}

QString listStatement(const QString& recordSource, const QString& prefix)
{
    const QRegularExpression bareTable(QStringLiteral("^") + QRegularExpression::escape(prefix) +
                                           QStringLiteral("\\S*$"),
                                       QRegularExpression::CaseInsensitiveOption);
    if (bareTable.match(recordSource.trimmed()).hasMatch())
        return QStringLiteral("select * from ") + recordSource + QStringLiteral(" order by id");
    return recordSource;
}

void storeQuery(db::Database& db, const QString& name, const QString& statement)
{
    db.refreshQueryDefs();
    for (const QString& q : db.queryNames()) {
        if (q.compare(name, Qt::CaseInsensitive) == 0) {
            db.setQuerySql(q, statement);
            return;
        }
    }
    db.createQueryDef(name, statement);
}

QString dateRangeTitle(const QString& from, const QString& to)
{
    if (from == to)
        return QStringLiteral("(Ngày ") + from + QStringLiteral(")");
    // The blank before "đến" keeps the two dates apart: "(Từ ngày 01/01/2026 đến 05/01/2026)".
    return QStringLiteral("(Từ ngày ") + from + QStringLiteral(" đến ") + to + QStringLiteral(")");
}

QStringList tableYears(const db::Database& db, const QString& prefix)
{
    const QRegularExpression yearTable(QStringLiteral("^") + QRegularExpression::escape(prefix.toLower()) +
                                       QStringLiteral("....$"));
    QStringList years;
    for (const QString& t : db.tableNames()) {
        const QString name = t.trimmed();
        if (yearTable.match(name.toLower()).hasMatch())
            years << name.right(4);
    }
    return years;
}

void executeAll(db::Database& db, const QStringList& statements)
{
    db::Transaction transaction(db, QStringLiteral("rolling back the statements run together"));
    for (const QString& s : statements)
        db.execute(s);
    transaction.commit();
}

} // namespace registers
