// Table definitions, indexes, field checks on write and stored queries.
#include "../jetsql/test_catalog.h"
#include "db_fixture.h"

namespace fieldattr = db::fieldattr;

namespace {

db::TableDef everyType()
{
    db::TableDef t;
    t.name = QStringLiteral("moi");
    t.fields = {
        field(QStringLiteral("id"), FieldType::Long, 4, fieldattr::AutoIncrField | fieldattr::FixedField),
        field(QStringLiteral("co"), FieldType::Boolean, 1),
        field(QStringLiteral("bai"), FieldType::Byte, 1),
        field(QStringLiteral("nguyen"), FieldType::Integer, 2),
        field(QStringLiteral("dai"), FieldType::Long, 4),
        field(QStringLiteral("tien"), FieldType::Currency, 8),
        field(QStringLiteral("don"), FieldType::Single, 4),
        field(QStringLiteral("kep"), FieldType::Double, 8),
        field(QStringLiteral("ngay"), FieldType::Date, 8),
        field(QStringLiteral("ten"), FieldType::Text, 50, fieldattr::VariableField, false),
        field(QStringLiteral("anh"), FieldType::LongBinary),
        field(QStringLiteral("ghichu"), FieldType::Memo, 0, 0, true),
    };
    t.fields[3].required = true;
    db::IndexDef pk;
    pk.name = QStringLiteral("PrimaryKey");
    pk.fields = {QStringLiteral("id")};
    pk.primary = true;
    db::IndexDef byName;
    byName.name = QStringLiteral("ten");
    byName.fields = {QStringLiteral("ten"), QStringLiteral("-dai")};
    byName.unique = true;
    t.indexes = {pk, byName};
    return t;
}

} // namespace

TEST_F(DbTest, TableDefinitionRoundTripsEveryFieldAndIndex)
{
    Database db = Database::create(path(), Password);
    const db::TableDef made = everyType();
    db.appendTableDef(made);
    db.close();
    Database again = Database::open(path(), Connect);
    const db::TableDef read = again.tableDef(QStringLiteral("MOI"));
    EXPECT_EQ(read.name, QStringLiteral("moi"));
    ASSERT_EQ(read.fields.size(), made.fields.size());
    for (int i = 0; i < made.fields.size(); ++i) {
        SCOPED_TRACE(made.fields[i].name.toStdString());
        EXPECT_EQ(read.fields[i].name, made.fields[i].name);
        EXPECT_EQ(read.fields[i].type, made.fields[i].type);
        EXPECT_EQ(read.fields[i].attributes, made.fields[i].attributes);
        EXPECT_EQ(read.fields[i].allowZeroLength, made.fields[i].allowZeroLength);
        EXPECT_EQ(read.fields[i].required, made.fields[i].required);
        if (made.fields[i].size > 0) {
            EXPECT_EQ(read.fields[i].size, made.fields[i].size);
        }
    }
    ASSERT_EQ(read.indexes.size(), 2);
    EXPECT_EQ(read.indexes[0].name, QStringLiteral("PrimaryKey"));
    EXPECT_TRUE(read.indexes[0].primary);
    EXPECT_TRUE(read.indexes[0].unique);
    EXPECT_EQ(read.indexes[1].fields, (QStringList{QStringLiteral("ten"), QStringLiteral("-dai")}));
    EXPECT_TRUE(read.indexes[1].unique);
    EXPECT_FALSE(read.indexes[1].primary);
}

// The table names list only the program's tables; a table is made whole or not at all.
TEST_F(DbTest, TableNamesListOnlyTheProgramsTablesAndBadDefinitionsAreRefused)
{
    Database db = Database::create(path(), Password);
    db.appendTableDef(lettersTable(QStringLiteral("cvden2009")));
    db.appendTableDef(lettersTable(QStringLiteral("cvdenmau")));
    db.createQueryDef(QStringLiteral("qrdata1"), QStringLiteral("SELECT * FROM cvden2009"));
    EXPECT_TRUE(db.hasTable(QStringLiteral("CVDENMAU")));
    EXPECT_FALSE(db.hasTable(QStringLiteral("msys_fields")));
    EXPECT_FALSE(db.hasTable(QStringLiteral("qrdata1")));
    expectDbError(errc::ItemNotFound, [&] { db.tableDef(QStringLiteral("msys_fields")); });
    expectDbError(errc::ItemNotFound, [&] { db.tableDef(QStringLiteral("cvdi2009")); });
    expectDbError(errc::TableExists, [&] { db.appendTableDef(lettersTable(QStringLiteral("CVDEN2009"))); });
    db::TableDef empty;
    empty.name = QStringLiteral("rong");
    expectDbError(errc::NoFields, [&] { db.appendTableDef(empty); });
    db::TableDef twice = lettersTable(QStringLiteral("hai"));
    twice.fields << field(QStringLiteral("LOAI"), FieldType::Text, 10);
    expectDbError(errc::DuplicateField, [&] { db.appendTableDef(twice); });
    db::TableDef badIndex = lettersTable(QStringLiteral("ba"));
    badIndex.indexes[1].fields = {QStringLiteral("khongco")};
    expectDbError(errc::ItemNotFound, [&] { db.appendTableDef(badIndex); });
    EXPECT_EQ(db.tableNames(), (QStringList{QStringLiteral("cvden2009"), QStringLiteral("cvdenmau")}));
}

