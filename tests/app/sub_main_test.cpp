#include "app/core/last_error.h"
#include "app/core/module1.h"
#include "app/core/reference_tables.h"
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
    EXPECT_EQ(home.readSysmem(),
              (QStringList{QDir::toNativeSeparators(QStringLiteral("data/vemolich.MDB")),
                           QDir::toNativeSeparators(QStringLiteral("data/vemocv.MDB")), " ", "2009"}));

    const app::Module1& m = app::module1();
    EXPECT_EQ(m.workingYear, QStringLiteral("2009"));
    EXPECT_EQ(m.incomingTable, QStringLiteral("cvden2009"));
    EXPECT_TRUE(hasTable(m.lettersPath, QStringLiteral("cvdi2009")));
    EXPECT_TRUE(hasTable(m.schedulePath, QStringLiteral("lich2009")));
    EXPECT_EQ(m.userFullName, QStringLiteral("Một người không rõ tên"));
    EXPECT_EQ(m.userRights, QStringLiteral("Q"));
    for (const db::Recordset* list : {&m.abbreviations, &m.units, &m.correspondents, &m.letterTypes})
        EXPECT_FALSE(list->isNull());
    // With both data files in the data folder, all seven reference tables come from one file.
    for (const QString& table : app::referenceTables()) {
        EXPECT_EQ(QDir::cleanPath(app::referenceFilePath(app::module1(), table)), QDir::cleanPath(m.referencePath))
            << qPrintable(table);
        EXPECT_TRUE(app::referenceDatabase(app::module1(), table).isOpen()) << qPrintable(table);
    }

    EXPECT_TRUE(window.shown);
    EXPECT_TRUE(window.focused);
    EXPECT_EQ(window.yearLabel, QStringLiteral("Dữ liệu năm 2009"));
    EXPECT_EQ(window.filesLabel, QStringLiteral("File công văn: ") + m.lettersPath +
                                     QStringLiteral("\r\nFile kế hoạch, lịch công tác: ") + m.schedulePath);
    EXPECT_EQ(window.letterEntry, app::lettersFileIsLocal(app::module1().lettersPath) ? 1 : 0);

    // Qt's own dialogs speak Vietnamese, the file dialog as the data-file commands show it too.
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Open"), QStringLiteral("Mở"));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Huỷ bỏ"));
    EXPECT_EQ(QCoreApplication::translate("QPrintPreviewDialog", "Next page"), QStringLiteral("Trang sau"));
    QFileDialog dialog(nullptr, QString(), home.dataDir());
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    auto* lookIn = dialog.findChild<QLabel*>(QStringLiteral("lookInLabel"));
    ASSERT_NE(lookIn, nullptr);
    EXPECT_EQ(lookIn->text(), QStringLiteral("Tìm trong:"));
}

TEST(SubMainTest, StoredYearDifferentFromClockIsToldOnceAndKept)
{
    ProgramFolder home;
    home.writeSysmem({.year = QStringLiteral("2008")});
    ASSERT_EQ(home.start(), StartupOutcome::Ready);
    ASSERT_EQ(home.messages().size(), 1) << home.messageText();
    EXPECT_EQ(home.messages().first(), QStringLiteral("Năm làm việc không trùng với con số năm trên máy là 2009\r"
                                                      "Cần chọn lại năm làm việc hoặc phải kiểm tra, đặt lại ngày "
                                                      "tháng năm trên máy tính!"));
    EXPECT_EQ(app::module1().workingYear, QStringLiteral("2008"));
    EXPECT_TRUE(hasTable(app::module1().lettersPath, QStringLiteral("cvden2008")));
    EXPECT_FALSE(hasTable(app::module1().lettersPath, QStringLiteral("cvden2009")));
    EXPECT_EQ(home.window.yearLabel, QStringLiteral("Dữ liệu năm 2008"));
}

