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

// A copy of the template passes the check of each kind of data file it stands in for; a missing
// file, no path or the data folder itself fails as missing. Neither says anything.
TEST_F(DataFolderTest, TemplateCopyPassesTheCheckOfItsNameAndAMissingPathFails)
{
    const std::tuple<QString, const char*, Cause> cases[] = {
        {copyTemplate(u"vemogoc2.mdb"_s), "vemogoc", Cause::Sound},
        {copyTemplate(u"vemocv.MDB"_s), "vemocv", Cause::Sound},
        {copyTemplate(u"vemolich.MDB"_s), "vemolich", Cause::Sound},
        {copyTemplate(u"vemotk.MDB"_s), "vemotk", Cause::Sound},
        {copyTemplate(u"vemotemp.MDB"_s), "vemotk", Cause::Sound},
        {dataPath(u"vemoxx.MDB"_s), "vemocv", Cause::Missing},
        {QString(), "vemocv", Cause::Missing},
        {dataPath(QString()), "vemocv", Cause::Missing}};
    for (const auto& [path, kind, cause] : cases) {
        EXPECT_EQ(app::isSoundDataFile(path, QString::fromLatin1(kind)), cause == Cause::Sound) << qPrintable(path);
        EXPECT_EQ(lastCause(), cause) << qPrintable(path);
    }
    EXPECT_TRUE(messenger.shown.isEmpty());
}

// Files that cannot be used tell why: the caller can say "damaged" or "not a data file", and the
// engine's number is the last run-time error (Ctrl+End).
TEST_F(DataFolderTest, UnusableFileFailsWithItsCauseAndTheEngineError)
{
    const QString path = dataPath(u"vemocv.MDB"_s);
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
        EXPECT_FALSE(app::isSoundDataFile(path, u"vemocv"_s));
        const app::StructureCheckResult result = app::lastStructureCheck();
        EXPECT_EQ(std::tuple(result.cause, result.path, result.number, app::lastError().number),
                  std::tuple(cause, path, db::errc::NotADatabase, db::errc::NotADatabase));
        EXPECT_EQ(app::lastError().description, result.text);
    }
    EXPECT_TRUE(messenger.shown.isEmpty());
}

// Files made with the template's tables named, under the program's password or another: another
// password fails; a file lacking a table its kind needs fails and names it (a letters file with
// only the templates passes); an unknown kind fails (kinds are lower case).
TEST_F(DataFolderTest, FileWithAnotherPasswordOrWithoutATableOfItsKindFails)
{
    const QStringList reference = app::requiredTables(u"vemotk"_s);
    QStringList lacking = reference;
    lacking.removeAll(u"incvdi"_s);
    struct Case
    {
        const char* what;
        const char* password;
        QStringList tables;
        const char* kind;
        Cause cause;
        QString missing;
    };
    const Case cases[] = {
        {"another password", "khac", reference, "vemotk", Cause::WrongPassword, {}},
        {"letters without outgoing", "vorkelmadu", {"cvdenmau"}, "vemocv", Cause::MissingTables, "cvdi*"},
        {"letters templates only", "vorkelmadu", {"cvdenmau", "cvdimau"}, "vemocv", Cause::Sound, {}},
        {"letters as plans", "vorkelmadu", {"cvdenmau", "cvdimau"}, "vemolich", Cause::MissingTables, "lich*"},
        {"reference lacking one list", "vorkelmadu", lacking, "vemotk", Cause::MissingTables, "incvdi"},
        {"unknown kind", "vorkelmadu", reference, "vemoxyz", Cause::MissingTables, {}},
        {"kind in capitals", "vorkelmadu", reference, "VEMOTK", Cause::MissingTables, {}},
    };
    db::Database source = openFile(app::module1().templatePath);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QString path = dataPath(u"file.mdb"_s);
        QFile::remove(path);
        {
            db::Database file = db::Database::create(path, QString::fromLatin1(c.password));
            for (const QString& table : c.tables)
                ASSERT_TRUE(app::copyTableStructure(source, file, table, table, false));
        }
        EXPECT_EQ(app::isSoundDataFile(path, QString::fromLatin1(c.kind)), c.cause == Cause::Sound);
        EXPECT_EQ(lastCause(), c.cause);
        EXPECT_EQ(app::lastStructureCheck().missingTable, c.missing);
        if (c.cause == Cause::WrongPassword) {
            EXPECT_EQ(app::lastStructureCheck().number, db::errc::InvalidPassword);
        }
    }
}

// The check clears a data file's read-only attribute, but not the template's; the file is found
// whatever the letter case of its name.
TEST_F(DataFolderTest, CheckedFileLosesItsReadOnlyAttributeButTheTemplateKeepsIt)
{
    const QString path = copyTemplate(u"VEMOCV.mdb"_s);
    sys::setReadOnly(path, true);
    EXPECT_TRUE(app::isSoundDataFile(dataPath(u"vemocv.MDB"_s), u"vemocv"_s));
    EXPECT_FALSE(sys::isReadOnly(path));
    EXPECT_TRUE(app::clearReadOnly(dataPath(u"none.mdb"_s))) << "a missing file needs nothing";
    const QString templ = app::module1().templatePath;
    sys::setReadOnly(templ, true);
    EXPECT_TRUE(app::isSoundDataFile(templ, u"vemogoc"_s));
    EXPECT_TRUE(sys::isReadOnly(templ));
}

TEST_F(DataFolderTest, ReadOnlyAttributeThatCannotBeClearedFailsWithTheMessage)
{
    // Files under /proc/self refuse permission changes, even for the superuser.
    const QString locked = u"/proc/self/status"_s;
    if (!sys::isReadOnly(locked))
        GTEST_SKIP() << "no read-only /proc file on this system";
    EXPECT_FALSE(app::isSoundDataFile(locked, u"vemotk"_s));
    EXPECT_EQ(lastCause(), Cause::Unusable);
    ASSERT_EQ(messenger.shown.size(), 1);
    EXPECT_EQ(messenger.shown.first().text, u"Gặp lỗi khi đang sửa tính chất Readonly của file /proc/self/status"_s);
    EXPECT_EQ(messenger.shown.first().kind, u"ok"_s);
}

} // namespace
