#include "data_folder_fixture.h"

#include "app/core/settings_files.h"
#include "common/clock.h"
#include "platform/sys/file_ops.h"

namespace {

using testing_support::DataFolderTest;

const QString kProgram = QStringLiteral("/opt/selvaro");

// What a reading gives, as "schedule|letters|backup|year".
QString items(const app::Sysmem& s)
{
    return QStringList{s.schedulePath, s.lettersPath, s.backupPath, s.workingYear}.join(u'|');
}
QString items(const app::Module1& m)
{
    return items(app::Sysmem{m.schedulePath, m.lettersPath, m.backupPath, m.workingYear});
}

struct SysmemCase
{
    const char* name;
    const char* text;
    const char* items; // schedule|letters|backup|year
    bool repaired;
};

// clang-format off
const SysmemCase kSysmemCases[] = {
    {"WrittenByTheProgram", "\"/s/l.MDB\",\"/s/c.MDB\",\" \",\"2009\"\r\n", "/s/l.MDB|/s/c.MDB| |2009", false},
    {"LineFeedOnlyOrNoLineEnd", "\"/s/l.MDB\",\"/s/c.MDB\",\"/b/bk.mdb\",\"2009\"", "/s/l.MDB|/s/c.MDB|/b/bk.mdb|2009", false},
    {"ItemsOnSeparateLines", "\"/s/l.MDB\"\r\n\"/s/c.MDB\"\r\n\" \"\r\n\"2009\"\r\n", "/s/l.MDB|/s/c.MDB| |2009", false},
    {"CommaInsideQuotesBelongsToThePath", "\"/s/a,b/l.MDB\",\"/s/c.MDB\",\" \",\"2009\"\r\n", "/s/a,b/l.MDB|/s/c.MDB| |2009", false},
    {"VietnameseFolderNames", "\"/dữ liệu/l.MDB\",\"/công văn/c.MDB\",\" \",\"2009\"\r\n", "/dữ liệu/l.MDB|/công văn/c.MDB| |2009", false},
    {"EmptyFile", "", "/opt/selvaro/data/vemolich.MDB|/opt/selvaro/data/vemocv.MDB| |", true},
    {"TruncatedAfterTwoItems", "\"/s/l.MDB\",\"/s/c.MDB\"", "/s/l.MDB|/s/c.MDB| |", true},
    {"TruncatedInsideTheThirdItem", "\"/s/l.MDB\",\"/s/c.MDB\",\"/b/b", "/s/l.MDB|/s/c.MDB|/b/b|", true},
    {"EmptyYearIsLeftForTheYearCheck", "\"/s/l.MDB\",\"/s/c.MDB\",\" \",\"\"\r\n", "/s/l.MDB|/s/c.MDB| |", false},
    {"ExtraItemsIgnored", "\"/s/l.MDB\",\"/s/c.MDB\",\" \",\"2009\",\"x\",\"y\"\r\n", "/s/l.MDB|/s/c.MDB| |2009", true},
    {"UnquotedItems", "/s/l.MDB,/s/c.MDB, ,2009\r\n", "/s/l.MDB|/s/c.MDB| |2009", true},
    {"TextAfterAClosingQuote", "\"/s/l.MDB\"x,\"/s/c.MDB\",\" \",\"2009\"\r\n", "/s/l.MDB|/s/c.MDB| |2009", true},
    {"EmptyPathsTakeDefaults", "\"\",\"\",\"\",\"2009\"\r\n", "/opt/selvaro/data/vemolich.MDB|/opt/selvaro/data/vemocv.MDB| |2009", true},
    {"TwoDigitYear", "\"/s/l.MDB\",\"/s/c.MDB\",\" \",\"09\"\r\n", "/s/l.MDB|/s/c.MDB| |2011", true},
    {"YearWithALetter", "\"/s/l.MDB\",\"/s/c.MDB\",\" \",\"20O9\"\r\n", "/s/l.MDB|/s/c.MDB| |2011", true},
    {"FiveDigitYear", "\"/s/l.MDB\",\"/s/c.MDB\",\" \",\"20090\"\r\n", "/s/l.MDB|/s/c.MDB| |2011", true},
    {"YearWithBlanksIsTrimmed", "\"/s/l.MDB\",\"/s/c.MDB\",\" \",\" 2009 \"\r\n", "/s/l.MDB|/s/c.MDB| |2009", true},
};
// clang-format on

TEST(SysmemParse, ReadsItemsOrSafeDefaults)
{
    for (const SysmemCase& c : kSysmemCases) {
        const app::SysmemReading reading =
            app::parseSysmem(QString::fromUtf8(c.text), kProgram, QStringLiteral("2011"));
        EXPECT_EQ(items(reading.values), QString::fromUtf8(c.items)) << c.name;
        EXPECT_EQ(reading.repaired, c.repaired) << c.name;
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
    EXPECT_EQ(items(reading.values), items(values));
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
    EXPECT_EQ(items(m), QStringLiteral("/s/l.MDB|/s/c.MDB|/b/bk.mdb|2009"));
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
    EXPECT_EQ(items(app::module1()), dataPath(QStringLiteral("vemolich.MDB")) + u'|' +
                                         dataPath(QStringLiteral("vemocv.MDB")) + QStringLiteral("| |2012"));
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
    EXPECT_EQ(items(m), QDir::toNativeSeparators(copy.filePath(QStringLiteral("data/vemolich.MDB"))) + u'|' +
                            QDir::toNativeSeparators(copy.filePath(QStringLiteral("data/năm 2010/vemocv.MDB"))) +
                            QStringLiteral("|/mnt/sao lưu/vemocv.mdb|2010"));
    m.programFolder = programFolder() + QStringLiteral("/gone");
    EXPECT_THROW(app::writeSysmem(app::module1()), sys::FileError);
}

} // namespace
