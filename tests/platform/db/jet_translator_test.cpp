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

TEST_F(JetTranslator, BracketedNamesBecomeQuotedNames)
{
    EXPECT_EQ(db.select(QStringLiteral("select [stt] from [cvden2009] where [id]=3")), list({"3"}));
}

TEST_F(JetTranslator, KeywordsInAnyLetterCaseAndTrailingSemicolon)
{
    EXPECT_EQ(db.select(QStringLiteral("sElEcT stt FrOm cvden2009 WhErE id = 2 OrDeR bY stt ;")), list({"2"}));
}

TEST_F(JetTranslator, EqualsIgnoresVietnameseCaseAndRespectsAccents)
{
    EXPECT_EQ(db.find(QStringLiteral("cvden2009"), QStringLiteral("id"), QStringLiteral("noigui = 'bộ nội vụ'")),
              list({"2"}));
    EXPECT_EQ(db.find(QStringLiteral("cvden2009"), QStringLiteral("id"), QStringLiteral("noigui = 'ĐỨC PHỔ'")),
              list({"4"}));
    EXPECT_TRUE(
        db.find(QStringLiteral("cvden2009"), QStringLiteral("id"), QStringLiteral("noigui = 'Duc Pho'")).isEmpty());
}

TEST_F(JetTranslator, NotEqualIgnoresCase)
{
    EXPECT_EQ(db.find(QStringLiteral("cvden2009"), QStringLiteral("id"), QStringLiteral("chonin <> 'X'")),
              list({"1", "3"}));
}

TEST_F(JetTranslator, InListIgnoresCase)
{
    EXPECT_EQ(
        db.find(QStringLiteral("cvden2009"), QStringLiteral("id"), QStringLiteral("loai IN ('quyết định', 'XYZ')")),
        list({"1", "2"}));
}

TEST_F(JetTranslator, LikeUsesJetWildcardsAndIgnoresCase)
{
    EXPECT_EQ(db.find(QStringLiteral("cvden2009"), QStringLiteral("id"), QStringLiteral("[noigui] Like '*bộ*'")),
              list({"1", "2"}));
    EXPECT_EQ(db.find(QStringLiteral("cvden2009"), QStringLiteral("id"), QStringLiteral("so_cv Like '#*'")),
              list({"1", "2", "3"}));
    EXPECT_EQ(db.find(QStringLiteral("cvden2009"), QStringLiteral("id"),
                      QStringLiteral("so_cv Like '?/?"
                                     "?'")),
              list({"2"}));
    EXPECT_EQ(db.find(QStringLiteral("cvden2009"), QStringLiteral("id"), QStringLiteral("noigui Like '[!b]*'")),
              list({"3", "4"}));
}

TEST_F(JetTranslator, CriteriaLanguageConditionRuns)
{
    // The condition the search forms build for "Bộ,Sở+!Hà".
    EXPECT_EQ(
        db.find(QStringLiteral("cvden2009"), QStringLiteral("id"),
                QStringLiteral("(([noigui] Like '*Bộ*') or ([noigui] Like '*Sở*' and [noigui] Not Like '*Hà*'))")),
        list({"1", "2"}));
    EXPECT_EQ(db.find(QStringLiteral("cvden2009"), QStringLiteral("id"),
                      QStringLiteral("([stt]=1 or [stt] between 3 and 7 or [stt]>100) and ([stt] <> 4)")),
              list({"1", "3"}));
}

TEST_F(JetTranslator, NullColumnNeverMatchesLike)
{
    EXPECT_EQ(db.find(QStringLiteral("cvden2009"), QStringLiteral("id"), QStringLiteral("so_cv Not Like '*/*'")),
              list({"3"}));
}

TEST_F(JetTranslator, DistinctIgnoresCase)
{
    EXPECT_EQ(db.select(QStringLiteral("select distinct loai from cvden2009 where loai<>'' order by loai")).size(), 2);
}

TEST_F(JetTranslator, OrderByIgnoresCase)
{
    db.exec(QStringLiteral("CREATE TABLE bophan (id INTEGER PRIMARY KEY, phong TEXT COLLATE NOCASE,"
                           " donvi TEXT COLLATE NOCASE)"));
    db.exec(QStringLiteral("INSERT INTO bophan VALUES (1, 'B', 'a'), (2, 'a', 'z'), (3, 'đ', 'x'), (4, 'Đ', 'a')"));
    EXPECT_EQ(db.select(QStringLiteral("select id from bophan order by phong+donvi")), list({"2", "1", "4", "3"}));
    EXPECT_EQ(db.select(QStringLiteral("select id from bophan order by phong, donvi desc")),
              list({"2", "1", "3", "4"}));
}

TEST_F(JetTranslator, PlusJoinsTextColumnsInOrderBy)
{
    db.exec(QStringLiteral("CREATE TABLE kehoach2009 (id INTEGER PRIMARY KEY, tgianbdauchuan TEXT COLLATE NOCASE,"
                           " tgiankthucchuan TEXT COLLATE NOCASE)"));
    // Added as numbers the first row would sort first; joined as texts the second does.
    db.exec(QStringLiteral("INSERT INTO kehoach2009 VALUES (1, '20090105', '20090110'), (2, '20090104', '20090220'),"
                           " (3, '20090104', '20090201')"));
    EXPECT_EQ(db.select(QStringLiteral("SELECT * FROM kehoach2009 ORDER BY tgianbdauchuan+tgiankthucchuan ")),
              list({"3", "2", "1"}));
}

