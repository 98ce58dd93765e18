#include "engine_fixture.h"

#include "platform/db/transaction.h"

#include <QStringList>
#include <stdexcept>

namespace {

QStringList g_log;

void capture(QtMsgType, const QMessageLogContext& context, const QString& text)
{
    g_log << QString::fromUtf8(context.category) + QLatin1Char('|') + text;
}

// database.h: "beginTrans() starts with BEGIN IMMEDIATE (FileLocked past the busy timeout)": one
// writer at a time, so that what a save reads to number a letter stays true until it commits.
// The guard rolls back when left by an exception and keeps what it committed; a rollback that
// itself fails is logged and the first error goes on.
TEST_P(LayerTest, OneTransactionAtATimeAndTheGuardCommitsRollsBackOrLogsAFailingRollback)
{
    db::Database db = makeLetters(1);
    db::Database other = openAgain();
    other.setBusyTimeout(100);
    db.beginTrans();
    expectDbError(errc::FileLocked, [&] { other.beginTrans(); });
    db.commitTrans();
    other.beginTrans(); // free again, and the refused attempt left nothing open
    other.execute(u"INSERT INTO cvden2009 (stt, loai) VALUES (2, 'x')"_s);
    other.commitTrans();
    EXPECT_EQ(rowsInFile(db), 2);

    EXPECT_THROW(
        {
            db::Transaction transaction(db, u"adding a row"_s);
            db.execute(u"INSERT INTO cvden2009 (stt, loai) VALUES (99, 'x')"_s);
            throw std::runtime_error("failed on the way");
        },
        std::runtime_error);
    EXPECT_EQ(rowsInFile(db), 2);
    {
        db::Transaction transaction(db, u"adding a row"_s);
        db.execute(u"INSERT INTO cvden2009 (stt, loai) VALUES (99, 'x')"_s);
        transaction.commit();
    }
    EXPECT_EQ(rowsInFile(db), 3);
    db.beginTrans(); // the guards ended their transactions: a new one begins
    db.rollback();

    g_log.clear();
    const QtMessageHandler previous = qInstallMessageHandler(capture);
    try {
        db::Transaction transaction(db, u"adding a row"_s);
        db.execute(u"INSERT INTO cvden2009 (stt, loai) VALUES (99, 'x')"_s);
        db.commitTrans(); // ended behind the guard's back: its rollback fails
        throw std::runtime_error("failed on the way");
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "failed on the way"); // the first error goes on
    }
    qInstallMessageHandler(previous);
    ASSERT_EQ(g_log.size(), 1);
    EXPECT_TRUE(g_log[0].startsWith(QLatin1String("selvaro.db|error 3034 while adding a row")))
        << g_log[0].toStdString();
}

} // namespace
