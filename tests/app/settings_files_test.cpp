#include "data_folder_fixture.h"

#include "app/core/settings_files.h"
#include "platform/sys/file_ops.h"

namespace {

using testing_support::DataFolderTest;

const QString kProgram = u"/opt/selvaro"_s;

// What a reading gives, as "schedule|letters|backup|year".
QString items(const app::Sysmem& s)
{
    return QStringList{s.schedulePath, s.lettersPath, s.backupPath, s.workingYear}.join(u'|');
}
QString items(const app::Module1& m)
{
    return items(app::Sysmem{m.schedulePath, m.lettersPath, m.backupPath, m.workingYear});
}

// The case, the file's text, what is read as "schedule|letters|backup|year", and whether the file
// is rewritten.
// clang-format off
const std::tuple<const char*, const char*, const char*, bool> kSysmemCases[] = {
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

TEST(SysmemParse, ReadsItemsOrSafeDefaultsAndWhatIsWritten)
{
    for (const auto& [name, text, expected, repaired] : kSysmemCases) {
        const app::SysmemReading reading = app::parseSysmem(QString::fromUtf8(text), kProgram, u"2011"_s);
        EXPECT_EQ(items(reading.values), QString::fromUtf8(expected)) << name;
        EXPECT_EQ(reading.repaired, repaired) << name;
    }
    // What is written reads back unchanged (the written text itself: the file tests below).
    const app::Sysmem values{u"/Tài liệu/lịch, 2009/vemolich.MDB"_s, u"/mnt/share/vemocv.MDB"_s,
                             u"/mnt/backup/sao lưu.mdb"_s, u"2010"_s};
    const app::SysmemReading reading = app::parseSysmem(app::formatSysmem(values), kProgram, u"2011"_s);
    EXPECT_FALSE(reading.repaired);
    EXPECT_EQ(items(reading.values), items(values));
}

// A missing file gives the defaults without being written; a good file is read (its name in any
// letter case) and left alone; a damaged one is rewritten correctly and reads as good afterwards.
// Writing replaces a longer, read-only file from the shared state; paths inside the program folder
// are written relative to it and follow a copied folder, a path outside stays; a missing program
// folder raises.
TEST_F(DataFolderTest, SysmemFileIsReadWithDefaultsRepairedWhenDamagedAndWrittenRelativeToTheFolder)
{
    EXPECT_FALSE(app::readSysmem(app::module1()));
    EXPECT_EQ(items(app::module1()), dataPath(u"vemolich.MDB"_s) + u'|' + dataPath(u"vemocv.MDB"_s) + u"| |2012"_s);
    EXPECT_FALSE(sys::exists(dataPath(u"sysmem"_s)));

    const QByteArray text = "\"/s/l.MDB\",\"/s/c.MDB\",\"/b/bk.mdb\",\"2009\"\r\n";
    writeFile(dataPath(u"SYSMEM"_s), text);
    EXPECT_FALSE(app::readSysmem(app::module1()));
    app::Module1& m = app::module1();
    EXPECT_EQ(items(m), u"/s/l.MDB|/s/c.MDB|/b/bk.mdb|2009"_s);
    EXPECT_EQ(readFile(dataPath(u"SYSMEM"_s)), text);

    writeFile(dataPath(u"SYSMEM"_s), "\"/s/l.MDB\",\"/s/c.MDB\",\"/b/bk.mdb\",\"2k9\"");
    EXPECT_TRUE(app::readSysmem(app::module1()));
    EXPECT_EQ(m.workingYear, u"2012"_s);
    EXPECT_EQ(readFile(dataPath(u"SYSMEM"_s)), "\"/s/l.MDB\",\"/s/c.MDB\",\"/b/bk.mdb\",\"2012\"\r\n");
    EXPECT_FALSE(app::readSysmem(app::module1()));

    ASSERT_TRUE(QFile::remove(dataPath(u"SYSMEM"_s)));
    writeFile(dataPath(u"sysmem"_s), "old and much longer contents than the new ones will be.......");
    sys::setReadOnly(dataPath(u"sysmem"_s), true);
    m.schedulePath = dataPath(u"vemolich.MDB"_s);
    m.lettersPath = dataPath(u"năm 2010/vemocv.MDB"_s);
    m.backupPath = u"/mnt/sao lưu/vemocv.mdb"_s;
    m.workingYear = u"2010"_s;
    app::writeSysmem(app::module1());
    const QString inside = QDir::toNativeSeparators(u"data/năm 2010/vemocv.MDB"_s);
    EXPECT_EQ(QString::fromUtf8(readFile(dataPath(u"sysmem"_s))),
              u"\""_s + QDir::toNativeSeparators(u"data/vemolich.MDB"_s) + u"\",\""_s + inside +
                  u"\",\"/mnt/sao lưu/vemocv.mdb\",\"2010\"\r\n"_s);

    QTemporaryDir copy;
    ASSERT_TRUE(QDir(copy.path()).mkpath(u"data"_s));
    ASSERT_TRUE(QFile::copy(dataPath(u"sysmem"_s), copy.filePath(u"data/sysmem"_s)));
    app::setProgramFolder(app::module1(), copy.path());
    EXPECT_FALSE(app::readSysmem(app::module1()));
    EXPECT_EQ(items(m), QDir::toNativeSeparators(copy.filePath(u"data/vemolich.MDB"_s)) + u'|' +
                            QDir::toNativeSeparators(copy.filePath(u"data/năm 2010/vemocv.MDB"_s)) +
                            u"|/mnt/sao lưu/vemocv.mdb|2010"_s);
    m.programFolder = programFolder() + u"/gone"_s;
    EXPECT_THROW(app::writeSysmem(app::module1()), sys::FileError);
}

} // namespace
