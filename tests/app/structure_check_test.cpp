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

// A copy of the template passes the check of each kind of data file it stands in for.
TEST_F(DataFolderTest, TemplateCopyPassesTheCheckOfItsName)
{
    const std::pair<const char*, const char*> cases[] = {{"vemogoc2.mdb", "vemogoc"},
                                                         {"vemocv.MDB", "vemocv"},
                                                         {"vemolich.MDB", "vemolich"},
                                                         {"vemotk.MDB", "vemotk"},
                                                         {"vemotemp.MDB", "vemotk"}};
    for (const auto& [file, kind] : cases) {
        EXPECT_TRUE(app::isSoundDataFile(copyTemplate(QString::fromLatin1(file)), QString::fromLatin1(kind))) << file;
        EXPECT_EQ(lastCause(), Cause::Sound) << file;
    }
    EXPECT_TRUE(messenger.shown.isEmpty());
}

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
TEST_F(DataFolderTest, UnusableFileFailsWithItsCauseAndTheEngineError)
{
    const QString path = dataPath(QStringLiteral("vemocv.MDB"));
    // Empty bytes: an SQLite file without the program's password verifier.
    const std::tuple<const char*, QByteArray, Cause> cases[] = {
        {"garbage", QByteArray(4096, 'x'), Cause::NotADataFile},
        {"truncated", QByteArray("SQLite format", 13), Cause::NotADataFile},
        {"plain SQLite file", QByteArray(), Cause::Damaged}};
    for (const auto& [what, bytes, cause] : cases) {
        SCOPED_TRACE(what);
        QFile::remove(path);
        if (bytes.isEmpty()) {
            sqlite3* plain = nullptr;
            ASSERT_EQ(sqlite3_open(path.toUtf8().constData(), &plain), SQLITE_OK);
            ASSERT_EQ(sqlite3_exec(plain, "CREATE TABLE cvden2009 (id INTEGER)", nullptr, nullptr, nullptr), SQLITE_OK);
            sqlite3_close(plain);
        } else {
            writeFile(path, bytes);
        }
        app::clearLastError();
        EXPECT_FALSE(app::isSoundDataFile(path, QStringLiteral("vemocv")));
        const app::StructureCheckResult result = app::lastStructureCheck();
        EXPECT_EQ(result.cause, cause);
        EXPECT_EQ(result.path, path);
        EXPECT_EQ(result.number, db::errc::NotADatabase);
        EXPECT_EQ(app::lastError().number, db::errc::NotADatabase);
        EXPECT_EQ(app::lastError().description, result.text);
    }
    EXPECT_TRUE(messenger.shown.isEmpty());
}

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
}

} // namespace
