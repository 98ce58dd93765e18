// Statements: errors carry the engine's number and text, failures change nothing,
// transactions, and the statement hook that makes a statement fail on purpose.
#include "engine_fixture.h"

struct FailingStatement
{
    const char* name;
    const char* sql;
    int number;
    int serverNumber = 0; // where the server numbers the failure otherwise
};

class FailingStatements : public LayerCases<FailingStatement>
{
};

// Each statement fails on the letters table (three rows) or on the table of every field type (one
// row, whose fields are checked on write), and leaves both as they were.
TEST_P(FailingStatements, RaiseTheirNumberAndWriteNothing)
{
    Database db = makeLetters(3);
    db.appendTableDef(everyType());
    db.execute(u"INSERT INTO moi (nguyen, ten, dai) VALUES (1, 'Một', 1)"_s);
    const int number = onServer() && testCase().serverNumber ? testCase().serverNumber : testCase().number;
    expectDbError(number, [&] { db.execute(QString::fromUtf8(testCase().sql)); });
    EXPECT_EQ(rowsInFile(db), 3);
    EXPECT_EQ(rowsInFile(db, u"chonin = ''"_s), 3);
    EXPECT_EQ(db.tableNames(), (QStringList{u"cvden2009"_s, u"moi"_s}));
    Recordset rs = db.openRecordset(u"moi"_s, RecordsetType::Snapshot);
    EXPECT_EQ(rs.recordCount(), 1);
    EXPECT_EQ(rs.value(u"ten"_s).toString(), u"Một"_s);
}

SELVARO_CASES_ON_EVERY_ENGINE(
    FailingStatements,
    ::testing::Values(
        FailingStatement{"Malformed", "UPDATE cvden2009 SET WHERE", errc::SyntaxError},
        FailingStatement{"UnknownTable", "DELETE * FROM cvdi2009", errc::TableNotFound},
        FailingStatement{"UnknownColumn", "UPDATE cvden2009 SET khongco = 1", errc::ItemNotFound},
        FailingStatement{"UnknownColumnInWhere", "DELETE FROM cvden2009 WHERE khongco = 1", errc::ItemNotFound},
        FailingStatement{"LaterRowTooLong", "UPDATE cvden2009 SET chonin = IIf(stt = 3, 'XX', 'X')",
                         errc::FieldTooSmall},
        FailingStatement{"SelectIntoFromUnknown", "SELECT * INTO cvden2010 FROM cvdi2009", errc::TableNotFound},
        // The target is made first, then the fill stops at run time (an integer overflow): no table is left.
        FailingStatement{"SelectIntoWhoseFillFails",
                         "SELECT stt, loai INTO cvden2010 FROM cvden2009 WHERE abs(-9223372036854775807 - stt) > 0",
                         errc::EngineErrorBase + 1, errc::ServerCallFailed},
        FailingStatement{"ZeroLengthInsert", "INSERT INTO moi (nguyen, ten) VALUES (2, '')",
                         errc::ZeroLengthNotAllowed},
        FailingStatement{"ZeroLengthUpdate", "UPDATE moi SET ten = ''", errc::ZeroLengthNotAllowed},
        FailingStatement{
            "TextLongerThanSize",
            "INSERT INTO moi (nguyen, ten) VALUES (2, 'Một trăm ký tự thì dài hơn năm mươi ký tự mà ô này cho phép')",
            errc::FieldTooSmall},
        FailingStatement{"TextTooLongOnUpdate",
                         "UPDATE moi SET ten = ten + ' và thêm rất nhiều chữ nữa cho dài quá cỡ năm mươi ký tự'",
                         errc::FieldTooSmall},
        FailingStatement{"RequiredLeftNull", "INSERT INTO moi (ten) VALUES ('Hai')", errc::NullNotAllowed},
        FailingStatement{"RequiredSetNull", "UPDATE moi SET nguyen = Null", errc::NullNotAllowed},
        FailingStatement{"UniqueIndexTwice", "INSERT INTO moi (nguyen, ten, dai) VALUES (2, 'Một', 1)",
                         errc::DuplicateKey}),
    [](const FailingStatement& c) { return std::string(c.name); });

