#include "data_folder_fixture.h"

#include "app/core/last_error.h"
#include "app/core/read_only.h"
#include "app/core/structure_check.h"
#include "app/core/table_copy.h"
#include "platform/db/db_error.h"
#include "platform/sys/file_ops.h"

#include <sqlite3.h>

namespace {

using testing_support::DataFolderTest;
using Cause = app::FileCheck;

Cause lastCause()
{
    return app::lastStructureCheck().cause;
}

struct CheckCase
{
    const char* name;
    const char* file;
    const char* kind;
};

class TemplateCopyCheck : public DataFolderTest, public ::testing::WithParamInterface<CheckCase>
{
};

TEST_P(TemplateCopyCheck, TemplateCopyPassesTheCheckOfItsName)
{
    const QString path = copyTemplate(QString::fromLatin1(GetParam().file));
    EXPECT_TRUE(app::isSoundDataFile(path, QString::fromLatin1(GetParam().kind)));
    EXPECT_EQ(lastCause(), Cause::Sound);
    EXPECT_TRUE(messenger.shown.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(DataFiles, TemplateCopyCheck,
                         ::testing::Values(CheckCase{"Template", "vemogoc2.mdb", "vemogoc"},
                                           CheckCase{"Letters", "vemocv.MDB", "vemocv"},
                                           CheckCase{"Schedule", "vemolich.MDB", "vemolich"},
                                           CheckCase{"Reference", "vemotk.MDB", "vemotk"},
                                           CheckCase{"Scratch", "vemotemp.MDB", "vemotk"}),
                         [](const ::testing::TestParamInfo<CheckCase>& info) { return std::string(info.param.name); });

TEST_F(DataFolderTest, MissingOrEmptyPathFailsWithoutMessage)
{
    EXPECT_FALSE(app::isSoundDataFile(dataPath(QStringLiteral("vemocv.MDB")), QStringLiteral("vemocv")));
    EXPECT_FALSE(app::isSoundDataFile(QString(), QStringLiteral("vemocv")));
    EXPECT_FALSE(app::isSoundDataFile(dataPath(QString()), QStringLiteral("vemocv"))); // the folder
    EXPECT_EQ(lastCause(), Cause::Missing);
    EXPECT_TRUE(messenger.shown.isEmpty());
}

// Files that cannot be used tell why: the caller can say "damaged" or "not a data file", and the
// engine's number is the last run-time error (Ctrl+End).
struct UnusableFile
{
    const char* name;
    QByteArray bytes; // empty: an SQLite file without the program's password verifier
    Cause cause;
};

class UnusableFileCheck : public DataFolderTest, public ::testing::WithParamInterface<UnusableFile>
{
};

TEST_P(UnusableFileCheck, FailsWithItsCauseAndTheEngineError)
{
    const QString path = dataPath(QStringLiteral("vemocv.MDB"));
    if (GetParam().bytes.isEmpty()) {
        sqlite3* plain = nullptr;
        ASSERT_EQ(sqlite3_open(path.toUtf8().constData(), &plain), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(plain, "CREATE TABLE cvden2009 (id INTEGER)", nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(plain);
    } else {
        writeFile(path, GetParam().bytes);
    }
    app::clearLastError();
    EXPECT_FALSE(app::isSoundDataFile(path, QStringLiteral("vemocv")));
    const app::StructureCheckResult result = app::lastStructureCheck();
    EXPECT_EQ(result.cause, GetParam().cause);
    EXPECT_EQ(result.path, path);
    EXPECT_EQ(result.number, db::errc::NotADatabase);
    EXPECT_EQ(app::lastError().number, db::errc::NotADatabase);
    EXPECT_EQ(app::lastError().description, result.text);
    EXPECT_TRUE(messenger.shown.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Files, UnusableFileCheck,
    ::testing::Values(UnusableFile{"Garbage", QByteArray(4096, 'x'), Cause::NotADataFile},
                      UnusableFile{"Truncated", QByteArray("SQLite format", 13), Cause::NotADataFile},
                      UnusableFile{"PlainSqliteFile", QByteArray(), Cause::Damaged}),
    [](const ::testing::TestParamInfo<UnusableFile>& info) { return std::string(info.param.name); });

TEST_F(DataFolderTest, FileWithAnotherPasswordFails)
{
    const QString path = dataPath(QStringLiteral("vemotk.MDB"));
    db::Database other = db::Database::create(path, QStringLiteral("khac"));
    db::Database source = openFile(app::module1().templatePath);
    for (const QString& table : app::requiredTables(QStringLiteral("vemotk")))
        ASSERT_TRUE(app::copyTableStructure(source, other, table, table, false));
    other.close();
    EXPECT_FALSE(app::isSoundDataFile(path, QStringLiteral("vemotk")));
    EXPECT_EQ(lastCause(), Cause::WrongPassword);
    EXPECT_EQ(app::lastStructureCheck().number, db::errc::InvalidPassword);
}

TEST_F(DataFolderTest, LettersFileHoldingOnlyTheTemplatesPassesAndOneWithoutOutgoingFails)
{
    const QString path = dataPath(QStringLiteral("vemocv.MDB"));
    db::Database letters = db::Database::create(path, QStringLiteral("vorkelmadu"));
    db::Database source = openFile(app::module1().templatePath);
    ASSERT_TRUE(
        app::copyTableStructure(source, letters, QStringLiteral("cvdenmau"), QStringLiteral("cvdenmau"), false));
    EXPECT_FALSE(app::isSoundDataFile(path, QStringLiteral("vemocv"))); // no cvdi* yet
    EXPECT_EQ(lastCause(), Cause::MissingTables);
    EXPECT_EQ(app::lastStructureCheck().missingTable, QStringLiteral("cvdi*"));
    ASSERT_TRUE(app::copyTableStructure(source, letters, QStringLiteral("cvdimau"), QStringLiteral("cvdimau"), false));
    EXPECT_TRUE(app::isSoundDataFile(path, QStringLiteral("vemocv")));
    EXPECT_FALSE(app::isSoundDataFile(path, QStringLiteral("vemolich")));
}

// A reference file lacking one list fails, and so does an unknown kind (kinds are lower case).
TEST_F(DataFolderTest, ReferenceFileLackingOneListOrAnUnknownKindFails)
{
    const QString path = dataPath(QStringLiteral("vemotk.MDB"));
    db::Database reference = db::Database::create(path, QStringLiteral("vorkelmadu"));
    db::Database source = openFile(app::module1().templatePath);
    for (const QString& table : app::requiredTables(QStringLiteral("vemotk"))) {
        if (table != QLatin1String("incvdi")) {
            ASSERT_TRUE(app::copyTableStructure(source, reference, table, table, false));
        }
    }
    reference.close();
    EXPECT_FALSE(app::isSoundDataFile(path, QStringLiteral("vemotk")));
    EXPECT_EQ(lastCause(), Cause::MissingTables);
    EXPECT_FALSE(app::isSoundDataFile(copyTemplate(QStringLiteral("vemocv.MDB")), QStringLiteral("vemoxyz")));
    EXPECT_FALSE(app::isSoundDataFile(copyTemplate(QStringLiteral("vemocv.MDB")), QStringLiteral("VEMOCV")));
    EXPECT_EQ(lastCause(), Cause::MissingTables);
}

// The check clears a data file's read-only attribute, but not the template's; the file is found
// whatever the letter case of its name.
TEST_F(DataFolderTest, CheckedFileLosesItsReadOnlyAttributeButTheTemplateKeepsIt)
{
    const QString path = copyTemplate(QStringLiteral("VEMOCV.mdb"));
    sys::setReadOnly(path, true);
    EXPECT_TRUE(app::isSoundDataFile(dataPath(QStringLiteral("vemocv.MDB")), QStringLiteral("vemocv")));
    EXPECT_FALSE(sys::isReadOnly(path));
    EXPECT_TRUE(app::clearReadOnly(dataPath(QStringLiteral("none.mdb")))) << "a missing file needs nothing";
    const QString templ = app::module1().templatePath;
    sys::setReadOnly(templ, true);
    EXPECT_TRUE(app::isSoundDataFile(templ, QStringLiteral("vemogoc")));
    EXPECT_TRUE(sys::isReadOnly(templ));
}

TEST_F(DataFolderTest, ReadOnlyAttributeThatCannotBeClearedFailsWithTheMessage)
{
    // Files under /proc/self refuse permission changes, even for the superuser.
    const QString locked = QStringLiteral("/proc/self/status");
    if (!sys::isReadOnly(locked))
        GTEST_SKIP() << "no read-only /proc file on this system";
    EXPECT_FALSE(app::isSoundDataFile(locked, QStringLiteral("vemotk")));
    EXPECT_EQ(lastCause(), Cause::Unusable);
    ASSERT_EQ(messenger.shown.size(), 1);
    EXPECT_EQ(messenger.shown.first().text,
              QStringLiteral("Gặp lỗi khi đang sửa tính chất Readonly của file /proc/self/status"));
    EXPECT_EQ(messenger.shown.first().kind, QStringLiteral("ok"));
    EXPECT_EQ(app::module1().message, messenger.shown.first().text);
}

} // namespace