TEST_F(DbTest, CounterIsAssignedOnInsertAndNeverReused)
{
    Database db = makeLetters(3);
    db.execute(QStringLiteral("DELETE FROM cvden2009 WHERE stt = 3"));
    db.execute(QStringLiteral("INSERT INTO cvden2009 (stt) VALUES (9)"));
    db::Recordset rs = db.openRecordset(QStringLiteral("SELECT id FROM cvden2009 WHERE stt = 9"));
    EXPECT_EQ(rs.value(QStringLiteral("id")).toInt(), 4);
}

struct WriteCheck
{
    const char* name;
    const char* statement;
    int number;
};

class FieldChecksOnWrite : public DbTest, public ::testing::WithParamInterface<WriteCheck>
{
};

TEST_P(FieldChecksOnWrite, StatementIsRefusedAndNothingIsWritten)
{
    Database db = Database::create(path(), Password);
    db.appendTableDef(everyType());
    db.execute(QStringLiteral("INSERT INTO moi (nguyen, ten, dai) VALUES (1, 'Một', 1)"));
    expectDbError(GetParam().number, [&] { db.execute(QString::fromUtf8(GetParam().statement)); });
    db::Recordset rs = db.openRecordset(QStringLiteral("moi"), db::RecordsetType::Snapshot);
    EXPECT_EQ(rs.recordCount(), 1);
    EXPECT_EQ(rs.value(QStringLiteral("ten")).toString(), QStringLiteral("Một"));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FieldChecksOnWrite,
    ::testing::Values(
        WriteCheck{"ZeroLengthInsert", "INSERT INTO moi (nguyen, ten) VALUES (2, '')", errc::ZeroLengthNotAllowed},
        WriteCheck{"ZeroLengthUpdate", "UPDATE moi SET ten = ''", errc::ZeroLengthNotAllowed},
        WriteCheck{
            "TextLongerThanSize",
            "INSERT INTO moi (nguyen, ten) VALUES (2, 'Một trăm ký tự thì dài hơn năm mươi ký tự mà ô này cho phép')",
            errc::FieldTooSmall},
        WriteCheck{"TextTooLongOnUpdate",
                   "UPDATE moi SET ten = ten + ' và thêm rất nhiều chữ nữa cho dài quá cỡ năm mươi ký tự'",
                   errc::FieldTooSmall},
        WriteCheck{"RequiredLeftNull", "INSERT INTO moi (ten) VALUES ('Hai')", errc::NullNotAllowed},
        WriteCheck{"RequiredSetNull", "UPDATE moi SET nguyen = Null", errc::NullNotAllowed},
        WriteCheck{"UniqueIndexTwice", "INSERT INTO moi (nguyen, ten, dai) VALUES (2, 'Một', 1)", errc::DuplicateKey}),
    [](const auto& info) { return std::string(info.param.name); });

