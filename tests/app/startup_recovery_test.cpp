// Start-up on what a kill, a damaged file or a wrong setting left in a program folder.
#include "app/core/module1.h"
#include "app/core/read_only_mode.h"
#include "app/gui/sub_main.h"
#include "files.h"
#include "startup_fixture.h"
#include "table_rows.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <unistd.h>

using app::StartupOutcome;

namespace {

// Leaves path as a program killed in the middle of a transaction leaves it: a table "spill" made
// and filled far past the page cache, so that changed pages reached the file and the journal
// beside it is hot. The transaction is then rolled back on the original; the state at the kill is
// put in its place.
void crashInTransaction(const QString& path)
{
    const QString crashed = path + QStringLiteral(".crashed");
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db,
                           "PRAGMA cache_size=2; BEGIN; CREATE TABLE spill(x); "
                           "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM n WHERE i<300) "
                           "INSERT INTO spill SELECT randomblob(3000) FROM n; "
                           "UPDATE msys_info SET value=value",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    ASSERT_TRUE(QFile::copy(path, crashed));
    ASSERT_TRUE(QFile::copy(path + QStringLiteral("-journal"), crashed + QStringLiteral("-journal")));
    sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close_v2(db);
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QFile::rename(crashed, path));
    ASSERT_TRUE(QFile::rename(crashed + QStringLiteral("-journal"), path + QStringLiteral("-journal")));
}

// A journal beside a data file means "recover": the file is rolled back to its last commit and
// used, never called missing or damaged, never replaced.
TEST(StartupRecoveryTest, FileWithAHotJournalIsRecoveredBeforeItsCheckAndKept)
{
    // The file, a row it held before the killed transaction, and the count that finds it.
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"vemocv.MDB", "INSERT INTO cvden2009 (stt, so_cv, tt_ndung) VALUES (1, '1/UB', 'Thư một')",
         "select count(*) from cvden2009 where tt_ndung='Thư một'"},
        {"vemotk.MDB", "INSERT INTO noigui (tendonvi, matt) VALUES ('Sở Nội vụ', 'so noi vu')",
         "select count(*) from noigui where tendonvi='Sở Nội vụ'"},
        {"vemolich.MDB", "INSERT INTO lich2009 (ndung) VALUES ('Họp giao ban')",
         "select count(*) from lich2009 where ndung='Họp giao ban'"}};
    for (const auto& [file, row, counted] : cases) {
        SCOPED_TRACE(file);
        ProgramFolder home;
        home.startOnce();
        const QString path = home.data(QString::fromLatin1(file));
        db::Database::open(path, app::kConnect).execute(QString::fromUtf8(row));
        crashInTransaction(path);
        ASSERT_TRUE(QFile::exists(path + QStringLiteral("-journal")));

        ASSERT_EQ(home.start(), StartupOutcome::Ready) << home.messageText();
        EXPECT_TRUE(home.messages().isEmpty()) << home.messageText();
        EXPECT_FALSE(QFile::exists(path + QStringLiteral("-journal")));
        app::resetModule1();
        EXPECT_FALSE(hasTable(path, QStringLiteral("spill")));
        db::Database recovered = db::Database::open(path, app::kConnect, db::OpenMode::ReadOnly);
        EXPECT_EQ(test::scalar(recovered, QString::fromUtf8(counted)), 1);
        EXPECT_EQ(QDir(home.dataDir()).entryList({QStringLiteral("*hong*")}), QStringList());
    }
}

const QByteArray kGarbage = QByteArray(4096, '\x5a');
QByteArray torn()
{
    QByteArray bytes = test::readFile(QStringLiteral(SELVARO_DATA_DIR "/vemogoc.mdb"));
    bytes.replace(4096, 8192, QByteArray(8192, '\x5a'));
    return bytes.left(16384);
}

struct DamagedCase
{
    const char* what;
    const char* file; // in the data folder, or moved to another folder when elsewhere
    QByteArray bytes; // written over the file; empty: protected by another password
    bool elsewhere;   // the settings file points at a copy in another folder
    const char* told; // what the message says of the file
};

