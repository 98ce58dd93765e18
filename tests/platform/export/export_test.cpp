#include "sheet_xml.h"

#include "platform/db/database.h"
#include "platform/export/csv_writer.h"
#include "platform/export/export_error.h"
#include "platform/export/recordset_table.h"
#include "platform/export/table_file.h"
#include "platform/export/xlsx_writer.h"

#include "files.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace exporting;

namespace {

const QString kLong = QString(2000, u'ệ');

Table letters()
{
    Table t;
    t.columns = {{QStringLiteral("Số đến"), ColumnKind::Number},
                 {QStringLiteral("Ngày đến"), ColumnKind::Date},
                 {QStringLiteral("Trích yếu nội dung"), ColumnKind::Text},
                 {QStringLiteral("Nơi gửi"), ColumnKind::Text}};
    t.rows = {{12, QDate(2026, 3, 5), QStringLiteral("Về việc \"Hội nghị\", tổng kết"), QVariant()},
              {13, QDateTime(QDate(2026, 3, 6), QTime(14, 30)), QStringLiteral("=1+1"), QStringLiteral("+84 912")},
              {QVariant(), QDate(1899, 12, 1), kLong, QStringLiteral("@x\ndòng hai")}};
    return t;
}

class ExportTest : public ::testing::Test
{
protected:
    QString path(const QString& name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
};

} // namespace

TEST_F(ExportTest, XlsxWritesTypedCellsFrozenHeadsAndFittedColumns)
{
    const QString file = path(QStringLiteral("cv.xlsx"));
    Table t = letters();
    t.rows.append(
        {QStringLiteral("12a"), QStringLiteral("07/03/2026"), QVariant(), QVariant()}); // as registers keep dates
    t.rows.append({QVariant(), QStringLiteral("31/02/2026"), QVariant(), QVariant()});
    saveTable(t, file, Format::Xlsx);
    const QString sheet = test::zipMember(file, QStringLiteral("xl/worksheets/sheet1.xml"));
    const QString styles = test::zipMember(file, QStringLiteral("xl/styles.xml"));
    const QStringList strings = test::sharedStrings(test::zipMember(file, QStringLiteral("xl/sharedStrings.xml")));
    ASSERT_FALSE(sheet.isEmpty());

    EXPECT_TRUE(sheet.contains(QStringLiteral("ySplit=\"1\"")) && sheet.contains(QStringLiteral("state=\"frozen\"")));
    EXPECT_FALSE(sheet.contains(QStringLiteral("<f>")));
    EXPECT_EQ(test::stringCell(sheet, strings, QStringLiteral("B1")), QStringLiteral("Ngày đến"));
    // Numbers and dates are numeric cells; a date's style shows it dd/mm/yyyy.
    EXPECT_EQ(test::cellXml(sheet, QStringLiteral("A2")), QStringLiteral("<c r=\"A2\"><v>12</v></c>"));
    const QString date = test::cellXml(sheet, QStringLiteral("B2"));
    EXPECT_TRUE(date.contains(QStringLiteral("<v>46086</v>"))) << qPrintable(date); // 5 March 2026
    EXPECT_EQ(test::numberFormatOf(date, styles), QStringLiteral("dd/mm/yyyy"));
    EXPECT_EQ(test::numberFormatOf(test::cellXml(sheet, QStringLiteral("B3")), styles),
              QStringLiteral("dd/mm/yyyy hh:mm"));
    // Formula-like and other texts are string cells; a date before 1900 stays as its text.
    EXPECT_EQ(test::stringCell(sheet, strings, QStringLiteral("C3")), QStringLiteral("=1+1"));
    EXPECT_EQ(test::stringCell(sheet, strings, QStringLiteral("D3")), QStringLiteral("+84 912"));
    EXPECT_EQ(test::stringCell(sheet, strings, QStringLiteral("D4")), QStringLiteral("@x\ndòng hai"));
    EXPECT_EQ(test::stringCell(sheet, strings, QStringLiteral("C2")), QStringLiteral("Về việc \"Hội nghị\", tổng kết"));
    EXPECT_EQ(test::stringCell(sheet, strings, QStringLiteral("B4")), QStringLiteral("01/12/1899"));
    EXPECT_EQ(test::stringCell(sheet, strings, QStringLiteral("B6")), QStringLiteral("31/02/2026"));
    EXPECT_EQ(test::stringCell(sheet, strings, QStringLiteral("A5")), QStringLiteral("12a"));
    EXPECT_TRUE(test::cellXml(sheet, QStringLiteral("B5")).contains(QStringLiteral("<v>46088</v>")));
    EXPECT_EQ(test::numberFormatOf(test::cellXml(sheet, QStringLiteral("B5")), styles), QStringLiteral("dd/mm/yyyy"));
    EXPECT_EQ(test::stringCell(sheet, strings, QStringLiteral("C4")), kLong);
    // Empty values are blank cells, not written.
    EXPECT_TRUE(test::cellXml(sheet, QStringLiteral("D2")).isEmpty());
    EXPECT_TRUE(test::cellXml(sheet, QStringLiteral("A4")).isEmpty());
    // Widths fit the content within the cap; the long text and the two-line text wrap.
    EXPECT_TRUE(sheet.contains(QStringLiteral("<col min=\"1\" max=\"1\" width=\"8.7")));
    EXPECT_TRUE(sheet.contains(QStringLiteral("<col min=\"3\" max=\"3\" width=\"60.7")));
    const QString wrapStyle =
        QRegularExpression(QStringLiteral(" s=\"\\d+\"")).match(test::cellXml(sheet, QStringLiteral("C4"))).captured(0);
    EXPECT_FALSE(wrapStyle.isEmpty());
    EXPECT_TRUE(test::cellXml(sheet, QStringLiteral("D4")).contains(wrapStyle));
    EXPECT_FALSE(test::cellXml(sheet, QStringLiteral("C2")).contains(QStringLiteral(" s=\"")));
}

TEST_F(ExportTest, CsvIsUtf8WithBomQuotedAndGuardedAgainstFormulas)
{
    Table t = letters();
    t.rows.removeLast();
    t.rows.append({QVariant(), 3.5, QStringLiteral("-5"), QStringLiteral("a\r\nb")});
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    ASSERT_TRUE(writeCsv(t, out));
    const QByteArray expected = QStringLiteral("\uFEFFSố đến,Ngày đến,Trích yếu nội dung,Nơi gửi\r\n"
                                               "12,05/03/2026,\"Về việc \"\"Hội nghị\"\", tổng kết\",\r\n"
                                               "13,06/03/2026 14:30,'=1+1,'+84 912\r\n"
                                               ",3.5,'-5,\"a\r\nb\"\r\n")
                                    .toUtf8();
    EXPECT_EQ(out.data(), expected);
}

TEST_F(ExportTest, EmptyListsStillHaveTheirHeadsUnderAVietnameseName)
{
    Table t = letters();
    t.rows.clear();
    const QString xlsx = path(QStringLiteral("Sổ công văn đến.xlsx"));
    const QString csv = path(QStringLiteral("Sổ công văn đến.CSV"));
    saveTable(t, xlsx, formatOfPath(xlsx));
    saveTable(t, csv, formatOfPath(csv));
    const QString sheet = test::zipMember(xlsx, QStringLiteral("xl/worksheets/sheet1.xml"));
    EXPECT_FALSE(test::cellXml(sheet, QStringLiteral("D1")).isEmpty());
    EXPECT_FALSE(sheet.contains(QStringLiteral("<row r=\"2\"")));
    EXPECT_EQ(test::readFile(csv), QStringLiteral("\uFEFFSố đến,Ngày đến,Trích yếu nội dung,Nơi gửi\r\n").toUtf8());
}

TEST_F(ExportTest, RefusedOrStoppedSavesLeaveTheOldFile)
{
    struct Case
    {
        const char* name;
        const char* target;
        std::function<void(const QString& folder)> prepare;
        ExportError::Kind expected;
    };
    const auto readOnly = [](const QString& p) {
        QFile::setPermissions(p, QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadUser |
                                     QFileDevice::ExeUser);
    };
    const QList<Case> cases = {
        {"folder missing", "missing/cv.xlsx", [](const QString&) {}, ExportError::Kind::FolderNotWritable},
        {"folder read-only", "ro/cv.xlsx", [&](const QString& f) { readOnly(f); },
         ExportError::Kind::FolderNotWritable},
        {"open in LibreOffice", "lo/cv.csv",
         [](const QString& f) { test::writeFile(f + QStringLiteral("/.~lock.cv.csv#"), "x"); },
         ExportError::Kind::FileInUse},
        {"open in Office", "ms/cv.xlsx",
         [](const QString& f) { test::writeFile(f + QStringLiteral("/~$cv.xlsx"), "x"); },
         ExportError::Kind::FileInUse},
        {"file read-only", "rf/cv.xlsx", [&](const QString& f) { readOnly(f + QStringLiteral("/cv.xlsx")); },
         ExportError::Kind::FileReadOnly},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString target = path(QString::fromUtf8(c.target));
        const QString folder = QFileInfo(target).absolutePath();
        if (QLatin1String(c.target).startsWith(QLatin1String("missing")) == false) {
            QDir().mkpath(folder);
            ASSERT_TRUE(test::writeFile(target, "old"));
        }
        c.prepare(folder);
        try {
            saveTable(letters(), target, formatOfPath(target));
            ADD_FAILURE() << "saved";
        } catch (const ExportError& e) {
            EXPECT_EQ(e.kind(), c.expected);
            EXPECT_FALSE(userMessage(e).isEmpty());
        }
        if (QFileInfo::exists(folder)) {
            EXPECT_EQ(test::readFile(target), QByteArray("old"));
            const QStringList files = QDir(folder).entryList(QDir::Files | QDir::Hidden);
            EXPECT_EQ(std::count_if(files.begin(), files.end(), [](const QString& f) { return f.startsWith(u'c'); }),
                      1);
            QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        }
    }
}

TEST_F(ExportTest, StoppingHalfWayLeavesTheOldFile)
{
    Table t = letters();
    for (int i = 0; i < 3000; ++i)
        t.rows.append({i, QDate(2026, 1, 1), QStringLiteral("thư"), QVariant()});
    for (const QString& name : {QStringLiteral("cv.xlsx"), QStringLiteral("cv.csv")}) {
        SCOPED_TRACE(qPrintable(name));
        const QString target = path(name);
        ASSERT_TRUE(test::writeFile(target, "old"));
        try {
            saveTable(t, target, formatOfPath(target), [](qint64 done, qint64) { return done < 2000; });
            ADD_FAILURE() << "saved";
        } catch (const ExportError& e) {
            EXPECT_EQ(e.kind(), ExportError::Kind::Cancelled);
        }
        EXPECT_EQ(test::readFile(target), QByteArray("old"));
    }
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
}

TEST_F(ExportTest, ReadColumnsTakeTheirKindsFromTheFieldTypes)
{
    db::Database db = db::Database::create(path(QStringLiteral("t.mdb")), QStringLiteral("pw"));
    db::TableDef def;
    def.name = QStringLiteral("cvden");
    def.fields = {
        {QStringLiteral("stt"), db::FieldType::Long, 4},      {QStringLiteral("ng_den"), db::FieldType::Date, 8},
        {QStringLiteral("tt_ndung"), db::FieldType::Memo, 0}, {QStringLiteral("gia"), db::FieldType::Double, 8},
        {QStringLiteral("ng_cv"), db::FieldType::Text, 10},   {QStringLiteral("ng_cvchuan"), db::FieldType::Text, 8},
        {QStringLiteral("so_cv"), db::FieldType::Text, 10}};
    db.appendTableDef(def);
    db.execute(QStringLiteral("INSERT INTO cvden VALUES (7, #03/05/2026#, 'Về việc', 2.5, '04/03/2026', '20260304', "
                              "'01/02/2026')"));
    db.execute(QStringLiteral("INSERT INTO cvden (stt) VALUES (8)"));
    db::RowReader rows(db, QStringLiteral("cvden"));
    const Table t = tableFromRows(rows,
                                  {{QStringLiteral("Số"), QStringLiteral("STT")},
                                   {QStringLiteral("Ngày"), QStringLiteral("ng_den")},
                                   {QStringLiteral("Nội dung"), QStringLiteral("tt_ndung")},
                                   {QStringLiteral("Giá"), QStringLiteral("gia")},
                                   {QStringLiteral("Không có"), QStringLiteral("khongco")},
                                   {QStringLiteral("Ngày CV"), QStringLiteral("ng_cv")},
                                   {QStringLiteral("Số CV"), QStringLiteral("so_cv")}},
                                  2);
    ASSERT_EQ(t.columns.size(), 7);
    const QList<ColumnKind> kinds = {ColumnKind::Number, ColumnKind::Date, ColumnKind::Text, ColumnKind::Number,
                                     ColumnKind::Text,   ColumnKind::Date, ColumnKind::Text};
    for (int c = 0; c < 7; ++c)
        EXPECT_EQ(t.columns.at(c).kind, kinds.at(c)) << c;
    ASSERT_EQ(t.rows.size(), 2);
    EXPECT_EQ(t.rows.at(0), (QVariantList{7, QDateTime(QDate(2026, 3, 5), QTime(0, 0)), QStringLiteral("Về việc"), 2.5,
                                          QVariant(), QStringLiteral("04/03/2026"), QStringLiteral("01/02/2026")}));
    EXPECT_TRUE(t.rows.at(1).at(1).isNull());
}
