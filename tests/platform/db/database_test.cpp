// Opening and creating data files: the password verifier, open modes, sharing and locking.
#include "engine_fixture.h"

#include <QFile>

// A created file opens with its password given in any connect string, keeps the password out of
// its bytes and the rollback journal in, and is never created over. A standard SQLite tool reads,
// checks and writes it.
TEST_F(DbTest, CreatedFileOpensWithItsPasswordOnlyAndStandardToolsUseIt)
{
    Database::create(path(), Password).close();
    Database db = Database::open(path(), Connect);
    EXPECT_TRUE(db.isOpen() && !db.isReadOnly());
    EXPECT_EQ(db.path(), path());
    EXPECT_TRUE(db.tableNames().isEmpty());
    expectDbError(errc::DatabaseExists, [&] { Database::create(path(), u"other"_s); });
    EXPECT_TRUE(Database::open(path(), u"MS Access;PWD=vorkelmadu;"_s).isOpen());
    EXPECT_EQ(db::passwordFromConnect(u"MS Access;Pwd=a=b;uid=x"_s), u"a=b"_s);
    EXPECT_EQ(db::passwordFromConnect(u";uid=x"_s), QString());
    fillLetters(db, 20);
    db.execute(u"CREATE INDEX loai ON cvden2009 (loai)"_s);
    db.execute(u"UPDATE cvden2009 SET loai = 'ĐỨC' WHERE stt = 3"_s);
    db.close();
    QFile f(path());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_FALSE(f.readAll().contains(Password.toUtf8()));
    RawConnection raw(path());
    EXPECT_EQ(raw.text("PRAGMA journal_mode"), u"delete"_s);
    EXPECT_EQ(raw.text("PRAGMA integrity_check"), u"ok"_s);
    EXPECT_EQ(raw.text("SELECT count(*) FROM cvden2009 WHERE loai = 'Công văn'"), u"10"_s);
    EXPECT_EQ(raw.exec("INSERT INTO cvden2009 (stt, loai) VALUES (21, 'x')"), SQLITE_OK);
    Database again = Database::open(path(), Connect);
    EXPECT_EQ(rowsInFile(again), 21);
}

enum class FileKind
{
    Ours,       // a data file made by the layer
    Missing,    // no file at all
    Text,       // a text file
    Empty,      // a file of 0 bytes
    BareSqlite, // an SQLite file without the layer's password verifier
};

struct OpenFailure
{
    const char* name;
    FileKind file;
    const char* connect;
    int number;
};

class OpenRefused : public DbTest, public ::testing::WithParamInterface<OpenFailure>
{
};

// Whatever the mode, the file is refused with the number and left as it was (open never creates).
TEST_P(OpenRefused, WithItsNumberInEveryMode)
{
    const OpenFailure& c = GetParam();
    QFile f(path());
    switch (c.file) {
    case FileKind::Ours:
        Database::create(path(), Password).close();
        break;
    case FileKind::Missing:
        break;
    case FileKind::Text:
    case FileKind::Empty:
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        if (c.file == FileKind::Text)
            f.write("This is not a database file, only text that is long enough to fill a header page.\n");
        f.close();
        break;
    case FileKind::BareSqlite: {
        RawConnection raw(path());
        ASSERT_EQ(raw.exec("CREATE TABLE cvden2009 (id INTEGER)"), SQLITE_OK);
        break;
    }
    }
    for (const db::OpenMode mode : {db::OpenMode::SharedWrite, db::OpenMode::ReadOnly})
        expectDbError(c.number, [&] { Database::open(path(), QString::fromUtf8(c.connect), mode); });
    EXPECT_EQ(QFile::exists(path()), c.file != FileKind::Missing);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OpenRefused,
    ::testing::Values(OpenFailure{"WrongPassword", FileKind::Ours, ";pwd=vorkelmade", errc::InvalidPassword},
                      OpenFailure{"NoConnectString", FileKind::Ours, "", errc::InvalidPassword},
                      OpenFailure{"EmptyPassword", FileKind::Ours, ";pwd=", errc::InvalidPassword},
                      OpenFailure{"OtherLetterCase", FileKind::Ours, ";pwd=VORKELMADU", errc::InvalidPassword},
                      OpenFailure{"TrailingBlank", FileKind::Ours, ";pwd=vorkelmadu ", errc::InvalidPassword},
                      OpenFailure{"MissingFile", FileKind::Missing, ";pwd=vorkelmadu", errc::FileNotFound},
                      OpenFailure{"TextFile", FileKind::Text, ";pwd=vorkelmadu", errc::NotADatabase},
                      OpenFailure{"EmptyFile", FileKind::Empty, ";pwd=vorkelmadu", errc::NotADatabase},
                      OpenFailure{"SqliteWithoutVerifier", FileKind::BareSqlite, ";pwd=vorkelmadu",
                                  errc::NotADatabase}),
    [](const auto& info) { return std::string(info.param.name); });

