#include "db_fixture.h"
#include "platform/db/file_recovery.h"

#include <QDir>
#include <QFile>

namespace {

int rows(const QString& path)
{
    db::Database db = db::Database::open(path, dbtest::Connect, db::OpenMode::ReadOnly);
    return dbtest::rowsInFile(db);
}

// The copy of a live file is one commit's state: a transaction another connection has not
// committed is not in it, and the copy is a data file of ours with the same password.
TEST(FileRecoveryTest, CopyOfALiveFileHoldsOnlyWhatWasCommitted)
{
    QTemporaryDir dir;
    const QString source = dir.filePath(u"vemocv.mdb"_s);
    const QString target = dir.filePath(u"backup.mdb"_s);
    db::Database letters = db::Database::create(source, dbtest::Password);
    letters.appendTableDef(dbtest::lettersTable(u"cvden2009"_s));
    letters.execute(u"INSERT INTO cvden2009 (stt) VALUES (1)"_s);
    letters.beginTrans();
    letters.execute(u"INSERT INTO cvden2009 (stt) VALUES (2)"_s);

    db::copyDataFile(source, target);
    letters.commitTrans();

    EXPECT_EQ(rows(target), 1);
    EXPECT_EQ(rows(source), 2);
    EXPECT_FALSE(QFile::exists(db::journalPath(target)));
    dbtest::expectDbError(db::errc::DatabaseExists, [&] { db::copyDataFile(source, target); });
    dbtest::expectDbError(db::errc::FileNotFound, [&] { db::copyDataFile(dir.filePath(u"none.mdb"_s), target); });
    EXPECT_EQ(db::recoverFile(source), db::Recovery::Clean);
}

} // namespace
