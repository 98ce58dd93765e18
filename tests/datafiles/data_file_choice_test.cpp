#include "data_files_fixture.h"

#include "app/core/recent_files.h"
#include "app/core/settings_files.h"
#include "datafiles/data_file_choice.h"

namespace {

using datafiles::ChoiceOutcome;
using datafiles::DataFileRole;
using testing_support::DataFilesTest;

// Another folder of data files: blanks, a quote and Vietnamese letters in its name.
const QString kOther = QStringLiteral("máy chủ/dữ liệu 'mới'");

class ChoiceTest : public DataFilesTest
{
protected:
    ChoiceOutcome accept(DataFileRole role, QString& filechon)
    {
        datafiles::ChoiceHooks hooks;
        hooks.logIn = [this]() -> bool {
            ++logins;
            app::Module1& m = app::module1();
            // The login reads the users beside the new file.
            EXPECT_EQ(m.scheduleReference.path(), m.scheduleReferencePath);
            EXPECT_NE(m.scheduleReferencePath, dataPath(QStringLiteral("vemotk.mdb")));
            if (loginAs.isEmpty())
                return true; // cancelled
            m.userFullName = loginAs;
            m.userRights = QStringLiteral("CB");
            return false;
        };
        hooks.chooseWorkingYear = [this] {
            ++yearDialogs;
            if (!yearChosen.isEmpty()) {
                app::module1().workingYear = yearChosen;
                app::module1().setYearTables();
            }
        };
        hooks.refreshWindow = [this] { ++refreshes; };
        return datafiles::acceptChosenFile(role, filechon, hooks);
    }

    // The letters file and its reference file in the other folder; with its 2009 tables or not.
    QString otherLetters(bool withYear)
    {
        db::Database cv = makeDataFile(kOther, QStringLiteral("vemocv.mdb"),
                                       withYear ? QStringList{QStringLiteral("2009")} : QStringList{});
        makeDataFile(kOther, QStringLiteral("vemotk.mdb"));
        return cv.path();
    }

    // The shared state that a refused or failed choice must leave as it was.
    struct InUse
    {
        QString lettersPath, schedulePath, lettersReferencePath, scheduleReferencePath, backupPath, user;
        db::Database letters, schedule, lettersReference, scheduleReference;
        QByteArray sysmem;
        bool operator==(const InUse&) const = default;
    };
    InUse inUse() const
    {
        const app::Module1& m = app::module1();
        return {m.lettersPath,
                m.schedulePath,
                m.lettersReferencePath,
                m.scheduleReferencePath,
                m.backupPath,
                m.userFullName,
                m.letters,
                m.schedule,
                m.lettersReference,
                m.scheduleReference,
                readFile(app::sysmemPath(app::module1().programFolder))};
    }

