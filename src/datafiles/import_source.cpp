#include "import_source.h"

#include "app/core/module1.h"
#include "app/core/run_time_error.h"
#include "logging.h"
#include "platform/db/db_error.h"
#include "platform/db/sql_quote.h"
#include "platform/jet/mdb_file.h"

#include <QFile>
#include <QFileInfo>

namespace datafiles {
namespace {

const QByteArray kSqliteHeader("SQLite format 3", 16); // with its closing NUL

// The first field of fields named "id" in any letter case, or "".
QString counterOf(const QStringList& fields)
{
    for (const QString& f : fields) {
        if (f.compare(QLatin1String("id"), Qt::CaseInsensitive) == 0)
            return f;
    }
    return QString();
}

// A data file of this program, read through the database layer.
class DataFileSource : public ImportSource
{
public:
    explicit DataFileSource(db::Database db) : m_db(std::move(db)) {}

    QString path() const override { return m_db.path(); }
    QStringList tableNames() override { return m_db.tableNames(); }
    QStringList fieldNames(const QString& table) override
    {
        QStringList names;
        for (const db::FieldDef& f : m_db.tableDef(table).fields)
            names << f.name;
        return names;
    }
    bool hasRows(const QString& table) override
    {
        db::Recordset rs = m_db.openRecordset(QStringLiteral("select count(*) from ") + db::quoteJetName(table),
                                              db::RecordsetType::Snapshot);
        return rs.value(0).toLongLong() > 0;
    }
    QVariantList firstRow(const QString& table, const QStringList& columns) override
    {
        db::Recordset rs =
            m_db.openRecordset(QStringLiteral("select * from ") + db::quoteJetName(table) + orderBy(fieldNames(table)),
                               db::RecordsetType::Snapshot);
        QVariantList values;
        if (rs.eof())
            return values;
        for (const QString& c : columns)
            values << (rs.hasField(c) ? rs.value(c) : QVariant());
        return values;
    }
    void copyRows(const QString& table, const QStringList& fields, db::Database& target,
                  const QString& targetTable) override
    {
        // Run on the target, so the rows join the target's transaction; the old file is attached
        // read through "IN '<path>'" (its path quoted as a literal: blanks, quotes and Vietnamese
        // letters are kept).
        QString list;
        for (const QString& f : fields)
            list += (list.isEmpty() ? QString() : QStringLiteral(",")) + db::quoteJetName(f);
        target.execute(QStringLiteral("INSERT INTO ") + db::quoteJetName(targetTable) + QStringLiteral(" Select ") +
                       list + QStringLiteral(" from ") + db::quoteJetName(table) + QStringLiteral(" IN ") +
                       db::quoteLiteral(path()) + orderBy(fieldNames(table)));
    }

    QList<long long> rowIds(const QString& table) override
    {
        QList<long long> ids;
        const QString id = counterOf(fieldNames(table));
        if (id.isEmpty())
            return ids;
        db::Recordset rs =
            m_db.openRecordset(QStringLiteral("select ") + db::quoteJetName(id) + QStringLiteral(" from ") +
                                   db::quoteJetName(table) + orderBy(fieldNames(table)),
                               db::RecordsetType::Snapshot);
        for (; !rs.eof(); rs.moveNext())
            ids << rs.value(0).toLongLong();
        return ids;
    }
    QList<Attachment> attachmentsOf(const QString& table) override { return attachmentsOfTable(m_db, table); }

private:
    static QString orderBy(const QStringList& fields)
    {
        const QString id = counterOf(fields);
        return id.isEmpty() ? QString() : QStringLiteral(" order by ") + db::quoteJetName(id);
    }

    db::Database m_db;
};

bool startsLikeSqlite(const QString& path)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return false;
    return file.read(kSqliteHeader.size()) == kSqliteHeader;
}

} // namespace

SourceKind recogniseSource(const QString& path)
{
    if (path.trimmed().isEmpty() || !QFileInfo::exists(path))
        return SourceKind::Unreadable;
    if (jet::isJetFile(path))
        return SourceKind::JetFile;
    if (!startsLikeSqlite(path))
        return QFileInfo(path).isReadable() ? SourceKind::NotADataFile : SourceKind::Unreadable;
    try {
        db::Database::open(path, app::kConnect, db::OpenMode::ReadOnly).close();
        return SourceKind::DataFile;
    } catch (const db::DbError& e) {
        app::recordRunTimeError(e, lcDatafiles());
        return e.number() == db::errc::NotADatabase ? SourceKind::NotADataFile : SourceKind::Unreadable;
    }
}

std::unique_ptr<ImportSource> openImportSource(const QString& path)
{
    if (recogniseSource(path) != SourceKind::DataFile)
        return nullptr;
    try {
        return std::make_unique<DataFileSource>(db::Database::open(path, app::kConnect, db::OpenMode::ReadOnly));
    } catch (const db::DbError& e) {
        app::recordRunTimeError(e, lcDatafiles());
        return nullptr;
    }
}

QStringList fieldsWithoutId(const QStringList& fields)
{
    QStringList result;
    for (const QString& f : fields) {
        if (f.compare(QLatin1String("id"), Qt::CaseInsensitive) != 0)
            result << f;
    }
    return result;
}

} // namespace datafiles
