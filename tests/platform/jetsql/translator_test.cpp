#include "test_catalog.h"

#include "platform/jetsql/translator.h"
#include <stdexcept>

#include <gtest/gtest.h>

using jettest::TestCatalog;

namespace {

QStringList list(std::initializer_list<const char*> values)
{
    QStringList out;
    for (const char* v : values)
        out << QString::fromUtf8(v);
    return out;
}

class JetTranslator : public testing::Test
{
protected:
    void SetUp() override
    {
        db.exec(u"CREATE TABLE cvden2009 (id INTEGER PRIMARY KEY, stt INTEGER, noigui TEXT COLLATE NOCASE,"
                " loai TEXT COLLATE NOCASE, so_cv TEXT COLLATE NOCASE, chonin TEXT COLLATE NOCASE,"
                " ng_denchuan TEXT COLLATE NOCASE, kieuupdate INTEGER, idcu INTEGER, khan INTEGER)"_s);
        db.exec(u"INSERT INTO cvden2009 VALUES"
                " (1, 1, 'Bộ Tài chính', 'Quyết định', '12/QĐ', '', '20090105', 0, 1, 1),"
                " (2, 2, 'BỘ NỘI VỤ', 'QUYẾT ĐỊNH', '7/TB', 'X', '20090210', 1, 2, 0),"
                " (3, 3, 'Sở Xây dựng Hà Nội', 'Thông báo', '3', '', '20090301', 2, 3, 0),"
                " (4, 4, 'Đức Phổ', 'thông báo', NULL, 'x', '20090302', 0, 4, 1)"_s);
    }