    QString loginAs;
    QString yearChosen; // the year the working-year dialog takes ("": it keeps the year)
    int logins = 0, yearDialogs = 0, refreshes = 0;
};

TEST_F(ChoiceTest, RefusedChoicesKeepTheFilesInUse)
{
    const QString otherCv = otherLetters(true);
    db::Database lonely = makeDataFile(QStringLiteral("không tk"), QStringLiteral("vemocv.mdb"));
    const QString notData = dataPath(QStringLiteral("thư.mdb"));
    writeFile(notData, "plain text");
    db::Database schedule = makeDataFile(kOther, QStringLiteral("vemolich.mdb"), {QStringLiteral("2009")});
    const QString inUseUpper = app::module1().lettersPath.toUpper().replace(
        programFolder().toUpper(), programFolder()); // the same file, named in another letter case
    struct Case
    {
        DataFileRole role;
        QString filechon;
        QString message;
        QString filechonAfter;
    };
    const Case cases[] = {
        {DataFileRole::Letters, inUseUpper,
         QStringLiteral("File dữ liệu vừa chọn chính là file đang dùng ! (") + inUseUpper + QStringLiteral(")."),
         QString()},
        {DataFileRole::Letters, app::module1().schedulePath,
         QStringLiteral("File dữ liệu vừa chọn chính là file đang dùng ! (") + app::module1().schedulePath +
             QStringLiteral(")."),
         QString()},
        {DataFileRole::Letters, dataPath(QStringLiteral("không có.mdb")),
         QStringLiteral("Không tìm thấy file dữ liệu vừa chọn! \r\nCần dùng chức năng 'Tìm file mới' để tìm file dữ "
                        "liệu định dùng!"),
         dataPath(QStringLiteral("không có.mdb"))},
        {DataFileRole::Letters, notData, QStringLiteral("File dữ liệu vừa chọn bị lỗi, không sử dụng được. "), notData},
        {DataFileRole::Letters, lonely.path(),
         QStringLiteral("File tham khảo vemotk.mdb ứng với file dữ liệu vừa chọn bị lỗi, không sử dụng được. "),
         lonely.path()},
        // The users beside the new schedule file do not include the current user; login cancelled.
        {DataFileRole::Schedule, schedule.path(),
         QStringLiteral("Phải hỏi người quản trị mạng để có quyền sử dụng file dữ liệu vừa chọn!"), schedule.path()},
        {DataFileRole::Backup, programFolder() + QStringLiteral("/sao luu"),
         QStringLiteral("Cần thêm phần đuôi của tên file backup là .MDB "),
         programFolder() + QStringLiteral("/saoluu")},
        {DataFileRole::Backup, programFolder() + QStringLiteral("/không có/bk.mdb"),
         QStringLiteral("Không ghi được file backup vào thư mục ") +
             QDir::toNativeSeparators(programFolder() + QStringLiteral("/không có")) +
             QStringLiteral(" ! Cần chọn thư mục khác."),
         programFolder() + QStringLiteral("/không có/bk.mdb")},
    };
    Q_UNUSED(otherCv)
    const InUse before = inUse();
    for (const Case& c : cases) {
        messenger.shown.clear();
        QString filechon = c.filechon;
        const ChoiceOutcome outcome = accept(c.role, filechon);
        EXPECT_NE(outcome, ChoiceOutcome::Switched) << qPrintable(c.filechon);
        EXPECT_EQ(messages(), QStringList{c.message}) << qPrintable(c.filechon);
        EXPECT_EQ(filechon, c.filechonAfter);
        EXPECT_TRUE(inUse() == before) << qPrintable(c.filechon);
        EXPECT_EQ(app::module1().userRights, QStringLiteral("QT"));
    }
    EXPECT_EQ(logins, 1);
    EXPECT_EQ(refreshes, 0);
}

TEST_F(ChoiceTest, LettersFileWithoutTheWorkingYearSwitchesAndAsksForAYear)
{
    const QString other = otherLetters(false);
    db::Database old = app::module1().letters;
    QString filechon = other;
    ASSERT_EQ(accept(DataFileRole::Letters, filechon), ChoiceOutcome::Switched);
    const app::Module1& m = app::module1();
    EXPECT_EQ(m.lettersPath, other);
    EXPECT_EQ(m.letters.path(), other);
    EXPECT_EQ(m.lettersReferencePath, app::referenceFileBeside(other));
    EXPECT_EQ(m.lettersReference.path(), m.lettersReferencePath);
    EXPECT_FALSE(old.isOpen());
    EXPECT_EQ(messages(),
              (QStringList{QStringLiteral("Không tìm thấy bảng dữ liệu cho năm 2009\rCần chọn lại năm làm việc!"),
                           QStringLiteral("Đã sử dụng file dữ liệu \r\n") + other}));
    EXPECT_EQ(yearDialogs, 1);
    EXPECT_EQ(refreshes, 1);
    EXPECT_EQ(app::readRecentFiles(dataPath(QStringLiteral("sysmem2"))).value(0), other);
    // Inside the program folder: written relative to it.
    EXPECT_TRUE(QString::fromUtf8(readFile(app::sysmemPath(app::module1().programFolder)))
                    .contains(QDir::toNativeSeparators(QDir(programFolder()).relativeFilePath(other))));
    EXPECT_EQ(m.correspondents.isNull(), false);
}

TEST_F(ChoiceTest, ScheduleFileNeedsALoginAgainstItsUsers)
{
    db::Database schedule = makeDataFile(kOther, QStringLiteral("vemolich.mdb"), {QStringLiteral("2009")});
    makeDataFile(kOther, QStringLiteral("vemotk.mdb"));
    loginAs = QStringLiteral("Lê Văn Cường");
    QString filechon = schedule.path();
    ASSERT_EQ(accept(DataFileRole::Schedule, filechon), ChoiceOutcome::Switched);
    const app::Module1& m = app::module1();
    EXPECT_EQ(m.schedulePath, schedule.path());
    EXPECT_EQ(m.scheduleReferencePath, app::referenceFileBeside(schedule.path()));
    EXPECT_EQ(m.userFullName, loginAs);
    EXPECT_EQ(yearDialogs, 0);
    EXPECT_EQ(app::readRecentFiles(dataPath(QStringLiteral("sysmem3"))).value(0), schedule.path());
}

TEST_F(ChoiceTest, NewBackupNameIsRecordedWithoutMakingTheFile)
{
    QString filechon = programFolder() + QStringLiteral("/sao lưu 1.MDB");
    ASSERT_EQ(accept(DataFileRole::Backup, filechon), ChoiceOutcome::Switched);
    const QString recorded = programFolder() + QStringLiteral("/saolưu1.MDB");
    EXPECT_EQ(app::module1().backupPath, recorded);
    EXPECT_FALSE(QFile::exists(recorded));
    EXPECT_EQ(messages(), QStringList{QStringLiteral("Đã chọn file backup là ") + recorded});
    EXPECT_EQ(datafiles::offeredFiles(DataFileRole::Backup), QStringList{recorded});
}

// The settings file cannot be written (a folder stands in its place): the previous files, and the
// year and its tables when the year dialog took another, are put back.
TEST_F(ChoiceTest, FailedSwitchPutsThePreviousFilesAndYearBack)
{
    const QByteArray recent = readFile(dataPath(QStringLiteral("sysmem2")));
    ASSERT_TRUE(QFile::remove(app::sysmemPath(app::module1().programFolder)));
    ASSERT_TRUE(QDir().mkpath(app::sysmemPath(app::module1().programFolder)));
    for (const bool withYear : {true, false}) {
        SCOPED_TRACE(withYear ? "the working year in the file" : "another year chosen");
        messenger.shown.clear();
        QString filechon = otherLetters(withYear);
        yearChosen = withYear ? QString() : QStringLiteral("2010");
        const InUse before = inUse();
        EXPECT_EQ(accept(DataFileRole::Letters, filechon), ChoiceOutcome::Failed);
        EXPECT_EQ(messages().last(),
                  QStringLiteral("Có lỗi khi đang thay đổi file dữ liệu. Cần thực hiện lại việc này! "));
        EXPECT_EQ(yearDialogs, withYear ? 0 : 1);
        EXPECT_TRUE(inUse() == before);
        const app::Module1& m = app::module1();
        EXPECT_TRUE(m.letters.isOpen());
        EXPECT_TRUE(m.lettersReference.isOpen());
        EXPECT_EQ(readFile(dataPath(QStringLiteral("sysmem2"))), recent);
        EXPECT_EQ(m.workingYear, QStringLiteral("2009"));
        EXPECT_EQ(m.incomingTable, QStringLiteral("cvden2009"));
        EXPECT_EQ(m.scheduleTable, QStringLiteral("lich2009"));
        QFile::remove(filechon);
        QFile::remove(app::referenceFileBeside(filechon));
    }
}

// The open dialog starts in the folder of the file in use, or in the data folder.
TEST_F(ChoiceTest, OpenDialogStartsInTheFolderOfTheFileInUse)
{
    const QString other = otherLetters(true);
    app::module1().lettersPath = other;
    EXPECT_EQ(datafiles::browseRequest(DataFileRole::Letters).folder, QFileInfo(other).absolutePath());
    EXPECT_EQ(datafiles::browseRequest(DataFileRole::Schedule).folder, app::dataFolder(programFolder()));
    EXPECT_EQ(datafiles::browseRequest(DataFileRole::Backup).folder, app::dataFolder(programFolder()))
        << "no backup file yet";
    app::module1().lettersPath = QStringLiteral("/thư mục đã xoá/vemocv.mdb");
    EXPECT_EQ(datafiles::browseRequest(DataFileRole::Letters).folder, app::dataFolder(programFolder()));
}

} // namespace
