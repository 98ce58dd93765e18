#include "data_folder_fixture.h"

#include "app/data_paths.h"
#include "app/file_presence.h"
#include "app/read_only.h"
#include "platform/sys/file_ops.h"

namespace {

using testing_support::DataFolderTest;

TEST_F(DataFolderTest, PresenceGivesTheNameAsTheFolderListsIt)
{
    copyTemplate(QStringLiteral("vemocv.mdb"));
    EXPECT_EQ(app::filePresence(dataPath(QStringLiteral("vemocv.mdb"))), QStringLiteral("vemocv.mdb"));
    EXPECT_EQ(app::filePresence(dataPath(QStringLiteral("vemocv.MDB"))), QStringLiteral("vemocv.mdb"));
    EXPECT_EQ(app::filePresence(dataPath(QStringLiteral("VEMOCV.MDB"))), QStringLiteral("vemocv.mdb"));
}

TEST_F(DataFolderTest, PresenceOfNothingIsEmpty)
{
    EXPECT_EQ(app::filePresence(QString()), QString());
    EXPECT_EQ(app::filePresence(QStringLiteral(" ")), QString());
    EXPECT_EQ(app::filePresence(dataPath(QStringLiteral("vemolich.MDB"))), QString());
    EXPECT_EQ(app::filePresence(dataPath(QStringLiteral("nowhere/vemolich.MDB"))), QString());
}

TEST_F(DataFolderTest, PresenceOfAFolder)
{
    EXPECT_EQ(app::filePresence(programFolder() + QStringLiteral("/data")), QStringLiteral("data"));
    EXPECT_EQ(app::filePresence(programFolder() + QStringLiteral("/data/")), QStringLiteral("  "));
    EXPECT_EQ(app::filePresence(programFolder() + QStringLiteral("/nothing/")), QString());
}

TEST_F(DataFolderTest, DataFilePathsMatchTheLetterCaseOfExistingFiles)
{
    EXPECT_EQ(app::module1().filegoc, dataPath(QStringLiteral("vemogoc.mdb")));
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

TEST_F(DataFolderTest, ClearingReadOnlyOfAWritableOrMissingFileDoesNothing)
{
    const QString path = copyTemplate(QStringLiteral("vemocv.MDB"));
    EXPECT_TRUE(app::clearReadOnly(path));
    EXPECT_FALSE(sys::isReadOnly(path));
    EXPECT_TRUE(app::clearReadOnly(dataPath(QStringLiteral("none.mdb"))));
    EXPECT_TRUE(messenger.shown.isEmpty());
}

TEST_F(DataFolderTest, ClearingReadOnlyFindsTheFileInAnyLetterCase)
{
    const QString path = copyTemplate(QStringLiteral("vemocv.mdb"));
    sys::setReadOnly(path, true);
    EXPECT_TRUE(app::clearReadOnly(dataPath(QStringLiteral("VEMOCV.MDB"))));
    EXPECT_FALSE(sys::isReadOnly(path));
}

TEST_F(DataFolderTest, ClearingReadOnlyThatFailsShowsTheTrimmedPath)
{
    const QString locked = QStringLiteral("/proc/self/status");
    if (!sys::isReadOnly(locked))
        GTEST_SKIP() << "no read-only /proc file on this system";
    EXPECT_FALSE(app::clearReadOnly(locked));
    ASSERT_EQ(messenger.shown.size(), 1);
    EXPECT_EQ(messenger.shown.first().text,
              QStringLiteral("Gặp lỗi khi đang sửa tính chất Readonly của file /proc/self/status"));
    EXPECT_EQ(messenger.shown.first().kind, QStringLiteral("ok"));
}

} // namespace
