#include "jet_test_catalog.h"

#include "platform/db/db_error.h"
#include "platform/db/jet_translator.h"

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
        db.exec(
            QStringLiteral("CREATE TABLE cvden2009 (id INTEGER PRIMARY KEY, stt INTEGER, noigui TEXT COLLATE NOCASE,"
                           " loai TEXT COLLATE NOCASE, so_cv TEXT COLLATE NOCASE, chonin TEXT COLLATE NOCASE,"
                           " ng_denchuan TEXT COLLATE NOCASE, kieuupdate INTEGER, idcu INTEGER, khan INTEGER)"));
        db.exec(QStringLiteral("INSERT INTO cvden2009 VALUES"
                               " (1, 1, 'Bộ Tài chính', 'Quyết định', '12/QĐ', '', '20090105', 0, 1, 1),"
                               " (2, 2, 'BỘ NỘI VỤ', 'QUYẾT ĐỊNH', '7/TB', 'X', '20090210', 1, 2, 0),"
                               " (3, 3, 'Sở Xây dựng Hà Nội', 'Thông báo', '3', '', '20090301', 2, 3, 0),"
                               " (4, 4, 'Đức Phổ', 'thông báo', NULL, 'x', '20090302', 0, 4, 1)"));
    }

    TestCatalog db;
};

enum class Run
{
    Select, // the statement's first column, row by row
    Find,   // the ids of cvden2009 matching the criterion
    Change, // the statement runs; then `check` (plain SQLite) is read
};

struct TranslationCase
{
    const char* name;
    const char* setup; // plain SQLite statements run first, separated by ";;"
    Run run;
    const char* statement;
    const char* check;
    const char* expected; // values separated by ";"; "error" when the statement must raise DbError
};