// The user is told what is wrong with which file and offered only a choice that changes
// something; the file that failed is never offered again.
TEST(StartupRecoveryTest, DamagedFileIsToldByNameAndFaultAndNeverOfferedAgain)
{
    const DamagedCase cases[] = {
        {"garbage letters", "vemocv.MDB", kGarbage, false, " không phải là file dữ liệu của chương trình"},
        {"garbage plans", "vemolich.MDB", kGarbage, false, " không phải là file dữ liệu của chương trình"},
        {"torn letters", "vemocv.MDB", torn(), false, " bị hỏng, không đọc được !"},
        {"other password", "vemolich.MDB", QByteArray(), false, " có mật khẩu khác"},
        {"garbage letters elsewhere", "vemocv.MDB", kGarbage, true, " không phải là file dữ liệu của chương trình"},
        {"plans of another program elsewhere", "vemolich.MDB", QByteArray(), true, " có mật khẩu khác"}};
    for (const DamagedCase& c : cases) {
        SCOPED_TRACE(c.what);
        ProgramFolder home;
        home.startOnce();
        const QString name = QString::fromLatin1(c.file);
        QString path = home.data(name);
        if (c.elsewhere) {
            QDir().mkpath(home.home() + QStringLiteral("/share"));
            const QString moved = home.home() + QStringLiteral("/share/") + name;
            ASSERT_TRUE(QFile::copy(path, moved));
            path = moved;
            ASSERT_TRUE(QFile::copy(home.data(QStringLiteral("vemotk.MDB")),
                                    home.home() + QStringLiteral("/share/vemotk.mdb")));
            home.writeSysmem(name == QLatin1String("vemocv.MDB") ? ProgramFolder::Settings{.letters = path}
                                                                 : ProgramFolder::Settings{path});
        }
        if (c.bytes.isEmpty()) {
            QFile::remove(path);
            db::Database foreign = db::Database::create(path, QStringLiteral("another"));
        } else {
            ASSERT_TRUE(test::writeFile(path, c.bytes));
        }
        home.responder.setDefaultAnswer(QStringLiteral("yes"));

        const StartupOutcome outcome = home.start();
        ASSERT_EQ(home.messages().size(), 1) << home.messageText();
        const QString message = home.messages().first();
        EXPECT_TRUE(message.contains(QDir::toNativeSeparators(path) + QString::fromUtf8(c.told)))
            << message.toStdString();
        if (c.elsewhere) {
            EXPECT_EQ(home.modes().first(), QStringLiteral("yesno"));
            EXPECT_TRUE(message.endsWith(QStringLiteral("Có muốn chuyển về file dữ liệu ") + home.data(name) +
                                         QStringLiteral(" không ?")))
                << message.toStdString();
            EXPECT_EQ(outcome, StartupOutcome::Ready);
        } else {
            EXPECT_EQ(home.modes().first(), QStringLiteral("ok")) << "nothing to switch to: no question";
            EXPECT_EQ(outcome, StartupOutcome::Stopped);
            EXPECT_TRUE(QFile::exists(path)) << "the damaged file stays for whoever restores it";
        }
    }
}

// A torn reference file, or one protected by another password, is kept under a dated name before
// the template replaces it.
TEST(StartupRecoveryTest, DamagedReferenceFileIsKeptUnderADatedNameBeforeTheTemplateReplacesIt)
{
    for (const bool foreign : {false, true}) {
        SCOPED_TRACE(foreign ? "another password" : "torn");
        ProgramFolder home;
        home.startOnce();
        const QString path = home.data(QStringLiteral("vemotk.MDB"));
        if (foreign) {
            QFile::remove(path);
            db::Database templ = db::Database::open(QStringLiteral(SELVARO_DATA_DIR "/vemogoc.mdb"), app::kConnect,
                                                    db::OpenMode::ReadOnly);
            db::Database other = db::Database::create(path, QStringLiteral("another"));
            templ.refreshTableDefs();
            for (const QString& table : templ.tableNames())
                other.appendTableDef(templ.tableDef(table));
        } else {
            ASSERT_TRUE(test::writeFile(path, torn()));
        }
        const QByteArray damaged = test::readFile(path);

        ASSERT_EQ(home.start(), StartupOutcome::Ready) << home.messageText();
        const QString kept = home.data(QStringLiteral("vemotk-hong-20090615-0900.MDB"));
        EXPECT_EQ(home.messages(),
                  QStringList{QStringLiteral("File dữ liệu vemotk.MDB ở thư mục ") + home.dataDir() +
                              QStringLiteral(" đã bị sửa đổi hoặc bị hỏng, không dùng được !!!\rFile hỏng được giữ "
                                             "lại là ") +
                              kept +
                              QStringLiteral(" ; file này được thay bằng file dữ liệu gốc.\rCần kiểm tra khôi phục "
                                             "lại file này! ")});
        EXPECT_EQ(test::readFile(kept), damaged);
        app::resetModule1();
        EXPECT_TRUE(hasTable(path, QStringLiteral("chutat")));
    }
}

