#include "files.h"
#include "legacy_source_fixture.h"
#include "table_rows.h"

#include "common/sortkey.h"
#include "datafiles/legacy_import.h"
#include "datafiles/legacy_text.h"

namespace {

using namespace legacy_fixture;

// Names in Unicode that use only letters Windows-1252 also has.
const QStringList kCodePageNames = {u"Tây Ninh"_s, u"Phú Yên"_s, u"Gò Công"_s, u"Tân Châu"_s,
                                    u"Tân An"_s,   u"Cà Mau"_s,  u"Yên Bái"_s};

class LegacyImportTest : public LegacyTargetTest
{
protected:
    // The rows of table (criteria may follow its name) counted, or their columns in id order.
    int count(const QString& table) { return test::scalar(target, u"SELECT count(*) FROM "_s + table); }
    QStringList rows(const QString& table, const QString& columns) { return test::tableRows(target, table, columns); }

    datafiles::LegacyImportSummary run(const jet::Source& source, const QString& kind,
                                       datafiles::LegacyOptions options = {})
    {
        return datafiles::importLegacySource(
            source, kind, target,
            [this](const QString& q) {
                questions << q;
                return answer;
            },
            [this](const QString&, int done, int) { return cancelAt < 0 || done < cancelAt; }, options);
    }