// A text of exactly the size fits, Vietnamese letters counted as one; the zero-length permission
// can be changed on text and memo fields only.
TEST_F(DbTest, ExactSizeFitsAndZeroLengthPermissionCanBeChanged)
{
    Database db = Database::create(path(), Password);
    db.appendTableDef(everyType());
    const QString fifty = QString(QStringLiteral("ộ")).repeated(50);
    db.execute(QStringLiteral("INSERT INTO moi (nguyen, ten) VALUES (1, '%1')").arg(fifty));
    EXPECT_EQ(db.openRecordset(QStringLiteral("moi")).value(QStringLiteral("ten")).toString(), fifty);
    db.setAllowZeroLength(QStringLiteral("moi"), QStringLiteral("TEN"), true);
    db.execute(QStringLiteral("INSERT INTO moi (nguyen, ten) VALUES (2, '')"));
    EXPECT_TRUE(db.tableDef(QStringLiteral("moi")).field(QStringLiteral("ten"))->allowZeroLength);
    db.setAllowZeroLength(QStringLiteral("moi"), QStringLiteral("ghichu"), false);
    expectDbError(errc::ZeroLengthNotAllowed,
                  [&] { db.execute(QStringLiteral("INSERT INTO moi (nguyen, ghichu) VALUES (3, '')")); });
    expectDbError(errc::InvalidFieldDefinition,
                  [&] { db.setAllowZeroLength(QStringLiteral("moi"), QStringLiteral("dai"), true); });
    expectDbError(errc::ItemNotFound, [&] { db.setAllowZeroLength(QStringLiteral("moi"), QStringLiteral("x"), true); });
}

TEST_F(DbTest, CreateIndexStatementWithPrimaryIsRecorded)
{
    Database db = Database::create(path(), Password);
    db::TableDef t = lettersTable(QStringLiteral("donvi"));
    t.indexes.clear();
    db.appendTableDef(t);
    db.execute(QStringLiteral("CREATE INDEX khoa ON donvi (id) WITH PRIMARY"));
    db.execute(QStringLiteral("CREATE UNIQUE INDEX so ON donvi (stt)"));
    const db::TableDef read = db.tableDef(QStringLiteral("donvi"));
    ASSERT_EQ(read.indexes.size(), 2);
    EXPECT_TRUE(read.indexes[0].primary);
    EXPECT_TRUE(read.indexes[1].unique);
    EXPECT_FALSE(read.indexes[1].primary);
    expectDbError(errc::IndexExists, [&] { db.execute(QStringLiteral("CREATE INDEX SO ON donvi (loai)")); });
    expectDbError(errc::PrimaryKeyExists,
                  [&] { db.execute(QStringLiteral("CREATE INDEX k2 ON donvi (stt) WITH PRIMARY")); });
    db.execute(QStringLiteral("INSERT INTO donvi (stt) VALUES (1)"));
    expectDbError(errc::DuplicateKey, [&] { db.execute(QStringLiteral("INSERT INTO donvi (stt) VALUES (1)")); });
}

TEST_F(DbTest, DropTableRemovesTableAndItsDefinitions)
{
    Database db = makeLetters(2);
    db.execute(QStringLiteral("DROP TABLE cvden2009"));
    EXPECT_FALSE(db.hasTable(QStringLiteral("cvden2009")));
    expectDbError(errc::TableNotFound, [&] { db.execute(QStringLiteral("DROP TABLE cvden2009")); });
    db::TableDef plain;
    plain.name = QStringLiteral("cvden2009");
    plain.fields = {field(QStringLiteral("x"), FieldType::Text, 5)};
    db.appendTableDef(plain); // no definitions of the dropped table come back
    const db::TableDef read = db.tableDef(QStringLiteral("cvden2009"));
    EXPECT_EQ(read.fields.size(), 1);
    EXPECT_TRUE(read.indexes.isEmpty());
}

TEST_F(DbTest, SelectIntoCopiesFieldDefinitionsWithoutIndexes)
{
    Database db = makeLetters(4);
    db.execute(QStringLiteral("SELECT * INTO cvden2010 FROM cvden2009 WHERE stt > 2"));
    EXPECT_EQ(db.recordsAffected(), 2);
    const db::TableDef source = db.tableDef(QStringLiteral("cvden2009"));
    const db::TableDef copy = db.tableDef(QStringLiteral("cvden2010"));
    ASSERT_EQ(copy.fields.size(), source.fields.size());
    for (int i = 0; i < copy.fields.size(); ++i) {
        EXPECT_EQ(copy.fields[i].name, source.fields[i].name);
        EXPECT_EQ(copy.fields[i].type, source.fields[i].type);
        EXPECT_EQ(copy.fields[i].size, source.fields[i].size);
    }
    EXPECT_TRUE(copy.indexes.isEmpty());
    expectDbError(errc::TableExists, [&] { db.execute(QStringLiteral("SELECT * INTO cvden2010 FROM cvden2009")); });
}