TEST(StartupRecoveryTest, EmptyStoredYearWithTheClockBefore2008StopsAtTheYearCheck)
{
    ProgramFolder home;
    home.startOnce();
    home.writeSysmem({.year = QString()});
    home.setToday(QDate(2007, 5, 1));
    EXPECT_EQ(home.start(), StartupOutcome::Stopped);
    EXPECT_EQ(home.messages(), QStringList{QStringLiteral("Cần kiểm tra đặt lại ngày tháng năm trên máy tính cho đúng "
                                                          "và chạy lại chương trình này!")});
    app::resetModule1();
    EXPECT_FALSE(hasTable(home.data(QStringLiteral("vemocv.MDB")), QStringLiteral("cvden2007")));
    EXPECT_EQ(home.logins, 1) << "only the first start logged in";
}

// The read-only cases run the start-up as an unprivileged user (root would write anyway): the
// probe program tells what start-up did.
class ReadOnlyFolderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (::geteuid() != 0)
            return; // an ordinary user: permissions apply to this process already
        m_setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
        if (m_setpriv.isEmpty() ||
            QProcess::execute(m_setpriv, {QStringLiteral("--reuid=nobody"), QStringLiteral("--regid=nogroup"),
                                          QStringLiteral("--clear-groups"), QStringLiteral("true")}) != 0)
            GTEST_SKIP() << "running as root, and no unprivileged user can be had through setpriv";
    }

    // Runs start-up through the probe on the program folder with its data folder made read-only
    // (and then writable again); the probe's lines: "outcome N", "chidoc 0|1", "letterEntry 0|1",
    // "message <text>".
    QStringList probe(const ProgramFolder& home)
    {
        openUp(home.dataDir(), kReadAll);
        QProcess p;
        QStringList args = {QStringLiteral(SELVARO_STARTUP_PROBE), home.home()};
        QString program = args.takeFirst();
        if (!m_setpriv.isEmpty()) {
            args = QStringList{"--reuid=nobody", "--regid=nogroup", "--clear-groups", program} + args;
            program = m_setpriv;
        }
        p.start(program, args);
        EXPECT_TRUE(p.waitForFinished(60000));
        openUp(home.dataDir(), kReadAll | QFileDevice::WriteOwner);
        return QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    static void openUp(const QString& path, QFileDevice::Permissions permissions)
    {
        ASSERT_TRUE(QFile::setPermissions(path, permissions));
    }
    static constexpr QFileDevice::Permissions kReadAll{QFileDevice::ReadOwner | QFileDevice::ReadGroup |
                                                       QFileDevice::ReadOther | QFileDevice::ExeOwner |
                                                       QFileDevice::ExeGroup | QFileDevice::ExeOther};

    QString m_setpriv;
};

TEST_F(ReadOnlyFolderTest, ExistingFilesRunReadOnlyAfterOneClearMessage)
{
    ProgramFolder home;
    home.startOnce();
    openUp(home.home(), kReadAll | QFileDevice::WriteOwner);
    for (const QString& name : QDir(home.dataDir()).entryList(QDir::Files))
        openUp(home.data(name),
               QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    const QStringList before = QDir(home.dataDir()).entryList(QDir::Files);
    const QStringList lines = probe(home);
    EXPECT_TRUE(lines.contains(QStringLiteral("outcome 0"))) << lines.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(lines.contains(QStringLiteral("chidoc 1")));
    EXPECT_TRUE(lines.contains(QStringLiteral("letterEntry 0")));
    // The probe runs on the machine's clock: the working-year notice may come too.
    QStringList messages = lines.filter(QStringLiteral("message "));
    messages.removeIf(
        [](const QString& m) { return m.startsWith(QStringLiteral("message Năm làm việc không trùng")); });
    EXPECT_EQ(messages,
              QStringList{QStringLiteral("message ") +
                          app::readOnlyStartMessage(home.dataDir()).replace(QLatin1Char('\r'), QLatin1Char(' '))});
    EXPECT_EQ(QDir(home.dataDir()).entryList(QDir::Files), before);
}

TEST_F(ReadOnlyFolderTest, FirstStartInAReadOnlyFolderSaysWhyItCannotGoOn)
{
    ProgramFolder home;
    openUp(home.home(), kReadAll | QFileDevice::WriteOwner);
    openUp(home.data(QStringLiteral("vemogoc.mdb")),
           QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    const QStringList lines = probe(home);
    EXPECT_TRUE(lines.contains(QStringLiteral("outcome 1"))) << lines.join(QLatin1Char('\n')).toStdString();
    ASSERT_EQ(lines.filter(QStringLiteral("message ")).size(), 1);
    EXPECT_TRUE(lines.filter(QStringLiteral("message "))
                    .first()
                    .startsWith(QStringLiteral("message Thư mục dữ liệu ") + home.dataDir() +
                                QStringLiteral(" chỉ được phép đọc")));
}

} // namespace
