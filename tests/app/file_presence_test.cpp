#include "data_folder_fixture.h"

#include "app/core/data_paths.h"
#include "app/core/file_presence.h"

namespace {

using testing_support::DataFolderTest;

// The name as the folder lists it (any letter case asked), "  " for a folder asked with a
// trailing separator, empty for nothing.
TEST_F(DataFolderTest, PresenceGivesTheNameAsTheFolderListsIt)
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
}

TEST_F(DataFolderTest, DataFilePathsMatchTheLetterCaseOfExistingFiles)
{
    EXPECT_EQ(app::module1().templatePath, dataPath(u"vemogoc.mdb"_s));
    EXPECT_EQ(app::dataFilePath(programFolder(), u"VemoGoc.MDB"_s), dataPath(u"vemogoc.mdb"_s));
    // A file still to be made keeps the name asked for.
    EXPECT_EQ(app::dataFilePath(programFolder(), u"vemocv.MDB"_s), dataPath(u"vemocv.MDB"_s));
    // An exact match wins over another case.
    copyTemplate(u"vemotk.MDB"_s);
    copyTemplate(u"vemotk.mdb"_s);
    EXPECT_EQ(app::matchNameCase(dataPath(u"vemotk.mdb"_s)), dataPath(u"vemotk.mdb"_s));
    // The reference file lies beside the file given.
    EXPECT_EQ(app::referenceFileBeside(u"/srv/share/cv/vemocv.MDB"_s), u"/srv/share/cv/vemotk.mdb"_s);
    EXPECT_EQ(app::referenceFileBeside(u"/vemocv.mdb"_s), u"/vemotk.mdb"_s);
    EXPECT_EQ(app::referenceFileBeside(u"vemocv.mdb"_s), u"vemotk.mdb"_s);
}

} // namespace
