// Importing damaged old files: the reader's crash or hang is the damaged-file message naming the
// table, nothing is half-written, and the summary tells what was and was not imported.
#include "../platform/jet/damaged_jet.h"
#include "datafiles/legacy_import.h"
#include "legacy_source_fixture.h"

namespace {

const QString kDamaged = u"File vừa chọn bị hỏng hoặc không còn đủ dữ liệu, không nhập được."_s;

class LegacyDamagedTest : public legacy_fixture::LegacyTargetTest
{
protected:
    void SetUp() override
    {
        LegacyTargetTest::SetUp();
        options.readerLimits.idleMs = 1500;
        options.readerLimits.memoryMb = 256;
    }
    datafiles::LegacyImportSummary import(const QString& path)
    {
        return datafiles::importLegacyFile(
            path, u"cv"_s, target, [](const QString&) { return true; }, {}, options);
    }
    QString outcomes(const datafiles::LegacyImportSummary& summary) const
    {
        QStringList list;
        for (const datafiles::LegacyTableReport& t : summary.tables)
            list << t.table + u":"_s + QString::number(static_cast<int>(t.outcome));
        return list.join(u' ');
    }

    datafiles::LegacyOptions options;
};

TEST_F(LegacyDamagedTest, AReaderCrashInAYearTableKeepsTheTablesBeforeAndTellsTheRest)
{
    const QString path =
        damaged_jet::write(dir.filePath(u"crash.mdb"_s), damaged_jet::emptyUsageMap(damaged_jet::yearTables()));
    const datafiles::LegacyImportSummary summary = import(path);
    EXPECT_EQ(summary.error, kDamaged + u"\r\nBảng đang đọc khi gặp lỗi: cvden2004."_s);
    EXPECT_EQ(outcomes(summary), u"cvden2003:0 cvden2004:5 cvden2005:7"_s); // imported, failed, not imported
    EXPECT_EQ(summary.tables.value(0).rows, 91);
    const QString message = summary.message(u"cv"_s);
    EXPECT_TRUE(message.contains(u"- cvden2003: 91 dòng."_s));
    EXPECT_TRUE(message.contains(u"- cvden2004: không nhập được, bảng giữ nguyên như trước."_s));
    EXPECT_TRUE(message.contains(u"- cvden2005: không nhập, việc nhập đã dừng ở một bảng trước."_s));
    EXPECT_TRUE(message.contains(u"Tổng cộng: 1 bảng, 91 dòng"_s));
    // What was read whole is written; the table the reader died in is not made at all.
    EXPECT_TRUE(target.hasTable(u"cvden2003"_s));
    EXPECT_FALSE(target.hasTable(u"cvden2004"_s));
    EXPECT_FALSE(target.hasTable(u"cvden2005"_s));
}

TEST_F(LegacyDamagedTest, ADamagedCatalogImportsNothingAndSaysWhy)
{
    const QByteArray years = damaged_jet::yearTables();
    // what, the file's bytes, the year tables the summary lists
    // The reader's own tests take every kind of damage; here a catalog read to no end and one read
    // in part.
    const std::tuple<const char*, QByteArray, QString> cases[] = {
        {"reader loops", damaged_jet::zeroPropertyRecord(years, 0), {}},
        {"catalog page lost", damaged_jet::zeroPage(years, damaged_jet::kCatalogPageLate),
         u"cvden2003:7 cvden2004:7 cvden2005:7"_s},
    };
    const QStringList tablesBefore = target.tableNames();
    for (const auto& [what, bytes, listed] : cases) {
        SCOPED_TRACE(what);
        const datafiles::LegacyImportSummary summary =
            import(damaged_jet::write(dir.filePath(u"damaged.mdb"_s), bytes));
        EXPECT_EQ(summary.error, kDamaged);
        EXPECT_EQ(outcomes(summary), listed);
        if (!listed.isEmpty()) {
            EXPECT_TRUE(
                summary.message(u"cv"_s).contains(u"- cvden2004: không nhập, danh sách bảng của file bị hỏng."_s));
        }
    }
    EXPECT_EQ(target.tableNames(), tablesBefore);
}

TEST_F(LegacyDamagedTest, ValuesNoEngineStoresAreRefusedByTableColumnAndRow)
{
    struct Case
    {
        const char* what;
        QVariant stt;       // the number of the letter
        bool readerRefuses; // the reader found a date out of range in the first row
        QString message;
    };
    const Case cases[] = {
        {"number too large for the column", 1e300, false,
         u"Bảng cvden2009, cột stt, dòng 1: số 1e+300 vượt quá giới hạn của cột, bảng này không nhập "
         "được."_s},
        {"date out of range", 1, true,
         u"Bảng cvden2009, cột ng_den, dòng 1: ngày không hợp lệ (ngoài khoảng năm 100 - 9999), bảng "
         "này không nhập được."_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        class Source : public legacy_fixture::FakeSource
        {
        public:
            bool refuses = false;
            QList<jet::Row> rows(const QString& t) const override
            {
                if (refuses)
                    throw jet::JetError(jet::JetError::Kind::BadValue, u"a date outside the years"_s, t, u"ng_den"_s,
                                        1);
                return FakeSource::rows(t);
            }
        } source;
        source.refuses = c.readerRefuses;
        source.add(u"cvden2009"_s,
                   {jet::Column{u"stt"_s, jet::ColumnType::Double, 8}, legacy_fixture::text("tt_ndung")},
                   {{c.stt, u"Nội dung"_s}});
        const datafiles::LegacyImportSummary summary = datafiles::importLegacySource(source, u"cv"_s, target, {}, {});
        EXPECT_EQ(summary.error, c.message);
        EXPECT_FALSE(target.hasTable(u"cvden2009"_s));
    }
}

} // namespace