// A transaction sees its own changes; rollback and a close inside it undo them all; a failing
// statement inside it undoes only itself; calls out of order raise.
TEST_P(LayerTest, TransactionsUndoAllOrOnlyTheFailingStatement)
{
    Database db = makeLetters(3);
    expectDbError(errc::TransactionState, [&] { db.commitTrans(); });
    expectDbError(errc::TransactionState, [&] { db.rollback(); });
    db.beginTrans();
    expectDbError(errc::TransactionState, [&] { db.beginTrans(); });
    db.execute(u"DELETE FROM cvden2009 WHERE stt = 1"_s);
    db.execute(u"UPDATE cvden2009 SET chonin = 'X'"_s);
    Recordset rs = db.openRecordset(u"cvden2009"_s);
    saveRow(rs, EditMode::Edit, {{u"loai"_s, u"Khác"_s}});
    EXPECT_EQ(rowsInFile(db), 2);
    db.rollback();
    EXPECT_EQ(rowsInFile(db), 3);
    EXPECT_EQ(rowsInFile(db, u"chonin = 'X' OR loai = 'Khác'"_s), 0);

    db.beginTrans();
    db.execute(u"UPDATE cvden2009 SET chonin = 'X' WHERE stt = 1"_s);
    expectDbError(errc::FieldTooSmall, [&] { db.execute(u"UPDATE cvden2009 SET chonin = IIf(stt = 3, 'XX', 'Y')"_s); });
    db.commitTrans();
    EXPECT_EQ(rowsInFile(db, u"chonin = 'X'"_s), 1);
    EXPECT_EQ(rowsInFile(db, u"chonin = 'Y'"_s), 0);

    db.beginTrans();
    db.execute(u"DELETE FROM cvden2009"_s);
    db.close();
    Database again = openAgain();
    EXPECT_EQ(rowsInFile(again), 3);
}

// An engine error names the statement; a recordset opened on a statement that is no SELECT or on
// an unknown table is refused. The statement hook sees every statement and can fail one.
TEST_P(LayerTest, EngineErrorsNameTheStatementAndTheHookSeesEveryStatement)
{
    Database db = makeLetters(2);
    const QString text = expectDbError(errc::ItemNotFound, [&] { db.execute(u"UPDATE cvden2009 SET khongco = 1"_s); });
    EXPECT_TRUE(text.contains(u"khongco"_s) && text.contains(u"UPDATE"_s)) << text.toStdString();
    expectDbError(errc::SyntaxError, [&] { db.openRecordset(u"DELETE FROM cvden2009"_s); });
    EXPECT_EQ(rowsInFile(db), 2); // a recordset's source must be a SELECT
    for (const char* source : {"cvdi2009", "SELECT * FROM cvdi2009", "[cvdi2009]"})
        expectDbError(errc::TableNotFound, [&] { db.openRecordset(QString::fromUtf8(source)); });

    QStringList seen;
    db.setStatementHook([&](const QString& sql) {
        seen << sql;
        if (sql.contains(QLatin1String("DELETE")))
            throw db::DbError(errc::FileLocked, u"held by the test"_s);
    });
    db.execute(u"UPDATE cvden2009 SET chonin = 'X'"_s);
    Recordset rs = db.openRecordset(u"cvden2009"_s);
    rs.requery();
    expectDbError(errc::FileLocked, [&] { db.execute(u"DELETE FROM cvden2009"_s); });
    EXPECT_EQ(seen, (QStringList{u"UPDATE cvden2009 SET chonin = 'X'"_s, u"cvden2009"_s, u"cvden2009"_s,
                                 u"DELETE FROM cvden2009"_s}));
    db.setStatementHook(nullptr);
    EXPECT_EQ(rowsInFile(db), 2);
}
