// Every statement and find criterion the program runs, executed through the database layer on
// copies of the template file, with its effect checked by a query.

#include "dialect_cases.h"

namespace {

using dialect::DialectCase;
using dialect::DialectFiles;
using dialect::Kind;

QString rowsText(db::Recordset rs, const QStringList& fields)
{
    QStringList rows;
    for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
        QStringList values;
        for (int i = 0; i < (fields.isEmpty() ? rs.fieldCount() : int(fields.size())); ++i) {
            const QVariant v = fields.isEmpty() ? rs.value(i) : rs.value(fields[i]);
            values << (v.isNull() ? u"NULL"_s : v.toString());
        }
        rows << values.join(u'|');
    }
    return rows.join(u';');
}

class JetDialect : public testing::TestWithParam<DialectCase>
{
protected:
    Database& database(const QString& name) { return name == QLatin1String("other") ? m_files.other : m_files.cv; }
    QString withPaths(const QString& text) const { return m_files.withPaths(text); }

    void runSetup(const QString& setup)
    {
        dialect::runSetup<Database>(
            setup, [&](const QString& name) -> Database& { return database(name); },
            [&](const QString& text) { return withPaths(text); });
    }

    QString checkText(const DialectCase& c)
    {
        const QString runOn = QString::fromUtf8(c.runOn);
        const QString checkOn = *c.checkOn ? QString::fromUtf8(c.checkOn) : runOn;
        const QString check = QString::fromUtf8(c.check);
        Database& db = database(runOn);
        if (checkOn.startsWith(QLatin1String("indexes:"))) {
            // Read back from the file, as the program does after closing and opening it again.
            db.close();
            db = Database::open(runOn == QLatin1String("other") ? m_files.otherPath : m_files.cvPath, Connect);
            return indexesText(db.tableDef(checkOn.mid(8))).join(u';');
        }
        if (checkOn == QLatin1String("tables")) {
            db.refreshTableDefs();
            return db.hasTable(check) ? u"1"_s : u"0"_s;
        }
        return rowsText(database(checkOn).openRecordset(withPaths(check), db::RecordsetType::Snapshot), {});
    }

    QTemporaryDir m_dir;
    DialectFiles m_files{m_dir.path()};
};

TEST_P(JetDialect, StatementHasItsEffect)
{
    const DialectCase& c = GetParam();
    runSetup(QString::fromUtf8(c.setup));
    const QString statement = withPaths(QString::fromUtf8(c.statement));
    const QString expected = QString::fromUtf8(c.expected);
    Database& db = database(QString::fromUtf8(c.runOn));
    try {
        switch (c.kind) {
        case Kind::Execute:
            db.execute(statement);
            EXPECT_EQ(checkText(c), expected);
            break;
        case Kind::Rows:
            EXPECT_EQ(rowsText(db.openRecordset(statement), QString::fromUtf8(c.check).split(u'|')), expected);
            break;
        case Kind::RowCount:
            EXPECT_EQ(QString::number(db.openRecordset(statement).recordCount()), expected);
            break;
        case Kind::Find: {
            const QStringList check = QString::fromUtf8(c.check).split(u" -> "_s);
            const QString field = check.value(1, u"id"_s);
            db::Recordset rs = db.openRecordset(withPaths(check[0]));
            QStringList found;
            for (rs.findFirst(statement); !rs.noMatch(); rs.findNext(statement))
                found << rs.value(field).toString();
            EXPECT_EQ(found.join(u';'), expected);
            break;
        }
        }
    } catch (const db::DbError& e) {
        ADD_FAILURE() << "DbError " << e.number() << ": " << e.description().toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Statements, JetDialect, testing::ValuesIn(dialect::dialectCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