// An unreachable data file offers the one in the data folder: "yes" moves to it, "no" stops and
// leaves the settings file as it was.
TEST(SubMainTest, UnreachableDataFileFallsBackToTheLocalFileOnYesAndStopsOnNo)
{
    for (const bool letters : {true, false}) {
        SCOPED_TRACE(letters ? "letters, yes" : "schedule, no");
        ProgramFolder home;
        const QString remote = letters ? QStringLiteral("/nonexistent-share/congvan/vemocv.mdb")
                                       : QStringLiteral("/nonexistent-share/lich/vemolich.mdb");
        home.writeSysmem(letters ? ProgramFolder::Settings{.letters = remote} : ProgramFolder::Settings{remote});
        home.responder.answer(letters ? QStringLiteral("yes") : QStringLiteral("no"));
        const StartupOutcome outcome = home.start();
        const QString local = home.data(letters ? QStringLiteral("vemocv.MDB") : QStringLiteral("vemolich.MDB"));
        EXPECT_EQ(
            home.messages(),
            QStringList{QStringLiteral("Không tìm thấy file dữ liệu ") + remote + QStringLiteral(" !\r\n") +
                        QStringLiteral("Cần kiểm tra lại việc nối mạng và các thư mục mạng chứa file dữ liệu. \r\n") +
                        QStringLiteral("Có muốn chuyển về file dữ liệu ") + local + QStringLiteral(" không ?")});
        EXPECT_EQ(home.modes(), QStringList{"yesno"});
        if (!letters) {
            EXPECT_EQ(outcome, StartupOutcome::Stopped);
            EXPECT_EQ(home.logins, 0);
            EXPECT_EQ(home.readSysmem().value(0), remote);
            continue;
        }
        ASSERT_EQ(outcome, StartupOutcome::Ready);
        EXPECT_EQ(home.readSysmem().value(1), QDir::toNativeSeparators(QStringLiteral("data/vemocv.MDB")));
        EXPECT_EQ(app::module1().lettersPath, local);
        EXPECT_TRUE(hasTable(app::module1().lettersPath, QStringLiteral("cvden2009")));
    }
}

// What a former run left is repaired silently at the next start: a letters file gone is made again
// with its year tables, a scratch file of a million bytes or more is replaced by the template.
TEST(SubMainTest, NextStartRemakesAMissingLettersFileAndReplacesAnOversizedScratchFile)
{
    ProgramFolder home;
    home.startOnce();
    ASSERT_TRUE(QFile::remove(app::dataFilePath(home.home(), QStringLiteral("vemocv.MDB"))));
    const QString scratch = app::dataFilePath(home.home(), QStringLiteral("vemotemp.MDB"));
    {
        db::Database db = db::Database::open(scratch, app::kConnect);
        db::TableDef filler;
        filler.name = QStringLiteral("filler");
        filler.fields << db::FieldDef{QStringLiteral("t"), db::FieldType::Memo};
        db.appendTableDef(filler);
        const QString big(50000, QLatin1Char('x'));
        for (int i = 0; i < 21; ++i)
            db.execute(QStringLiteral("INSERT INTO filler (t) VALUES ('") + big + QStringLiteral("')"));
    }
    ASSERT_GE(QFileInfo(scratch).size(), 1000000);
    ASSERT_EQ(home.start(), StartupOutcome::Ready);
    EXPECT_TRUE(home.messages().isEmpty()) << home.messageText();
    EXPECT_TRUE(hasTable(app::module1().lettersPath, QStringLiteral("cvden2009")));
    EXPECT_TRUE(hasTable(app::module1().lettersPath, QStringLiteral("cvdi2009")));
    EXPECT_LT(QFileInfo(scratch).size(), 1000000);
    EXPECT_FALSE(hasTable(scratch, QStringLiteral("filler")));
}

// The backup file is looked for only when its path is longer than eight characters.
TEST(SubMainTest, BackupFileIsLookedForOnlyWhenItsPathIsLongerThanEightCharacters)
{
    const std::pair<const char*, bool> cases[] = {
        {" ", false}, {"/bk.mdb ", false}, {"/bk.mdb", false}, {"/nonexistent-share/backup.mdb", true}};
    for (const auto& [backup, told] : cases) {
        SCOPED_TRACE(backup);
        ProgramFolder home;
        home.writeSysmem({.backup = QString::fromUtf8(backup)});
        ASSERT_EQ(home.start(), StartupOutcome::Ready);
        const QString message =
            QStringLiteral("Không tìm thấy file dữ liệu backup ") + QString::fromUtf8(backup) +
            QStringLiteral(" ?!\rCần kiểm tra lại việc nối mạng  hoặc chọn lại file backup nếu cần !");
        EXPECT_EQ(home.messages(), told ? QStringList{message} : QStringList());
    }
}

