// Importing damaged old files: the reader's crash or hang is the damaged-file message naming the
// table, nothing is half-written, and the summary tells what was and was not imported.
#include "../platform/jet/damaged_jet.h"
#include "datafiles/legacy_import.h"
#include "legacy_source_fixture.h"

namespace {

using Outcome = datafiles::LegacyTableReport::Outcome;

const QString kDamaged = QStringLiteral("File vừa chọn bị hỏng hoặc không còn đủ dữ liệu, không nhập được.");

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
            path, QStringLiteral("cv"), target, [](const QString&) { return true; }, {}, options);
    }
    QString outcomes(const datafiles::LegacyImportSummary& summary) const
    {
        QStringList list;
        for (const datafiles::LegacyTableReport& t : summary.tables)
            list << t.table + QStringLiteral(":") + QString::number(static_cast<int>(t.outcome));
        return list.join(QLatin1Char(' '));
    }

    datafiles::LegacyOptions options;
};

TEST_F(LegacyDamagedTest, AReaderCrashInAYearTableKeepsTheTablesBeforeAndTellsTheRest)
{
    const QString path = damaged_jet::write(dir.filePath(QStringLiteral("crash.mdb")),
                                            damaged_jet::emptyUsageMap(damaged_jet::yearTables()));
    const datafiles::LegacyImportSummary summary = import(path);
    EXPECT_EQ(summary.error, kDamaged + QStringLiteral("\r\nBảng đang đọc khi gặp lỗi: cvden2004."));
    ASSERT_EQ(summary.tables.size(), 3) << outcomes(summary).toStdString();
    EXPECT_EQ(summary.tables[0].outcome, Outcome::Imported);
    EXPECT_EQ(summary.tables[0].rows, 91);
    EXPECT_EQ(summary.tables[1].outcome, Outcome::Failed);
    EXPECT_EQ(summary.tables[2].outcome, Outcome::NotImported);
    const QString message = summary.message(QStringLiteral("cv"));
    EXPECT_TRUE(message.contains(QStringLiteral("- cvden2003: 91 dòng.")));
    EXPECT_TRUE(message.contains(QStringLiteral("- cvden2004: không nhập được, bảng giữ nguyên như trước.")));
    EXPECT_TRUE(message.contains(QStringLiteral("- cvden2005: không nhập, việc nhập đã dừng ở một bảng trước.")));
    EXPECT_TRUE(message.contains(QStringLiteral("Tổng cộng: 1 bảng, 91 dòng")));
    // What was read whole is written; the table the reader died in is not made at all.
    EXPECT_TRUE(target.hasTable(QStringLiteral("cvden2003")));
    EXPECT_FALSE(target.hasTable(QStringLiteral("cvden2004")));
    EXPECT_FALSE(target.hasTable(QStringLiteral("cvden2005")));
}

TEST_F(LegacyDamagedTest, ADamagedCatalogImportsNothingAndSaysWhy)
{
    const QByteArray years = damaged_jet::yearTables();
    struct Case
    {
        const char* what;
        QByteArray bytes;
        QString outcomes; // the year tables the summary lists
    };
    // The reader's own tests take every kind of damage; here a catalog read to no end and one read
    // in part.
    const Case cases[] = {
        {"reader loops", damaged_jet::zeroPropertyRecord(years, 0), {}},
        {"catalog page lost", damaged_jet::zeroPage(years, damaged_jet::kCatalogPageLate),
         QStringLiteral("cvden2003:7 cvden2004:7 cvden2005:7")},
    };
    const QStringList tablesBefore = target.tableNames();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const datafiles::LegacyImportSummary summary =
            import(damaged_jet::write(dir.filePath(QStringLiteral("damaged.mdb")), c.bytes));
        EXPECT_EQ(summary.error, kDamaged);
        EXPECT_EQ(outcomes(summary), c.outcomes);
        if (!c.outcomes.isEmpty()) {
            EXPECT_TRUE(summary.message(QStringLiteral("cv"))
                            .contains(QStringLiteral("- cvden2004: không nhập, danh sách bảng của file bị hỏng.")));
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
         QStringLiteral("Bảng cvden2009, cột stt, dòng 1: số 1e+300 vượt quá giới hạn của cột, bảng này không nhập "
                        "được.")},
        {"date out of range", 1, true,
         QStringLiteral("Bảng cvden2009, cột ng_den, dòng 1: ngày không hợp lệ (ngoài khoảng năm 100 - 9999), bảng "
                        "này không nhập được.")},
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
                    throw jet::JetError(jet::JetError::Kind::BadValue, QStringLiteral("a date outside the years"), t,
                                        QStringLiteral("ng_den"), 1);
                return FakeSource::rows(t);
            }
        } source;
        source.refuses = c.readerRefuses;
        source.add(QStringLiteral("cvden2009"),
                   {jet::Column{QStringLiteral("stt"), jet::ColumnType::Double, 8}, legacy_fixture::text("tt_ndung")},
                   {{c.stt, QStringLiteral("Nội dung")}});
        const datafiles::LegacyImportSummary summary =
            datafiles::importLegacySource(source, QStringLiteral("cv"), target, {}, {});
        EXPECT_EQ(summary.error, c.message);
        EXPECT_FALSE(target.hasTable(QStringLiteral("cvden2009")));
    }
}

} // namespace
