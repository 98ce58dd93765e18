#include "connection.h"
#include "db_error.h"
#include "recordset.h"
#include "recordset_impl.h"
#include "row_source.h"
#include "sql_quote.h"
#include "statement.h"

#include <QHash>
#include <QSet>

namespace db {

QString Recordset::source() const
{
    return d->src().source();
}

bool Recordset::markExactly(const QString& table, const QString& column, const QString& mark)
{
    RowSource& r = d->src();
    if (r.type() != RecordsetType::Dynaset || !r.updatable() || !r.store().file() ||
        r.baseSchema() != QLatin1String("main") || r.baseTable().compare(table, Qt::CaseInsensitive) != 0)
        return false;
    const int index = d->column(column);
    const QString base = r.columns().at(index).baseColumn;
    if (base.isEmpty())
        return false;
    Connection& conn = *r.store().file();
    WriteScope scope(conn);
    if (!(r.stamp() == r.keysStamp()))
        return false;
    sqlite3* db = conn.handle();
    const QString name = quoteIdentifier(r.baseTable());
    const QString field = quoteIdentifier(base);

    QSet<qint64> wanted;
    wanted.reserve(r.liveCount());
    for (int i = 0; i < r.size(); ++i) {
        if (!r.isDead(i))
            wanted.insert(r.key(i));
    }
    // The rows holding the mark (through the partial index); those listed keep it untouched when
    // it is written exactly so.
    QSet<qint64> done;
    {
        Statement marked(db, QStringLiteral("SELECT rowid, ") + field + QStringLiteral(" FROM ") + name +
                                 QStringLiteral(" WHERE ") + field + QStringLiteral(" = ") + quoteLiteral(mark));
        Statement clear(db, QStringLiteral("UPDATE ") + name + QStringLiteral(" SET ") + field +
                                QStringLiteral(" = '' WHERE rowid = ?1"));
        std::vector<qint64> cleared;
        while (marked.step()) {
            const qint64 rowid = marked.int64(0);
            if (!wanted.contains(rowid))
                cleared.push_back(rowid);
            else if (marked.text(1) == mark)
                done.insert(rowid);
        }
        for (const qint64 rowid : cleared) {
            clear.bindInt64(1, rowid);
            clear.run();
        }
    }
    Statement set(db, QStringLiteral("UPDATE ") + name + QStringLiteral(" SET ") + field +
                          QStringLiteral(" = ?1 WHERE rowid = ?2"));
    set.bindText(1, mark);
    for (const qint64 rowid : std::as_const(wanted)) {
        if (done.contains(rowid))
            continue;
        set.bindInt64(2, rowid);
        set.run();
    }
    scope.commit();
    return true;
}

} // namespace db
