#pragma once

// An in-memory SQLite connection with the Jet functions installed and a small Catalog over it,
// for the Jet dialect's tests. External files named with IN '<path>' are attached temporary
// files; stored queries are kept in a map per schema. Translations are carried out the way the
// database layer carries them out.

#include "platform/db/db_error.h"
#include "platform/db/jet_translator.h"

#include <QMap>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace jettest {

class TestCatalog : public db::jet::Catalog
{
public:
    TestCatalog()
    {
        EXPECT_TRUE(m_dir.isValid());
        sqlite3_open(":memory:", &m_db);
        db::jet::registerFunctions(m_db);
    }
    ~TestCatalog() override { sqlite3_close(m_db); }
    TestCatalog(const TestCatalog&) = delete;
    TestCatalog& operator=(const TestCatalog&) = delete;

    sqlite3* handle() const { return m_db; }

    // The path of a second data file; attach() gives it the schema "ext" + a number.
    QString externalPath(const QString& name) const { return m_dir.filePath(name); }

    void addQuery(const QString& schema, const QString& name, const QString& jetSql)
    {
        m_queries[schema.toLower()][name.toLower()] = jetSql;
    }

    std::optional<QString> storedQuery(const QString& name) const override
    {
        return storedQueryIn(QStringLiteral("main"), name);
    }

    std::optional<QString> storedQueryIn(const QString& schema, const QString& name) const override
    {
        const auto queries = m_queries.find(schema.toLower());
        if (queries == m_queries.end())
            return std::nullopt;
        const auto query = queries->find(name.toLower());
        if (query == queries->end())
            return std::nullopt;
        return *query;
    }

    QString attach(const QString& path) override
    {
        const auto known = m_schemas.find(path);
        if (known != m_schemas.end())
            return *known;
        const QString schema = QStringLiteral("ext%1").arg(m_schemas.size() + 1);
        exec(QStringLiteral("ATTACH DATABASE '%1' AS %2").arg(path, schema));
        m_schemas.insert(path, schema);
        ++attachCount;
        return schema;
    }

    QStringList columns(const QString& schema, const QString& table) const override
    {
        QStringList names;
        for (const QStringList& row : rows(QStringLiteral("SELECT name FROM pragma_table_info('%1', '%2')")
                                               .arg(QString(table).replace(u'\'', QStringLiteral("''")), schema)))
            names << row[0];
        return names;
    }

    // Runs SQLite text; a failure fails the test and raises.
    void exec(const QString& sql) const
    {
        char* message = nullptr;
        if (sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, &message) != SQLITE_OK) {
            const QString text = QString::fromUtf8(message);
            sqlite3_free(message);
            throw db::DbError(db::errc::EngineErrorBase, text + QStringLiteral(" in: ") + sql);
        }
    }

    // Every row of a query, each value as text ("NULL" for null).
    QList<QStringList> rows(const QString& sql) const
    {
        sqlite3_stmt* statement = nullptr;
        const QByteArray utf8 = sql.toUtf8();
        if (sqlite3_prepare_v2(m_db, utf8.constData(), -1, &statement, nullptr) != SQLITE_OK)
            throw db::DbError(db::errc::EngineErrorBase,
                              QString::fromUtf8(sqlite3_errmsg(m_db)) + QStringLiteral(" in: ") + sql);
        QList<QStringList> result;
        int rc = SQLITE_OK;
        while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
            QStringList row;
            for (int i = 0; i < sqlite3_column_count(statement); ++i) {
                if (sqlite3_column_type(statement, i) == SQLITE_NULL)
                    row << QStringLiteral("NULL");
                else
                    row << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, i)));
            }
            result << row;
        }
        const QString error = QString::fromUtf8(sqlite3_errmsg(m_db));
        sqlite3_finalize(statement);
        if (rc != SQLITE_DONE)
            throw db::DbError(db::errc::EngineErrorBase, error + QStringLiteral(" in: ") + sql);
        return result;
    }

    // The first column of every row.
    QStringList column(const QString& sql) const
    {
        QStringList values;
        for (const QStringList& row : rows(sql))
            values << row.value(0);
        return values;
    }

    // Translates a Jet statement and carries it out as the database layer does.
    void run(const QString& jetSql)
    {
        const db::jet::Translation translation = db::jet::translateStatement(jetSql, *this);
        if (const auto* statements = std::get_if<db::jet::Statements>(&translation)) {
            for (const QString& sql : statements->sql)
                exec(sql);
        } else if (const auto* into = std::get_if<db::jet::SelectInto>(&translation)) {
            const QString target = qualified(into->schema, into->table);
            if (into->structureFrom) {
                // Field definitions of the source table; text columns ignore letter case.
                QStringList fields;
                for (const QStringList& field :
                     rows(QStringLiteral("SELECT name, type FROM pragma_table_info('%1', '%2')")
                              .arg(*into->structureFrom, into->structureFromSchema.value_or(QStringLiteral("main"))))) {
                    const bool text = field[1].contains(QLatin1String("TEXT"), Qt::CaseInsensitive);
                    fields << QStringLiteral("\"%1\" %2%3")
                                  .arg(field[0], field[1], text ? QStringLiteral(" COLLATE NOCASE") : QString());
                }
                exec(QStringLiteral("CREATE TABLE %1 (%2)").arg(target, fields.join(QStringLiteral(", "))));
                exec(into->insertSql);
            } else {
                exec(QStringLiteral("CREATE TABLE %1 AS ").arg(target) +
                     into->insertSql.mid(into->insertSql.indexOf(QLatin1String("SELECT"))));
            }
        } else if (const auto* drop = std::get_if<db::jet::DropTable>(&translation)) {
            exec(QStringLiteral("DROP TABLE ") + qualified(drop->schema, drop->table));
        } else if (const auto* index = std::get_if<db::jet::CreateIndex>(&translation)) {
            QStringList fields;
            for (const QString& field : index->index.fields)
                fields << QStringLiteral("\"%1\"").arg(field);
            exec(QStringLiteral("CREATE %1INDEX %2 ON %3 (%4)")
                     .arg(index->index.unique ? QStringLiteral("UNIQUE ") : QString(),
                          qualified(index->schema, index->index.name), QStringLiteral("\"%1\"").arg(index->table),
                          fields.join(QStringLiteral(", "))));
        }
    }

    // Rows of a Jet SELECT, first column only.
    QStringList select(const QString& jetSql)
    {
        const db::jet::Translation translation = db::jet::translateStatement(jetSql, *this);
        const auto* statements = std::get_if<db::jet::Statements>(&translation);
        EXPECT_NE(statements, nullptr) << jetSql.toStdString();
        if (!statements || statements->sql.size() != 1)
            return {};
        return column(statements->sql.first());
    }

    // Values of `field` of the rows of `table` that match a Jet criterion, in rowid order.
    QStringList find(const QString& table, const QString& field, const QString& criterion)
    {
        return column(QStringLiteral("SELECT \"%1\" FROM \"%2\" WHERE %3 ORDER BY rowid")
                          .arg(field, table, db::jet::translateCriterion(criterion, *this)));
    }

    int attachCount = 0;

private:
    static QString qualified(const QString& schema, const QString& name)
    {
        return QStringLiteral("\"%1\".\"%2\"").arg(schema, name);
    }

    sqlite3* m_db = nullptr;
    QTemporaryDir m_dir;
    QMap<QString, QString> m_schemas;
    QMap<QString, QMap<QString, QString>> m_queries;
};

} // namespace jettest
