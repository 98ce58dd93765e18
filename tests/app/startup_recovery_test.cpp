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
    const QString crashed = path + u".crashed"_s;
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
    ASSERT_TRUE(QFile::copy(path + u"-journal"_s, crashed + u"-journal"_s));
    sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close_v2(db);
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QFile::rename(crashed, path));
    ASSERT_TRUE(QFile::rename(crashed + u"-journal"_s, path + u"-journal"_s));
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
        ASSERT_TRUE(QFile::exists(path + u"-journal"_s));

        ASSERT_EQ(home.start(), StartupOutcome::Ready) << home.messageText();
        EXPECT_TRUE(home.messages().isEmpty()) << home.messageText();
        EXPECT_FALSE(QFile::exists(path + u"-journal"_s));
        app::resetModule1();
        EXPECT_FALSE(hasTable(path, u"spill"_s));
        db::Database recovered = db::Database::open(path, app::kConnect, db::OpenMode::ReadOnly);
        EXPECT_EQ(test::scalar(recovered, QString::fromUtf8(counted)), 1);
        EXPECT_EQ(QDir(home.dataDir()).entryList({u"*hong*"_s}), QStringList());
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
            QDir().mkpath(home.home() + u"/share"_s);
            const QString moved = home.home() + u"/share/"_s + name;
            ASSERT_TRUE(QFile::copy(path, moved));
            path = moved;
            ASSERT_TRUE(QFile::copy(home.data(u"vemotk.MDB"_s), home.home() + u"/share/vemotk.mdb"_s));
            home.writeSysmem(name == u"vemocv.MDB"_s ? ProgramFolder::Settings{.letters = path}
                                                     : ProgramFolder::Settings{path});
        }
        if (c.bytes.isEmpty()) {
            QFile::remove(path);
            db::Database foreign = db::Database::create(path, u"another"_s);
        } else {
            ASSERT_TRUE(test::writeFile(path, c.bytes));
        }
        home.responder.setDefaultAnswer(u"yes"_s);

        const StartupOutcome outcome = home.start();
        ASSERT_EQ(home.messages().size(), 1) << home.messageText();
        const QString message = home.messages().first();
        EXPECT_TRUE(message.contains(QDir::toNativeSeparators(path) + QString::fromUtf8(c.told)))
            << message.toStdString();
        if (c.elsewhere) {
            EXPECT_EQ(home.modes().first(), u"yesno"_s);
            EXPECT_TRUE(message.endsWith(u"Có muốn chuyển về file dữ liệu "_s + home.data(name) + u" không ?"_s))
                << message.toStdString();
            EXPECT_EQ(outcome, StartupOutcome::Ready);
        } else {
            EXPECT_EQ(home.modes().first(), u"ok"_s) << "nothing to switch to: no question";
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
        const QString path = home.data(u"vemotk.MDB"_s);
        if (foreign) {
            QFile::remove(path);
            db::Database templ = db::Database::open(QStringLiteral(SELVARO_DATA_DIR "/vemogoc.mdb"), app::kConnect,
                                                    db::OpenMode::ReadOnly);
            db::Database other = db::Database::create(path, u"another"_s);
            templ.refreshTableDefs();
            for (const QString& table : templ.tableNames())
                other.appendTableDef(templ.tableDef(table));
        } else {
            ASSERT_TRUE(test::writeFile(path, torn()));
        }
        const QByteArray damaged = test::readFile(path);

        ASSERT_EQ(home.start(), StartupOutcome::Ready) << home.messageText();
        const QString kept = home.data(u"vemotk-hong-20090615-0900.MDB"_s);
        EXPECT_EQ(home.messages(), QStringList{u"File dữ liệu vemotk.MDB ở thư mục "_s + home.dataDir() +
                                               u" đã bị sửa đổi hoặc bị hỏng, không dùng được !!!\rFile hỏng được giữ "
                                               "lại là "_s +
                                               kept +
                                               u" ; file này được thay bằng file dữ liệu gốc.\rCần kiểm tra khôi phục "
                                               "lại file này! "_s});
        EXPECT_EQ(test::readFile(kept), damaged);
        app::resetModule1();
        EXPECT_TRUE(hasTable(path, u"chutat"_s));
    }
}

TEST(StartupRecoveryTest, EmptyStoredYearWithTheClockBefore2008StopsAtTheYearCheck)
{
    ProgramFolder home;
    home.startOnce();
    home.writeSysmem({.year = QString()});
    home.setToday(QDate(2007, 5, 1));
    EXPECT_EQ(home.start(), StartupOutcome::Stopped);
    EXPECT_EQ(home.messages(), QStringList{u"Cần kiểm tra đặt lại ngày tháng năm trên máy tính cho đúng "
                                           "và chạy lại chương trình này!"_s});
    app::resetModule1();
    EXPECT_FALSE(hasTable(home.data(u"vemocv.MDB"_s), u"cvden2007"_s));
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
        m_setpriv = QStandardPaths::findExecutable(u"setpriv"_s);
        if (m_setpriv.isEmpty() || QProcess::execute(m_setpriv, {u"--reuid=nobody"_s, u"--regid=nogroup"_s,
                                                                 u"--clear-groups"_s, u"true"_s}) != 0)
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

// A first start in a read-only folder says why it cannot go on; once the files are there, a start
// in it runs read only after one clear message and writes nothing.
TEST_F(ReadOnlyFolderTest, FirstStartSaysWhyItCannotGoOnAndExistingFilesRunReadOnly)
{
    ProgramFolder home;
    openUp(home.home(), kReadAll | QFileDevice::WriteOwner);
    openUp(home.data(u"vemogoc.mdb"_s), QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    QStringList lines = probe(home);
    EXPECT_TRUE(lines.contains(u"outcome 1"_s)) << lines.join(QLatin1Char('\n')).toStdString();
    ASSERT_EQ(lines.filter(u"message "_s).size(), 1);
    EXPECT_TRUE(lines.filter(u"message "_s)
                    .first()
                    .startsWith(u"message Thư mục dữ liệu "_s + home.dataDir() + u" chỉ được phép đọc"_s));

    home.startOnce();
    for (const QString& name : QDir(home.dataDir()).entryList(QDir::Files))
        openUp(home.data(name),
               QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    const QStringList before = QDir(home.dataDir()).entryList(QDir::Files);
    lines = probe(home);
    EXPECT_EQ(lines.mid(0, 3), (QStringList{"outcome 0", "chidoc 1", "letterEntry 0"}))
        << lines.join(QLatin1Char('\n')).toStdString();
    // The probe runs on the machine's clock: the working-year notice may come too.
    QStringList messages = lines.filter(u"message "_s);
    messages.removeIf([](const QString& m) { return m.startsWith(u"message Năm làm việc không trùng"_s); });
    EXPECT_EQ(messages,
              QStringList{u"message "_s +
                          app::readOnlyStartMessage(home.dataDir()).replace(QLatin1Char('\r'), QLatin1Char(' '))});
    EXPECT_EQ(QDir(home.dataDir()).entryList(QDir::Files), before);
}

} // namespace
