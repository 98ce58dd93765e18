// The data folder's files: where they are, whether they pass the structure check, and what the
// template restores.
#include "data_folder_fixture.h"

#include "app/core/data_paths.h"
#include "app/core/drive_description.h"
#include "app/core/file_presence.h"
#include "app/core/last_error.h"
#include "app/core/read_only.h"
#include "app/core/structure_check.h"
#include "app/core/table_copy.h"
#include "app/core/template_restore.h"
#include "platform/db/db_error.h"
#include "platform/sys/file_ops.h"

#include <sqlite3.h>

namespace {

using testing_support::DataFolderTest;
using Cause = app::FileCheck;

// Presence gives the name as the folder lists it (any letter case asked), "  " for a folder asked
// with a trailing separator, empty for nothing; data-file paths take the letter case of the file
// there. Test folders live on a local disk or in memory, both "Local Hard Disk".
TEST_F(DataFolderTest, PresencePathsAndDriveOfTheDataFilesFollowTheFolder)
{
    copyTemplate(u"vemocv.mdb"_s);
    const QList<QPair<QString, QString>> cases = {
        {dataPath(u"vemocv.mdb"_s), u"vemocv.mdb"_s},
        {dataPath(u"vemocv.MDB"_s), u"vemocv.mdb"_s},
        {dataPath(u"VEMOCV.MDB"_s), u"vemocv.mdb"_s},
        {programFolder() + u"/data"_s, u"data"_s},
        {programFolder() + u"/data/"_s, u"  "_s},
        {programFolder() + u"/nothing/"_s, QString()},
        {QString(), QString()},
        {u" "_s, QString()},
        {dataPath(u"vemolich.MDB"_s), QString()},
        {dataPath(u"nowhere/vemolich.MDB"_s), QString()},
    };
    for (const auto& [path, presence] : cases)
        EXPECT_EQ(app::filePresence(path), presence) << qPrintable(path);

    EXPECT_EQ(app::module1().templatePath, dataPath(u"vemogoc.mdb"_s));
    EXPECT_EQ(app::dataFilePath(programFolder(), u"VemoGoc.MDB"_s), dataPath(u"vemogoc.mdb"_s));
    // A file still to be made keeps the name asked for.
    EXPECT_EQ(app::dataFilePath(programFolder(), u"vemolich.MDB"_s), dataPath(u"vemolich.MDB"_s));
    // An exact match wins over another case.
    copyTemplate(u"vemotk.MDB"_s);
    copyTemplate(u"vemotk.mdb"_s);
    EXPECT_EQ(app::matchNameCase(dataPath(u"vemotk.mdb"_s)), dataPath(u"vemotk.mdb"_s));
    // The reference file lies beside the file given.
    EXPECT_EQ(app::referenceFileBeside(u"/srv/share/cv/vemocv.MDB"_s), u"/srv/share/cv/vemotk.mdb"_s);
    EXPECT_EQ(app::referenceFileBeside(u"/vemocv.mdb"_s), u"/vemotk.mdb"_s);
    EXPECT_EQ(app::referenceFileBeside(u"vemocv.mdb"_s), u"vemotk.mdb"_s);

    EXPECT_EQ(app::driveTypeDescription(dataPath(u"vemocv.MDB"_s)), u"Local Hard Disk"_s);
    EXPECT_EQ(app::driveTypeDescription(QString()), QString());
}

// Each kind of file against the check, nothing said: copies of the template pass the check of
// each kind they stand in for; a missing file, no path or the data folder itself is missing;
// spoilt bytes, another password, a table its kind needs (named) or an unknown kind (kinds are
// lower case) fail with their cause. A letters file with only the templates passes. An engine
// error is also the last run-time error (Ctrl+End), so the caller can say "damaged" or "not a
// data file".
TEST_F(DataFolderTest, DataFileCheckGivesTheCauseTheEngineErrorAndTheMissingTable)
{
    // name written with bytes; empty bytes: an SQLite file without the program's password verifier.
    const auto spoilt = [this](const QString& name, const QByteArray& bytes) {
        const QString path = dataPath(name);
        if (!bytes.isEmpty()) {
            writeFile(path, bytes);
            return path;
        }
        sqlite3* plain = nullptr;
        EXPECT_EQ(sqlite3_open(path.toUtf8().constData(), &plain), SQLITE_OK);
        EXPECT_EQ(sqlite3_exec(plain, "CREATE TABLE cvden2009 (id INTEGER)", nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(plain);
        return path;
    };
    // name made under password with the template's tables named.
    db::Database source = openFile(app::module1().templatePath);
    const auto made = [&](const QString& name, const char* password, const QStringList& tables) {
        const QString path = dataPath(name);
        db::Database file = db::Database::create(path, QString::fromLatin1(password));
        for (const QString& table : tables)
            EXPECT_TRUE(app::copyTableStructure(source, file, table, table, false)) << qPrintable(name);
        return path;
    };
    const QStringList reference = app::requiredTables(u"vemotk"_s);
    QStringList lacking = reference;
    lacking.removeAll(u"incvdi"_s);
    const QStringList templates = {u"cvdenmau"_s, u"cvdimau"_s};
    struct Case
    {
        QString path;
        const char* kind;
        Cause cause;
        int number = 0; // the engine's
        QString missing = {};
    };
    const int notADatabase = db::errc::NotADatabase;
    const Case cases[] = {
        {copyTemplate(u"vemogoc2.mdb"_s), "vemogoc", Cause::Sound},
        {copyTemplate(u"vemocv.MDB"_s), "vemocv", Cause::Sound},
        {copyTemplate(u"vemolich.MDB"_s), "vemolich", Cause::Sound},
        {copyTemplate(u"vemotk.MDB"_s), "vemotk", Cause::Sound},
        {copyTemplate(u"vemotemp.MDB"_s), "vemotk", Cause::Sound},
        {dataPath(u"vemoxx.MDB"_s), "vemocv", Cause::Missing},
        {QString(), "vemocv", Cause::Missing},
        {dataPath(QString()), "vemocv", Cause::Missing, db::errc::FileNotFound}, // the engine tried the folder
        {spoilt(u"garbage.MDB"_s, QByteArray(4096, 'x')), "vemocv", Cause::NotADataFile, notADatabase},
        {spoilt(u"truncated.MDB"_s, QByteArray("SQLite format", 13)), "vemocv", Cause::NotADataFile, notADatabase},
        {spoilt(u"plain.MDB"_s, QByteArray()), "vemocv", Cause::Damaged, notADatabase},
        {made(u"password.mdb"_s, "khac", reference), "vemotk", Cause::WrongPassword, db::errc::InvalidPassword},
        {made(u"incoming.mdb"_s, "vorkelmadu", {u"cvdenmau"_s}), "vemocv", Cause::MissingTables, 0, u"cvdi*"_s},
        {made(u"templates.mdb"_s, "vorkelmadu", templates), "vemocv", Cause::Sound},
        {made(u"plans.mdb"_s, "vorkelmadu", templates), "vemolich", Cause::MissingTables, 0, u"lich*"_s},
        {made(u"lacking.mdb"_s, "vorkelmadu", lacking), "vemotk", Cause::MissingTables, 0, u"incvdi"_s},
        {made(u"unknown.mdb"_s, "vorkelmadu", reference), "vemoxyz", Cause::MissingTables},
        {made(u"capitals.mdb"_s, "vorkelmadu", reference), "VEMOTK", Cause::MissingTables},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(qPrintable(c.path + u' ' + QString::fromLatin1(c.kind)));
        app::clearLastError();
        EXPECT_EQ(app::isSoundDataFile(c.path, QString::fromLatin1(c.kind)), c.cause == Cause::Sound);
        const app::StructureCheckResult result = app::lastStructureCheck();
        EXPECT_EQ(std::tuple(result.cause, result.path, result.number, result.missingTable, app::lastError().number),
                  std::tuple(c.cause, c.path, c.number, c.missing, c.number));
        EXPECT_EQ(app::lastError().description, result.text);
    }
    EXPECT_TRUE(messenger.shown.isEmpty());
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
    EXPECT_EQ(app::lastStructureCheck().cause, Cause::Unusable);
    ASSERT_EQ(messenger.shown.size(), 1);
    EXPECT_EQ(messenger.shown.first().text, u"Gặp lỗi khi đang sửa tính chất Readonly của file /proc/self/status"_s);
    EXPECT_EQ(messenger.shown.first().kind, u"ok"_s);
}

// A scratch file of a million bytes is replaced, one byte less stays; missing local files are
// restored from the template as working copies, never from a missing template.
TEST_F(DataFolderTest, OversizedScratchFileAndMissingFilesAreReplacedByWorkingCopiesOfTheTemplate)
{
    const QString scratch = dataPath(u"vemotemp.MDB"_s);
    for (const auto& [size, replaced] : {std::pair{999'999, false}, {1'000'000, true}, {1'000'001, true}}) {
        writeFile(scratch, QByteArray(size, '\0'));
        EXPECT_EQ(app::scratchFileNeedsReplacing(scratch), replaced) << size;
    }
    EXPECT_FALSE(app::scratchFileNeedsReplacing(dataPath(u"none.MDB"_s)));

    sys::setReadOnly(app::module1().templatePath, true);
    for (const QString& name : app::localDataFileNames()) {
        const QString path = dataPath(name);
        ASSERT_TRUE(app::restoreFromTemplate(app::module1().templatePath, path)) << qPrintable(name);
        EXPECT_FALSE(sys::isReadOnly(path));
    }
    for (const QString kind : {"vemocv", "vemolich", "vemotk"})
        EXPECT_TRUE(app::isSoundDataFile(dataPath(kind + u".MDB"_s), kind)) << kind.toStdString();
    openFile(dataPath(u"vemocv.MDB"_s)).execute(u"INSERT INTO cvdimau (so_cv) VALUES ('1')"_s);

    // With the template gone, restoring fails quietly and leaves the target as it was.
    const QString target = dataPath(u"vemotk.MDB"_s);
    writeFile(target, "damaged");
    app::module1().templatePath = dataPath(u"nothing.mdb"_s);
    EXPECT_FALSE(app::restoreFromTemplate(app::module1().templatePath, target));
    EXPECT_EQ(readFile(target), "damaged");
    EXPECT_TRUE(messenger.shown.isEmpty());
}

} // namespace