// Statements naming another file: SELECT INTO creates the table there (the print tables filled
// from another file are the Jet dialect's cases); a file with another password or none is refused.
TEST_F(DbTest, StatementsOnAnotherFile)
{
    Database letters = makeLetters(4);
    const QString temp = path(QStringLiteral("vemotemp.mdb"));
    Database::create(temp, Password).close();
    letters.execute(QStringLiteral("SELECT * INTO incvden IN '%1' FROM cvden2009 WHERE stt >= 3").arg(temp));
    EXPECT_FALSE(letters.hasTable(QStringLiteral("incvden")));
    Database scratch = Database::open(temp, Connect);
    EXPECT_EQ(scratch.tableDef(QStringLiteral("incvden")).field(QStringLiteral("loai"))->size, 30);
    EXPECT_EQ(scratch.openRecordset(QStringLiteral("incvden")).recordCount(), 2);

    const QString other = path(QStringLiteral("other.mdb"));
    Database::create(other, QStringLiteral("khac")).close();
    expectDbError(errc::InvalidPassword,
                  [&] { letters.execute(QStringLiteral("SELECT * INTO x IN '%1' FROM cvden2009").arg(other)); });
    expectDbError(errc::FileNotFound, [&] {
        letters.execute(QStringLiteral("INSERT INTO cvden2009 SELECT * FROM cvden2009 IN '%1'")
                            .arg(path(QStringLiteral("no.mdb"))));
    });
    EXPECT_FALSE(Database::open(other, QStringLiteral(";pwd=khac")).hasTable(QStringLiteral("x")));
}

// Stored queries: names unique among tables and queries; expanded where named, also as a
// dynaset that writes its table; an action query runs when executed by name.
TEST_F(DbTest, StoredQueriesAreKeptAndExpandedWhereNamed)
{
    Database db = makeLetters(4);
    db.createQueryDef(QStringLiteral("qrdata1"), QStringLiteral("SELECT * FROM cvden2009 WHERE stt <= 2"));
    expectDbError(errc::TableExists, [&] { db.createQueryDef(QStringLiteral("QRDATA1"), QStringLiteral("SELECT 1")); });
    expectDbError(errc::TableExists,
                  [&] { db.createQueryDef(QStringLiteral("cvden2009"), QStringLiteral("SELECT 1")); });
    EXPECT_EQ(db.queryNames(), QStringList{QStringLiteral("qrdata1")});
    EXPECT_EQ(db.querySql(QStringLiteral("QRData1")), QStringLiteral("SELECT * FROM cvden2009 WHERE stt <= 2"));
    EXPECT_EQ(db.openRecordset(QStringLiteral("qrdata1")).recordCount(), 2);
    db.setQuerySql(QStringLiteral("qrdata1"), QStringLiteral("SELECT * FROM cvden2009 WHERE stt >= 3 ORDER BY stt"));
    EXPECT_EQ(db.openRecordset(QStringLiteral("SELECT * FROM qrdata1")).recordCount(), 2);
    expectDbError(errc::ItemNotFound, [&] { db.querySql(QStringLiteral("khong")); });
    expectDbError(errc::ItemNotFound, [&] { db.setQuerySql(QStringLiteral("khong"), QStringLiteral("SELECT 1")); });
    db::Recordset rs = db.openRecordset(QStringLiteral("qrdata1"));
    ASSERT_TRUE(rs.isUpdatable());
    rs.edit();
    rs.setValue(QStringLiteral("chonin"), QStringLiteral("X"));
    rs.update();
    db.createQueryDef(QStringLiteral("danhdau"), QStringLiteral("UPDATE cvden2009 SET chonin = 'Y' WHERE stt < 3"));
    db.execute(QStringLiteral("danhdau"));
    EXPECT_EQ(db.recordsAffected(), 2);
    EXPECT_EQ(db.openRecordset(QStringLiteral("SELECT * FROM cvden2009 WHERE chonin = 'X'"))
                  .value(QStringLiteral("stt"))
                  .toInt(),
              3);
}

