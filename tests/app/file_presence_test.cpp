#include "data_folder_fixture.h"

#include "app/core/data_paths.h"
#include "app/core/file_presence.h"

namespace {

using testing_support::DataFolderTest;

// The name as the folder lists it (any letter case asked), "  " for a folder asked with a
// trailing separator, empty for nothing.
TEST_F(DataFolderTest, PresenceGivesTheNameAsTheFolderListsIt)
{
    copyTemplate(QStringLiteral("vemocv.mdb"));
    const QList<QPair<QString, QString>> cases = {
        {dataPath(QStringLiteral("vemocv.mdb")), QStringLiteral("vemocv.mdb")},
        {dataPath(QStringLiteral("vemocv.MDB")), QStringLiteral("vemocv.mdb")},
        {dataPath(QStringLiteral("VEMOCV.MDB")), QStringLiteral("vemocv.mdb")},
        {programFolder() + QStringLiteral("/data"), QStringLiteral("data")},
        {programFolder() + QStringLiteral("/data/"), QStringLiteral("  ")},
        {programFolder() + QStringLiteral("/nothing/"), QString()},
        {QString(), QString()},
        {QStringLiteral(" "), QString()},
        {dataPath(QStringLiteral("vemolich.MDB")), QString()},
        {dataPath(QStringLiteral("nowhere/vemolich.MDB")), QString()},
    };
    for (const auto& [path, presence] : cases)
        EXPECT_EQ(app::filePresence(path), presence) << qPrintable(path);
}

TEST_F(DataFolderTest, DataFilePathsMatchTheLetterCaseOfExistingFiles)
{
    EXPECT_EQ(app::module1().templatePath, dataPath(QStringLiteral("vemogoc.mdb")));
    EXPECT_EQ(app::dataFilePath(programFolder(), QStringLiteral("VemoGoc.MDB")),
              dataPath(QStringLiteral("vemogoc.mdb")));
    // A file still to be made keeps the name asked for.
    EXPECT_EQ(app::dataFilePath(programFolder(), QStringLiteral("vemocv.MDB")), dataPath(QStringLiteral("vemocv.MDB")));
    // An exact match wins over another case.
    copyTemplate(QStringLiteral("vemotk.MDB"));
    copyTemplate(QStringLiteral("vemotk.mdb"));
    EXPECT_EQ(app::matchNameCase(dataPath(QStringLiteral("vemotk.mdb"))), dataPath(QStringLiteral("vemotk.mdb")));
}

TEST(DataPaths, ReferenceFileLiesBesideTheGivenFile)
{
    EXPECT_EQ(app::referenceFileBeside(QStringLiteral("/srv/share/cv/vemocv.MDB")),
              QStringLiteral("/srv/share/cv/vemotk.mdb"));
    EXPECT_EQ(app::referenceFileBeside(QStringLiteral("/vemocv.mdb")), QStringLiteral("/vemotk.mdb"));
    EXPECT_EQ(app::referenceFileBeside(QStringLiteral("vemocv.mdb")), QStringLiteral("vemotk.mdb"));
}

} // namespace
