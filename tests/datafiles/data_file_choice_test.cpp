#include "data_files_fixture.h"
#include "pg_server_fixture.h"

#include "app/core/server_setting.h"
#include "datafiles/data_file_choice.h"
#include "datafiles/server_move.h"
#include "platform/db/pg/data_set.h"
#include "platform/db/pg/data_set_copy.h"
#include "platform/db/pg/server_engine.h"

namespace {

using datafiles::ChoiceOutcome;
using datafiles::DataFileRole;
using testing_support::DataFilesTest;

// Another folder of data files: blanks, a quote and Vietnamese letters in its name.
const QString kOther = u"máy chủ/dữ liệu 'mới'"_s;

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
            EXPECT_NE(m.scheduleReferencePath, dataPath(u"vemotk.mdb"_s));
            if (loginAs.isEmpty())
                return true; // cancelled
            m.userFullName = loginAs;
            m.userRights = u"CB"_s;
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
        db::Database cv = makeDataFile(kOther, u"vemocv.mdb"_s, withYear ? QStringList{u"2009"_s} : QStringList{});
        makeDataFile(kOther, u"vemotk.mdb"_s);
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
    otherLetters(true); // the reference file beside the other schedule file
    db::Database lonely = makeDataFile(u"không tk"_s, u"vemocv.mdb"_s);
    const QString notData = dataPath(u"thư.mdb"_s);
    writeFile(notData, "plain text");
    db::Database schedule = makeDataFile(kOther, u"vemolich.mdb"_s, {u"2009"_s});
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
         u"File dữ liệu vừa chọn chính là file đang dùng ! ("_s + inUseUpper + u")."_s, QString()},
        {DataFileRole::Letters, app::module1().schedulePath,
         u"File dữ liệu vừa chọn chính là file đang dùng ! ("_s + app::module1().schedulePath + u")."_s, QString()},
        {DataFileRole::Letters, dataPath(u"không có.mdb"_s),
         u"Không tìm thấy file dữ liệu vừa chọn! \r\nCần dùng chức năng 'Tìm file mới' để tìm file dữ "
         "liệu định dùng!"_s,
         dataPath(u"không có.mdb"_s)},
        {DataFileRole::Letters, notData, u"File dữ liệu vừa chọn bị lỗi, không sử dụng được. "_s, notData},
        {DataFileRole::Letters, lonely.path(),
         u"File tham khảo vemotk.mdb ứng với file dữ liệu vừa chọn bị lỗi, không sử dụng được. "_s, lonely.path()},
        // The users beside the new schedule file do not include the current user; login cancelled.
        {DataFileRole::Schedule, schedule.path(),
         u"Phải hỏi người quản trị mạng để có quyền sử dụng file dữ liệu vừa chọn!"_s, schedule.path()},
        {DataFileRole::Backup, programFolder() + u"/sao luu"_s, u"Cần thêm phần đuôi của tên file backup là .MDB "_s,
         programFolder() + u"/saoluu"_s},
        {DataFileRole::Backup, programFolder() + u"/không có/bk.mdb"_s,
         u"Không ghi được file backup vào thư mục "_s + QDir::toNativeSeparators(programFolder() + u"/không có"_s) +
             u" ! Cần chọn thư mục khác."_s,
         programFolder() + u"/không có/bk.mdb"_s},
    };
    const InUse before = inUse();
    for (const Case& c : cases) {
        messenger.shown.clear();
        QString filechon = c.filechon;
        const ChoiceOutcome outcome = accept(c.role, filechon);
        EXPECT_NE(outcome, ChoiceOutcome::Switched) << qPrintable(c.filechon);
        EXPECT_EQ(messages(), QStringList{c.message}) << qPrintable(c.filechon);
        EXPECT_EQ(filechon, c.filechonAfter);
        EXPECT_TRUE(inUse() == before) << qPrintable(c.filechon);
        EXPECT_EQ(app::module1().userRights, u"QT"_s);
    }
    EXPECT_EQ(logins, 1);
    EXPECT_EQ(refreshes, 0);
}

