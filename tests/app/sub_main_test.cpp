#include "app/core/data_file_messages.h"
#include "app/core/last_error.h"
#include "app/core/module1.h"
#include "app/core/reference_tables.h"
#include "app/core/server_setting.h"
#include "app/gui/sub_main.h"
#include "platform/db/db_error.h"
#include "startup_fixture.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <gtest/gtest.h>

using app::StartupOutcome;

namespace {

TEST(SubMainTest, FirstRunCreatesDataFilesWritesSettingsLogsInAdministratorAndTranslatesQt)
{
    ProgramFolder home;
    const FakeStartupWindow& window = home.window;
    ASSERT_EQ(home.start(), StartupOutcome::Ready) << home.messageText();

    EXPECT_TRUE(home.messages().isEmpty()) << home.messageText();
    for (const char* name :
         {"vemocv.MDB", "vemolich.MDB", "vemotk.MDB", "vemotemp.MDB", "sysmem", "sysmem2", "sysmem3"})
        EXPECT_TRUE(home.exists(QString::fromLatin1(name))) << name;
    // Files inside the program folder are written relative to it.
    EXPECT_EQ(home.readSysmem(), (QStringList{QDir::toNativeSeparators(u"data/vemolich.MDB"_s),
                                              QDir::toNativeSeparators(u"data/vemocv.MDB"_s), " ", "2009"}));

    // The working year and its table, then who logged in; the year tables are made as their own
    // test shows, one of them proves it ran.
    const app::Module1& m = app::module1();
    EXPECT_EQ((QStringList{m.workingYear, m.incomingTable, m.userFullName, m.userRights}),
              (QStringList{"2009", "cvden2009", "Một người không rõ tên", "Q"}));
    EXPECT_TRUE(hasTable(m.schedulePath, u"lich2009"_s));
    for (const db::Recordset* list : {&m.abbreviations, &m.units, &m.correspondents, &m.letterTypes})
        EXPECT_FALSE(list->isNull());
    // With both data files in the data folder, all seven reference tables come from one file.
    for (const QString& table : app::referenceTables()) {
        EXPECT_EQ(QDir::cleanPath(app::referenceFilePath(app::module1(), table)), QDir::cleanPath(m.referencePath))
            << qPrintable(table);
        EXPECT_TRUE(app::referenceDatabase(app::module1(), table).isOpen()) << qPrintable(table);
    }

    EXPECT_EQ(std::tuple(window.shown, window.focused, window.yearLabel),
              std::tuple(true, true, u"Dữ liệu năm 2009"_s));
    EXPECT_EQ(window.filesLabel,
              u"File công văn: "_s + m.lettersPath + u"\r\nFile kế hoạch, lịch công tác: "_s + m.schedulePath);
    EXPECT_EQ(window.letterEntry, app::lettersFileIsLocal(app::module1().lettersPath) ? 1 : 0);

    // Qt's own dialogs speak Vietnamese, the file dialog as the data-file commands show it too.
    EXPECT_EQ((QStringList{QCoreApplication::translate("QFileDialog", "Open"),
                           QCoreApplication::translate("QPlatformTheme", "Cancel"),
                           QCoreApplication::translate("QPrintPreviewDialog", "Next page")}),
              (QStringList{"Mở", "Huỷ bỏ", "Trang sau"}));
    QFileDialog dialog(nullptr, QString(), home.dataDir());
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    auto* lookIn = dialog.findChild<QLabel*>(u"lookInLabel"_s);
    ASSERT_NE(lookIn, nullptr);
    EXPECT_EQ(lookIn->text(), u"Tìm trong:"_s);
}

TEST(SubMainTest, StoredYearDifferentFromClockIsToldOnceAndKept)
{
    ProgramFolder home;
    home.writeSysmem({.year = u"2008"_s});
    ASSERT_EQ(home.start(), StartupOutcome::Ready);
    ASSERT_EQ(home.messages().size(), 1) << home.messageText();
    EXPECT_EQ(home.messages().first(), u"Năm làm việc không trùng với con số năm trên máy là 2009\r"
                                       "Cần chọn lại năm làm việc hoặc phải kiểm tra, đặt lại ngày "
                                       "tháng năm trên máy tính!"_s);
    EXPECT_EQ(app::module1().workingYear + u'|' + home.window.yearLabel, u"2008|Dữ liệu năm 2008"_s);
    EXPECT_TRUE(hasTable(app::module1().lettersPath, u"cvden2008"_s));
    EXPECT_FALSE(hasTable(app::module1().lettersPath, u"cvden2009"_s));
}

// An unreachable data file offers the one in the data folder: "yes" moves to it, "no" stops and
// leaves the settings file as it was.
TEST(SubMainTest, UnreachableDataFileFallsBackToTheLocalFileOnYesAndStopsOnNo)
{
    for (const bool letters : {true, false}) {
        SCOPED_TRACE(letters ? "letters, yes" : "schedule, no");
        ProgramFolder home;
        const QString remote =
            letters ? u"/nonexistent-share/congvan/vemocv.mdb"_s : u"/nonexistent-share/lich/vemolich.mdb"_s;
        home.writeSysmem(letters ? ProgramFolder::Settings{.letters = remote} : ProgramFolder::Settings{remote});
        home.responder.answer(letters ? u"yes"_s : u"no"_s);
        const StartupOutcome outcome = home.start();
        const QString local = home.data(letters ? u"vemocv.MDB"_s : u"vemolich.MDB"_s);
        EXPECT_EQ(home.messages(),
                  QStringList{u"Không tìm thấy file dữ liệu "_s + remote + u" !\r\n"_s +
                              u"Cần kiểm tra lại việc nối mạng và các thư mục mạng chứa file dữ liệu. \r\n"_s +
                              u"Có muốn chuyển về file dữ liệu "_s + local + u" không ?"_s});
        EXPECT_EQ(home.modes(), QStringList{"yesno"});
        if (!letters) {
            EXPECT_EQ(outcome, StartupOutcome::Stopped);
            EXPECT_EQ(home.logins, 0);
            EXPECT_EQ(home.readSysmem().value(0), remote);
            continue;
        }
        ASSERT_EQ(outcome, StartupOutcome::Ready);
        EXPECT_EQ(home.readSysmem().value(1), QDir::toNativeSeparators(u"data/vemocv.MDB"_s));
        EXPECT_EQ(app::module1().lettersPath, local);
        EXPECT_TRUE(hasTable(app::module1().lettersPath, u"cvden2009"_s));
    }
}

// What a former run left is repaired silently at the next start: a letters file gone is made again
// with its year tables, a scratch file of a million bytes or more is replaced by the template.
TEST(SubMainTest, NextStartRemakesAMissingLettersFileAndReplacesAnOversizedScratchFile)
{
    ProgramFolder home;
    home.startOnce();
    ASSERT_TRUE(QFile::remove(app::dataFilePath(home.home(), u"vemocv.MDB"_s)));
    const QString scratch = app::dataFilePath(home.home(), u"vemotemp.MDB"_s);
    {
        db::Database db = db::Database::open(scratch, app::kConnect);
        db::TableDef filler;
        filler.name = u"filler"_s;
        filler.fields << db::FieldDef{u"t"_s, db::FieldType::Memo};
        db.appendTableDef(filler);
        const QString big(50000, QLatin1Char('x'));
        for (int i = 0; i < 21; ++i)
            db.execute(u"INSERT INTO filler (t) VALUES ('"_s + big + u"')"_s);
    }
    ASSERT_GE(QFileInfo(scratch).size(), 1000000);
    ASSERT_EQ(home.start(), StartupOutcome::Ready);
    EXPECT_TRUE(home.messages().isEmpty()) << home.messageText();
    EXPECT_TRUE(hasTable(app::module1().lettersPath, u"cvdi2009"_s));
    EXPECT_LT(QFileInfo(scratch).size(), 1000000);
    EXPECT_FALSE(hasTable(scratch, u"filler"_s));
}

TEST(SubMainTest, BackupFileIsLookedForOnlyWhenItsPathIsLongerThanEightCharacters)
{
    const std::pair<const char*, bool> cases[] = {
        {" ", false}, {"/bk.mdb ", false}, {"/bk.mdb", false}, {"/nonexistent-share/backup.mdb", true}};
    for (const auto& [backup, told] : cases) {
        SCOPED_TRACE(backup);
        ProgramFolder home;
        home.writeSysmem({.backup = QString::fromUtf8(backup)});
        ASSERT_EQ(home.start(), StartupOutcome::Ready);
        const QString message = u"Không tìm thấy file dữ liệu backup "_s + QString::fromUtf8(backup) +
                                u" ?!\rCần kiểm tra lại việc nối mạng  hoặc chọn lại file backup nếu cần !"_s;
        EXPECT_EQ(home.messages(), told ? QStringList{message} : QStringList());
    }
}

TEST(SubMainTest, CancelledLoginOrEmptyRightsEndWithoutMessage)
{
    ProgramFolder home;
    home.cancelLogin = true;
    EXPECT_EQ(home.start(), StartupOutcome::NotLoggedIn);
    EXPECT_TRUE(home.messages().isEmpty());
    EXPECT_EQ(home.logins, 1);
    EXPECT_TRUE(app::module1().abbreviations.isNull()) << "nothing after the login runs";

    home.cancelLogin = false;
    app::resetModule1();
    home.responder.clear();
    home.startOnce();
    db::Database users = db::Database::open(home.data(u"vemotk.MDB"_s), app::kConnect);
    users.execute(
        u"INSERT INTO nguoidung (hoten, tentrenmang, matkhau, quyenhan) VALUES ('Hoàng Em', 'em', 'x', '')"_s);
    home.loginName = u"em"_s;
    home.loginPassword = u"x"_s;
    EXPECT_EQ(home.start(), StartupOutcome::NotLoggedIn);
    EXPECT_TRUE(home.messages().isEmpty());
    EXPECT_EQ(app::module1().userFullName, u"Hoàng Em"_s);
}

// Opens data files normally except the one named, whose opening fails `failures` times as a
// dropped network folder would.
struct FlakyFile
{
    QString name = u"vemocv.MDB"_s;
    int failures = 0;
    int attempts = 0;
    app::StartupServices services()
    {
        app::StartupServices s;
        s.openDataFile = [this](const QString& path) {
            if (path.endsWith(name) && attempts++ < failures)
                throw db::DbError(db::errc::FileLocked, u"The file is held by another program."_s);
            return db::Database::open(path, app::kConnect);
        };
        return s;
    }
};

const QString kRetryQuestion = u"Gặp lỗi khi đang mở file dữ liệu công văn.\r"
                               " Cần kiểm tra hoặc khai báo lại file dữ liệu trên mạng !\r"
                               "Có muốn thử mở lại file dữ liệu không ?"_s;

// The question comes at each failure; "yes" tries again, "no" stops before the login. An error in
// another step stops with the step named.
TEST(SubMainRetryTest, LettersFileThatFailsToOpenIsRetriedWhileTheUserAsksAnotherFileStops)
{
    for (const int failures : {2, 1000}) {
        SCOPED_TRACE(failures);
        ProgramFolder home;
        FlakyFile flaky;
        flaky.failures = failures;
        if (failures > 2) {
            for (const char* answer : {"yes", "yes", "no"})
                home.responder.answer(QString::fromLatin1(answer));
        }
        const StartupOutcome outcome = home.start(flaky.services());
        EXPECT_EQ(outcome, failures > 2 ? StartupOutcome::Stopped : StartupOutcome::Ready) << home.messageText();
        EXPECT_EQ(home.messages(), QStringList(failures > 2 ? 3 : 2, kRetryQuestion));
        EXPECT_EQ(home.modes().value(0), u"yesno"_s);
        EXPECT_EQ(flaky.attempts, 3);
        EXPECT_EQ(home.logins, failures > 2 ? 0 : 1);
        EXPECT_EQ(app::lastError().number, db::errc::FileLocked);
    }

    ProgramFolder home;
    FlakyFile flaky{u"vemotemp.MDB"_s, 1000};
    EXPECT_EQ(home.start(flaky.services()), StartupOutcome::Stopped);
    EXPECT_EQ(home.messages(), QStringList{u"Gặp lỗi khi đang kiểm tra file dữ liệu temp.\r"
                                           " Chương trình không thể tiếp tục được !"_s});
    EXPECT_EQ(app::lastError().description, u"The file is held by another program."_s);
}

// The rule on each drive type; one start-up proves that it is asked about the letters file.
TEST(SubMainTest, LetterEntryOnlyWhenTheLettersFileIsOnALocalHardDisk)
{
    for (const char* description : {"Local Hard Disk", "Network Driver", "Floppy USB", "CDROM", ""}) {
        const auto describe = [description](const QString&) { return QString::fromLatin1(description); };
        EXPECT_EQ(app::lettersFileIsLocal(u"/s/vemocv.MDB"_s, describe), description[0] == 'L') << description;
    }
    ProgramFolder home;
    QString askedFor;
    app::StartupServices services;
    services.driveTypeDescription = [&askedFor](const QString& path) {
        askedFor = path;
        return u"Network Driver"_s;
    };
    ASSERT_EQ(home.start(services), StartupOutcome::Ready);
    EXPECT_EQ(home.window.letterEntry, 0);
    EXPECT_EQ(askedFor, app::module1().lettersPath);
}

// A folder whose setting names a server runs on the server's data sets, one of them for the
// reference lists, and every machine may enter letters. A server that cannot be used is told with
// the reason and the folder's own files are offered for the run, read only: yes runs on them, no
// stops.
TEST(SubMainTest, ServerSettingOpensItsDataSetsAndAFailingServerOffersTheFilesOnce)
{
    const QString server = u"host=maychu dbname=vanthu"_s;
    {
        ProgramFolder home;
        ASSERT_EQ(app::writeServerSetting(home.home(), server), QString());
        QStringList opened;
        app::StartupServices services;
        services.driveTypeDescription = [](const QString&) { return u"Network Driver"_s; };
        services.openServerDataSet = [&](const QString& connection, const QString& dataSet) {
            opened << connection + u" / "_s + dataSet;
            return db::Database::open(home.data(dataSet + u".MDB"_s), app::kConnect);
        };
        ASSERT_EQ(home.start(services), StartupOutcome::Ready) << home.messageText();
        EXPECT_EQ(opened, (QStringList{server + u" / vemocv"_s, server + u" / vemolich"_s, server + u" / vemotk"_s}));
        const app::Module1& m = app::module1();
        EXPECT_EQ(m.serverConnection, server);
        EXPECT_TRUE(m.lettersReference == m.reference && m.scheduleReference == m.reference);
        EXPECT_EQ(home.window.letterEntry, 1);
        EXPECT_EQ(home.window.filesLabel, u"File công văn: vemocv (máy chủ "_s + server +
                                              u")\r\nFile kế hoạch, lịch công tác: vemolich (máy chủ "_s + server +
                                              u")"_s);
    }
    for (const bool yes : {true, false}) {
        SCOPED_TRACE(yes ? "yes" : "no");
        ProgramFolder home;
        home.startOnce(); // the year's tables are there: a read-only run cannot make them
        ASSERT_EQ(app::writeServerSetting(home.home(), server), QString());
        // With yes, this machine has a backup of the letters, which is then what is read.
        const QString backup = home.data(u"backup-vemocv.mdb"_s);
        if (yes) {
            ASSERT_TRUE(QFile::copy(home.data(u"vemocv.MDB"_s), backup));
            home.writeSysmem({.backup = backup});
        }
        app::StartupServices services;
        services.openServerDataSet = [](const QString&, const QString&) -> db::Database {
            throw db::DbError(db::errc::ServerUnreachable, u"Mất kết nối với máy chủ PostgreSQL."_s);
        };
        home.responder.answer(yes ? u"yes"_s : u"no"_s);
        const StartupOutcome outcome = home.start(services);
        EXPECT_EQ(home.messages(),
                  QStringList{u"Không kết nối được với máy chủ dữ liệu (host=maychu dbname=vanthu). Cần kiểm tra "
                              "lại việc nối mạng và máy chủ.\r\nCó muốn xem "_s +
                              (yes ? u"bản backup công văn "_s + backup + u" và "_s : QString()) +
                              u"các file dữ liệu trong thư mục "_s + app::shownDataFolder(home.home()) +
                              u" (chỉ đọc) cho lần chạy này không ?"_s});
        EXPECT_EQ(outcome, yes ? StartupOutcome::Ready : StartupOutcome::Stopped);
        if (yes) {
            // The folder's files are older than the server's data: read only, nothing typed there.
            EXPECT_EQ(app::module1().letters.path(), backup);
            EXPECT_TRUE(app::module1().serverConnection.isEmpty());
            EXPECT_TRUE(app::module1().readOnly);
            EXPECT_EQ(home.window.letterEntry, 0);
        }
    }
}

} // namespace
