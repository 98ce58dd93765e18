#pragma once

// An in-memory SQLite connection with the Jet functions installed and a small Catalog over it,
// for the Jet SQL compiler's tests. External files named with IN '<path>' are attached temporary
// files; stored queries are kept in a map per schema.

#include "platform/jetsql/translator.h"
#include <stdexcept>

#include <QMap>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace jettest {

class TestCatalog : public jetsql::Catalog
{
public:
    TestCatalog()
    {
        EXPECT_TRUE(m_dir.isValid());
        sqlite3_open(":memory:", &m_db);
        jetsql::registerFunctions(m_db);
    }
    ~TestCatalog() override { sqlite3_close(m_db); }
    TestCatalog(const TestCatalog&) = delete;
    TestCatalog& operator=(const TestCatalog&) = delete;

    // The path of a second data file; attach() gives it the schema "ext" + a number.
    QString externalPath(const QString& name) const { return m_dir.filePath(name); }

    void addQuery(const QString& schema, const QString& name, const QString& jetSql)
    {
        m_queries[schema.toLower()][name.toLower()] = jetSql;
    }

    std::optional<QString> storedQuery(const QString& name) const override { return storedQueryIn(u"main"_s, name); }

    std::optional<QString> storedQueryIn(const QString& schema, const QString& name) const override
    {
        const QMap<QString, QString> queries = m_queries.value(schema.toLower());
        if (!queries.contains(name.toLower()))
            return std::nullopt;
        return queries.value(name.toLower());
    }

    QString attach(const QString& path) override
    {
        const auto known = m_schemas.find(path);
        if (known != m_schemas.end())
            return *known;
        const QString schema = u"ext%1"_s.arg(m_schemas.size() + 1);
        exec(u"ATTACH DATABASE '%1' AS %2"_s.arg(path, schema));
        m_schemas.insert(path, schema);
        ++attachCount;
        return schema;
    }

    QStringList columns(const QString& schema, const QString& table) const override
    {
        QStringList names;
        for (const QStringList& row : rows(u"SELECT name FROM pragma_table_info('%1', '%2')"_s.arg(
                 QString(table).replace(u'\'', u"''"_s), schema)))
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
            throw std::runtime_error((text + u" in: "_s + sql).toStdString());
        }
    }

    // Every row of a query, each value as text ("NULL" for null).
    QList<QStringList> rows(const QString& sql) const
    {
        sqlite3_stmt* statement = nullptr;
        const QByteArray utf8 = sql.toUtf8();
        if (sqlite3_prepare_v2(m_db, utf8.constData(), -1, &statement, nullptr) != SQLITE_OK)
            throw std::runtime_error((QString::fromUtf8(sqlite3_errmsg(m_db)) + u" in: "_s + sql).toStdString());
        QList<QStringList> result;
        int rc = SQLITE_OK;
        while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
            QStringList row;
            for (int i = 0; i < sqlite3_column_count(statement); ++i) {
                if (sqlite3_column_type(statement, i) == SQLITE_NULL)
                    row << u"NULL"_s;
                else
                    row << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, i)));
            }
            result << row;
        }
        const QString error = QString::fromUtf8(sqlite3_errmsg(m_db));
        sqlite3_finalize(statement);
        if (rc != SQLITE_DONE)
            throw std::runtime_error((error + u" in: "_s + sql).toStdString());
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

    // Translates a Jet statement that comes back as plain statements and runs them.
    void run(const QString& jetSql)
    {
        const jetsql::Translation translation = jetsql::translateStatement(jetSql, *this);
        const auto* statements = std::get_if<jetsql::Statements>(&translation);
        if (!statements)
            throw std::runtime_error("not a plain statement: " + jetSql.toStdString());
        for (const QString& sql : statements->sql)
            exec(sql);
    }

    // Rows of a Jet SELECT, first column only.
    QStringList select(const QString& jetSql)
    {
        const jetsql::Translation translation = jetsql::translateStatement(jetSql, *this);
        const auto* statements = std::get_if<jetsql::Statements>(&translation);
        EXPECT_NE(statements, nullptr) << jetSql.toStdString();
        if (!statements || statements->sql.size() != 1)
            return {};
        return column(statements->sql.first());
    }

    // Values of `field` of the rows of `table` that match a Jet criterion, in rowid order.
    QStringList find(const QString& table, const QString& field, const QString& criterion)
    {
        return column(u"SELECT \"%1\" FROM \"%2\" WHERE %3 ORDER BY rowid"_s.arg(
            field, table, jetsql::translateCriterion(criterion, *this)));
    }

    int attachCount = 0;

private:
    sqlite3* m_db = nullptr;
    QTemporaryDir m_dir;
    QMap<QString, QString> m_schemas;
    QMap<QString, QMap<QString, QString>> m_queries;
};

} // namespace jettest
