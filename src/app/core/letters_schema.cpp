#include "letters_schema.h"

#include "run_time_error.h"

#include "platform/db/sql_quote.h"
#include "platform/db/transaction.h"

namespace app {
namespace {

db::FieldDef textColumn(const QString& name, int size)
{
    db::FieldDef f;
    f.name = name;
    f.type = db::FieldType::Text;
    f.size = size;
    f.attributes = db::fieldattr::VariableField;
    f.allowZeroLength = true;
    f.required = false;
    return f;
}

// The incoming-letter tables of a file: those the year tables are made from, printed into, or are.
bool isIncomingTable(const QString& name)
{
    const QString lower = name.toLower();
    // "cvden????": the stem and any four characters, as the year lists find them.
    return lower == QLatin1String("cvdenmau") || lower == QLatin1String("incvden") ||
           (lower.size() == 9 && lower.startsWith(QLatin1String("cvden")));
}

bool isPrintTable(const QString& name)
{
    return name.compare(QLatin1String("incvden"), Qt::CaseInsensitive) == 0;
}

} // namespace

QList<db::FieldDef> handlingColumns()
{
    return {textColumn(QStringLiteral("hanxl"), 10), textColumn(QStringLiteral("hanxlchuan"), 8),
            textColumn(QStringLiteral("nguoixl"), 255)};
}

db::IndexDef deadlineIndex()
{
    return db::IndexDef{QStringLiteral("hanxlchuan"), {QStringLiteral("hanxlchuan")}, false, false};
}

bool hasHandlingColumns(const db::Database& db, const QString& table)
{
    if (!db.hasTable(table))
        return false;
    const db::TableDef def = db.tableDef(table);
    for (const db::FieldDef& f : handlingColumns()) {
        if (!def.field(f.name))
            return false;
    }
    return true;
}

bool upgradeLettersSchema(db::Database& db)
{
    if (db.isReadOnly() || db.schemaVersion() >= kLettersSchemaVersion)
        return false;
    db::Transaction transaction(db, QStringLiteral("rolling back the letters schema upgrade"));
    const QStringList tables = db.tableNames();
    for (const QString& table : tables) {
        if (!isIncomingTable(table))
            continue;
        db::TableDef def = db.tableDef(table);
        for (const db::FieldDef& f : handlingColumns()) {
            if (!def.field(f.name))
                db.appendField(table, f);
        }
        if (isPrintTable(table))
            continue;
        def = db.tableDef(table);
        bool indexed = false;
        for (const db::IndexDef& index : def.indexes)
            indexed = indexed || index.name.compare(deadlineIndex().name, Qt::CaseInsensitive) == 0;
        if (!indexed)
            db.execute(QStringLiteral("CREATE INDEX ") + db::quoteJetName(deadlineIndex().name) +
                       QStringLiteral(" ON ") + db::quoteJetName(table) + QStringLiteral(" (") +
                       db::quoteJetName(deadlineIndex().fields.first()) + QStringLiteral(")"));
    }
    db.setSchemaVersion(kLettersSchemaVersion);
    transaction.commit();
    return true;
}

bool upgradeLettersSchemaOrRecord(db::Database& db)
{
    try {
        return upgradeLettersSchema(db);
    } catch (const std::exception& e) {
        recordRunTimeError(e);
        return false;
    }
}

} // namespace app
