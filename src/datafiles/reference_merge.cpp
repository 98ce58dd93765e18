#include "reference_merge.h"

#include "app/core/table_copy.h"
#include "logging.h"
#include "platform/db/db_error.h"
#include "platform/db/sql_quote.h"
#include "platform/db/transaction.h"

namespace datafiles {
namespace {

const QString kTemp = QStringLiteral("temp");

// The table of source named like table (letter case ignored), or "".
QString sourceTable(ImportSource& source, const QString& table)
{
    for (const QString& name : source.tableNames()) {
        if (name.compare(table, Qt::CaseInsensitive) == 0)
            return name;
    }
    return QString();
}

} // namespace

QStringList ReferenceList::keyColumns() const
{
    return key.split(QLatin1Char('+'));
}

QList<ReferenceList> referenceLists()
{
    return {
        {QStringLiteral("donvi"), QStringLiteral("tendonvi"), QStringLiteral("tendonvi")},
        {QStringLiteral("bophan"), QStringLiteral("phong+donvi"), QStringLiteral("phong")},
        {QStringLiteral("noigui"), QStringLiteral("tendonvi"), QStringLiteral("tendonvi")},
        {QStringLiteral("chutat"), QStringLiteral("chudu+chutat"), QStringLiteral("chudu")},
        {QStringLiteral("loaicv"), QStringLiteral("loai"), QStringLiteral("loai")},
        {QStringLiteral("nguoidung"), QStringLiteral("hoten"), QString()},
    };
}

int mergeReferenceList(ImportSource& source, db::Database& target, const ReferenceList& list)
{
    const QString old = sourceTable(source, list.table);
    if (old.isEmpty() || !source.hasRows(old))
        return 0;

    QString fields;
    for (const QString& f : fieldsWithoutId(source.fieldNames(old)))
        fields += (fields.isEmpty() ? QString() : QStringLiteral(",")) + db::quoteJetName(f);
    const QString table = db::quoteJetName(list.table);

    db::Transaction transaction(target, QStringLiteral("rolling back the merge of ") + list.table);
    if (target.hasTable(kTemp))
        target.execute(QStringLiteral("drop table temp"));
    // The scratch table has the structure of the list in use; the old rows are copied in.
    if (!app::copyTableStructure(target, target, list.table, kTemp, false))
        throw db::DbError(db::errc::TableNotFound, QStringLiteral("cannot make the scratch table for ") + list.table);
    source.copyRows(old, fieldsWithoutId(source.fieldNames(old)), target, kTemp);
    target.execute(QStringLiteral("insert into ") + table + QStringLiteral(" select distinct ") + fields +
                   QStringLiteral(" from temp where ") + list.key + QStringLiteral(" not IN (select distinct ") +
                   list.key + QStringLiteral(" from ") + table + QStringLiteral(" where ") + list.key +
                   QStringLiteral(" is not null)"));
    const int added = target.recordsAffected();
    target.execute(QStringLiteral("drop table temp"));
    transaction.commit();
    return added;
}

} // namespace datafiles