// Each role switches to its chosen file: the letters file without the working year asks for a year,
// the backup name is recorded without making the file, the schedule file needs a login against its
// users. The open dialog starts in the folder of the file in use, or in the data folder.
TEST_F(ChoiceTest, EachRoleSwitchesToItsChosenFileAndTheOpenDialogStartsBesideIt)
{
    const QString other = otherLetters(false);
    db::Database old = app::module1().letters;
    QString filechon = other;
    ASSERT_EQ(accept(DataFileRole::Letters, filechon), ChoiceOutcome::Switched);
    const app::Module1& m = app::module1();
    const QString reference = app::referenceFileBeside(other);
    EXPECT_EQ((QStringList{m.lettersPath, m.letters.path(), m.lettersReferencePath, m.lettersReference.path()}),
              (QStringList{other, other, reference, reference}));
    EXPECT_FALSE(old.isOpen());
    EXPECT_EQ(messages(), (QStringList{u"Không tìm thấy bảng dữ liệu cho năm 2009\rCần chọn lại năm làm việc!"_s,
                                       u"Đã sử dụng file dữ liệu \r\n"_s + other}));
    EXPECT_EQ(yearDialogs, 1);
    EXPECT_EQ(refreshes, 1);
    EXPECT_EQ(app::readRecentFiles(dataPath(u"sysmem2"_s)).value(0), other);
    // Inside the program folder: written relative to it.
    EXPECT_TRUE(QString::fromUtf8(readFile(app::sysmemPath(app::module1().programFolder)))
                    .contains(QDir::toNativeSeparators(QDir(programFolder()).relativeFilePath(other))));
    EXPECT_EQ(m.correspondents.isNull(), false);

    EXPECT_EQ(datafiles::browseRequest(DataFileRole::Letters).folder, QFileInfo(other).absolutePath());
    EXPECT_EQ(datafiles::browseRequest(DataFileRole::Schedule).folder, app::dataFolder(programFolder()));
    EXPECT_EQ(datafiles::browseRequest(DataFileRole::Backup).folder, app::dataFolder(programFolder()))
        << "no backup file yet";

    messenger.shown.clear();
    filechon = programFolder() + u"/sao lưu 1.MDB"_s;
    ASSERT_EQ(accept(DataFileRole::Backup, filechon), ChoiceOutcome::Switched);
    const QString recorded = programFolder() + u"/saolưu1.MDB"_s;
    EXPECT_EQ(m.backupPath, recorded);
    EXPECT_FALSE(QFile::exists(recorded));
    EXPECT_EQ(messages(), QStringList{u"Đã chọn file backup là "_s + recorded});
    EXPECT_EQ(datafiles::offeredFiles(DataFileRole::Backup), QStringList{recorded});

    db::Database schedule = makeDataFile(kOther, u"vemolich.mdb"_s, {u"2009"_s});
    loginAs = u"Lê Văn Cường"_s;
    filechon = schedule.path();
    ASSERT_EQ(accept(DataFileRole::Schedule, filechon), ChoiceOutcome::Switched);
    EXPECT_EQ(m.schedulePath, schedule.path());
    EXPECT_EQ(m.scheduleReferencePath, app::referenceFileBeside(schedule.path()));
    EXPECT_EQ(m.userFullName, loginAs);
    EXPECT_EQ(logins, 1);
    EXPECT_EQ(yearDialogs, 1) << "the schedule file holds the working year";
    EXPECT_EQ(app::readRecentFiles(dataPath(u"sysmem3"_s)).value(0), schedule.path());

    app::module1().lettersPath = u"/thư mục đã xoá/vemocv.mdb"_s;
    EXPECT_EQ(datafiles::browseRequest(DataFileRole::Letters).folder, app::dataFolder(programFolder()));
}

// The settings file cannot be written (a folder stands in its place): the previous files, and the
// year and its tables when the year dialog took another, are put back.
TEST_F(ChoiceTest, FailedSwitchPutsThePreviousFilesAndYearBack)
{
    const QByteArray recent = readFile(dataPath(u"sysmem2"_s));
    ASSERT_TRUE(QFile::remove(app::sysmemPath(app::module1().programFolder)));
    ASSERT_TRUE(QDir().mkpath(app::sysmemPath(app::module1().programFolder)));
    for (const bool withYear : {true, false}) {
        SCOPED_TRACE(withYear ? "the working year in the file" : "another year chosen");
        messenger.shown.clear();
        QString filechon = otherLetters(withYear);
        yearChosen = withYear ? QString() : u"2010"_s;
        const InUse before = inUse();
        EXPECT_EQ(accept(DataFileRole::Letters, filechon), ChoiceOutcome::Failed);
        EXPECT_EQ(messages().last(), u"Có lỗi khi đang thay đổi file dữ liệu. Cần thực hiện lại việc này! "_s);
        EXPECT_EQ(yearDialogs, withYear ? 0 : 1);
        EXPECT_TRUE(inUse() == before);
        const app::Module1& m = app::module1();
        EXPECT_TRUE(m.letters.isOpen());
        EXPECT_TRUE(m.lettersReference.isOpen());
        EXPECT_EQ(readFile(dataPath(u"sysmem2"_s)), recent);
        EXPECT_EQ((QStringList{m.workingYear, m.incomingTable, m.scheduleTable}),
                  (QStringList{u"2009"_s, u"cvden2009"_s, u"lich2009"_s}));
        QFile::remove(filechon);
        QFile::remove(app::referenceFileBeside(filechon));
    }
}

