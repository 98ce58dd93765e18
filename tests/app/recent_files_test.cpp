#include "data_folder_fixture.h"

#include "app/core/recent_files.h"
#include "platform/sys/file_ops.h"

namespace {

using testing_support::DataFolderTest;

// A missing list is created with the path alone; the schedule's list is its own file. The chosen
// path goes to the top once; a read-only list is rewritten without a message. Only twenty-one
// lines are read.
TEST_F(DataFolderTest, ChosenPathGoesToTheTopOnceOfTheFirstTwentyOneLinesOrStartsANewList)
{
    const QString list = dataPath(u"sysmem2"_s);
    const auto writeList = [&list](const QStringList& paths) {
        QByteArray bytes;
        for (const QString& p : paths)
            bytes += p.isEmpty() ? QByteArray("\r\n") : "\"" + p.toUtf8() + "\"\r\n";
        writeFile(list, bytes);
    };
    app::updateRecentFiles(programFolder(), u"sysmem2"_s, u"/s/công văn/vemocv.MDB"_s);
    app::updateRecentFiles(programFolder(), u"sysmem3"_s, u"/lich.mdb"_s);
    EXPECT_EQ(readFile(list), u"\"/s/công văn/vemocv.MDB\"\r\n"_s.toUtf8());
    EXPECT_EQ(app::readRecentFiles(dataPath(u"sysmem3"_s)), QStringList{"/lich.mdb"});
    EXPECT_TRUE(app::readRecentFiles(dataPath(u"sysmem9"_s)).isEmpty());

    // A list that starts with the path is not rewritten.
    writeFile(list, "\"/a.mdb\"\n\"/b.mdb\"\n\"/a.mdb\"\n"); // written by hand, LF only
    sys::setReadOnly(list, true);
    app::updateRecentFileList(list, u"/a.mdb"_s);
    EXPECT_EQ(readFile(list), "\"/a.mdb\"\n\"/b.mdb\"\n\"/a.mdb\"\n");
    EXPECT_TRUE(sys::isReadOnly(list));

    sys::setReadOnly(list, false);
    struct Case
    {
        const char* what;
        QStringList before;
        bool readOnly;
        QByteArray after;
    };
    const QString a = u"/a.mdb"_s, b = u"/b.mdb"_s, c = u"/c.mdb"_s;
    const Case cases[] = {
        {"path further down moves up",
         {a, b, c, u"/n.mdb"_s},
         false,
         "\"/n.mdb\"\r\n\"/a.mdb\"\r\n\"/b.mdb\"\r\n\"/c.mdb\"\r\n"},
        {"new path, read-only list", {a, b}, true, "\"/n.mdb\"\r\n\"/a.mdb\"\r\n\"/b.mdb\"\r\n"},
        {"lines after an empty line dropped", {a, QString(), b}, false, "\"/n.mdb\"\r\n\"/a.mdb\"\r\n"},
        {"comparison is exact", {u"/N.mdb"_s}, false, "\"/n.mdb\"\r\n\"/N.mdb\"\r\n"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        writeList(k.before);
        sys::setReadOnly(list, k.readOnly);
        app::updateRecentFileList(list, u"/n.mdb"_s);
        EXPECT_EQ(readFile(list), k.after);
        EXPECT_FALSE(sys::isReadOnly(list));
    }
    EXPECT_TRUE(messenger.shown.isEmpty());

    QStringList paths;
    for (int i = 1; i <= 30; ++i)
        paths << u"/f%1.mdb"_s.arg(i);
    writeList(paths);
    app::updateRecentFileList(list, u"/n.mdb"_s);
    const QStringList kept = app::readRecentFiles(list);
    ASSERT_EQ(kept.size(), 22);
    EXPECT_EQ(kept.first(), u"/n.mdb"_s);
    EXPECT_EQ(kept.last(), u"/f21.mdb"_s);
    // The path found within the lines read replaces its old place: 21 lines stay.
    app::updateRecentFileList(list, u"/f10.mdb"_s);
    EXPECT_EQ(app::readRecentFiles(list).size(), 21);
    EXPECT_EQ(app::readRecentFiles(list).count(u"/f10.mdb"_s), 1);
}

} // namespace
