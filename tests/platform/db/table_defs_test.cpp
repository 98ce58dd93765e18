// Table definitions, indexes, field checks on write and stored queries.
#include "../jetsql/test_catalog.h"
#include "engine_fixture.h"

// What another handle reads back: every field and index of a table, and the schema version as its
// transactions left it.
TEST_P(LayerTest, TableDefinitionAndSchemaVersionRoundTrip)
{
    Database db = create();
    EXPECT_EQ(db.schemaVersion(), 0);
    const db::TableDef made = everyType();
    db.appendTableDef(made);
    db.beginTrans();
    db.setSchemaVersion(3);
    db.rollback();
    EXPECT_EQ(db.schemaVersion(), 0);
    db.beginTrans();
    db.setSchemaVersion(1);
    db.commitTrans();
    db.close();
    Database again = openAgain();
    EXPECT_EQ(again.schemaVersion(), 1);
    const db::TableDef read = again.tableDef(u"MOI"_s);
    EXPECT_EQ(read.name, u"moi"_s);
    EXPECT_EQ(fieldsText(read), fieldsText(made));
    EXPECT_EQ(indexesText(read), QStringList({"PrimaryKey|id|unique|primary", "ten|ten,-dai|unique|-"}));
}

// The table names list only the program's tables; a table is made whole or not at all.
TEST_P(LayerTest, TableNamesListOnlyTheProgramsTablesAndBadDefinitionsAreRefused)
{
    Database db = create();
    db.appendTableDef(lettersTable(u"cvden2009"_s));
    db.appendTableDef(lettersTable(u"cvdenmau"_s));
    db.createQueryDef(u"qrdata1"_s, u"SELECT * FROM cvden2009"_s);
    EXPECT_EQ((QList<bool>{db.hasTable(u"CVDENMAU"_s), db.hasTable(u"msys_fields"_s), db.hasTable(u"qrdata1"_s)}),
              (QList<bool>{true, false, false}));
    expectDbError(errc::ItemNotFound, [&] { db.tableDef(u"msys_fields"_s); });
    expectDbError(errc::ItemNotFound, [&] { db.tableDef(u"cvdi2009"_s); });
    expectDbError(errc::TableExists, [&] { db.appendTableDef(lettersTable(u"CVDEN2009"_s)); });
    expectDbError(errc::NoFields, [&] { db.appendTableDef(table(u"rong"_s, {})); });
    db::TableDef twice = lettersTable(u"hai"_s);
    twice.fields << field(u"LOAI"_s, FieldType::Text, 10);
    expectDbError(errc::DuplicateField, [&] { db.appendTableDef(twice); });
    db::TableDef badIndex = lettersTable(u"ba"_s);
    badIndex.indexes[1].fields = {u"khongco"_s};
    expectDbError(errc::ItemNotFound, [&] { db.appendTableDef(badIndex); });
    EXPECT_EQ(db.tableNames(), (QStringList{u"cvden2009"_s, u"cvdenmau"_s}));
}

// A text of exactly the size fits, Vietnamese letters counted as one; the zero-length permission
// can be changed on text and memo fields only.
TEST_P(LayerTest, ExactSizeFitsAndZeroLengthPermissionCanBeChanged)
{
    Database db = create();
    db.appendTableDef(everyType());
    const QString fifty = QString(u"ộ"_s).repeated(50);
    db.execute(u"INSERT INTO moi (nguyen, ten) VALUES (1, '%1')"_s.arg(fifty));
    EXPECT_EQ(db.openRecordset(u"moi"_s).value(u"ten"_s).toString(), fifty);
    db.setAllowZeroLength(u"moi"_s, u"TEN"_s, true);
    db.execute(u"INSERT INTO moi (nguyen, ten) VALUES (2, '')"_s);
    EXPECT_TRUE(db.tableDef(u"moi"_s).field(u"ten"_s)->allowZeroLength);
    db.setAllowZeroLength(u"moi"_s, u"ghichu"_s, false);
    expectDbError(errc::ZeroLengthNotAllowed,
                  [&] { db.execute(u"INSERT INTO moi (nguyen, ghichu) VALUES (3, '')"_s); });
    expectDbError(errc::InvalidFieldDefinition, [&] { db.setAllowZeroLength(u"moi"_s, u"dai"_s, true); });
    expectDbError(errc::ItemNotFound, [&] { db.setAllowZeroLength(u"moi"_s, u"x"_s, true); });
}

