#include "data_folder_fixture.h"

#include "app/core/settings_files.h"
#include "common/clock.h"
#include "platform/sys/file_ops.h"

namespace {

using testing_support::DataFolderTest;

const QString kProgram = QStringLiteral("/opt/selvaro");

struct SysmemCase
{
    const char* name;
    const char* text;
    const char* schedulePath;
    const char* lettersPath;
    const char* backupPath;
    const char* workingYear;
    bool repaired;
};

// clang-format off
const SysmemCase kSysmemCases[] = {
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
               "/s/l.MDB", "/s/c.MDB", " ", "2009", true},
};
// clang-format on

TEST(SysmemParse, ReadsItemsOrSafeDefaults)
{
    for (const SysmemCase& c : kSysmemCases) {
        SCOPED_TRACE(c.name);
        const app::SysmemReading reading =
            app::parseSysmem(QString::fromUtf8(c.text), kProgram, QStringLiteral("2011"));
        EXPECT_EQ(reading.values.schedulePath, QString::fromUtf8(c.schedulePath));
        EXPECT_EQ(reading.values.lettersPath, QString::fromUtf8(c.lettersPath));
        EXPECT_EQ(reading.values.backupPath, QString::fromUtf8(c.backupPath));
        EXPECT_EQ(reading.values.workingYear, QString::fromUtf8(c.workingYear));
        EXPECT_EQ(reading.repaired, c.repaired);
    }
}

// What is written reads back unchanged (the written text itself: the file tests below).
TEST(Sysmem, WrittenFormReadsBackUnchanged)
{
    const app::Sysmem values{QStringLiteral("/Tài liệu/lịch, 2009/vemolich.MDB"),
                             QStringLiteral("/mnt/share/vemocv.MDB"), QStringLiteral("/mnt/backup/sao lưu.mdb"),
                             QStringLiteral("2010")};
    const app::SysmemReading reading = app::parseSysmem(app::formatSysmem(values), kProgram, QStringLiteral("2011"));
    EXPECT_FALSE(reading.repaired);
    EXPECT_EQ(reading.values.schedulePath, values.schedulePath);
    EXPECT_EQ(reading.values.lettersPath, values.lettersPath);
    EXPECT_EQ(reading.values.backupPath, values.backupPath);
    EXPECT_EQ(reading.values.workingYear, values.workingYear);
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

// A good file is read (its name in any letter case) and left alone; a damaged one is rewritten
// correctly and reads as good afterwards.
TEST_F(SysmemFileTest, GoodFileIsLeftAloneAndADamagedOneIsRewritten)
{
    const QByteArray text = "\"/s/l.MDB\",\"/s/c.MDB\",\"/b/bk.mdb\",\"2009\"\r\n";
    writeFile(dataPath(QStringLiteral("SYSMEM")), text);
    EXPECT_FALSE(app::readSysmem(app::module1()));
    const app::Module1& m = app::module1();
    EXPECT_EQ(m.schedulePath, QStringLiteral("/s/l.MDB"));
    EXPECT_EQ(m.lettersPath, QStringLiteral("/s/c.MDB"));
    EXPECT_EQ(m.backupPath, QStringLiteral("/b/bk.mdb"));
    EXPECT_EQ(m.workingYear, QStringLiteral("2009"));
    EXPECT_EQ(readFile(dataPath(QStringLiteral("SYSMEM"))), text);

    writeFile(dataPath(QStringLiteral("SYSMEM")), "\"/s/l.MDB\",\"/s/c.MDB\",\"/b/bk.mdb\",\"2k9\"");
    EXPECT_TRUE(app::readSysmem(app::module1()));
    EXPECT_EQ(m.workingYear, QStringLiteral("2012"));
    EXPECT_EQ(readFile(dataPath(QStringLiteral("SYSMEM"))), "\"/s/l.MDB\",\"/s/c.MDB\",\"/b/bk.mdb\",\"2012\"\r\n");
    EXPECT_FALSE(app::readSysmem(app::module1()));
}

TEST_F(SysmemFileTest, MissingFileGivesTheDefaultsWithoutWritingIt)
{
    EXPECT_FALSE(app::readSysmem(app::module1()));
    const app::Module1& m = app::module1();
    EXPECT_EQ(m.schedulePath, dataPath(QStringLiteral("vemolich.MDB")));
    EXPECT_EQ(m.lettersPath, dataPath(QStringLiteral("vemocv.MDB")));
    EXPECT_EQ(m.backupPath, QStringLiteral(" "));
    EXPECT_EQ(m.workingYear, QStringLiteral("2012"));
    EXPECT_FALSE(sys::exists(dataPath(QStringLiteral("sysmem"))));
}

// Writing replaces a longer, read-only file from the shared state; paths inside the program folder
// are written relative to it and follow a copied folder, a path outside stays; a missing program
// folder raises.
TEST_F(SysmemFileTest, WriteReplacesTheFileAndPathsInsideTheProgramFolderFollowACopy)
{
    writeFile(dataPath(QStringLiteral("sysmem")), "old and much longer contents than the new ones will be.......");
    sys::setReadOnly(dataPath(QStringLiteral("sysmem")), true);
    app::Module1& m = app::module1();
    m.schedulePath = dataPath(QStringLiteral("vemolich.MDB"));
    m.lettersPath = dataPath(QStringLiteral("năm 2010/vemocv.MDB"));
    m.backupPath = QStringLiteral("/mnt/sao lưu/vemocv.mdb");
    m.workingYear = QStringLiteral("2010");
    app::writeSysmem(app::module1());
    const QString inside = QDir::toNativeSeparators(QStringLiteral("data/năm 2010/vemocv.MDB"));
    EXPECT_EQ(QString::fromUtf8(readFile(dataPath(QStringLiteral("sysmem")))),
              QStringLiteral("\"") + QDir::toNativeSeparators(QStringLiteral("data/vemolich.MDB")) +
                  QStringLiteral("\",\"") + inside + QStringLiteral("\",\"/mnt/sao lưu/vemocv.mdb\",\"2010\"\r\n"));

    QTemporaryDir copy;
    ASSERT_TRUE(QDir(copy.path()).mkpath(QStringLiteral("data")));
    ASSERT_TRUE(QFile::copy(dataPath(QStringLiteral("sysmem")), copy.filePath(QStringLiteral("data/sysmem"))));
    app::setProgramFolder(app::module1(), copy.path());
    EXPECT_FALSE(app::readSysmem(app::module1()));
    EXPECT_EQ(m.schedulePath, QDir::toNativeSeparators(copy.filePath(QStringLiteral("data/vemolich.MDB"))));
    EXPECT_EQ(m.lettersPath, QDir::toNativeSeparators(copy.filePath(QStringLiteral("data/năm 2010/vemocv.MDB"))));
    EXPECT_EQ(m.backupPath, QStringLiteral("/mnt/sao lưu/vemocv.mdb"));
    m.programFolder = programFolder() + QStringLiteral("/gone");
    EXPECT_THROW(app::writeSysmem(app::module1()), sys::FileError);
}

} // namespace