// database.h: indexRowsMarked "so that a statement whose WHERE has the term [column] = 'mark'
// reads only those rows"; "standard tools keep it and agree with it"; "tableDef never lists it".
TEST_F(DbTest, MarkedRowsIndexServesTheClearingStatement)
{
    Database db = makeLetters(4);
    db.execute(QStringLiteral("UPDATE cvden2009 SET chonin = 'X' WHERE stt <= 2"));
    db.indexRowsMarked(QStringLiteral("CVDEN2009"), QStringLiteral("CHONIN"), QStringLiteral("X"));
    db.indexRowsMarked(QStringLiteral("cvden2009"), QStringLiteral("chonin"), QStringLiteral("X")); // already there
    db.indexRowsMarked(QStringLiteral("cvden2009"), QStringLiteral("khong"), QStringLiteral("X"));  // no such column
    EXPECT_EQ(db.tableDef(QStringLiteral("cvden2009")).indexes.size(), 2); // PrimaryKey and stt only
    expectDbError(errc::ItemNotFound,
                  [&] { db.indexRowsMarked(QStringLiteral("khong"), QStringLiteral("chonin"), QStringLiteral("X")); });
    EXPECT_THROW(db.indexRowsMarked(QStringLiteral("cvden2009"), QStringLiteral("chonin"), QStringLiteral("K")),
                 std::invalid_argument);

    // A standard tool (SQLite's own NOCASE) plans the clearing statement, as the layer writes it,
    // over the index, writes a mark of its own and finds the file sound.
    jettest::TestCatalog catalog;
    const auto translation =
        jetsql::translateStatement(QStringLiteral("UPDATE cvden2009 SET chonin = '' where [chonin]='X' ;"), catalog);
    const QByteArray clearing = std::get<jetsql::Statements>(translation).sql.value(0).toUtf8();
    RawConnection tool(path());
    EXPECT_TRUE(tool.text("EXPLAIN QUERY PLAN " + clearing).contains(QLatin1String("msys_marked_cvden2009")))
        << clearing.constData();
    EXPECT_EQ(tool.exec("UPDATE cvden2009 SET chonin = 'x' WHERE stt = 3"), SQLITE_OK);
    EXPECT_EQ(tool.text("PRAGMA integrity_check"), QStringLiteral("ok"));

    db.execute(QStringLiteral("UPDATE cvden2009 SET chonin = '' where [chonin]='X' ;"));
    EXPECT_EQ(db.recordsAffected(), 3); // also the tool's "x"
    db.execute(QStringLiteral("UPDATE cvden2009 SET chonin = 'X' WHERE stt = 4"));
    EXPECT_EQ(db.openRecordset(QStringLiteral("SELECT stt FROM cvden2009 WHERE chonin = 'X'")).value(0).toInt(), 4);
}

TEST_F(DbTest, AppendFieldKeepsRowsAndChecksTheNewField)
{
    Database db = Database::create(path(), Password);
    db.appendTableDef(lettersTable(QStringLiteral("cvden2026")));
    db.execute(QStringLiteral("INSERT INTO cvden2026 (stt) VALUES (7)"));
    const db::FieldDef deadline = field(QStringLiteral("hanxl"), FieldType::Text, 10, 0, false);
    db.appendField(QStringLiteral("cvden2026"), deadline);

    const db::TableDef table = db.tableDef(QStringLiteral("cvden2026"));
    const db::FieldDef* added = table.field(QStringLiteral("hanxl"));
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(added->size, 10);
    db::Recordset rs = db.openRecordset(QStringLiteral("cvden2026"));
    EXPECT_EQ(rs.value(QStringLiteral("stt")).toInt(), 7);
    EXPECT_TRUE(rs.value(QStringLiteral("hanxl")).isNull());
    expectDbError(errc::FieldTooSmall,
                  [&] { db.execute(QStringLiteral("UPDATE cvden2026 SET hanxl = '01/01/20260'")); });
    expectDbError(errc::ZeroLengthNotAllowed, [&] { db.execute(QStringLiteral("UPDATE cvden2026 SET hanxl = ''")); });
    expectDbError(errc::DuplicateField, [&] { db.appendField(QStringLiteral("cvden2026"), deadline); });
    expectDbError(errc::ItemNotFound, [&] { db.appendField(QStringLiteral("khong"), deadline); });
}

TEST_F(DbTest, SchemaVersionIsKeptWithItsTransaction)
{
    Database db = Database::create(path(), Password);
    EXPECT_EQ(db.schemaVersion(), 0);
    db.beginTrans();
    db.setSchemaVersion(3);
    db.rollback();
    EXPECT_EQ(db.schemaVersion(), 0);
    db.beginTrans();
    db.setSchemaVersion(1);
    db.commitTrans();
    db.close();
    EXPECT_EQ(Database::open(path(), Connect).schemaVersion(), 1);
}