const TranslationCase translationCases[] = {
    {"BracketedNames", "", Run::Select, "select [stt] from [cvden2009] where [id]=3", "", "3"},
    {"KeywordsInAnyCaseAndSemicolon", "", Run::Select, "sElEcT stt FrOm cvden2009 WhErE id = 2 OrDeR bY stt ;", "",
     "2"},
    {"EqualsIgnoresVietnameseCase", "", Run::Find, "noigui = 'bộ nội vụ'", "", "2"},
    {"EqualsIgnoresCaseOfAccentedCapitals", "", Run::Find, "noigui = 'ĐỨC PHỔ'", "", "4"},
    {"EqualsRespectsAccents", "", Run::Find, "noigui = 'Duc Pho'", "", ""},
    {"NotEqualIgnoresCase", "", Run::Find, "chonin <> 'X'", "", "1;3"},
    {"InListIgnoresCase", "", Run::Find, "loai IN ('quyết định', 'XYZ')", "", "1;2"},
    {"LikeStar", "", Run::Find, "[noigui] Like '*bộ*'", "", "1;2"},
    {"LikeDigit", "", Run::Find, "so_cv Like '#*'", "", "1;2;3"},
    {"LikeQuestionMark", "", Run::Find,
     "so_cv Like '?/?"
     "?'",
     "", "2"},
    {"LikeNegatedClass", "", Run::Find, "noigui Like '[!b]*'", "", "3;4"},
    // The condition the search forms build for "Bộ,Sở+!Hà".
    {"CriteriaLanguageWords", "", Run::Find,
     "(([noigui] Like '*Bộ*') or ([noigui] Like '*Sở*' and [noigui] Not Like '*Hà*'))", "", "1;2"},
    {"CriteriaLanguageNumbers", "", Run::Find, "([stt]=1 or [stt] between 3 and 7 or [stt]>100) and ([stt] <> 4)", "",
     "1;3"},
    {"NullColumnNeverMatchesLike", "", Run::Find, "so_cv Not Like '*/*'", "", "3"},
    {"DistinctIgnoresCase", "", Run::Select, "select distinct loai from cvden2009 where loai<>'' order by loai", "",
     "Quyết định;Thông báo"},
    {"OrderByJoinedColumnsIgnoresCase",
     "CREATE TABLE bophan (id INTEGER PRIMARY KEY, phong TEXT COLLATE NOCASE, donvi TEXT COLLATE NOCASE);;"
     "INSERT INTO bophan VALUES (1, 'B', 'a'), (2, 'a', 'z'), (3, 'đ', 'x'), (4, 'Đ', 'a')",
     Run::Select, "select id from bophan order by phong+donvi", "", "2;1;4;3"},
    {"OrderByTwoColumnsIgnoresCase",
     "CREATE TABLE bophan (id INTEGER PRIMARY KEY, phong TEXT COLLATE NOCASE, donvi TEXT COLLATE NOCASE);;"
     "INSERT INTO bophan VALUES (1, 'B', 'a'), (2, 'a', 'z'), (3, 'đ', 'x'), (4, 'Đ', 'a')",
     Run::Select, "select id from bophan order by phong, donvi desc", "", "2;1;3;4"},
    // Added as numbers the first row would sort first; joined as texts the second does.
    {"PlusJoinsTextColumnsInOrderBy",
     "CREATE TABLE kehoach2009 (id INTEGER PRIMARY KEY, tgianbdauchuan TEXT COLLATE NOCASE,"
     " tgiankthucchuan TEXT COLLATE NOCASE);;"
     "INSERT INTO kehoach2009 VALUES (1, '20090105', '20090110'), (2, '20090104', '20090220'),"
     " (3, '20090104', '20090201')",
     Run::Select, "SELECT * FROM kehoach2009 ORDER BY tgianbdauchuan+tgiankthucchuan ", "", "3;2;1"},
    {"PlusAddsNumbers", "", Run::Select, "select stt + 10 from cvden2009 where id = 2", "", "12"},
    {"PlusAddsNumberInText", "", Run::Select, "select so_cv + 1 from cvden2009 where id = 3", "", "4"},
    {"PlusNullIsNull", "", Run::Select, "select noigui + null from cvden2009 where id = 3", "", "NULL"},
    {"PlusJoinsTexts", "", Run::Select, "select 'a' + 'b' from cvden2009 where id = 3", "", "ab"},
    {"PlusOfWordAndNumberIsATypeMismatch", "", Run::Select, "select noigui + 1 from cvden2009", "", "error"},
    {"AmpersandReadsNullAsEmpty", "", Run::Select,
     "select stt & '-' & so_cv from cvden2009 where id in (3, 4) order by id", "", "3-3;4-"},
    {"True", "", Run::Find, "[khan] = True", "", "1;4"},
    {"False", "", Run::Find, "[khan] = False", "", "2;3"},
    {"LenOfTrim", "INSERT INTO cvden2009 (id, noigui) VALUES (5, '   '), (6, '  Bộ Tài chính ')", Run::Select,
     "select count(*) from cvden2009 where len(trim(noigui))>0", "", "5"},
    {"Left", "", Run::Select, "select left(noigui,3) as dau from cvden2009 where id=1", "", "Bộ "},
    {"Len", "", Run::Select, "select Len(noigui) from cvden2009 where id=4", "", "7"},
    {"DoubledQuoteInLiteral", "INSERT INTO cvden2009 (id, noigui) VALUES (7, 'O''Neil')", Run::Find, "noigui='o''neil'",
     "", "7"},
    {"QuoteInDoubleQuotedLiteral", "INSERT INTO cvden2009 (id, noigui) VALUES (7, 'O''Neil')", Run::Find,
     "noigui=\"O'Neil\"", "", "7"},
    {"DeleteStarFrom", "", Run::Change, "DELETE * FROM cvden2009 where loai = 'thông báo';",
     "SELECT id FROM cvden2009 ORDER BY id", "1;2"},
    {"UpdateClearsMarks", "", Run::Change, "UPDATE cvden2009 SET chonin = '' where [chonin]= 'X' ;",
     "SELECT count(*) FROM cvden2009 WHERE chonin = ''", "4"},
    {"UpdateMarksSearchHits", "UPDATE cvden2009 SET chonin = ''", Run::Change,
     "UPDATE cvden2009 SET chonin = 'X' where (([noigui] Like '*Bộ*'));",
     "SELECT id FROM cvden2009 WHERE chonin = 'X' ORDER BY id", "1;2"},
    {"TopBecomesLimit", "", Run::Select, "select top 2 id from cvden2009 order by id desc", "", "4;3"},
    {"InnerJoin",
     "CREATE TABLE loaicv (id INTEGER PRIMARY KEY, loai TEXT COLLATE NOCASE);;"
     "INSERT INTO loaicv VALUES (1, 'QUYẾT ĐỊNH'), (2, 'Thông báo')",
     Run::Select,
     "select count(*) from cvden2009 inner join loaicv on cvden2009.loai = loaicv.loai where loaicv.id = 1", "", "2"},
    {"LeftJoinAndAggregate",
     "CREATE TABLE loaicv (id INTEGER PRIMARY KEY, loai TEXT COLLATE NOCASE);;"
     "INSERT INTO loaicv VALUES (1, 'QUYẾT ĐỊNH'), (2, 'Thông báo')",
     Run::Select,
     "select l.id, count(c.id) from loaicv as l left join cvden2009 c on l.loai = c.loai group by l.id order by l.id",
     "", "1;2"},
    {"DateLiteralBecomesIsoText", "CREATE TABLE d (x TEXT);;INSERT INTO d VALUES ('2009-02-01')", Run::Select,
     "select x from d where x = #2/1/2009#", "", "2009-02-01"},
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
    for (const QString& statement : QString::fromUtf8(c.setup).split(QStringLiteral(";;"), Qt::SkipEmptyParts))
        db.exec(statement);
    const QString statement = QString::fromUtf8(c.statement);
    QStringList result;
    try {
        switch (c.run) {
        case Run::Select:
            result = db.select(statement);
            break;
        case Run::Find:
            result = db.find(QStringLiteral("cvden2009"), QStringLiteral("id"), statement);
            break;
        case Run::Change:
            db.run(statement);
            result = db.column(QString::fromUtf8(c.check));
            break;
        }
    } catch (const db::DbError&) {
        result = QStringList{QStringLiteral("error")};
    }
    EXPECT_EQ(result.join(u';'), QString::fromUtf8(c.expected));
}