    TestCatalog db;
};

enum class Run
{
    Select, // the statement's first column, row by row
    Find,   // the ids of cvden2009 matching the criterion
};

struct TranslationCase
{
    const char* name;
    Run run;
    const char* statement;
    const char* expected;   // values separated by ";"
    const char* setup = ""; // plain SQLite statements run first, separated by ";;"
};

const char* const departments =
    "CREATE TABLE bophan (id INTEGER PRIMARY KEY, phong TEXT COLLATE NOCASE, donvi TEXT COLLATE NOCASE);;"
    "INSERT INTO bophan VALUES (1, 'B', 'a'), (2, 'a', 'z'), (3, 'đ', 'x'), (4, 'Đ', 'a')";
const char* const letterTypes = "CREATE TABLE loaicv (id INTEGER PRIMARY KEY, loai TEXT COLLATE NOCASE);;"
                                "INSERT INTO loaicv VALUES (1, 'QUYẾT ĐỊNH'), (2, 'Thông báo')";

const TranslationCase translationCases[] = {
    {"BracketedNames", Run::Select, "select [stt] from [cvden2009] where [id]=3", "3"},
    {"KeywordsInAnyCaseAndSemicolon", Run::Select, "sElEcT stt FrOm cvden2009 WhErE id = 2 OrDeR bY stt ;", "2"},
    {"EqualsIgnoresVietnameseCase", Run::Find, "noigui = 'bộ nội vụ'", "2"},
    {"NotEqualIgnoresCase", Run::Find, "chonin <> 'X'", "1;3"},
    {"InListIgnoresCase", Run::Find, "loai IN ('quyết định', 'XYZ')", "1;2"},
    {"LikeStar", Run::Find, "[noigui] Like '*bộ*'", "1;2"},
    {"CriteriaLanguageNumbers", Run::Find, "([stt]=1 or [stt] between 3 and 7 or [stt]>100) and ([stt] <> 4)", "1;3"},
    {"NullColumnNeverMatchesLike", Run::Find, "so_cv Not Like '*/*'", "3"},
    {"DistinctIgnoresCase", Run::Select, "select distinct loai from cvden2009 where loai<>'' order by loai",
     "Quyết định;Thông báo"},
    {"OrderByJoinedColumnsIgnoresCase", Run::Select, "select id from bophan order by phong+donvi", "2;1;4;3",
     departments},
    {"OrderByTwoColumnsIgnoresCase", Run::Select, "select id from bophan order by phong, donvi desc", "2;1;3;4",
     departments},
    {"PlusAddsNumberInText", Run::Select, "select so_cv + 1 from cvden2009 where id = 3", "4"},
    {"PlusJoinsTexts", Run::Select, "select 'a' + 'b' from cvden2009 where id = 3", "ab"},
    {"AmpersandReadsNullAsEmpty", Run::Select, "select stt & '-' & so_cv from cvden2009 where id in (3, 4) order by id",
     "3-3;4-"},
    {"True", Run::Find, "[khan] = True", "1;4"},
    {"False", Run::Find, "[khan] = False", "2;3"},
    {"Left", Run::Select, "select left(noigui,3) as dau from cvden2009 where id=1", "Bộ "},
    {"DoubledQuoteInLiteral", Run::Find, "noigui='o''neil'", "7",
     "INSERT INTO cvden2009 (id, noigui) VALUES (7, 'O''Neil')"},
    {"QuoteInDoubleQuotedLiteral", Run::Find, "noigui=\"O'Neil\"", "7",
     "INSERT INTO cvden2009 (id, noigui) VALUES (7, 'O''Neil')"},
    {"TopBecomesLimit", Run::Select, "select top 2 id from cvden2009 order by id desc", "4;3"},
    {"InnerJoin", Run::Select,
     "select count(*) from cvden2009 inner join loaicv on cvden2009.loai = loaicv.loai where loaicv.id = 1", "2",
     letterTypes},
    {"LeftJoinAndAggregate", Run::Select,
     "select l.id, count(c.id) from loaicv as l left join cvden2009 c on l.loai = c.loai group by l.id order by l.id",
     "1;2", letterTypes},
    {"DateLiteralBecomesIsoText", Run::Select, "select x from d where x = #2/1/2009#", "2009-02-01",
     "CREATE TABLE d (x TEXT);;INSERT INTO d VALUES ('2009-02-01')"},
};

void PrintTo(const TranslationCase& c, std::ostream* os)
{
    *os << c.name;
}

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

INSTANTIATE_TEST_SUITE_P(Cases, JetTranslation, testing::ValuesIn(translationCases),
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
    EXPECT_EQ(db.select(u"Select noigui from cvden2009 In '%1' where [id]=1"_s.arg(path)), list({"cũ"}));
    db.run(u" INSERT INTO cvden2009 IN '%1' Select stt,noigui,idcu from cvden2009 "
           "where kieuupdate=1 order by id"_s.arg(path));
    EXPECT_EQ(db.rows(u"SELECT id, idcu, noigui, stt FROM %1.cvden2009 ORDER BY id"_s.arg(schema)),
              (QList<QStringList>{list({"1", "99", "cũ", "99"}), list({"2", "2", "BỘ NỘI VỤ", "2"})}));
    EXPECT_EQ(db.attachCount, 1);
}

// A stored query named in FROM is expanded; "select *" of it is the query itself, so that a
// dynaset opened on "select * from Qrtracuu" can still write the plan table.
TEST_F(JetTranslator, StoredQueryInFromIsExpanded)
{
    const QString query = u"SELECT * FROM cvden2009 WHERE [noigui] Like '*bộ*' order by stt"_s;
    db.addQuery(u"main"_s, u"Qrtracuu"_s, query);
    EXPECT_EQ(db.select(u"select id from qrtracuu"_s), list({"1", "2"}));
    EXPECT_EQ(db.select(u"select q.id from Qrtracuu as q where q.stt > 1"_s), list({"2"}));
    const auto viaName = jetsql::translateStatement(u"select * from [Qrtracuu];"_s, db);
    ASSERT_TRUE(std::holds_alternative<jetsql::Statements>(viaName));
    EXPECT_EQ(std::get<jetsql::Statements>(viaName).sql,
              std::get<jetsql::Statements>(jetsql::translateStatement(query, db)).sql);
    EXPECT_EQ(db.select(u"select * from Qrtracuu"_s), list({"1", "2"}));
}

// A stored query that reads itself, or an update through a query that is not a plain table.
TEST_F(JetTranslator, StoredQueriesThatCannotBeRunAreRefused)
{
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