// A recordset knows the handle it belongs to (recordset.h: "belongsTo"), also through copies and
// clones; copies of a handle share its close; a recordset outlives it.
TEST_P(LayerTest, ClosedHandleRaisesAndCopiesShareTheClose)
{
    Database db = makeLetters(3);
    Database copy = db;
    EXPECT_TRUE(copy == db);
    db::Recordset rs = db.openRecordset(u"cvden2009"_s);
    Database other = openAgain();
    EXPECT_EQ(
        (QList<bool>{rs.belongsTo(db), rs.clone().belongsTo(copy), rs.belongsTo(other), rs.belongsTo(Database())}),
        (QList<bool>{true, true, false, false}));
    db.close();
    EXPECT_FALSE(copy.isOpen());
    expectDbError(errc::ItemNotFound, [&] { copy.execute(u"DELETE FROM cvden2009"_s); });
    expectDbError(errc::ItemNotFound, [&] { Database().tableNames(); });
    copy.close(); // closing a closed handle does nothing
    rs.moveLast();
    EXPECT_EQ(rs.value(u"stt"_s).toInt(), 3);
    rs.close();
    expectDbError(errc::ObjectClosed, [&] { rs.belongsTo(db); });
}

// Opened read-only, the file refuses writes as NotUpdatable; a file the system lets no one write
// opens shared, but its writes raise ReadOnlyFile and keep the typed value. Neither changes a row.
TEST_F(DbTest, ReadOnlyModeAndReadOnlyFileRefuseWritesAndChangeNothing)
{
    makeLetters(2).close();
    {
        Database db = Database::open(path(), Connect, db::OpenMode::ReadOnly);
        EXPECT_TRUE(db.isReadOnly());
        expectDbError(errc::NotUpdatable, [&] { db.execute(u"DELETE FROM cvden2009"_s); });
        db::Recordset rs = db.openRecordset(u"cvden2009"_s);
        EXPECT_FALSE(rs.isUpdatable());
        expectDbError(errc::NotUpdatable, [&] { rs.addNew(); });
        expectDbError(errc::NotUpdatable, [&] { db.appendTableDef(lettersTable(u"cvdi2009"_s)); });
        expectDbError(errc::NotUpdatable, [&] { db.createQueryDef(u"qrdata1"_s, u"SELECT * FROM cvden2009"_s); });
        EXPECT_EQ(rowsInFile(db), 2);
        EXPECT_FALSE(db.hasTable(u"cvdi2009"_s));
    }
    ASSERT_TRUE(
        QFile::setPermissions(path(), QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther));
    Database db = Database::open(path(), Connect, db::OpenMode::SharedWrite);
    EXPECT_TRUE(db.isReadOnly());
    const QString refused = expectDbError(errc::ReadOnlyFile, [&] { db.execute(u"DELETE FROM cvden2009"_s); });
    EXPECT_TRUE(refused.contains(u"readonly"_s)) << refused.toStdString();
    db::Recordset rs = db.openRecordset(u"cvden2009"_s);
    rs.edit();
    rs.setValue(u"chonin"_s, u"X"_s);
    expectDbError(errc::ReadOnlyFile, [&] { rs.update(); });
    EXPECT_EQ(rs.editMode(), db::EditMode::Edit); // the typed value is kept
    EXPECT_EQ(rowsInFile(db), 2);
    QFile::setPermissions(path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

TEST_F(DbTest, LockHeldElsewhereMakesWritesAndReadsFailLockedAndNothingChanges)
{
    Database db = makeLetters(2);
    db.setBusyTimeout(50);
    RawConnection other(path());
    ASSERT_EQ(other.exec("BEGIN IMMEDIATE"), SQLITE_OK);
    ASSERT_EQ(other.exec("UPDATE cvden2009 SET chonin = 'Y'"), SQLITE_OK);
    expectDbError(errc::FileLocked, [&] { db.execute(u"UPDATE cvden2009 SET chonin = 'X'"_s); });
    db::Recordset rs = db.openRecordset(u"cvden2009"_s);
    rs.edit();
    rs.setValue(u"loai"_s, u"Khác"_s);
    expectDbError(errc::FileLocked, [&] { rs.update(); });
    ASSERT_EQ(other.exec("ROLLBACK"), SQLITE_OK);
    rs.update(); // the same edit goes through once the file is free
    EXPECT_EQ(other.text("SELECT count(*) FROM cvden2009 WHERE chonin = 'X'"), u"0"_s);
    EXPECT_EQ(other.text("SELECT loai FROM cvden2009 WHERE stt = 1"), u"Khác"_s);
    ASSERT_EQ(other.exec("BEGIN EXCLUSIVE"), SQLITE_OK); // an exclusive holder makes reads fail too
    expectDbError(errc::FileLocked, [&] { db.openRecordset(u"SELECT * FROM cvden2009"_s); });
    ASSERT_EQ(other.exec("COMMIT"), SQLITE_OK);
    EXPECT_EQ(rowsInFile(db), 2);
}
