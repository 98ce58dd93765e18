// A recordset keeps its insert, update and delete prepared between saves: the kept statements hold
// no lock between saves and stand in the way of no change of the schema.
#include "db_fixture.h"

using namespace dbtest;
using db::Database;
using db::Recordset;
namespace errc = db::errc;

TEST_F(DbTest, KeptWritesHoldNoLockAndFollowTheTableWhenItChanges)
{
    Database db = makeLetters(2);
    Recordset rs = db.openRecordset(QStringLiteral("cvden2009"));
    rs.addNew();
    rs.setValue(QStringLiteral("stt"), 3);
    rs.update();
    rs.moveFirst();
    rs.edit();
    rs.setValue(QStringLiteral("loai"), QStringLiteral("Tờ trình"));
    rs.update();
    rs.deleteRecord();

    // Another connection writes at once: none of the kept statements holds the file.
    Database other = Database::open(path(), Connect);
    other.setBusyTimeout(0);
    other.execute(QStringLiteral("UPDATE cvden2009 SET loai = 'Báo cáo' WHERE stt = 2"));
    EXPECT_EQ(other.recordsAffected(), 1);

    // An index made in between (a change of the schema): the same shapes save again.
    db.execute(QStringLiteral("CREATE INDEX ix_loai ON cvden2009 (loai)"));
    rs.addNew();
    rs.setValue(QStringLiteral("stt"), 4);
    rs.update();
    rs.moveFirst();
    rs.edit();
    rs.setValue(QStringLiteral("loai"), QStringLiteral("Công văn"));
    rs.update();
    EXPECT_EQ(db.openRecordset(
                    QStringLiteral("SELECT count(*) FROM cvden2009 WHERE stt = 4 OR (stt = 2 AND loai = 'Công văn')"),
                    db::RecordsetType::Snapshot)
                  .value(0)
                  .toInt(),
              2);

    // The table dropped under the recordset: the drop is not refused, the next save says why.
    db.execute(QStringLiteral("DROP TABLE cvden2009"));
    rs.addNew();
    rs.setValue(QStringLiteral("stt"), 5);
    expectDbError(errc::TableNotFound, [&] { rs.update(); });
    rs.cancelUpdate();
    rs.close();
}