TEST_F(JetTranslator, PlusAddsNumbers)
{
    EXPECT_EQ(db.select(QStringLiteral("select stt + 10 from cvden2009 where id = 2")), list({"12"}));
    EXPECT_EQ(db.select(QStringLiteral("select so_cv + 1 from cvden2009 where id = 3")), list({"4"}));
    EXPECT_EQ(db.select(QStringLiteral("select noigui + null from cvden2009 where id = 3")), list({"NULL"}));
    EXPECT_EQ(db.select(QStringLiteral("select 'a' + 'b' from cvden2009 where id = 3")), list({"ab"}));
}

TEST_F(JetTranslator, PlusOfWordAndNumberIsATypeMismatch)
{
    EXPECT_THROW(db.select(QStringLiteral("select noigui + 1 from cvden2009")), db::DbError);
}

TEST_F(JetTranslator, AmpersandJoinsAndReadsNullAsEmpty)
{
    EXPECT_EQ(db.select(QStringLiteral("select stt & '-' & so_cv from cvden2009 where id in (3, 4) order by id")),
              list({"3-3", "4-"}));
}

TEST_F(JetTranslator, TrueAndFalse)
{
    EXPECT_EQ(db.find(QStringLiteral("cvden2009"), QStringLiteral("id"), QStringLiteral("[khan] = True")),
              list({"1", "4"}));
    EXPECT_EQ(db.find(QStringLiteral("cvden2009"), QStringLiteral("id"), QStringLiteral("[khan] = False")),
              list({"2", "3"}));
}

TEST_F(JetTranslator, LeftLenTrim)
{
    db.exec(QStringLiteral("INSERT INTO cvden2009 (id, noigui) VALUES (5, '   '), (6, '  Bộ Tài chính ')"));
    EXPECT_EQ(db.select(QStringLiteral("select distinct noigui from cvden2009 where len(trim(noigui))>0 "
                                       "order by noigui"))
                  .size(),
              5);
    EXPECT_EQ(db.select(QStringLiteral("select left(noigui,3) as dau from cvden2009 where id=1")), list({"Bộ "}));
    EXPECT_EQ(db.select(QStringLiteral("select Len(noigui) from cvden2009 where id=4")), list({"7"}));
}

TEST_F(JetTranslator, UserQuoteInLiteralIsOrdinary)
{
    db.exec(QStringLiteral("INSERT INTO cvden2009 (id, noigui) VALUES (7, 'O''Neil')"));
    EXPECT_EQ(db.find(QStringLiteral("cvden2009"), QStringLiteral("id"), QStringLiteral("noigui='o''neil'")),
              list({"7"}));
    EXPECT_EQ(db.find(QStringLiteral("cvden2009"), QStringLiteral("id"), QStringLiteral("noigui=\"O'Neil\"")),
              list({"7"}));
}

TEST_F(JetTranslator, DeleteStarFrom)
{
    db.run(QStringLiteral("DELETE * FROM cvden2009 where loai = 'thông báo';"));
    EXPECT_EQ(db.column(QStringLiteral("SELECT id FROM cvden2009 ORDER BY id")), list({"1", "2"}));
}

TEST_F(JetTranslator, UpdateMarksAndClears)
{
    db.run(QStringLiteral("UPDATE cvden2009 SET chonin = '' where [chonin]= 'X' ;"));
    EXPECT_EQ(db.column(QStringLiteral("SELECT count(*) FROM cvden2009 WHERE chonin = ''")), list({"4"}));
    db.run(QStringLiteral("UPDATE cvden2009 SET chonin = 'X' where (([noigui] Like '*Bộ*'));"));
    EXPECT_EQ(db.column(QStringLiteral("SELECT id FROM cvden2009 WHERE chonin = 'X' ORDER BY id")), list({"1", "2"}));
}

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

TEST_F(JetTranslator, TopBecomesLimit)
{
    EXPECT_EQ(db.select(QStringLiteral("select top 2 id from cvden2009 order by id desc")), list({"4", "3"}));
}

TEST_F(JetTranslator, InnerJoinAndAggregate)
{
    db.exec(QStringLiteral("CREATE TABLE loaicv (id INTEGER PRIMARY KEY, loai TEXT COLLATE NOCASE)"));
    db.exec(QStringLiteral("INSERT INTO loaicv VALUES (1, 'QUYẾT ĐỊNH'), (2, 'Thông báo')"));
    EXPECT_EQ(db.select(QStringLiteral("select count(*) from cvden2009 inner join loaicv on cvden2009.loai = "
                                       "loaicv.loai where loaicv.id = 1")),
              list({"2"}));
    EXPECT_EQ(db.select(QStringLiteral("select l.id, count(c.id) from loaicv as l left join cvden2009 c on "
                                       "l.loai = c.loai group by l.id order by l.id")),
              list({"1", "2"}));
}

TEST_F(JetTranslator, DateLiteralBecomesIsoText)
{
    db.exec(QStringLiteral("CREATE TABLE d (x TEXT)"));
    db.exec(QStringLiteral("INSERT INTO d VALUES ('2009-02-01')"));
    EXPECT_EQ(db.select(QStringLiteral("select x from d where x = #2/1/2009#")), list({"2009-02-01"}));
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