// A cancelled login, or a user with empty rights, ends the program without a message.
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
    db::Database users = db::Database::open(home.data(QStringLiteral("vemotk.MDB")), app::kConnect);
    users.execute(QStringLiteral(
        "INSERT INTO nguoidung (hoten, tentrenmang, matkhau, quyenhan) VALUES ('Hoàng Em', 'em', 'x', '')"));
    home.loginName = QStringLiteral("em");
    home.loginPassword = QStringLiteral("x");
    EXPECT_EQ(home.start(), StartupOutcome::NotLoggedIn);
    EXPECT_TRUE(home.messages().isEmpty());
    EXPECT_EQ(app::module1().userFullName, QStringLiteral("Hoàng Em"));
}

// Opens data files normally except the letters file, whose opening fails `failures` times as a
// dropped network folder would.
struct FlakyLettersFile
{
    int failures = 0;
    int attempts = 0;
    app::StartupServices services()
    {
        app::StartupServices s;
        s.openDataFile = [this](const QString& path) {
            if (path.endsWith(QLatin1String("vemocv.MDB")) && attempts++ < failures)
                throw db::DbError(db::errc::FileLocked, QStringLiteral("The file is held by another program."));
            return db::Database::open(path, app::kConnect);
        };
        return s;
    }
};

const QString kRetryQuestion = QStringLiteral("Gặp lỗi khi đang mở file dữ liệu công văn.\r"
                                              " Cần kiểm tra hoặc khai báo lại file dữ liệu trên mạng !\r"
                                              "Có muốn thử mở lại file dữ liệu không ?");

// The question comes at each failure; "yes" tries again, "no" stops before the login.
TEST(SubMainRetryTest, LettersFileThatFailsToOpenIsRetriedWhileTheUserAsks)
{
    for (const int failures : {2, 1000}) {
        SCOPED_TRACE(failures);
        ProgramFolder home;
        FlakyLettersFile flaky;
        flaky.failures = failures;
        if (failures > 2) {
            for (const char* answer : {"yes", "yes", "no"})
                home.responder.answer(QString::fromLatin1(answer));
        }
        const StartupOutcome outcome = home.start(flaky.services());
        EXPECT_EQ(outcome, failures > 2 ? StartupOutcome::Stopped : StartupOutcome::Ready) << home.messageText();
        EXPECT_EQ(home.messages(), QStringList(failures > 2 ? 3 : 2, kRetryQuestion));
        EXPECT_EQ(home.modes().value(0), QStringLiteral("yesno"));
        EXPECT_EQ(flaky.attempts, 3);
        EXPECT_EQ(home.logins, failures > 2 ? 0 : 1);
        EXPECT_EQ(app::lastError().number, db::errc::FileLocked);
    }
}

TEST(SubMainRetryTest, ErrorInAnotherStepStopsWithTheStepNamed)
{
    ProgramFolder home;
    app::StartupServices services;
    services.openDataFile = [](const QString& path) -> db::Database {
        if (path.endsWith(QLatin1String("vemotemp.MDB")))
            throw db::DbError(db::errc::FileLocked, QStringLiteral("busy"));
        return db::Database::open(path, app::kConnect);
    };
    EXPECT_EQ(home.start(services), StartupOutcome::Stopped);
    EXPECT_EQ(home.messages(), QStringList{QStringLiteral("Gặp lỗi khi đang kiểm tra file dữ liệu temp.\r"
                                                          " Chương trình không thể tiếp tục được !")});
    EXPECT_EQ(app::lastError().description, QStringLiteral("busy"));
}

TEST(SubMainTest, LetterEntryOnlyWhenTheLettersFileIsOnALocalHardDisk)
{
    for (const char* description : {"Local Hard Disk", "Network Driver", "Floppy USB", "CDROM", ""}) {
        SCOPED_TRACE(description);
        ProgramFolder home;
        QString askedFor;
        app::StartupServices services;
        services.driveTypeDescription = [&askedFor, description](const QString& path) {
            askedFor = path;
            return QString::fromLatin1(description);
        };
        ASSERT_EQ(home.start(services), StartupOutcome::Ready);
        EXPECT_EQ(home.window.letterEntry, description[0] == 'L' ? 1 : 0);
        EXPECT_EQ(askedFor, app::module1().lettersPath);
    }
}

} // namespace