// The statements that make and drop tables and indexes: CREATE INDEX records its flags and
// refuses a second primary key; SELECT INTO copies the fields, not the indexes; DROP TABLE takes
// the definitions with it; a counter once handed out is not handed out again.
TEST_P(LayerTest, DefinitionStatementsKeepTheDefinitionsInStep)
{
    Database db = makeLetters(4);
    db.execute(u"DELETE FROM cvden2009 WHERE stt = 4"_s);
    db.execute(u"INSERT INTO cvden2009 (stt) VALUES (9)"_s);
    EXPECT_EQ(db.openRecordset(u"SELECT id FROM cvden2009 WHERE stt = 9"_s).value(u"id"_s).toInt(), 5);

    db::TableDef t = lettersTable(u"donvi"_s);
    t.indexes.clear();
    db.appendTableDef(t);
    db.execute(u"CREATE INDEX khoa ON donvi (id) WITH PRIMARY"_s);
    db.execute(u"CREATE UNIQUE INDEX so ON donvi (stt)"_s);
    EXPECT_EQ(indexesText(db.tableDef(u"donvi"_s)), QStringList({"khoa|id|unique|primary", "so|stt|unique|-"}));
    expectDbError(errc::IndexExists, [&] { db.execute(u"CREATE INDEX SO ON donvi (loai)"_s); });
    expectDbError(errc::PrimaryKeyExists, [&] { db.execute(u"CREATE INDEX k2 ON donvi (stt) WITH PRIMARY"_s); });
    db.execute(u"INSERT INTO donvi (stt) VALUES (1)"_s);
    expectDbError(errc::DuplicateKey, [&] { db.execute(u"INSERT INTO donvi (stt) VALUES (1)"_s); });

    db.execute(u"SELECT * INTO cvden2010 FROM cvden2009 WHERE stt > 2"_s);
    EXPECT_EQ(db.recordsAffected(), 2);
    const db::TableDef copy = db.tableDef(u"cvden2010"_s);
    EXPECT_EQ(fieldsText(copy), fieldsText(db.tableDef(u"cvden2009"_s)));
    EXPECT_TRUE(copy.indexes.isEmpty());
    expectDbError(errc::TableExists, [&] { db.execute(u"SELECT * INTO cvden2010 FROM cvden2009"_s); });

    db.execute(u"DROP TABLE cvden2009"_s);
    EXPECT_FALSE(db.hasTable(u"cvden2009"_s));
    expectDbError(errc::TableNotFound, [&] { db.execute(u"DROP TABLE cvden2009"_s); });
    db.appendTableDef(table(u"cvden2009"_s, {field(u"x"_s, FieldType::Text, 5)})); // no old definitions come back
    const db::TableDef read = db.tableDef(u"cvden2009"_s);
    EXPECT_EQ(read.fields.size(), 1);
    EXPECT_TRUE(read.indexes.isEmpty());
}

// Statements naming another file: SELECT INTO creates the table there (the print tables filled
// from another file are the Jet dialect's cases); a file with another password or none is refused.
TEST_F(DbTest, StatementsOnAnotherFile)
{
    Database letters = makeLetters(4);
    const QString temp = path(u"vemotemp.mdb"_s);
    Database::create(temp, Password).close();
    letters.execute(u"SELECT * INTO incvden IN '%1' FROM cvden2009 WHERE stt >= 3"_s.arg(temp));
    EXPECT_FALSE(letters.hasTable(u"incvden"_s));
    Database scratch = Database::open(temp, Connect);
    EXPECT_EQ(scratch.tableDef(u"incvden"_s).field(u"loai"_s)->size, 30);
    EXPECT_EQ(scratch.openRecordset(u"incvden"_s).recordCount(), 2);

    const QString other = path(u"other.mdb"_s);
    Database::create(other, u"khac"_s).close();
    expectDbError(errc::InvalidPassword,
                  [&] { letters.execute(u"SELECT * INTO x IN '%1' FROM cvden2009"_s.arg(other)); });
    expectDbError(errc::FileNotFound, [&] {
        letters.execute(u"INSERT INTO cvden2009 SELECT * FROM cvden2009 IN '%1'"_s.arg(path(u"no.mdb"_s)));
    });
    EXPECT_FALSE(Database::open(other, u";pwd=khac"_s).hasTable(u"x"_s));
}

// Stored queries: names unique among tables and queries; expanded where named, also as a
// dynaset that writes its table; an action query runs when executed by name.
TEST_P(LayerTest, StoredQueriesAreKeptAndExpandedWhereNamed)
{
    Database db = makeLetters(4);
    db.createQueryDef(u"qrdata1"_s, u"SELECT * FROM cvden2009 WHERE stt <= 2"_s);
    expectDbError(errc::TableExists, [&] { db.createQueryDef(u"QRDATA1"_s, u"SELECT 1"_s); });
    expectDbError(errc::TableExists, [&] { db.createQueryDef(u"cvden2009"_s, u"SELECT 1"_s); });
    EXPECT_EQ(db.queryNames(), QStringList{u"qrdata1"_s});
    EXPECT_EQ(db.querySql(u"QRData1"_s), u"SELECT * FROM cvden2009 WHERE stt <= 2"_s);
    EXPECT_EQ(db.openRecordset(u"qrdata1"_s).recordCount(), 2);
    db.setQuerySql(u"qrdata1"_s, u"SELECT * FROM cvden2009 WHERE stt >= 3 ORDER BY stt"_s);
    EXPECT_EQ(db.openRecordset(u"SELECT * FROM qrdata1"_s).recordCount(), 2);
    expectDbError(errc::ItemNotFound, [&] { db.querySql(u"khong"_s); });
    expectDbError(errc::ItemNotFound, [&] { db.setQuerySql(u"khong"_s, u"SELECT 1"_s); });
    db::Recordset rs = db.openRecordset(u"qrdata1"_s);
    ASSERT_TRUE(rs.isUpdatable());
    saveRow(rs, EditMode::Edit, {{u"chonin"_s, u"X"_s}});
    db.createQueryDef(u"danhdau"_s, u"UPDATE cvden2009 SET chonin = 'Y' WHERE stt < 3"_s);
    db.execute(u"danhdau"_s);
    EXPECT_EQ(db.recordsAffected(), 2);
    EXPECT_EQ(db.openRecordset(u"SELECT * FROM cvden2009 WHERE chonin = 'X'"_s).value(u"stt"_s).toInt(), 3);
}

