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

using namespace Qt::StringLiterals;
using namespace exporting;

namespace {

const QString kLong = QString(2000, u'ệ');

Table letters()
{
    Table t;
    t.columns = {{u"Số đến"_s, ColumnKind::Number},
                 {u"Ngày đến"_s, ColumnKind::Date},
                 {u"Trích yếu nội dung"_s, ColumnKind::Text},
                 {u"Nơi gửi"_s, ColumnKind::Text}};
    t.rows = {{12, QDate(2026, 3, 5), u"Về việc \"Hội nghị\", tổng kết"_s, QVariant()},
              {13, QDateTime(QDate(2026, 3, 6), QTime(14, 30)), u"=1+1"_s, u"+84 912"_s},
              {QVariant(), QDate(1899, 12, 1), kLong, u"@x\ndòng hai"_s}};
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
    const QString file = path(u"cv.xlsx"_s);
    Table t = letters();
    t.rows.append({u"12a"_s, u"07/03/2026"_s, QVariant(), QVariant()}); // as registers keep dates
    t.rows.append({QVariant(), u"31/02/2026"_s, QVariant(), QVariant()});
    saveTable(t, file, Format::Xlsx);
    const QString sheet = test::zipMember(file, u"xl/worksheets/sheet1.xml"_s);
    const QString styles = test::zipMember(file, u"xl/styles.xml"_s);
    const QStringList strings = test::sharedStrings(test::zipMember(file, u"xl/sharedStrings.xml"_s));
    ASSERT_FALSE(sheet.isEmpty());

    EXPECT_TRUE(sheet.contains(u"ySplit=\"1\""_s) && sheet.contains(u"state=\"frozen\""_s));
    EXPECT_FALSE(sheet.contains(u"<f>"_s));
    EXPECT_EQ(test::stringCell(sheet, strings, u"B1"_s), u"Ngày đến"_s);
    // Numbers and dates are numeric cells; a date's style shows it dd/mm/yyyy.
    EXPECT_EQ(test::cellXml(sheet, u"A2"_s), u"<c r=\"A2\"><v>12</v></c>"_s);
    const QString date = test::cellXml(sheet, u"B2"_s);
    EXPECT_TRUE(date.contains(u"<v>46086</v>"_s)) << qPrintable(date); // 5 March 2026
    EXPECT_EQ(test::numberFormatOf(date, styles), u"dd/mm/yyyy"_s);
    EXPECT_EQ(test::numberFormatOf(test::cellXml(sheet, u"B3"_s), styles), u"dd/mm/yyyy hh:mm"_s);
    // Formula-like and other texts are string cells; a date before 1900 stays as its text.
    QStringList texts;
    for (const QString& ref : {u"C3"_s, u"D3"_s, u"D4"_s, u"C2"_s, u"B4"_s, u"B6"_s, u"A5"_s})
        texts << test::stringCell(sheet, strings, ref);
    EXPECT_EQ(texts, (QStringList{u"=1+1"_s, u"+84 912"_s, u"@x\ndòng hai"_s, u"Về việc \"Hội nghị\", tổng kết"_s,
                                  u"01/12/1899"_s, u"31/02/2026"_s, u"12a"_s}));
    EXPECT_TRUE(test::cellXml(sheet, u"B5"_s).contains(u"<v>46088</v>"_s));
    EXPECT_EQ(test::numberFormatOf(test::cellXml(sheet, u"B5"_s), styles), u"dd/mm/yyyy"_s);
    EXPECT_EQ(test::stringCell(sheet, strings, u"C4"_s), kLong);
    // Empty values are blank cells, not written.
    EXPECT_TRUE(test::cellXml(sheet, u"D2"_s).isEmpty());
    EXPECT_TRUE(test::cellXml(sheet, u"A4"_s).isEmpty());
    // Widths fit the content within the cap; the long text and the two-line text wrap.
    EXPECT_TRUE(sheet.contains(u"<col min=\"1\" max=\"1\" width=\"8.7"_s));
    EXPECT_TRUE(sheet.contains(u"<col min=\"3\" max=\"3\" width=\"60.7"_s));
    const QString wrapStyle = QRegularExpression(u" s=\"\\d+\""_s).match(test::cellXml(sheet, u"C4"_s)).captured(0);
    EXPECT_FALSE(wrapStyle.isEmpty());
    EXPECT_TRUE(test::cellXml(sheet, u"D4"_s).contains(wrapStyle));
    EXPECT_FALSE(test::cellXml(sheet, u"C2"_s).contains(u" s=\""_s));
}

TEST_F(ExportTest, CsvIsUtf8WithBomQuotedAndGuardedAgainstFormulas)
{
    Table t = letters();
    t.rows.removeLast();
    t.rows.append({QVariant(), 3.5, u"-5"_s, u"a\r\nb"_s});
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    ASSERT_TRUE(writeCsv(t, out));
    const QByteArray expected = u"\uFEFFSố đến,Ngày đến,Trích yếu nội dung,Nơi gửi\r\n"
                                "12,05/03/2026,\"Về việc \"\"Hội nghị\"\", tổng kết\",\r\n"
                                "13,06/03/2026 14:30,'=1+1,'+84 912\r\n"
                                ",3.5,'-5,\"a\r\nb\"\r\n"_s.toUtf8();
    EXPECT_EQ(out.data(), expected);
}

TEST_F(ExportTest, EmptyListsStillHaveTheirHeadsUnderAVietnameseName)
{
    Table t = letters();
    t.rows.clear();
    const QString xlsx = path(u"Sổ công văn đến.xlsx"_s);
    const QString csv = path(u"Sổ công văn đến.CSV"_s);
    saveTable(t, xlsx, formatOfPath(xlsx));
    saveTable(t, csv, formatOfPath(csv));
    const QString sheet = test::zipMember(xlsx, u"xl/worksheets/sheet1.xml"_s);
    EXPECT_FALSE(test::cellXml(sheet, u"D1"_s).isEmpty());
    EXPECT_FALSE(sheet.contains(u"<row r=\"2\""_s));
    EXPECT_EQ(test::readFile(csv), u"\uFEFFSố đến,Ngày đến,Trích yếu nội dung,Nơi gửi\r\n"_s.toUtf8());
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
        {"open in LibreOffice", "lo/cv.csv", [](const QString& f) { test::writeFile(f + u"/.~lock.cv.csv#"_s, "x"); },
         ExportError::Kind::FileInUse},
        {"open in Office", "ms/cv.xlsx", [](const QString& f) { test::writeFile(f + u"/~$cv.xlsx"_s, "x"); },
         ExportError::Kind::FileInUse},
        {"file read-only", "rf/cv.xlsx", [&](const QString& f) { readOnly(f + u"/cv.xlsx"_s); },
         ExportError::Kind::FileReadOnly},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString target = path(QString::fromUtf8(c.target));
        const QString folder = QFileInfo(target).absolutePath();
        if (!QByteArray(c.target).startsWith("missing")) {
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
        t.rows.append({i, QDate(2026, 1, 1), u"thư"_s, QVariant()});
    for (const QString& name : {u"cv.xlsx"_s, u"cv.csv"_s}) {
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
    db::Database db = db::Database::create(path(u"t.mdb"_s), u"pw"_s);
    db::TableDef def;
    def.name = u"cvden"_s;
    def.fields = {{u"stt"_s, db::FieldType::Long, 4},      {u"ng_den"_s, db::FieldType::Date, 8},
                  {u"tt_ndung"_s, db::FieldType::Memo, 0}, {u"gia"_s, db::FieldType::Double, 8},
                  {u"ng_cv"_s, db::FieldType::Text, 10},   {u"ng_cvchuan"_s, db::FieldType::Text, 8},
                  {u"so_cv"_s, db::FieldType::Text, 10}};
    db.appendTableDef(def);
    db.execute(u"INSERT INTO cvden VALUES (7, #03/05/2026#, 'Về việc', 2.5, '04/03/2026', '20260304', "
               "'01/02/2026')"_s);
    db.execute(u"INSERT INTO cvden (stt) VALUES (8)"_s);
    db::RowReader rows(db, u"cvden"_s);
    const Table t = tableFromRows(rows,
                                  {{u"Số"_s, u"STT"_s},
                                   {u"Ngày"_s, u"ng_den"_s},
                                   {u"Nội dung"_s, u"tt_ndung"_s},
                                   {u"Giá"_s, u"gia"_s},
                                   {u"Không có"_s, u"khongco"_s},
                                   {u"Ngày CV"_s, u"ng_cv"_s},
                                   {u"Số CV"_s, u"so_cv"_s}},
                                  2);
    QList<ColumnKind> kinds;
    for (const auto& column : t.columns)
        kinds << column.kind;
    EXPECT_EQ(kinds, (QList<ColumnKind>{ColumnKind::Number, ColumnKind::Date, ColumnKind::Text, ColumnKind::Number,
                                        ColumnKind::Text, ColumnKind::Date, ColumnKind::Text}));
    ASSERT_EQ(t.rows.size(), 2);
    EXPECT_EQ(t.rows.at(0), (QVariantList{7, QDateTime(QDate(2026, 3, 5), QTime(0, 0)), u"Về việc"_s, 2.5, QVariant(),
                                          u"04/03/2026"_s, u"01/02/2026"_s}));
    EXPECT_TRUE(t.rows.at(1).at(1).isNull());
}