    QStringList questions;
    bool answer = false;
    int cancelAt = -1;
};

TEST(LegacyText, DetectionRule)
{
    using datafiles::ColumnEncoding;
    const std::tuple<const char*, QStringList, ColumnEncoding> cases[] = {
        {"nothing", {}, ColumnEncoding::Plain},
        {"ASCII only", {"Cong van so 12", "UBND"}, ColumnEncoding::Plain},
        {"punctuation of the code page only", {u"“Trich” – …"_s}, ColumnEncoding::Plain},
        {"VN3 read through the code page", {asStored("Công văn số 12 về việc"), "12/UB"}, ColumnEncoding::Tcvn3},
        {"a sparse VN3 capital", {"12/UB", "13/UB", asStored("14/QĐ-UB")}, ColumnEncoding::Tcvn3},
        {"Unicode Vietnamese", {u"Công văn số 12"_s}, ColumnEncoding::Unicode},
        {"Unicode with code-page letters only but one outside", {u"Hà Nội"_s}, ColumnEncoding::Unicode},
        {"mostly signs", {u"90° ± 2°, ×"_s}, ColumnEncoding::Unicode},
        {"Unicode with only letters the code page has", kCodePageNames, ColumnEncoding::Unicode},
        {"Unicode with only letters that are also VN3 codes", {u"Tây Ninh"_s, u"Phú Yên"_s}, ColumnEncoding::Unicode},
        {"VN3 with one unassigned byte in many letters",
         {asStored("Công văn số 12 về việc tổ chức hội nghị"), u"Cà"_s},
         ColumnEncoding::Tcvn3},
    };
    for (const auto& [what, values, expected] : cases)
        EXPECT_EQ(datafiles::detectColumnEncoding(values), expected) << what;
}

TEST(LegacyText, DecodesTheRepertoireAndRefusesWhatVn3CannotHold)
{
    bool ok = false;
    EXPECT_EQ(datafiles::tcvn3FromWindows1252(asStored(kRepertoire), &ok), kRepertoire);
    EXPECT_TRUE(ok);
    EXPECT_EQ(datafiles::tcvn3FromWindows1252(u"C\u00ABng v\u00A8n"_s, &ok), u"Công văn"_s);
    for (const auto& [text, firstBad] : {std::pair{u"Cà"_s, 1}, {u"Hà Nội"_s, 1}, {u"ab°"_s, 2}}) {
        int bad = -1;
        EXPECT_EQ(datafiles::tcvn3FromWindows1252(text, &ok, &bad), QString());
        EXPECT_FALSE(ok) << text.toStdString();
        EXPECT_EQ(bad, firstBad) << text.toStdString();
    }
}

TEST_F(LegacyImportTest, AYearOfLettersArrivesInUnicodeWithItsKeysAndIsFoundBySearch)
{
    FakeSource source;
    addIncomingYear(source, "cvden2007");
    source.add("cvdi2007", {number("id"), text("so_cv")});                      // empty
    source.add("cvden1899", {number("id")}, {{qint64(1)}});                     // out of range
    source.add("cvdenmau", {number("id")}, {{qint64(1)}});                      // the old template: not a year
    source.add("noigui", {number("id"), text("tendonvi")}, {{qint64(1), "x"}}); // other kind

    const datafiles::LegacyImportSummary summary = run(source, "cv");
    ASSERT_TRUE(summary.error.isEmpty()) << summary.error.toStdString();
    EXPECT_EQ(summary.tablesWritten(), 1);
    EXPECT_EQ(summary.rows(), 3);
    ASSERT_EQ(summary.tables.size(), 3);
    EXPECT_EQ(summary.tables[0].droppedColumns, QStringList{"ghichu_cu"});
    EXPECT_EQ(summary.tables[0].textsConverted, 3 * 4); // noigui, so_cv, dv_nhan, tt_ndung of each row
    EXPECT_EQ(summary.tables[1].outcome, datafiles::LegacyTableReport::Outcome::Empty);
    EXPECT_EQ(summary.tables[2].outcome, datafiles::LegacyTableReport::Outcome::YearOutOfRange);
    EXPECT_TRUE(questions.isEmpty());
    const QString message = summary.message("cv");
    EXPECT_TRUE(message.startsWith(u"(căn trái)Đã nhập xong dữ liệu công văn cũ!"_s)) << message.toStdString();
    EXPECT_TRUE(message.contains(u"ghichu_cu"_s));
    EXPECT_TRUE(message.contains(u"cvden1899"_s));

    const QStringList stored = rows("cvden2007", "stt, tt_ndung, noigui, so_cv, dv_nhan, ng_denchuan, ng_cvchuan");
    ASSERT_EQ(stored.size(), 3);
    EXPECT_EQ(stored[0],
              u"1|Về việc "_s + kRepertoire + u"|Sở Nội vụ|1/QĐ-UB|Phòng Tổ chức, Văn phòng|20070302|20070228"_s)
        << "rows go in by their old id";
    EXPECT_EQ(stored[2].section(u'|', 5, 5), u"20070304"_s);

    // A Vietnamese search finds the letters, in any letter case, by a date range on the new keys.
    EXPECT_EQ(count(u"cvden2007 WHERE tt_ndung Like '*VỀ VIỆC*'"_s), 1);
    EXPECT_EQ(count(u"cvden2007 WHERE noigui Like '*nội vụ*'"_s), 3);
    EXPECT_EQ(count("cvden2007 WHERE ng_denchuan between '20070301' and '20070303'"), 2);

    // The same file again asks; "no" keeps the table as it is.
    target.execute("UPDATE cvden2007 SET chonin = 'X' WHERE stt = 2");
    datafiles::LegacyImportSummary again = run(source, "cv");
    ASSERT_EQ(questions.size(), 1);
    EXPECT_EQ(questions[0], u"Bảng công văn đến năm 2007 trong file dữ liệu vừa chọn đã được nhập một "
                            "lần. \r\nCó muốn xoá dữ liệu hiện có và nhập lại bảng này không?"_s);
    EXPECT_EQ(again.tables[0].outcome, datafiles::LegacyTableReport::Outcome::KeptAsItWas);
    EXPECT_EQ(count("cvden2007 WHERE chonin = 'X'"), 1);

    // "Yes" replaces it.
    answer = true;
    again = run(source, "cv");
    EXPECT_EQ(questions.size(), 2);
    EXPECT_EQ(again.tables[0].outcome, datafiles::LegacyTableReport::Outcome::Imported);
    EXPECT_EQ(count("cvden2007"), 3) << "replaced, not doubled";
    EXPECT_EQ(count("cvden2007 WHERE chonin = 'X'"), 0);

    // The user can take the whole file as Unicode: its texts kept as read.
    FakeSource unicode;
    addIncomingYear(unicode, "cvden2006", 1);
    EXPECT_EQ(run(unicode, "cv", {datafiles::LegacyEncoding::Unicode, {}}).textsConverted(), 0);
    EXPECT_EQ(rows("cvden2006", "noigui, ng_denchuan"), QStringList{asStored(u"Sở Nội vụ"_s) + u"|20070302"_s});
}

TEST_F(LegacyImportTest, CancelOrErrorLeavesTheTableAsItWas)
{
    struct Case
    {
        const char* what;
        int cancelAt;
        datafiles::LegacyEncoding encoding;
        QString badText; // put into the last row's summary
        bool tableBefore;
    };
    const Case cases[] = {
        {"cancel in a new table", 200, datafiles::LegacyEncoding::Detect, {}, false},
        {"cancel while replacing", 400, datafiles::LegacyEncoding::Detect, {}, true},
        {"Unicode text forced as TCVN3", -1, datafiles::LegacyEncoding::Tcvn3, u"Hà Nội"_s, false},
        {"unassigned byte in a TCVN3 column", -1, datafiles::LegacyEncoding::Detect, u"Cà"_s, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (target.hasTable("cvden2008"))
            target.execute("drop table cvden2008");
        FakeSource source;
        addIncomingYear(source, "cvden2008", 500);
        if (c.tableBefore) {
            cancelAt = -1;
            answer = true;
            run(source, "cv");
            target.execute("UPDATE cvden2008 SET chonin = 'X'");
        }
        if (!c.badText.isEmpty())
            source.tables["cvden2008"].rows.last()[8] = c.badText;
        cancelAt = c.cancelAt;
        const datafiles::LegacyImportSummary summary = run(source, "cv", {c.encoding, {}});
        if (c.cancelAt >= 0) {
            EXPECT_TRUE(summary.cancelled);
            EXPECT_EQ(summary.tables.last().outcome, datafiles::LegacyTableReport::Outcome::Cancelled);
        } else {
            EXPECT_TRUE(summary.error.contains(u"cột tt_ndung, dòng 1:"_s)) << summary.error.toStdString();
            EXPECT_EQ(summary.tables.last().outcome, datafiles::LegacyTableReport::Outcome::Failed);
        }
        EXPECT_EQ(target.hasTable("cvden2008"), c.tableBefore);
        if (c.tableBefore) {
            EXPECT_EQ(count("cvden2008 WHERE chonin = 'X'"), 500);
        }
    }
}

TEST_F(LegacyImportTest, ReferenceListsMergeOnTheirKeysWithNewSortKeys)
{
    FakeSource source;
    source.add("loaicv", {number("ID"), text("loai"), text("chutat"), text("matt")},
               {{qint64(1), asStored("Công văn"), "CV", "old"},
                {qint64(2), asStored("Tờ khai"), "TK", "old"},
                {qint64(3), asStored("Tờ khai"), "TK", "old"}});
    source.add("bophan", {number("id"), text("donvi"), text("phong"), text("matt"), text("cu")},
               {{qint64(1), asStored("Sở A"), asStored("Phòng Tổ chức"), "old", "x"},
                {qint64(2), asStored("Sở B"), asStored("Phòng Tổ chức"), "old", "y"}});
    source.add("nguoidung", {number("ID"), text("hoten"), text("matkhau"), text("quyenhan")},
               {{qint64(1), asStored("Nguyễn Văn An"), "abc123", "CB"}});
    source.add("cvden2007", {number("id")}, {{qint64(1)}}); // not a reference list
    // Unicode names that use only letters the code page has arrive as they are.
    QList<jet::Row> senders;
    for (int i = 0; i < kCodePageNames.size(); ++i)
        senders.append({qint64(i + 1), kCodePageNames[i]});
    source.add("noigui", {number("ID"), text("tendonvi")}, senders);
    // A list with a text VN3 cannot hold is left out; the others are merged.
    source.add(
        "donvi", {number("ID"), text("tendonvi")},
        {{qint64(1), asStored("Uỷ ban nhân dân tỉnh Hà Tĩnh, Sở Tài nguyên và Môi trường")}, {qint64(2), u"Cà Mau"_s}});

    const int typesBefore = count("loaicv");
    datafiles::LegacyImportSummary summary = run(source, "tk");
    ASSERT_TRUE(summary.error.isEmpty()) << summary.error.toStdString();
    ASSERT_EQ(summary.tables.size(), 5);
    EXPECT_EQ(summary.tables[0].outcome, datafiles::LegacyTableReport::Outcome::Failed);
    EXPECT_TRUE(summary.message("tk").contains(u"cột tendonvi, dòng 2"_s));
    EXPECT_EQ(count("donvi"), 0);
    EXPECT_EQ(summary.tables[1].table, "bophan");
    EXPECT_EQ(summary.tables[1].rows, 2) << "the same department under another unit is added";
    EXPECT_EQ(summary.tables[1].droppedColumns, QStringList{"cu"});
    EXPECT_EQ(summary.tables[2].outcome, datafiles::LegacyTableReport::Outcome::Merged);
    EXPECT_EQ(summary.tables[2].textsConverted, 0);
    EXPECT_EQ(rows("noigui", "tendonvi"), kCodePageNames);
    EXPECT_EQ(summary.tables[3].table, "loaicv");
    EXPECT_EQ(summary.tables[3].rows, 1) << "Công văn is there already; Tờ khai comes once";
    EXPECT_EQ(count("loaicv"), typesBefore + 1);
    EXPECT_EQ(rows(u"loaicv WHERE loai = 'Tờ khai'"_s, "matt"), QStringList{common::sortKey(u"Tờ khai"_s)});
    EXPECT_EQ(rows(u"bophan WHERE phong = 'Phòng Tổ chức'"_s, "matt").value(0), common::sortKey(u"Phòng Tổ chức"_s));
    EXPECT_EQ(rows(u"nguoidung WHERE hoten = 'Nguyễn Văn An'"_s, "matkhau"), QStringList{"abc123"})
        << "clear text stays for the login to upgrade";

    summary = run(source, "tk");
    EXPECT_EQ(summary.rows(), 0) << "merging twice adds nothing";
}

TEST_F(LegacyImportTest, BadFilesGiveAMessageAndWriteNothing)
{
    const QString nwind = QStringLiteral(SELVARO_TEST_DATA_DIR "/jet/nwind-jet3.mdb");
    ASSERT_TRUE(test::writeFile(dir.filePath("cut.mdb"), test::readFile(nwind).left(60000)));
    ASSERT_TRUE(test::writeFile(dir.filePath("notes.mdb"), "not a database\n"));

    // file, kind, message
    const std::tuple<QString, QString, QString> cases[] = {
        {dir.filePath("notes.mdb"), "cv", u"File vừa chọn không phải là file dữ liệu (.mdb), không nhập được."_s},
        {target.path(), "cv",
         u"File vừa chọn là file dữ liệu của chương trình này, không phải file dữ liệu cũ (Jet)."_s},
        {dir.filePath("cut.mdb"), "cv", u"File vừa chọn bị hỏng hoặc không còn đủ dữ liệu, không nhập được."_s},
        {nwind, "lich", u"File vừa chọn không có bảng dữ liệu nào cần nhập."_s},
        {nwind, "tk", u"File vừa chọn không có bảng dữ liệu nào cần nhập."_s},
        {dir.filePath("missing.mdb"), "cv", u"File vừa chọn bị lỗi không dùng được."_s},
    };
    const QStringList tablesBefore = target.tableNames();
    for (const auto& [path, kind, message] : cases) {
        const datafiles::LegacyImportSummary summary =
            datafiles::importLegacyFile(path, kind, target, [](const QString&) { return true; }, {});
        EXPECT_EQ(summary.error, message) << path.toStdString();
        EXPECT_EQ(summary.message(kind), message);
    }
    EXPECT_EQ(target.tableNames(), tablesBefore);
}

} // namespace