// database.h: indexRowsMarked "so that a statement whose WHERE has the term [column] = 'mark'
// reads only those rows"; "standard tools keep it and agree with it"; "tableDef never lists it".
TEST_P(LayerTest, MarkedRowsIndexServesTheClearingStatement)
{
    Database db = makeLetters(4);
    db.execute(u"UPDATE cvden2009 SET chonin = 'X' WHERE stt <= 2"_s);
    db.indexRowsMarked(u"CVDEN2009"_s, u"CHONIN"_s, u"X"_s);
    db.indexRowsMarked(u"cvden2009"_s, u"chonin"_s, u"X"_s);  // already there
    db.indexRowsMarked(u"cvden2009"_s, u"khong"_s, u"X"_s);   // no such column
    EXPECT_EQ(db.tableDef(u"cvden2009"_s).indexes.size(), 2); // PrimaryKey and stt only
    expectDbError(errc::ItemNotFound, [&] { db.indexRowsMarked(u"khong"_s, u"chonin"_s, u"X"_s); });
    EXPECT_THROW(db.indexRowsMarked(u"cvden2009"_s, u"chonin"_s, u"K"_s), std::invalid_argument);

    if (onServer()) { // no standard tool opens a data set: the layer writes the other mark
        db.execute(u"UPDATE cvden2009 SET chonin = 'x' WHERE stt = 3"_s);
    } else {
        // A standard tool (SQLite's own NOCASE) plans the clearing statement, as the layer writes
        // it, over the index, writes a mark of its own and finds the file sound.
        jettest::TestCatalog catalog;
        const auto translation =
            jetsql::translateStatement(u"UPDATE cvden2009 SET chonin = '' where [chonin]='X' ;"_s, catalog);
        const QByteArray clearing = std::get<jetsql::Statements>(translation).sql.value(0).toUtf8();
        RawConnection tool(path());
        EXPECT_TRUE(tool.text("EXPLAIN QUERY PLAN " + clearing).contains(QLatin1String("msys_marked_cvden2009")))
            << clearing.constData();
        EXPECT_EQ(tool.exec("UPDATE cvden2009 SET chonin = 'x' WHERE stt = 3"), SQLITE_OK);
        EXPECT_EQ(tool.text("PRAGMA integrity_check"), u"ok"_s);
    }

    db.execute(u"UPDATE cvden2009 SET chonin = '' where [chonin]='X' ;"_s);
    EXPECT_EQ(db.recordsAffected(), 3); // also the other "x"
    db.execute(u"UPDATE cvden2009 SET chonin = 'X' WHERE stt = 4"_s);
    EXPECT_EQ(db.openRecordset(u"SELECT stt FROM cvden2009 WHERE chonin = 'X'"_s).value(0).toInt(), 4);
}

TEST_P(LayerTest, AppendFieldKeepsRowsAndChecksTheNewField)
{
    Database db = create();
    db.appendTableDef(lettersTable(u"cvden2026"_s));
    db.execute(u"INSERT INTO cvden2026 (stt) VALUES (7)"_s);
    const db::FieldDef deadline = field(u"hanxl"_s, FieldType::Text, 10, 0, false);
    db.appendField(u"cvden2026"_s, deadline);

    EXPECT_EQ(fieldsText(db.tableDef(u"cvden2026"_s)),
              fieldsText(lettersTable(u"cvden2026"_s)) + fieldsText(table(u"hanxl"_s, {deadline})));
    db::Recordset rs = db.openRecordset(u"cvden2026"_s);
    EXPECT_EQ(rs.value(u"stt"_s).toInt(), 7);
    EXPECT_TRUE(rs.value(u"hanxl"_s).isNull());
    expectDbError(errc::FieldTooSmall, [&] { db.execute(u"UPDATE cvden2026 SET hanxl = '01/01/20260'"_s); });
    expectDbError(errc::ZeroLengthNotAllowed, [&] { db.execute(u"UPDATE cvden2026 SET hanxl = ''"_s); });
    expectDbError(errc::DuplicateField, [&] { db.appendField(u"cvden2026"_s, deadline); });
    expectDbError(errc::ItemNotFound, [&] { db.appendField(u"khong"_s, deadline); });
}
