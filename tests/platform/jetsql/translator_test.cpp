#include "test_catalog.h"
#include "translation_cases.h"

#include "platform/jetsql/translator.h"
#include <stdexcept>

#include <gtest/gtest.h>

using jettest::TestCatalog;
using translation_cases::Run;
using translation_cases::TranslationCase;

namespace {

class JetTranslator : public testing::Test
{
protected:
    void SetUp() override
    {
        for (const QString& statement : QString::fromUtf8(translation_cases::letters).split(u";;"_s))
            db.exec(statement);
    }

    TestCatalog db;
};

class JetTranslation : public JetTranslator, public testing::WithParamInterface<TranslationCase>
{
};

TEST_P(JetTranslation, GivesTheRowsJetWould)
{
    const TranslationCase& c = GetParam();
    for (const QString& statement : QString::fromUtf8(c.setup).split(u";;"_s, Qt::SkipEmptyParts))
        db.exec(statement);
    const QString statement = QString::fromUtf8(c.statement);
    const QStringList result =
        c.run == Run::Select ? db.select(statement) : db.find(u"cvden2009"_s, u"id"_s, statement);
    EXPECT_EQ(result.join(u';'), QString::fromUtf8(c.expected));
}

INSTANTIATE_TEST_SUITE_P(Cases, JetTranslation, testing::ValuesIn(translation_cases::cases),
                         [](const auto& info) { return std::string(info.param.name); });

// A file named with IN is attached once; the backup table has its columns in another order and
// its own counter, and an insert into it matches the columns by name.
TEST_F(JetTranslator, ExternalFileIsReadAndWrittenMatchingColumnsByName)
{
    const QString path = db.externalPath(u"backup.mdb"_s);
    const QString schema = db.attach(path);
    db.exec(u"CREATE TABLE %1.cvden2009 (id INTEGER PRIMARY KEY, idcu INTEGER,"
            " noigui TEXT COLLATE NOCASE, stt INTEGER)"_s.arg(schema));
    db.exec(u"INSERT INTO %1.cvden2009 VALUES (1, 99, 'cũ', 99)"_s.arg(schema));
    EXPECT_EQ(db.select(u"Select noigui from cvden2009 In '%1' where [id]=1"_s.arg(path)), QStringList{u"cũ"_s});
    db.run(u" INSERT INTO cvden2009 IN '%1' Select stt,noigui,idcu from cvden2009 "
           "where kieuupdate=1 order by id"_s.arg(path));
    EXPECT_EQ(db.rows(u"SELECT id, idcu, noigui, stt FROM %1.cvden2009 ORDER BY id"_s.arg(schema)),
              (QList<QStringList>{{u"1"_s, u"99"_s, u"cũ"_s, u"99"_s}, {u"2"_s, u"2"_s, u"BỘ NỘI VỤ"_s, u"2"_s}}));
    EXPECT_EQ(db.attachCount, 1);
}

// A stored query named in FROM is expanded; "select *" of it is the query itself, so that a
// dynaset opened on "select * from Qrtracuu" can still write the plan table. A stored query that
// reads itself, or an update through a query that is not a plain table, is refused.
TEST_F(JetTranslator, StoredQueryInFromIsExpandedOrRefused)
{
    const QString query = u"SELECT * FROM cvden2009 WHERE [noigui] Like '*bộ*' order by stt"_s;
    db.addQuery(u"main"_s, u"Qrtracuu"_s, query);
    EXPECT_EQ(db.select(u"select id from qrtracuu"_s), (QStringList{u"1"_s, u"2"_s}));
    EXPECT_EQ(db.select(u"select q.id from Qrtracuu as q where q.stt > 1"_s), QStringList{u"2"_s});
    const auto viaName = jetsql::translateStatement(u"select * from [Qrtracuu];"_s, db);
    ASSERT_TRUE(std::holds_alternative<jetsql::Statements>(viaName));
    EXPECT_EQ(std::get<jetsql::Statements>(viaName).sql,
              std::get<jetsql::Statements>(jetsql::translateStatement(query, db)).sql);
    EXPECT_EQ(db.select(u"select * from Qrtracuu"_s), (QStringList{u"1"_s, u"2"_s}));

    db.addQuery(u"main"_s, u"q1"_s, u"select * from q2"_s);
    db.addQuery(u"main"_s, u"q2"_s, u"select * from Q1"_s);
    try {
        db.select(u"select * from q1"_s);
        FAIL() << "no error";
    } catch (const jetsql::SyntaxError& e) {
        EXPECT_TRUE(e.message().contains(QLatin1String("reads itself")));
    }
    db.addQuery(u"main"_s, u"qsorted"_s, u"select * from cvden2009 order by id"_s);
    EXPECT_THROW(db.run(u"update qsorted set stt = 1"_s), std::runtime_error);
}

// The requests that change table structure, as the database layer receives them.
QString describe(const jetsql::Translation& t)
{
    if (const auto* create = std::get_if<jetsql::CreateIndex>(&t)) {
        const auto& i = create->index;
        return QStringList{u"index"_s, create->schema, create->table, i.name, i.fields.join(u',')}.join(u'|') +
               (i.unique ? u"|unique"_s : u"|"_s) + (i.primary ? u"|primary"_s : u"|"_s);
    }
    if (const auto* into = std::get_if<jetsql::SelectInto>(&t))
        return QStringList{u"into"_s, into->schema, into->table, into->structureFromSchema.value_or("-"),
                           into->structureFrom.value_or("-")}
            .join(u'|');
    if (const auto* drop = std::get_if<jetsql::DropTable>(&t))
        return QStringList{u"drop"_s, drop->schema, drop->table}.join(u'|');
    return u"statements|"_s + std::get<jetsql::Statements>(t).sql.join(u';');
}

TEST_F(JetTranslator, StructureChangesComeBackAsRequests)
{
    const struct
    {
        const char* jet;
        const char* expected;
    } cases[] = {
        {"CREATE INDEX idprimarykey ON cvden2009(id ASC) WITH  PRIMARY ",
         "index|main|cvden2009|idprimarykey|id|unique|primary"},
        {"create unique index ix on bophan ([donvi], phong DESC) with disallow null",
         "index|main|bophan|ix|donvi,phong|unique|"},
        {"drop table temp", "drop|main|temp"},
        {"SELECT cvden2009.* INTO cvden2009 IN '{ext}' FROM cvden2009 ;", "into|ext1|cvden2009|main|cvden2009"},
        {"select id, noigui & 'x' into t2 from cvden2009", "into|main|t2|-|-"},
    };
    const QString ext = db.externalPath(u"backup.mdb"_s);
    for (const auto& c : cases) {
        const QString jet = QString::fromUtf8(c.jet).replace(QLatin1String("{ext}"), ext);
        EXPECT_EQ(describe(jetsql::translateStatement(jet, db)), QString::fromUtf8(c.expected)) << c.jet;
    }
}

struct BadText
{
    const char* name;
    bool criterion; // a find criterion, else a statement
    const char* text;
};

const BadText badTexts[] = {
    {"UnterminatedString", false, "select * from cvden2009 where noigui = 'abc"},
    {"UnterminatedBracket", false, "select [noigui from cvden2009"},
    {"MissingFromTable", false, "select * from where id = 1"},
    {"DanglingOperator", false, "select * from cvden2009 where id ="},
    {"UnknownStatement", false, "grant all on cvden2009"},
    {"TwoStatements", false, "delete from a; delete from b"},
    {"StrayCharacter", false, "select * from cvden2009 where id = 1 $"},
    {"EmptyStatement", false, ""},
    {"InsertWithoutSource", false, "insert into cvden2009"},
    {"CreateTableNotSupported", false, "create table x (a text)"},
    {"EmptyCriterion", true, ""},
    {"BlankCriterion", true, "   "},
    {"CriterionWithoutValue", true, "id ="},
    {"CriterionWithOpenParenthesis", true, "(id = 1"},
    {"LikeWithoutPattern", true, "noigui Like"},
    {"TwoCriteriaWithoutOperator", true, "id = 1 id = 2"},
};

using JetSyntaxError = testing::TestWithParam<BadText>;

TEST_P(JetSyntaxError, RaisesSyntaxErrorNamingTheText)
{
    TestCatalog db;
    const QString text = QString::fromUtf8(GetParam().text);
    try {
        if (GetParam().criterion)
            jetsql::translateCriterion(text, db);
        else
            jetsql::translateStatement(text, db);
        FAIL() << "no error for " << GetParam().text;
    } catch (const jetsql::SyntaxError& e) {
        EXPECT_TRUE(e.message().contains(text.trimmed().left(20))) << e.message().toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, JetSyntaxError, testing::ValuesIn(badTexts),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
