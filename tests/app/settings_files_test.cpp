#include "data_folder_fixture.h"

#include "app/settings_files.h"
#include "common/clock.h"
#include "platform/sys/file_ops.h"

namespace {

using testing_support::DataFolderTest;

const QString kProgram = QStringLiteral("/opt/selvaro");

struct SysmemCase
{
    const char* name;
    const char* text;
    const char* filelich;
    const char* filecongvan;
    const char* filebackup;
    const char* namlamviec;
    bool repaired;
};

class SysmemParse : public ::testing::TestWithParam<SysmemCase>
{
};

TEST_P(SysmemParse, ReadsItemsOrSafeDefaults)
{
    const SysmemCase& c = GetParam();
    const app::SysmemReading reading = app::parseSysmem(QString::fromUtf8(c.text), kProgram, QStringLiteral("2011"));
    EXPECT_EQ(reading.values.filelich, QString::fromUtf8(c.filelich));
    EXPECT_EQ(reading.values.filecongvan, QString::fromUtf8(c.filecongvan));
    EXPECT_EQ(reading.values.filebackup, QString::fromUtf8(c.filebackup));
    EXPECT_EQ(reading.values.namlamviec, QString::fromUtf8(c.namlamviec));
    EXPECT_EQ(reading.repaired, c.repaired);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Files, SysmemParse, ::testing::Values(
    SysmemCase{"WrittenByTheProgram", "\"/s/l.MDB\",\"/s/c.MDB\",\" \",\"2009\"\r\n",
               "/s/l.MDB", "/s/c.MDB", " ", "2009", false},
    SysmemCase{"LineFeedOnlyOrNoLineEnd", "\"/s/l.MDB\",\"/s/c.MDB\",\"/b/bk.mdb\",\"2009\"",
               "/s/l.MDB", "/s/c.MDB", "/b/bk.mdb", "2009", false},
    SysmemCase{"ItemsOnSeparateLines", "\"/s/l.MDB\"\r\n\"/s/c.MDB\"\r\n\" \"\r\n\"2009\"\r\n",
               "/s/l.MDB", "/s/c.MDB", " ", "2009", false},
    SysmemCase{"CommaInsideQuotesBelongsToThePath", "\"/s/a,b/l.MDB\",\"/s/c.MDB\",\" \",\"2009\"\r\n",
               "/s/a,b/l.MDB", "/s/c.MDB", " ", "2009", false},
    SysmemCase{"VietnameseFolderNames", "\"/dữ liệu/l.MDB\",\"/công văn/c.MDB\",\" \",\"2009\"\r\n",
               "/dữ liệu/l.MDB", "/công văn/c.MDB", " ", "2009", false},
    SysmemCase{"EmptyFile", "", "/opt/selvaro/data/vemolich.MDB", "/opt/selvaro/data/vemocv.MDB", " ", "", true},
    SysmemCase{"TruncatedAfterTwoItems", "\"/s/l.MDB\",\"/s/c.MDB\"",
               "/s/l.MDB", "/s/c.MDB", " ", "", true},
    SysmemCase{"TruncatedInsideTheThirdItem", "\"/s/l.MDB\",\"/s/c.MDB\",\"/b/b",
               "/s/l.MDB", "/s/c.MDB", "/b/b", "", true},
    SysmemCase{"EmptyYearIsLeftForTheYearCheck", "\"/s/l.MDB\",\"/s/c.MDB\",\" \",\"\"\r\n",
               "/s/l.MDB", "/s/c.MDB", " ", "", false},
    SysmemCase{"ExtraItemsIgnored", "\"/s/l.MDB\",\"/s/c.MDB\",\" \",\"2009\",\"x\",\"y\"\r\n",
               "/s/l.MDB", "/s/c.MDB", " ", "2009", true},
    SysmemCase{"UnquotedItems", "/s/l.MDB,/s/c.MDB, ,2009\r\n",
               "/s/l.MDB", "/s/c.MDB", " ", "2009", true},
    SysmemCase{"TextAfterAClosingQuote", "\"/s/l.MDB\"x,\"/s/c.MDB\",\" \",\"2009\"\r\n",
               "/s/l.MDB", "/s/c.MDB", " ", "2009", true},
    SysmemCase{"EmptyPathsTakeDefaults", "\"\",\"\",\"\",\"2009\"\r\n",
               "/opt/selvaro/data/vemolich.MDB", "/opt/selvaro/data/vemocv.MDB", " ", "2009", true},
    SysmemCase{"TwoDigitYear", "\"/s/l.MDB\",\"/s/c.MDB\",\" \",\"09\"\r\n", "/s/l.MDB", "/s/c.MDB", " ", "2011", true},
    SysmemCase{"YearWithALetter", "\"/s/l.MDB\",\"/s/c.MDB\",\" \",\"20O9\"\r\n", "/s/l.MDB", "/s/c.MDB", " ", "2011", true},
    SysmemCase{"FiveDigitYear", "\"/s/l.MDB\",\"/s/c.MDB\",\" \",\"20090\"\r\n", "/s/l.MDB", "/s/c.MDB", " ", "2011", true},
    SysmemCase{"YearWithBlanksIsTrimmed", "\"/s/l.MDB\",\"/s/c.MDB\",\" \",\" 2009 \"\r\n",
               "/s/l.MDB", "/s/c.MDB", " ", "2009", true}),
    [](const ::testing::TestParamInfo<SysmemCase>& info) { return std::string(info.param.name); });
// clang-format on

// Four quoted items and CR LF, read back unchanged.
TEST(Sysmem, WrittenFormReadsBackUnchanged)
{
    EXPECT_EQ(app::formatSysmem({QStringLiteral("/p/data/vemolich.MDB"), QStringLiteral("/p/data/vemocv.MDB"),
                                 QStringLiteral(" "), QStringLiteral("2009")}),
              QStringLiteral("\"/p/data/vemolich.MDB\",\"/p/data/vemocv.MDB\",\" \",\"2009\"\r\n"));
    const app::Sysmem values{QStringLiteral("/Tài liệu/lịch, 2009/vemolich.MDB"),
                             QStringLiteral("/mnt/share/vemocv.MDB"), QStringLiteral("/mnt/backup/sao lưu.mdb"),
                             QStringLiteral("2010")};
    const app::SysmemReading reading = app::parseSysmem(app::formatSysmem(values), kProgram, QStringLiteral("2011"));
    EXPECT_FALSE(reading.repaired);
    EXPECT_EQ(reading.values.filelich, values.filelich);
    EXPECT_EQ(reading.values.filecongvan, values.filecongvan);
    EXPECT_EQ(reading.values.filebackup, values.filebackup);
    EXPECT_EQ(reading.values.namlamviec, values.namlamviec);
}

class SysmemFileTest : public DataFolderTest
{
protected:
    void SetUp() override
    {
        DataFolderTest::SetUp();
        m_previousClock = common::setClock(&m_clock);
    }
    void TearDown() override
    {
        common::setClock(m_previousClock);
        DataFolderTest::TearDown();
    }

