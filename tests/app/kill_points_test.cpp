// A program killed while it saves letters or replicates them must start again on what the kill
// left: the kill test's child (tools/kill_test) is killed with SIGKILL at fixed points, then the
// program starts on its folder.
#include "startup_fixture.h"

#include "app/core/settings_files.h"
#include "datafiles/replication.h"
#include "kill_checks.h"

#include <QProcess>
#include <gtest/gtest.h>

namespace {

struct KillPoint
{
    const char* name;
    const char* dieAt;      // kill_child's kill point
    bool freshBackup;       // the backup file is removed first: the first replication copies it whole
    const char* leftBeside; // a file the kill must have left (relative to the program folder)
};

class KillPointTest : public ::testing::TestWithParam<KillPoint>
{
protected:
    // Runs the child on the program folder from letter number first; returns its output.
    QByteArray runChild(int first, int count, const QString& dieAt, bool* killed)
    {
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QStringLiteral(SELVARO_KILL_TEST),
                    {u"child"_s, home.home(), u"2009"_s, QString::number(first), QString::number(count), dieAt});
        EXPECT_TRUE(child.waitForFinished(60000));
        *killed = child.exitStatus() == QProcess::CrashExit;
        return child.readAllStandardOutput();
    }
    QString path(const QString& relative) const { return QDir(home.home()).filePath(relative); }

    ProgramFolder home;
};

TEST_P(KillPointTest, StartUpRecoversWhatTheKillLeftAndLosesNothingAcknowledged)
{
    const KillPoint& p = GetParam();
    const QString letters = path(u"data/vemocv.MDB"_s);
    const QString backup = path(u"backup/vemocv.mdb"_s);
    const QStringList tables = {u"cvden2009"_s, u"cvdi2009"_s};
    ASSERT_EQ(home.start(), app::StartupOutcome::Ready);
    QDir().mkpath(path(u"backup"_s));
    app::module1().backupPath = backup;
    app::writeSysmem(app::module1());
    app::resetModule1();

    killtest::Ledger ledger;
    bool killed = false;
    ledger.read(runChild(1, 3, QString(), &killed)); // letters 1 to 3; the backup made at the 2nd
    ASSERT_FALSE(killed);
    ASSERT_TRUE(QFile::exists(backup));
    if (p.freshBackup) {
        ASSERT_TRUE(QFile::remove(backup));
    }
    const QByteArray output = runChild(4, 40, QString::fromLatin1(p.dieAt), &killed);
    ledger.read(output);
    ASSERT_TRUE(killed) << "the kill point was never reached";
    if (QByteArray(p.name).startsWith("Attached")) { // killed while attaching
        const QList<QByteArray> lines = output.trimmed().split('\n');
        EXPECT_TRUE(lines.last().startsWith("att try")) << lines.last().toStdString();
    }
    bool left = false;
    for (const QString& folder : {u"data"_s, u"backup"_s, u"data/vemocv_tepdinhkem"_s}) {
        for (const QString& name : QDir(path(folder)).entryList(QDir::Files))
            left = left || name.contains(QString::fromLatin1(p.leftBeside));
    }
    ASSERT_TRUE(left) << "the kill left no " << p.leftBeside;

    home.responder.clear();
    ASSERT_EQ(home.start(), app::StartupOutcome::Ready) << home.messageText();
    for (const QString& message : home.messages())
        EXPECT_TRUE(message.startsWith(u"Không tìm thấy file dữ liệu backup"_s)) << message.toStdString();
    app::module1().letters.close();
    // Journals left, acknowledged letters or attachments lost, stored files nobody names: none.
    EXPECT_EQ(killtest::journalsIn(path(u"data"_s)) + killtest::journalsIn(path(u"backup"_s)) +
                  ledger.faultsIn(letters, tables) + ledger.attachmentFaultsIn(letters) +
                  killtest::storeAfterSweep(letters),
              QStringList());
    EXPECT_EQ(killtest::integrity(letters), u"ok"_s);
    if (QFile::exists(backup)) {
        EXPECT_EQ(killtest::integrity(backup), u"ok"_s);
        for (const QString& table : tables)
            EXPECT_EQ(killtest::duplicatedBackupRows(backup, table), QStringList());
    }

    // The next close of an entry form replicates: the backup then holds every letter once.
    app::module1().letters = db::Database::open(letters, app::kConnect);
    datafiles::replicate(app::module1().incomingTable, datafiles::incomingLetters());
    datafiles::replicate(app::module1().outgoingTable, datafiles::outgoingLetters());
    for (const QString& table : tables)
        EXPECT_EQ(killtest::backupDifferences(letters, backup, table), QStringList()) << table.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Points, KillPointTest,
    ::testing::Values(KillPoint{"ReplicationStarted", "INSERT INTO#1", false, "vemocv"},
                      KillPoint{"RowsInsertedIntoTheBackupNotCommitted", "kieuupdate=0 where kieuupdate=1#1", false,
                                "-journal"},
                      KillPoint{"CommitPointOfBothFiles", "super-journal", false, "-mj"},
                      KillPoint{"SuperJournalNamedByNoJournalYet", "super-journal-made", false, "-mj"},
                      KillPoint{"WholeFileCopiedFlagsNotReset", "kieuupdate=0 where kieuupdate>0#2", true, ".tmp"},
                      KillPoint{"AttachedFileHalfCopied", "attach-copy", false, ".tmp"},
                      KillPoint{"AttachedFileStoredRowNotWritten", "tepdinhkem#2", false, "vemocv"}),
    [](const ::testing::TestParamInfo<KillPoint>& info) { return std::string(info.param.name); });

} // namespace
