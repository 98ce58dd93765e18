#include "data_folder_fixture.h"

#include "app/recent_files.h"
#include "platform/sys/file_ops.h"

namespace {

using testing_support::DataFolderTest;

class RecentFilesTest : public DataFolderTest
{
protected:
    QString list() const { return dataPath(QStringLiteral("sysmem2")); }

    void writeList(const QStringList& paths)
    {
        QByteArray bytes;
        for (const QString& p : paths)
            bytes += p.isEmpty() ? QByteArray("\r\n") : "\"" + p.toUtf8() + "\"\r\n";
        writeFile(list(), bytes);
    }
};

TEST_F(RecentFilesTest, MissingListIsCreatedWithThePathAlone)
{
    app::updateRecentFiles(QStringLiteral("sysmem2"), QStringLiteral("/s/công văn/vemocv.MDB"));
    EXPECT_EQ(readFile(list()), QStringLiteral("\"/s/công văn/vemocv.MDB\"\r\n").toUtf8());
}

TEST_F(RecentFilesTest, ListStartingWithThePathIsNotRewritten)
{
    writeFile(list(), "\"/a.mdb\"\n\"/b.mdb\"\n\"/a.mdb\"\n"); // written by hand, LF only
    sys::setReadOnly(list(), true);
    app::updateRecentFileList(list(), QStringLiteral("/a.mdb"));
    EXPECT_EQ(readFile(list()), "\"/a.mdb\"\n\"/b.mdb\"\n\"/a.mdb\"\n");
    EXPECT_TRUE(sys::isReadOnly(list()));
}

TEST_F(RecentFilesTest, PathFurtherDownMovesToTheTopWithoutDuplicate)
{
    writeList({QStringLiteral("/a.mdb"), QStringLiteral("/b.mdb"), QStringLiteral("/c.mdb")});
    app::updateRecentFileList(list(), QStringLiteral("/b.mdb"));
    EXPECT_EQ(readFile(list()), "\"/b.mdb\"\r\n\"/a.mdb\"\r\n\"/c.mdb\"\r\n");
    EXPECT_EQ(app::readRecentFiles(list()),
              (QStringList{QStringLiteral("/b.mdb"), QStringLiteral("/a.mdb"), QStringLiteral("/c.mdb")}));
}

TEST_F(RecentFilesTest, NewPathGoesFirstAndReadOnlyListIsRewritten)
{
    writeList({QStringLiteral("/a.mdb"), QStringLiteral("/b.mdb")});
    sys::setReadOnly(list(), true);
    app::updateRecentFileList(list(), QStringLiteral("/n.mdb"));
    EXPECT_EQ(readFile(list()), "\"/n.mdb\"\r\n\"/a.mdb\"\r\n\"/b.mdb\"\r\n");
    EXPECT_FALSE(sys::isReadOnly(list()));
    EXPECT_TRUE(messenger.shown.isEmpty());
}

TEST_F(RecentFilesTest, LinesAfterTheFirstEmptyLineAreDropped)
{
    writeList({QStringLiteral("/a.mdb"), QString(), QStringLiteral("/b.mdb")});
    app::updateRecentFileList(list(), QStringLiteral("/n.mdb"));
    EXPECT_EQ(readFile(list()), "\"/n.mdb\"\r\n\"/a.mdb\"\r\n");
}

TEST_F(RecentFilesTest, OnlyTwentyOneLinesAreRead)
{
    QStringList paths;
    for (int i = 1; i <= 30; ++i)
        paths << QStringLiteral("/f%1.mdb").arg(i);
    writeList(paths);
    app::updateRecentFileList(list(), QStringLiteral("/n.mdb"));
    const QStringList kept = app::readRecentFiles(list());
    ASSERT_EQ(kept.size(), 22);
    EXPECT_EQ(kept.first(), QStringLiteral("/n.mdb"));
    EXPECT_EQ(kept.last(), QStringLiteral("/f21.mdb"));
    // The path found within the lines read replaces its old place: 21 lines stay.
    app::updateRecentFileList(list(), QStringLiteral("/f10.mdb"));
    EXPECT_EQ(app::readRecentFiles(list()).size(), 21);
    EXPECT_EQ(app::readRecentFiles(list()).count(QStringLiteral("/f10.mdb")), 1);
}

TEST_F(RecentFilesTest, ComparisonIsExact)
{
    writeList({QStringLiteral("/A.mdb")});
    app::updateRecentFileList(list(), QStringLiteral("/a.mdb"));
    EXPECT_EQ(app::readRecentFiles(list()), (QStringList{QStringLiteral("/a.mdb"), QStringLiteral("/A.mdb")}));
}

TEST_F(RecentFilesTest, ScheduleListIsItsOwnFile)
{
    app::updateRecentFiles(QStringLiteral("sysmem2"), QStringLiteral("/cv.mdb"));
    app::updateRecentFiles(QStringLiteral("sysmem3"), QStringLiteral("/lich.mdb"));
    EXPECT_EQ(app::readRecentFiles(dataPath(QStringLiteral("sysmem3"))), QStringList{QStringLiteral("/lich.mdb")});
    EXPECT_EQ(app::readRecentFiles(list()), QStringList{QStringLiteral("/cv.mdb")});
    EXPECT_TRUE(app::readRecentFiles(dataPath(QStringLiteral("sysmem9"))).isEmpty());
}

} // namespace