// A folder running on a server chooses among the server's data sets: the letters of another
// year's data set, never a reference or schedule data set for the letters; the office's reference
// lists and the user stay, and the settings file names the chosen data set for the next start.
class ChoiceOnServerTest : public ChoiceTest
{
protected:
    void SetUp() override
    {
        ChoiceTest::SetUp();
        if (qEnvironmentVariable("SELVARO_PG_TEST").isEmpty())
            GTEST_SKIP() << "no PostgreSQL test server: SELVARO_PG_TEST is not set (scripts/test.sh starts one)";
        m_database = std::make_unique<pg_test::ScratchDatabase>(u"selvaro_choice_"_s);
        connection = m_database->connection();
        app::Module1& m = app::module1();
        m.letters.close();
        m.schedule.close();
        ASSERT_EQ(datafiles::moveToServer(programFolder(), connection, [](const QString&) {}), QString());
        // Another year's letters, moved from another office folder.
        db::Database other = makeDataFile(kOther, u"cv2020.mdb"_s, {u"2009"_s});
        other.execute(u"INSERT INTO cvden2009 (stt, noigui) VALUES (1, 'Sở Tư pháp')"_s);
        db::pg::copyFileToServer(other, *db::pg::ServerConnection::open(connection), u"cv2020"_s);
        m.serverConnection = connection;
        m.letters = db::pg::openDataSet(connection, u"vemocv"_s);
        m.schedule = db::pg::openDataSet(connection, u"vemolich"_s);
        m.reference = m.lettersReference = m.scheduleReference = db::pg::openDataSet(connection, u"vemotk"_s);
    }
    void TearDown() override
    {
        app::resetModule1(); // the program's connections go before the database
        m_database.reset();
        ChoiceTest::TearDown();
    }

    QString connection;

private:
    std::unique_ptr<pg_test::ScratchDatabase> m_database;
};

TEST_F(ChoiceOnServerTest, OffersTheServersDataSetsAndSwitchesToOne)
{
    EXPECT_TRUE(datafiles::offersDataSets(DataFileRole::Letters));
    EXPECT_FALSE(datafiles::offersDataSets(DataFileRole::Backup));
    EXPECT_EQ(datafiles::fileInUse(DataFileRole::Letters), u"vemocv"_s);
    // Each data set made from the template passes each kind's check: those of the other roles are left out.
    EXPECT_EQ(datafiles::offeredFiles(DataFileRole::Letters), (QStringList{u"cv2020"_s, u"vemocv"_s}));
    EXPECT_EQ(datafiles::offeredFiles(DataFileRole::Schedule), (QStringList{u"cv2020"_s, u"vemolich"_s}));
    db::pg::dataset::create(*db::pg::ServerConnection::open(connection), u"trong"_s);

    const QByteArray recent = readFile(dataPath(u"sysmem2"_s));
    const InUse before = inUse();
    const QStringList refused[] = {
        {u"VEMOCV"_s, u"File dữ liệu vừa chọn chính là file đang dùng ! (VEMOCV)."_s},
        {u"vemolich"_s, u"File dữ liệu vừa chọn chính là file đang dùng ! (vemolich)."_s},
        {u"không có'; drop schema vemocv cascade; --"_s,
         u"Máy chủ không có bộ dữ liệu không có'; drop schema vemocv cascade; -- !\r\nCần chọn một bộ dữ liệu "
         "trong danh sách."_s},
        {u"vemotk"_s, u"File dữ liệu vừa chọn chính là file đang dùng ! (vemotk)."_s},
        {u"trong"_s, u"File dữ liệu vừa chọn bị lỗi, không sử dụng được. "_s},
    };
    for (const QStringList& c : refused) {
        messenger.shown.clear();
        QString filechon = c[0];
        EXPECT_NE(accept(DataFileRole::Letters, filechon), ChoiceOutcome::Switched) << qPrintable(c[0]);
        EXPECT_EQ(messages(), QStringList{c[1]});
        EXPECT_TRUE(inUse() == before) << qPrintable(c[0]);
    }

    messenger.shown.clear();
    QString filechon = u"cv2020"_s;
    ASSERT_EQ(accept(DataFileRole::Letters, filechon), ChoiceOutcome::Switched) << messages().join(u'|').toStdString();
    app::Module1& m = app::module1();
    EXPECT_EQ(db::pg::dataset::schemaFor(m.lettersPath), u"cv2020"_s);
    db::Recordset rs = m.letters.openRecordset(u"SELECT noigui FROM cvden2009"_s, db::RecordsetType::Snapshot);
    EXPECT_EQ(rs.value(0).toString(), u"Sở Tư pháp"_s);
    EXPECT_TRUE(m.lettersReference == before.lettersReference);
    EXPECT_EQ(m.userFullName, before.user);
    EXPECT_EQ(logins, 0);
    EXPECT_EQ(messages(),
              QStringList{u"Đã sử dụng bộ dữ liệu cv2020 trên máy chủ "_s + app::shownConnection(connection)});
    EXPECT_EQ(readFile(dataPath(u"sysmem2"_s)), recent) << "the server lists its data sets";
    EXPECT_TRUE(QString::fromUtf8(readFile(app::sysmemPath(m.programFolder))).contains(u"cv2020.mdb"_s));
}

} // namespace
