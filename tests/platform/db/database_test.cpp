#include "db_fixture.h"

#include <QFile>

using namespace dbtest;
using db::Database;
namespace errc = db::errc;

TEST_F(DbTest, CreatedFileOpensWithItsPassword)
{
    Database::create(path(), Password).close();
    Database db = Database::open(path(), Connect);
    EXPECT_TRUE(db.isOpen());
    EXPECT_FALSE(db.isReadOnly());
    EXPECT_TRUE(db.tableNames().isEmpty());
}

TEST_F(DbTest, ExecuteInsertCountsRowsAndRecordsetReadsThem)
{
    Database db = makeLetters(3);
    db.execute(QStringLiteral("UPDATE cvden2009 SET chonin = 'X' WHERE stt >= 2"));
    EXPECT_EQ(db.recordsAffected(), 2);
    db::Recordset rs = db.openRecordset(QStringLiteral("SELECT * FROM cvden2009 WHERE chonin = 'X' ORDER BY stt DESC"));
    ASSERT_EQ(rs.recordCount(), 2);
    EXPECT_EQ(rs.value(QStringLiteral("STT")).toInt(), 3);
    rs.moveNext();
    EXPECT_EQ(rs.value(QStringLiteral("stt")).toInt(), 2);
    rs.moveNext();
    EXPECT_TRUE(rs.eof());
}
