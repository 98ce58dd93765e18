#include "db_error.h"
#include "recordset.h"
#include "recordset_impl.h"
#include "row_source.h"

namespace db {

QString Recordset::source() const
{
    return d->src().source();
}

bool Recordset::markExactly(const QString& table, const QString& column, const QString& mark)
{
    RowSource& r = d->src();
    if (r.type() != RecordsetType::Dynaset || !r.updatable() || r.baseSchema() != QLatin1String("main") ||
        r.baseTable().compare(table, Qt::CaseInsensitive) != 0)
        return false;
    const QString base = r.columns().at(d->column(column)).baseColumn;
    if (base.isEmpty())
        return false;
    std::vector<qint64> keys;
    keys.reserve(size_t(r.liveCount()));
    for (int i = 0; i < r.size(); ++i) {
        if (!r.isDead(i))
            keys.push_back(r.key(i));
    }
    return r.store().markExactly(base, mark, keys, r.keysStamp());
}

} // namespace db
