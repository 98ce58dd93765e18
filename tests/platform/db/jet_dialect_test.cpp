// Every statement and find criterion the program runs, executed through the database layer on
// copies of the template file, with its effect checked by a query.

#include "dialect_cases.h"

namespace {

using dialect::DialectCase;

class JetDialect : public testing::TestWithParam<DialectCase>
{
public: // the engine dialect::checkCase runs a case on
    Database& data(const QString& name) { return name == QLatin1String("other") ? m_files.other : m_files.cv; }
    QString withPaths(const QString& text) const { return m_files.withPaths(text); }

    static dialect::Rows select(Database& db, const QString& sql, RecordsetType type)
    {
        Recordset rs = db.openRecordset(sql, type);
        dialect::Rows rows{rs.fieldNames(), {}};
        for (; !rs.eof(); rs.moveNext()) {
            QVariantList row;
            for (int i = 0; i < rs.fieldCount(); ++i)
                row << rs.value(i);
            rows.values << row;
        }
        return rows;
    }
    static int count(Database& db, const QString& sql) { return db.openRecordset(sql).recordCount(); }
    static QStringList found(Database& db, const QString& source, const QString& criterion, const QString& field)
    {
        Recordset rs = db.openRecordset(source);
        QStringList found;
        for (rs.findFirst(criterion); !rs.noMatch(); rs.findNext(criterion))
            found << rs.value(field).toString();
        return found;
    }

    QString definitions(const QString& runOn, const QString& checkOn, const QString& check)
    {
        Database& db = data(runOn);
        if (checkOn == QLatin1String("tables")) {
            db.refreshTableDefs();
            return db.hasTable(check) ? u"1"_s : u"0"_s;
        }
        // Read back from the file, as the program does after closing and opening it again.
        db.close();
        db = Database::open(runOn == QLatin1String("other") ? m_files.otherPath : m_files.cvPath, Connect);
        return indexesText(db.tableDef(checkOn.mid(8))).join(u';');
    }

protected:
    QTemporaryDir m_dir;
    dialect::DialectFiles m_files{m_dir.path()};
};

TEST_P(JetDialect, StatementHasItsEffect)
{
    dialect::checkCase(GetParam(), *this);
}

INSTANTIATE_TEST_SUITE_P(Statements, JetDialect, testing::ValuesIn(dialect::dialectCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
