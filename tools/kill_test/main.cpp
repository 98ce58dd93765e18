// The kill test: a child process saves letters and replicates them into the backup file and is
// killed with SIGKILL at random moments; after every kill the program starts again on the files
// the kill left and the tool checks that start-up accepts them without a message, that every
// letter the child acknowledged is there with a text that was saved for it, that no backup row is
// duplicated, that every attached file its row names is whole in the store and the sweep leaves
// every named file, that no journal is left, that both files pass PRAGMA integrity_check, and that the
// next replication makes the backup equal to the letters.
//
//   kill_test [--kills=N] [--seed=S] [--max-ms=M]   runs N kills (300), delays up to M ms (700)
//   kill_test child <folder> <year> <first> <count> [<text>#<n>]   the child (kill_child.h)
#include "app/core/data_paths.h"
#include "app/core/module1.h"
#include "app/core/settings_files.h"
#include "app/gui/sub_main.h"
#include "datafiles/replication.h"
#include "kill_checks.h"
#include "kill_child.h"
#include "platform/sys/file_ops.h"
#include "platform/ui/form_base.h"
#include "scripted_responder.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <cstdio>

namespace {

class QuietWindow : public app::StartupWindow
{
public:
    void showAtStart() override {}
    void repaintNow() override {}
    void showDataLabels() override {}
    void setLetterEntryEnabled(bool) override {}
    void focusViewIncoming() override {}
};

struct Figures
{
    int kills = 0;
    int finishedBeforeKill = 0;
    int lettersHotJournal = 0;
    int backupHotJournal = 0;
    int superJournals = 0;
    int backupMissingAtStart = 0;
    int wholeFileCopies = 0;
    int startupsAccepted = 0;
    int lost = 0;
    int duplicates = 0;
    int journalsLeft = 0;
    int integrityFailures = 0;
    int backupDifferences = 0;
    QStringList faults;
};

// Runs start-up on folder as the program does, the login answered; returns the messages shown.
QStringList startUp(const QString& folder, bool& ready)
{
    app::resetModule1();
    test::ScriptedResponder responder;
    responder.onModal(QStringLiteral("frmLogin"), [](ui::FormBase& form) {
        form.control<QLineEdit>(QStringLiteral("txtUserName"))->setText(QStringLiteral("kiemtra"));
        form.control<QPushButton>(QStringLiteral("cmdok"))->click();
    });
    QuietWindow window;
    ready = app::subMain(folder, window) == app::StartupOutcome::Ready;
    return responder.messages();
}

int runKills(int kills, quint32 seed, int maxMs)
{
    QTemporaryDir dir;
    const QString folder = dir.path();
    QDir().mkpath(QDir(folder).filePath(QStringLiteral("data")));
    QDir().mkpath(QDir(folder).filePath(QStringLiteral("backup")));
    sys::copyFile(QStringLiteral(SELVARO_DATA_DIR "/vemogoc.mdb"),
                  QDir(folder).filePath(QStringLiteral("data/vemogoc.mdb")));
    const QString letters = QDir(folder).filePath(QStringLiteral("data/vemocv.MDB"));
    const QString backup = QDir(folder).filePath(QStringLiteral("backup/vemocv.mdb"));
    bool ready = false;
    startUp(folder, ready);
    if (!ready) {
        std::fprintf(stderr, "the first start-up failed\n");
        return 2;
    }
    app::module1().backupPath = backup;
    app::writeSysmem(app::module1());
    const QString year = app::module1().workingYear;
    const QStringList tables = {QStringLiteral("cvden") + year, QStringLiteral("cvdi") + year};

    QRandomGenerator random(seed);
    killtest::Ledger ledger;
    Figures f;
    QElapsedTimer clock;
    clock.start();
    for (int run = 0; run < kills; ++run) {
        app::resetModule1();
        if (run % 6 == 5 && sys::isFile(backup)) {
            // A backup file chosen anew: the child's next replication copies the whole file.
            sys::removeFile(backup);
            ++f.wholeFileCopies;
        }
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(
            QCoreApplication::applicationFilePath(),
            {QStringLiteral("child"), folder, year, QString::number(run * 100000 + 1), QStringLiteral("99999")});
        child.waitForStarted();
        const int delay = 30 + static_cast<int>(random.bounded(maxMs));
        if (child.waitForFinished(delay))
            ++f.finishedBeforeKill;
        child.kill();
        child.waitForFinished();
        ++f.kills;
        ledger.read(child.readAllStandardOutput());

        f.lettersHotJournal += QFile::exists(letters + QStringLiteral("-journal"));
        f.backupHotJournal += QFile::exists(backup + QStringLiteral("-journal"));
        for (const QString& j : killtest::journalsIn(QDir(folder).filePath(QStringLiteral("data"))))
            f.superJournals += j.contains(QLatin1String("-mj"));
        f.backupMissingAtStart += !QFile::exists(backup);

        const QStringList messages = startUp(folder, ready);
        const bool onlyBackupMissing =
            messages.size() == 1 && messages.first().startsWith(QStringLiteral("Không tìm thấy file dữ liệu backup"));
        if (ready && (messages.isEmpty() || onlyBackupMissing))
            ++f.startupsAccepted;
        else
            f.faults << QStringLiteral("run %1: start-up: ").arg(run) + messages.join(QLatin1String(" | "));
        app::module1().letters.close();
        const QStringList lost = ledger.faultsIn(letters, tables) + ledger.attachmentFaultsIn(letters);
        f.lost += static_cast<int>(lost.size());
        f.faults << lost;
        if (run % 10 == 9) // the sweep a later opening runs: no row may lose its file
            f.faults << killtest::storeAfterSweep(letters);
        QStringList dups;
        if (QFile::exists(backup)) {
            for (const QString& t : tables)
                dups << killtest::duplicatedBackupRows(backup, t);
        }
        f.duplicates += static_cast<int>(dups.size());
        f.faults << dups;
        const QStringList left = killtest::journalsIn(QDir(folder).filePath(QStringLiteral("data"))) +
                                 killtest::journalsIn(QDir(folder).filePath(QStringLiteral("backup")));
        f.journalsLeft += static_cast<int>(left.size());
        f.faults << left;
        for (const QString& file : {letters, backup}) {
            if (QFile::exists(file) && killtest::integrity(file) != QLatin1String("ok")) {
                ++f.integrityFailures;
                f.faults << file + QStringLiteral(": ") + killtest::integrity(file);
            }
        }
        // The next close of an entry form replicates; the backup must then equal the letters.
        if (ready) {
            test::ScriptedResponder quiet;
            app::module1().letters = db::Database::open(letters, app::kConnect);
            datafiles::replicate(app::module1().incomingTable, datafiles::incomingLetters());
            datafiles::replicate(app::module1().outgoingTable, datafiles::outgoingLetters());
            app::module1().letters.close();
            f.faults << quiet.messages();
            if (QFile::exists(backup)) {
                for (const QString& t : tables) {
                    const QStringList diff = killtest::backupDifferences(letters, backup, t);
                    f.backupDifferences += static_cast<int>(diff.size());
                    f.faults << diff.mid(0, 3);
                }
            }
        }
    }
    app::resetModule1();

    std::printf("kill test: %d kills in %.1f s (seed %u, delays 30..%d ms)\n", f.kills, clock.elapsed() / 1000.0, seed,
                maxMs + 30);
    std::printf("  left by the kills: hot journal on the letters file %d, on the backup %d, super-journals %d, "
                "backup file missing %d (backup removed on purpose %d times)\n",
                f.lettersHotJournal, f.backupHotJournal, f.superJournals, f.backupMissingAtStart, f.wholeFileCopies);
    std::printf("  child finished before its kill: %d; letters acknowledged: %d\n", f.finishedBeforeKill,
                ledger.acknowledged());
    std::printf("  start-up accepted the files: %d of %d\n", f.startupsAccepted, f.kills);
    std::printf("  acknowledged letters or edits lost: %d; duplicated backup rows: %d; journals left after start: %d;"
                " integrity failures: %d; backup differences after the next replication: %d\n",
                f.lost, f.duplicates, f.journalsLeft, f.integrityFailures, f.backupDifferences);
    for (const QString& fault : f.faults.mid(0, 20))
        std::printf("  fault: %s\n", qPrintable(fault));
    return f.faults.isEmpty() ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 6 && QByteArray(argv[1]) == "child") {
        QCoreApplication app(argc, argv);
        return runKillChild(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]),
                            QByteArray(argv[4]).toInt(), QByteArray(argv[5]).toInt(),
                            argc > 6 ? QString::fromLocal8Bit(argv[6]) : QString());
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    int kills = 300;
    quint32 seed = 1;
    int maxMs = 700;
    for (const QString& arg : app.arguments().mid(1)) {
        if (arg.startsWith(QLatin1String("--kills=")))
            kills = arg.mid(8).toInt();
        else if (arg.startsWith(QLatin1String("--seed=")))
            seed = arg.mid(7).toUInt();
        else if (arg.startsWith(QLatin1String("--max-ms=")))
            maxMs = arg.mid(9).toInt();
    }
    return runKills(kills, seed, maxMs);
}