    common::FixedClock m_clock{QDateTime(QDate(2012, 3, 4), QTime(8, 0))};
    const common::Clock* m_previousClock = nullptr;
};

// A good file is read (its name in any letter case) and left alone.
TEST_F(SysmemFileTest, GoodFileIsReadIntoTheSharedStateAndLeftAlone)
{
    const QByteArray text = "\"/s/l.MDB\",\"/s/c.MDB\",\"/b/bk.mdb\",\"2009\"\r\n";
    writeFile(dataPath(QStringLiteral("SYSMEM")), text);
    EXPECT_FALSE(app::readSysmem());
    const app::Module1& m = app::module1();
    EXPECT_EQ(m.filelich, QStringLiteral("/s/l.MDB"));
    EXPECT_EQ(m.filecongvan, QStringLiteral("/s/c.MDB"));
    EXPECT_EQ(m.filebackup, QStringLiteral("/b/bk.mdb"));
    EXPECT_EQ(m.namlamviec, QStringLiteral("2009"));
    EXPECT_EQ(readFile(dataPath(QStringLiteral("SYSMEM"))), text);
}

TEST_F(SysmemFileTest, DamagedFileIsRewrittenCorrectly)
{
    writeFile(dataPath(QStringLiteral("sysmem")), "\"/s/l.MDB\",\"/s/c.MDB\",\"/b/bk.mdb\",\"2k9\"");
    EXPECT_TRUE(app::readSysmem());
    EXPECT_EQ(app::module1().namlamviec, QStringLiteral("2012"));
    EXPECT_EQ(readFile(dataPath(QStringLiteral("sysmem"))), "\"/s/l.MDB\",\"/s/c.MDB\",\"/b/bk.mdb\",\"2012\"\r\n");
    // Read again, it is good now.
    EXPECT_FALSE(app::readSysmem());
}

TEST_F(SysmemFileTest, MissingFileGivesTheDefaultsWithoutWritingIt)
{
    EXPECT_FALSE(app::readSysmem());
    const app::Module1& m = app::module1();
    EXPECT_EQ(m.filelich, dataPath(QStringLiteral("vemolich.MDB")));
    EXPECT_EQ(m.filecongvan, dataPath(QStringLiteral("vemocv.MDB")));
    EXPECT_EQ(m.filebackup, QStringLiteral(" "));
    EXPECT_EQ(m.namlamviec, QStringLiteral("2012"));
    EXPECT_FALSE(sys::exists(dataPath(QStringLiteral("sysmem"))));
}

TEST_F(SysmemFileTest, WriteReplacesTheFileFromTheSharedState)
{
    writeFile(dataPath(QStringLiteral("sysmem")), "old and much longer contents than the new ones will be.......");
    sys::setReadOnly(dataPath(QStringLiteral("sysmem")), true);
    app::Module1& m = app::module1();
    m.filelich = QStringLiteral("/a/vemolich.MDB");
    m.filecongvan = QStringLiteral("/a/vemocv.MDB");
    m.filebackup = QStringLiteral(" ");
    m.namlamviec = QStringLiteral("2010");
    app::writeSysmem();
    EXPECT_EQ(readFile(dataPath(QStringLiteral("sysmem"))), "\"/a/vemolich.MDB\",\"/a/vemocv.MDB\",\" \",\"2010\"\r\n");
    m.thumucchuongtrinh = programFolder() + QStringLiteral("/gone"); // a missing folder raises
    EXPECT_THROW(app::writeSysmem(), sys::FileError);
}

TEST_F(SysmemFileTest, PathsInsideTheProgramFolderFollowACopiedFolder)
{
    app::Module1& m = app::module1();
    m.filelich = dataPath(QStringLiteral("vemolich.MDB"));
    m.filecongvan = dataPath(QStringLiteral("năm 2010/vemocv.MDB"));
    m.filebackup = QStringLiteral("/mnt/sao lưu/vemocv.mdb");
    m.namlamviec = QStringLiteral("2010");
    app::writeSysmem();
    const QString inside = QDir::toNativeSeparators(QStringLiteral("data/năm 2010/vemocv.MDB"));
    EXPECT_EQ(QString::fromUtf8(readFile(dataPath(QStringLiteral("sysmem")))),
              QStringLiteral("\"") + QDir::toNativeSeparators(QStringLiteral("data/vemolich.MDB")) +
                  QStringLiteral("\",\"") + inside + QStringLiteral("\",\"/mnt/sao lưu/vemocv.mdb\",\"2010\"\r\n"));

    // The program folder copied elsewhere reads its own files; the path outside stays.
    QTemporaryDir copy;
    ASSERT_TRUE(QDir(copy.path()).mkpath(QStringLiteral("data")));
    ASSERT_TRUE(QFile::copy(dataPath(QStringLiteral("sysmem")), copy.filePath(QStringLiteral("data/sysmem"))));
    app::setProgramFolder(copy.path());
    EXPECT_FALSE(app::readSysmem());
    EXPECT_EQ(m.filelich, QDir::toNativeSeparators(copy.filePath(QStringLiteral("data/vemolich.MDB"))));
    EXPECT_EQ(m.filecongvan, QDir::toNativeSeparators(copy.filePath(QStringLiteral("data/năm 2010/vemocv.MDB"))));
    EXPECT_EQ(m.filebackup, QStringLiteral("/mnt/sao lưu/vemocv.mdb"));
}

} // namespace
