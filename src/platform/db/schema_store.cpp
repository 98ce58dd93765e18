#include "schema_store.h"

#include "db_error.h"
#include "sql_quote.h"
#include "statement.h"

#include <QRegularExpression>
#include <QSet>

namespace db {

namespace {

QString schemaPrefix(const QString& schema)
{
    return quoteIdentifier(schema) + QLatin1Char('.');
}

bool isTextType(FieldType type)
{
    return type == FieldType::Text || type == FieldType::Memo;
}

int textSize(const FieldDef& f)
{
    return f.size > 0 ? f.size : 255;
}

QString declaredType(const FieldDef& f)
{
    switch (f.type) {
    case FieldType::Boolean:
        return QStringLiteral("BOOLEAN");
    case FieldType::Byte:
        return QStringLiteral("TINYINT");
    case FieldType::Integer:
        return QStringLiteral("SMALLINT");
    case FieldType::Long:
        return QStringLiteral("INTEGER");
    case FieldType::Currency:
        return QStringLiteral("CURRENCY");
    case FieldType::Single:
        return QStringLiteral("FLOAT");
    case FieldType::Double:
        return QStringLiteral("DOUBLE");
    case FieldType::Date:
        return QStringLiteral("DATETIME");
    case FieldType::Text:
        return QStringLiteral("VARCHAR(%1)").arg(textSize(f));
    case FieldType::LongBinary:
        return QStringLiteral("BLOB");
    case FieldType::Memo:
        return QStringLiteral("LONGTEXT");
    }
    return QString();
}

int defaultSize(FieldType type)
{
    switch (type) {
    case FieldType::Boolean:
    case FieldType::Byte:
        return 1;
    case FieldType::Integer:
        return 2;
    case FieldType::Long:
    case FieldType::Single:
        return 4;
    case FieldType::Currency:
    case FieldType::Double:
    case FieldType::Date:
        return 8;
    case FieldType::Text:
        return 255;
    case FieldType::LongBinary:
    case FieldType::Memo:
        return 0;
    }
    return 0;
}

bool isAutoIncrement(const FieldDef& f)
{
    return (f.attributes & fieldattr::AutoIncrField) != 0;
}

// Index field spec "+name" / "-name" (descending) / "name".
QString indexFieldName(const QString& spec)
{
    const QString s = spec.trimmed();
    if (s.startsWith(QLatin1Char('-')) || s.startsWith(QLatin1Char('+')))
        return s.mid(1).trimmed();
    return s;
}

void deleteBookkeeping(sqlite3* db, const QString& schema, const QString& tableKey)
{
    for (const char* table : {"msys_fields", "msys_indexes"}) {
        Statement del(db, QStringLiteral("DELETE FROM ") + schemaPrefix(schema) + QLatin1String(table) +
                              QStringLiteral(" WHERE tbl = ?1"));
        del.bindText(1, tableKey);
        del.run();
    }
}

void writeField(sqlite3* db, const QString& schema, const QString& table, const FieldDef& f)
{
    Statement put(db, QStringLiteral("INSERT OR REPLACE INTO %1msys_fields "
                                     "(tbl, fld, name, type, size, attributes, allow_zero_length, required) "
                                     "VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8)")
                          .arg(schemaPrefix(schema)));
    put.bindText(1, table.toLower());
    put.bindText(2, f.name.toLower());
    put.bindText(3, f.name);
    put.bindInt64(4, int(f.type));
    put.bindInt64(5, f.size);
    put.bindInt64(6, f.attributes);
    put.bindInt64(7, f.allowZeroLength ? 1 : 0);
    put.bindInt64(8, f.required ? 1 : 0);
    put.run();
}

QString raiseIf(const QString& condition, int number, const QString& text)
{
    return QStringLiteral("SELECT RAISE(ABORT, %1) WHERE %2;")
        .arg(quoteLiteral(QStringLiteral("msys:") + QString::number(number) + QLatin1Char(':') + text), condition);
}

// Rebuilds the triggers that enforce size, zero-length permission and required on writes.
void rebuildChecks(sqlite3* db, const QString& schema, const TableDef& def)
{
    const QString insName = QStringLiteral("msys_check_ins_") + def.name;
    const QString updName = QStringLiteral("msys_check_upd_") + def.name;
    runScript(db, QStringLiteral("DROP TRIGGER IF EXISTS %1; DROP TRIGGER IF EXISTS %2;")
                      .arg(qualifiedName(schema, insName), qualifiedName(schema, updName)));
    QStringList insertChecks;
    QStringList updateChecks;
    QStringList updateColumns;
    for (const FieldDef& f : def.fields) {
        const QString column = quoteIdentifier(f.name);
        const QString shown = def.name + QLatin1Char('.') + f.name;
        QStringList conditions;
        QList<QPair<QString, QPair<int, QString>>> checks;
        if (f.required && !isAutoIncrement(f))
            checks.append(
                {QStringLiteral("NEW.%1 IS NULL").arg(column),
                 {errc::NullNotAllowed, QStringLiteral("The field '%1' cannot contain a Null value.").arg(shown)}});
        if (isTextType(f.type) && !f.allowZeroLength)
            checks.append({QStringLiteral("NEW.%1 = ''").arg(column),
                           {errc::ZeroLengthNotAllowed,
                            QStringLiteral("Field '%1' cannot be a zero-length string.").arg(shown)}});
        if (f.type == FieldType::Text)
            checks.append(
                {QStringLiteral("length(NEW.") + column + QStringLiteral(") > ") + QString::number(textSize(f)),
                 {errc::FieldTooSmall,
                  QStringLiteral("The field '%1' is too small to accept the amount of data you attempted to add "
                                 "(at most %2 characters).")
                      .arg(shown, QString::number(textSize(f)))}});
        for (const auto& check : checks) {
            insertChecks << raiseIf(check.first, check.second.first, check.second.second);
            updateChecks << raiseIf(QStringLiteral("NEW.") + column + QStringLiteral(" IS NOT OLD.") + column +
                                        QStringLiteral(" AND ") + check.first,
                                    check.second.first, check.second.second);
        }
        if (!checks.isEmpty())
            updateColumns << column;
    }
    if (insertChecks.isEmpty())
        return;
    runScript(db,
              QStringLiteral("CREATE TRIGGER %1 BEFORE INSERT ON %2 BEGIN %3 END;")
                  .arg(qualifiedName(schema, insName), quoteIdentifier(def.name), insertChecks.join(QLatin1Char(' '))));
    runScript(db, QStringLiteral("CREATE TRIGGER %1 BEFORE UPDATE OF %2 ON %3 BEGIN %4 END;")
                      .arg(qualifiedName(schema, updName), updateColumns.join(QLatin1String(", ")),
                           quoteIdentifier(def.name), updateChecks.join(QLatin1Char(' '))));
}

} // namespace

void SchemaStore::initialise(sqlite3* db, const QString& schema)
{
    const QString p = schemaPrefix(schema);
    runScript(db, QStringLiteral(
                      "CREATE TABLE IF NOT EXISTS %1msys_info (key TEXT PRIMARY KEY, value TEXT);"
                      "CREATE TABLE IF NOT EXISTS %1msys_fields (tbl TEXT NOT NULL, fld TEXT NOT NULL, name TEXT, "
                      "type INTEGER, size INTEGER, attributes INTEGER, allow_zero_length INTEGER, required INTEGER, "
                      "PRIMARY KEY (tbl, fld));"
                      "CREATE TABLE IF NOT EXISTS %1msys_indexes (tbl TEXT NOT NULL, idx TEXT NOT NULL, name TEXT, "
                      "fields TEXT, is_unique INTEGER, is_primary INTEGER, physical TEXT, PRIMARY KEY (tbl, idx));"
                      "CREATE TABLE IF NOT EXISTS %1msys_queries (key TEXT PRIMARY KEY, name TEXT, sql TEXT);")
                      .arg(p));
}

bool SchemaStore::hasTable(sqlite3* db, const QString& schema, const QString& name)
{
    Statement find(db, QStringLiteral("SELECT 1 FROM ") + schemaPrefix(schema) +
                           QStringLiteral("sqlite_master WHERE type = 'table' AND name = ?1"));
    find.bindText(1, name);
    const bool found = find.step();
    find.reset();
    return found;
}

std::optional<QString> SchemaStore::actualTableName(sqlite3* db, const QString& schema, const QString& name)
{
    Statement list(db, QStringLiteral("SELECT name FROM ") + schemaPrefix(schema) +
                           QStringLiteral("sqlite_master WHERE type = 'table'"));
    while (list.step()) {
        const QString stored = list.text(0);
        if (stored.compare(name, Qt::CaseInsensitive) == 0) {
            list.reset();
            return stored;
        }
    }
    return std::nullopt;
}

QStringList SchemaStore::tableNames(sqlite3* db, const QString& schema)
{
    QStringList names;
    Statement list(db, QStringLiteral("SELECT name FROM %1sqlite_master WHERE type = 'table' ORDER BY rowid")
                           .arg(schemaPrefix(schema)));
    while (list.step()) {
        const QString name = list.text(0);
        if (name.startsWith(QLatin1String("sqlite_"), Qt::CaseInsensitive) ||
            name.startsWith(QLatin1String("msys_"), Qt::CaseInsensitive))
            continue;
        names << name;
    }
    return names;
}

FieldDef SchemaStore::fieldFromDeclaredType(const QString& name, const QString& declaredType)
{
    FieldDef f;
    f.name = name;
    const QString t = declaredType.trimmed().toUpper();
    static const QRegularExpression sizeRe(QStringLiteral("\\(\\s*(\\d+)"));
    const QRegularExpressionMatch m = sizeRe.match(t);
    const int declaredSize = m.hasMatch() ? m.captured(1).toInt() : 0;
    if (t.contains(QLatin1String("BOOL")) || t.startsWith(QLatin1String("BIT")) || t.contains(QLatin1String("YESNO")))
        f.type = FieldType::Boolean;
    else if (t.contains(QLatin1String("TINYINT")) || t.startsWith(QLatin1String("BYTE")))
        f.type = FieldType::Byte;
    else if (t.contains(QLatin1String("SMALLINT")) || t.startsWith(QLatin1String("SHORT")))
        f.type = FieldType::Integer;
    else if (t.contains(QLatin1String("INT")) ||
             (t.startsWith(QLatin1String("LONG")) && !t.contains(QLatin1String("TEXT")) &&
              !t.contains(QLatin1String("BINARY"))))
        f.type = FieldType::Long;
    else if (t.contains(QLatin1String("CURR")) || t.contains(QLatin1String("MONEY")))
        f.type = FieldType::Currency;
    else if (t.contains(QLatin1String("FLOAT")) || t.contains(QLatin1String("SINGLE")))
        f.type = FieldType::Single;
    else if (t.contains(QLatin1String("DOUB")) || t.contains(QLatin1String("REAL")) ||
             t.contains(QLatin1String("NUMERIC")) || t.contains(QLatin1String("DECIMAL")))
        f.type = FieldType::Double;
    else if (t.contains(QLatin1String("DATE")) || t.contains(QLatin1String("TIME")))
        f.type = FieldType::Date;
    else if (t.contains(QLatin1String("BLOB")) || t.contains(QLatin1String("BINARY")) ||
             t.contains(QLatin1String("IMAGE")))
        f.type = FieldType::LongBinary;
    else if (t.contains(QLatin1String("LONGTEXT")) || t.contains(QLatin1String("MEMO")) ||
             t.contains(QLatin1String("CLOB")))
        f.type = FieldType::Memo;
    else
        f.type = FieldType::Text; // CHAR, VARCHAR(n), TEXT, TEXT(n) and untyped columns
    f.size = f.type == FieldType::Text ? (declaredSize > 0 ? qMin(declaredSize, 255) : 255) : defaultSize(f.type);
    f.attributes = (f.type == FieldType::Text || f.type == FieldType::Memo || f.type == FieldType::LongBinary)
                       ? fieldattr::VariableField | fieldattr::UpdatableField
                       : fieldattr::FixedField | fieldattr::UpdatableField;
    return f;
}

TableDef SchemaStore::readTableDef(sqlite3* db, const QString& schema, const QString& table)
{
    const std::optional<QString> actual = actualTableName(db, schema, table);
    if (!actual || actual->startsWith(QLatin1String("msys_")))
        throw DbError(errc::ItemNotFound, QStringLiteral("Item not found in this collection: table '%1'.").arg(table));
    TableDef def;
    def.name = *actual;
    const QString key = actual->toLower();

    QHash<QString, FieldDef> kept;
    QList<IndexDef> keptIndexes;
    QSet<QString> keptPhysical;
    if (hasTable(db, schema, QStringLiteral("msys_fields"))) {
        Statement fields(db, QStringLiteral("SELECT fld, type, size, attributes, allow_zero_length, required "
                                            "FROM %1msys_fields WHERE tbl = ?1")
                                 .arg(schemaPrefix(schema)));
        fields.bindText(1, key);
        while (fields.step()) {
            FieldDef f;
            f.type = FieldType(fields.int64(1));
            f.size = int(fields.int64(2));
            f.attributes = int(fields.int64(3));
            f.allowZeroLength = fields.int64(4) != 0;
            f.required = fields.int64(5) != 0;
            kept.insert(fields.text(0), f);
        }
        Statement indexes(db, QStringLiteral("SELECT name, fields, is_unique, is_primary, physical FROM %1msys_indexes "
                                             "WHERE tbl = ?1 ORDER BY rowid")
                                  .arg(schemaPrefix(schema)));
        indexes.bindText(1, key);
        while (indexes.step()) {
            IndexDef idx;
            idx.name = indexes.text(0);
            idx.fields = indexes.text(1).split(QLatin1Char(';'), Qt::SkipEmptyParts);
            idx.unique = indexes.int64(2) != 0;
            idx.primary = indexes.int64(3) != 0;
            keptIndexes << idx;
            keptPhysical.insert(indexes.text(4));
        }
    }

    Statement columns(db, QStringLiteral("SELECT name, type, \"notnull\", pk FROM pragma_table_info(?1, ?2)"));
    columns.bindText(1, *actual);
    columns.bindText(2, schema);
    while (columns.step()) {
        const QString name = columns.text(0);
        auto found = kept.constFind(name.toLower());
        FieldDef f;
        if (found != kept.constEnd()) {
            f = *found;
        } else {
            f = fieldFromDeclaredType(name, columns.text(1));
            f.required = columns.int64(2) != 0;
            if (columns.int64(3) == 1 && columns.text(1).compare(QLatin1String("INTEGER"), Qt::CaseInsensitive) == 0)
                f.attributes |= fieldattr::AutoIncrField;
        }
        f.name = name;
        def.fields << f;
    }
    def.indexes = keptIndexes;

    // Indexes made by plain CREATE INDEX statements, which the layer did not record.
    Statement list(db, QStringLiteral("SELECT name, \"unique\", origin FROM pragma_index_list(?1, ?2)"));
    list.bindText(1, *actual);
    list.bindText(2, schema);
    QList<IndexDef> plain;
    while (list.step()) {
        const QString name = list.text(0);
        const QString origin = list.text(2);
        // Unique constraints belong to the columns; msys_* indexes (rows holding a mark) serve
        // statements and are no part of the definition.
        if (keptPhysical.contains(name) || origin == QLatin1String("u") || name.startsWith(QLatin1String("msys_")))
            continue;
        IndexDef idx;
        idx.name = origin == QLatin1String("pk") ? QStringLiteral("PrimaryKey") : name;
        idx.unique = list.int64(1) != 0;
        idx.primary = origin == QLatin1String("pk");
        idx.fields << name; // replaced below by the index's columns
        plain << idx;
    }
    for (IndexDef& idx : plain) {
        Statement info(db, QStringLiteral("SELECT name FROM pragma_index_info(?1, ?2) ORDER BY seqno"));
        info.bindText(1, idx.fields.first());
        info.bindText(2, schema);
        idx.fields.clear();
        while (info.step())
            idx.fields << info.text(0);
        def.indexes << idx;
    }
    return def;
}

void SchemaStore::createTable(sqlite3* db, const QString& schema, const TableDef& def)
{
    checkTableDef(def);
    if (actualTableName(db, schema, def.name))
        throw DbError(errc::TableExists, QStringLiteral("Table '%1' already exists.").arg(def.name));
    initialise(db, schema);
    deleteBookkeeping(db, schema, def.name.toLower()); // rows left by a table dropped outside the layer

    QStringList columns;
    for (const FieldDef& f : def.fields) {
        QString column = quoteIdentifier(f.name) + QLatin1Char(' ') + declaredType(f);
        if (isTextType(f.type))
            column += QLatin1String(" COLLATE NOCASE");
        if (isAutoIncrement(f))
            column += QLatin1String(" PRIMARY KEY AUTOINCREMENT");
        columns << column;
    }
    runScript(db, QStringLiteral("CREATE TABLE ") + qualifiedName(schema, def.name) + QStringLiteral(" (") +
                      columns.join(QLatin1String(", ")) + QStringLiteral(")"));
    for (FieldDef f : def.fields) {
        if (f.type == FieldType::Text)
            f.size = textSize(f);
        else if (f.size <= 0)
            f.size = defaultSize(f.type);
        writeField(db, schema, def.name, f);
    }
    for (const IndexDef& idx : def.indexes)
        createIndex(db, schema, def.name, idx);
    rebuildChecks(db, schema, readTableDef(db, schema, def.name));
}

void SchemaStore::addField(sqlite3* db, const QString& schema, const QString& table, const FieldDef& field)
{
    const TableDef def = readTableDef(db, schema, table);
    if (def.field(field.name))
        throw DbError(errc::DuplicateField, QStringLiteral("Cannot define field '%1' more than once.").arg(field.name));
    if (field.name.trimmed().isEmpty() || isAutoIncrement(field))
        throw DbError(errc::InvalidFieldDefinition,
                      QStringLiteral("Field '%1' cannot be added to '%2'.").arg(field.name, def.name));
    QString column = quoteIdentifier(field.name) + QLatin1Char(' ') + declaredType(field);
    if (isTextType(field.type))
        column += QLatin1String(" COLLATE NOCASE");
    runScript(db, QStringLiteral("ALTER TABLE ") + qualifiedName(schema, def.name) + QStringLiteral(" ADD COLUMN ") +
                      column);
    initialise(db, schema);
    // A table the layer did not make gets its other fields' bookkeeping too, as they read now.
    for (const FieldDef& f : def.fields)
        writeField(db, schema, def.name, f);
    FieldDef added = field;
    if (added.type == FieldType::Text)
        added.size = textSize(added);
    else if (added.size <= 0)
        added.size = defaultSize(added.type);
    writeField(db, schema, def.name, added);
    rebuildChecks(db, schema, readTableDef(db, schema, def.name));
}

void SchemaStore::createIndex(sqlite3* db, const QString& schema, const QString& table, const IndexDef& index)
{
    const TableDef def = readTableDef(db, schema, table);
    if (index.name.trimmed().isEmpty())
        throw DbError(errc::InvalidFieldDefinition, QStringLiteral("An index needs a name."));
    if (index.fields.isEmpty())
        throw DbError(errc::InvalidFieldDefinition, QStringLiteral("Index '%1' has no field.").arg(index.name));
    for (const IndexDef& existing : def.indexes) {
        if (existing.name.compare(index.name, Qt::CaseInsensitive) == 0)
            throw DbError(errc::IndexExists,
                          QStringLiteral("Table '%1' already has an index named '%2'.").arg(def.name, index.name));
        if (index.primary && existing.primary)
            throw DbError(errc::PrimaryKeyExists, QStringLiteral("Primary key already exists on '%1'.").arg(def.name));
    }
    QStringList columns;
    const FieldDef* single = nullptr;
    for (const QString& spec : index.fields) {
        const QString name = indexFieldName(spec);
        const FieldDef* f = def.field(name);
        if (!f)
            throw DbError(errc::ItemNotFound,
                          QStringLiteral("Item not found in this collection: field '%1'.").arg(name));
        single = f;
        QString column = quoteIdentifier(f->name);
        if (isTextType(f->type))
            column += QLatin1String(" COLLATE BINARY");
        if (spec.trimmed().startsWith(QLatin1Char('-')))
            column += QLatin1String(" DESC");
        columns << column;
    }
    initialise(db, schema);
    QString physical;
    // The counter is the table's rowid: already unique and indexed.
    const bool onCounter = index.fields.size() == 1 && single && isAutoIncrement(*single);
    if (!onCounter) {
        physical = def.name + QLatin1Char('.') + index.name;
        runScript(db, QStringLiteral("CREATE %1INDEX %2 ON %3 (%4)")
                          .arg(index.unique || index.primary ? QStringLiteral("UNIQUE ") : QString(),
                               qualifiedName(schema, physical), quoteIdentifier(def.name),
                               columns.join(QLatin1String(", "))));
    }
    Statement put(db,
                  QStringLiteral(
                      "INSERT OR REPLACE INTO %1msys_indexes (tbl, idx, name, fields, is_unique, is_primary, physical) "
                      "VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7)")
                      .arg(schemaPrefix(schema)));
    put.bindText(1, def.name.toLower());
    put.bindText(2, index.name.toLower());
    put.bindText(3, index.name);
    put.bindText(4, index.fields.join(QLatin1Char(';')));
    put.bindInt64(5, index.unique || index.primary ? 1 : 0);
    put.bindInt64(6, index.primary ? 1 : 0);
    put.bindText(7, physical);
    put.run();
}

void SchemaStore::dropTable(sqlite3* db, const QString& schema, const QString& table)
{
    const std::optional<QString> actual = actualTableName(db, schema, table);
    if (!actual || actual->startsWith(QLatin1String("msys_")))
        throw DbError(errc::TableNotFound, QStringLiteral("Table '%1' does not exist.").arg(table));
    runScript(db, QStringLiteral("DROP TABLE ") + qualifiedName(schema, *actual));
    if (hasTable(db, schema, QStringLiteral("msys_fields")))
        deleteBookkeeping(db, schema, actual->toLower());
}

void SchemaStore::setAllowZeroLength(sqlite3* db, const QString& schema, const QString& table, const QString& field,
                                     bool allow)
{
    TableDef def = readTableDef(db, schema, table);
    FieldDef* target = nullptr;
    for (FieldDef& f : def.fields) {
        if (f.name.compare(field, Qt::CaseInsensitive) == 0)
            target = &f;
    }
    if (!target)
        throw DbError(errc::ItemNotFound, QStringLiteral("Item not found in this collection: field '%1'.").arg(field));
    if (!isTextType(target->type))
        throw DbError(
            errc::InvalidFieldDefinition,
            QStringLiteral("Field '%1' is not a Text or Memo field; it has no zero-length setting.").arg(target->name));
    target->allowZeroLength = allow;
    initialise(db, schema);
    for (const FieldDef& f : def.fields)
        writeField(db, schema, def.name, f);
    rebuildChecks(db, schema, def);
}

} // namespace db