INSTANTIATE_TEST_SUITE_P(Cases, JetTranslation, testing::ValuesIn(translationCases),
                         [](const testing::TestParamInfo<TranslationCase>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(JetTranslator, SelectFromExternalFile)
{
    const QString path = db.externalPath(QStringLiteral("vemocv.mdb"));
    const QString schema = db.attach(path);
    db.exec(
        QStringLiteral("CREATE TABLE %1.cvden2009 (id INTEGER PRIMARY KEY, noigui TEXT COLLATE NOCASE)").arg(schema));
    db.exec(QStringLiteral("INSERT INTO %1.cvden2009 VALUES (10, 'Bên ngoài')").arg(schema));
    EXPECT_EQ(db.select(QStringLiteral("Select noigui from cvden2009 In '%1' where [id]=10").arg(path)),
              list({"Bên ngoài"}));
    EXPECT_EQ(db.attachCount, 1);
}

TEST_F(JetTranslator, InsertIntoExternalFileMatchesColumnsByName)
{
    const QString path = db.externalPath(QStringLiteral("backup.mdb"));
    const QString schema = db.attach(path);
    // The backup table has its columns in another order and its own counter.
    db.exec(QStringLiteral("CREATE TABLE %1.cvden2009 (id INTEGER PRIMARY KEY, idcu INTEGER,"
                           " noigui TEXT COLLATE NOCASE, stt INTEGER)")
                .arg(schema));
    db.exec(QStringLiteral("INSERT INTO %1.cvden2009 VALUES (1, 99, 'cũ', 99)").arg(schema));
    db.run(QStringLiteral(" INSERT INTO cvden2009 IN '%1' Select stt,noigui,idcu from cvden2009 "
                          "where kieuupdate=1 order by id")
               .arg(path));
    EXPECT_EQ(db.rows(QStringLiteral("SELECT id, idcu, noigui, stt FROM %1.cvden2009 ORDER BY id").arg(schema)),
              (QList<QStringList>{list({"1", "99", "cũ", "99"}), list({"2", "2", "BỘ NỘI VỤ", "2"})}));
}

TEST_F(JetTranslator, InsertSelectStarFromStoredQueryOfExternalFile)
{
    // The print fill: the scratch file reads qrdata1, a stored query of the letters file.
    const QString letters = db.externalPath(QStringLiteral("vemocv.mdb"));
    const QString schema = db.attach(letters);
    db.exec(QStringLiteral("CREATE TABLE %1.cvden2009 (id INTEGER PRIMARY KEY, noigui TEXT COLLATE NOCASE,"
                           " chonin TEXT COLLATE NOCASE)")
                .arg(schema));
    db.exec(QStringLiteral("INSERT INTO %1.cvden2009 VALUES (1, 'a', 'X'), (2, 'b', ''), (3, 'c', 'x')").arg(schema));
    db.addQuery(schema, QStringLiteral("qrdata1"), QStringLiteral("select * from cvden2009 order by id"));
    db.exec(
        QStringLiteral("CREATE TABLE incvden (chonin TEXT COLLATE NOCASE, noigui TEXT COLLATE NOCASE, id INTEGER)"));
    db.run(QStringLiteral("DELETE * FROM incvden ;"));
    db.run(QStringLiteral(" INSERT INTO incvden Select * from qrdata1 In '%1' where [chonin]= 'X' order by [id]")
               .arg(letters));
    EXPECT_EQ(db.rows(QStringLiteral("SELECT id, noigui, chonin FROM incvden ORDER BY id")),
              (QList<QStringList>{list({"1", "a", "X"}), list({"3", "c", "x"})}));
}

TEST_F(JetTranslator, StoredQueryInFromIsExpanded)
{
    db.addQuery(QStringLiteral("main"), QStringLiteral("Qrtracuu"),
                QStringLiteral("SELECT * FROM cvden2009 WHERE [noigui] Like '*bộ*' order by id"));
    EXPECT_EQ(db.select(QStringLiteral("select id from qrtracuu")), list({"1", "2"}));
    EXPECT_EQ(db.select(QStringLiteral("select q.id from Qrtracuu as q where q.stt > 1")), list({"2"}));
}

TEST_F(JetTranslator, SelectStarFromStoredQueryIsTheQueryItself)
{
    // So that a dynaset opened on "select * from Qrtracuu" can still write the plan table.
    const QString query = QStringLiteral("SELECT * FROM cvden2009 WHERE [noigui] Like '*bộ*' order by stt");
    db.addQuery(QStringLiteral("main"), QStringLiteral("Qrtracuu"), query);
    const auto viaName = db::jet::translateStatement(QStringLiteral("select * from [Qrtracuu];"), db);
    const auto direct = db::jet::translateStatement(query, db);
    ASSERT_TRUE(std::holds_alternative<db::jet::Statements>(viaName));
    EXPECT_EQ(std::get<db::jet::Statements>(viaName).sql, std::get<db::jet::Statements>(direct).sql);
    EXPECT_EQ(db.select(QStringLiteral("select * from Qrtracuu")), list({"1", "2"}));
}

TEST_F(JetTranslator, StoredQueryReadingAnotherFileIsExpanded)
{
    const QString path = db.externalPath(QStringLiteral("backup.mdb"));
    db.addQuery(QStringLiteral("main"), QStringLiteral("Qrbangcvden"),
                QStringLiteral("select * from cvden2009 in '%1'").arg(path));
    const QString schema = db.attach(path);
    db.exec(
        QStringLiteral("CREATE TABLE %1.cvden2009 (id INTEGER PRIMARY KEY, noigui TEXT COLLATE NOCASE)").arg(schema));
    db.exec(QStringLiteral("INSERT INTO %1.cvden2009 VALUES (1, 'sao lưu')").arg(schema));
    EXPECT_EQ(db.select(QStringLiteral("select noigui from Qrbangcvden")), list({"sao lưu"}));
}

TEST_F(JetTranslator, StoredQueryThatReadsItselfIsRefused)
{
    db.addQuery(QStringLiteral("main"), QStringLiteral("q1"), QStringLiteral("select * from q2"));
    db.addQuery(QStringLiteral("main"), QStringLiteral("q2"), QStringLiteral("select * from Q1"));
    try {
        db.select(QStringLiteral("select * from q1"));
        FAIL() << "no error";
    } catch (const db::DbError& e) {
        EXPECT_EQ(e.number(), db::errc::SyntaxError);
        EXPECT_TRUE(e.description().contains(QLatin1String("reads itself")));
    }
}

TEST_F(JetTranslator, JoinedUpdateThroughStoredQueryOfBackupFile)
{
    const QString path = db.externalPath(QStringLiteral("backup.mdb"));
    const QString schema = db.attach(path);
    db.exec(QStringLiteral("CREATE TABLE %1.cvden2009 (id INTEGER PRIMARY KEY, stt INTEGER, noigui TEXT COLLATE NOCASE,"
                           " so_cv TEXT COLLATE NOCASE, idcu INTEGER)")
                .arg(schema));
    db.exec(
        QStringLiteral("INSERT INTO %1.cvden2009 VALUES (50, 0, 'cũ', 'cũ', 3), (51, 0, 'cũ', 'cũ', 1)").arg(schema));
    db.addQuery(QStringLiteral("main"), QStringLiteral("Qrbangcvden"),
                QStringLiteral("select * from cvden2009 in '%1'").arg(path));
    db.run(QStringLiteral("update cvden2009, Qrbangcvden set Qrbangcvden.stt=cvden2009.stt, "
                          "Qrbangcvden.noigui=cvden2009.noigui, Qrbangcvden.so_cv=cvden2009.so_cv "
                          " where Qrbangcvden.idcu=cvden2009.idcu  and cvden2009.kieuupdate=2 "));
    // Only the copy of the row flagged 2 (idcu 3) changes.
    EXPECT_EQ(db.rows(QStringLiteral("SELECT id, stt, noigui, so_cv FROM %1.cvden2009 ORDER BY id").arg(schema)),
              (QList<QStringList>{list({"50", "3", "Sở Xây dựng Hà Nội", "3"}), list({"51", "0", "cũ", "cũ"})}));
    // The local table is untouched.
    EXPECT_EQ(db.column(QStringLiteral("SELECT noigui FROM cvden2009 WHERE id = 3")), list({"Sở Xây dựng Hà Nội"}));
}

TEST_F(JetTranslator, UpdateOfComplexQueryIsRefused)
{
    db.addQuery(QStringLiteral("main"), QStringLiteral("qsorted"),
                QStringLiteral("select * from cvden2009 order by id"));
    EXPECT_THROW(db.run(QStringLiteral("update qsorted set stt = 1")), db::DbError);
}

TEST_F(JetTranslator, SelectIntoExternalFileCopiesStructureAndRows)
{
    const QString path = db.externalPath(QStringLiteral("backup.mdb"));
    const db::jet::Translation t = db::jet::translateStatement(
        QStringLiteral("SELECT cvden2009.* INTO cvden2009 IN '%1' FROM cvden2009 ;").arg(path), db);
    const auto* into = std::get_if<db::jet::SelectInto>(&t);
    ASSERT_NE(into, nullptr);
    EXPECT_EQ(into->table, QStringLiteral("cvden2009"));
    EXPECT_EQ(into->structureFrom.value_or(QString()), QStringLiteral("cvden2009"));
    EXPECT_EQ(into->structureFromSchema.value_or(QString()), QStringLiteral("main"));
    db.run(QStringLiteral("SELECT cvden2009.* INTO cvden2009 IN '%1' FROM cvden2009 ;").arg(path));
    EXPECT_EQ(db.column(QStringLiteral("SELECT count(*) FROM %1.cvden2009").arg(into->schema)), list({"4"}));
}

TEST_F(JetTranslator, SelectStarIntoTempOfReferenceFile)
{
    const QString path = db.externalPath(QStringLiteral("vemotk.mdb"));
    db.run(QStringLiteral("select * into temp in '%1' from cvden2009").arg(path));
    const QString schema = db.attach(path);
    EXPECT_EQ(db.column(QStringLiteral("SELECT noigui FROM %1.\"temp\" WHERE id = 4").arg(schema)), list({"Đức Phổ"}));
    // Structure copied: text columns still ignore letter case.
    EXPECT_EQ(db.column(QStringLiteral("SELECT id FROM %1.\"temp\" WHERE noigui = 'đức phổ'").arg(schema)),
              list({"4"}));
}

TEST_F(JetTranslator, SelectIntoWithExpressionsHasNoStructureSource)
{
    const db::jet::Translation t =
        db::jet::translateStatement(QStringLiteral("select id, noigui & 'x' into t2 from cvden2009"), db);
    const auto* into = std::get_if<db::jet::SelectInto>(&t);
    ASSERT_NE(into, nullptr);
    EXPECT_FALSE(into->structureFrom.has_value());
    EXPECT_EQ(into->schema, QStringLiteral("main"));
}

TEST_F(JetTranslator, CreateIndexWithPrimary)
{
    const db::jet::Translation t = db::jet::translateStatement(
        QStringLiteral("CREATE INDEX idprimarykey ON cvden2009(id ASC) WITH  PRIMARY "), db);
    const auto* index = std::get_if<db::jet::CreateIndex>(&t);
    ASSERT_NE(index, nullptr);
    EXPECT_EQ(index->table, QStringLiteral("cvden2009"));
    EXPECT_EQ(index->index.name, QStringLiteral("idprimarykey"));
    EXPECT_EQ(index->index.fields, QStringList{QStringLiteral("id")});
    EXPECT_TRUE(index->index.primary);
    EXPECT_TRUE(index->index.unique);
}

TEST_F(JetTranslator, CreateUniqueIndexOnTwoFields)
{
    const db::jet::Translation t = db::jet::translateStatement(
        QStringLiteral("create unique index ix on bophan ([donvi], phong DESC) with disallow null"), db);
    const auto* index = std::get_if<db::jet::CreateIndex>(&t);
    ASSERT_NE(index, nullptr);
    EXPECT_EQ(index->index.fields, (QStringList{QStringLiteral("donvi"), QStringLiteral("phong")}));
    EXPECT_TRUE(index->index.unique);
    EXPECT_FALSE(index->index.primary);
}

TEST_F(JetTranslator, DropTable)
{
    const db::jet::Translation t = db::jet::translateStatement(QStringLiteral("drop table temp"), db);
    const auto* drop = std::get_if<db::jet::DropTable>(&t);
    ASSERT_NE(drop, nullptr);
    EXPECT_EQ(drop->table, QStringLiteral("temp"));
    EXPECT_EQ(drop->schema, QStringLiteral("main"));
}

TEST_F(JetTranslator, MergeAddsOnlyMissingKeysIgnoringCase)
{
    db.exec(QStringLiteral("CREATE TABLE bophan (id INTEGER PRIMARY KEY, donvi TEXT COLLATE NOCASE,"
                           " phong TEXT COLLATE NOCASE, matt TEXT COLLATE NOCASE)"));
    db.exec(QStringLiteral("INSERT INTO bophan VALUES (1, 'Sở Nội vụ', 'Phòng Tổ chức', 'a')"));
    db.exec(QStringLiteral("CREATE TABLE \"temp\" (id INTEGER PRIMARY KEY, donvi TEXT COLLATE NOCASE,"
                           " phong TEXT COLLATE NOCASE, matt TEXT COLLATE NOCASE)"));
    db.exec(QStringLiteral("INSERT INTO \"temp\" VALUES (1, 'SỞ NỘI VỤ', 'PHÒNG TỔ CHỨC', 'a'),"
                           " (2, 'Sở Y tế', 'Phòng Tổ chức', 'b'), (3, 'Sở Y tế', 'Phòng Tổ chức', 'b')"));
    db.run(QStringLiteral("insert into bophan select distinct donvi,phong,matt from temp where phong+donvi not IN "
                          "(select distinct phong+donvi from bophan)"));
    EXPECT_EQ(db.column(QStringLiteral("SELECT donvi FROM bophan ORDER BY id")), list({"Sở Nội vụ", "Sở Y tế"}));
}

struct BadStatement
{
    const char* name;
    const char* sql;
};

const BadStatement badStatements[] = {
    {"UnterminatedString", "select * from cvden2009 where noigui = 'abc"},
    {"UnterminatedBracket", "select [noigui from cvden2009"},
    {"MissingFromTable", "select * from where id = 1"},
    {"DanglingOperator", "select * from cvden2009 where id ="},
    {"UnknownStatement", "grant all on cvden2009"},
    {"TwoStatements", "delete from a; delete from b"},
    {"StrayCharacter", "select * from cvden2009 where id = 1 $"},
    {"EmptyStatement", ""},
    {"InsertWithoutSource", "insert into cvden2009"},
    {"CreateTableNotSupported", "create table x (a text)"},
};

class JetSyntaxError : public testing::TestWithParam<BadStatement>
{
};

TEST_P(JetSyntaxError, RaisesSyntaxErrorNamingTheStatement)
{
    TestCatalog db;
    const QString sql = QString::fromUtf8(GetParam().sql);
    try {
        db::jet::translateStatement(sql, db);
        FAIL() << "no error for " << GetParam().sql;
    } catch (const db::DbError& e) {
        EXPECT_EQ(e.number(), db::errc::SyntaxError);
        EXPECT_TRUE(e.description().contains(sql.trimmed().left(20))) << e.description().toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, JetSyntaxError, testing::ValuesIn(badStatements),
                         [](const testing::TestParamInfo<BadStatement>& info) { return std::string(info.param.name); });

TEST(JetCriterion, EmptyOrMalformedCriterionRaisesSyntaxError)
{
    TestCatalog db;
    for (const char* criterion : {"", "   ", "id =", "(id = 1", "noigui Like", "id = 1 id = 2"}) {
        try {
            db::jet::translateCriterion(QString::fromUtf8(criterion), db);
            ADD_FAILURE() << "no error for " << criterion;
        } catch (const db::DbError& e) {
            EXPECT_EQ(e.number(), db::errc::SyntaxError);
        }
    }
}

} // namespace
