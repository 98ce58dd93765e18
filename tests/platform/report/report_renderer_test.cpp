// Laying reports out on pages, checked through the text of the PDF they produce.
#include "pdf_text.h"
#include "platform/report/prepared_report.h"
#include "platform/report/report_error.h"
#include "platform/report/report_output.h"
#include "platform/report/report_renderer.h"

#include <QPdfWriter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace report;

namespace {

const QString threeColumns = uR"([report]
source = t
page_number = Trang {{page}}/{{pages}}
[columns]
a | Cột thứ nhất | 1
b | Cột thứ hai | 3
c | Cột thứ ba | 1 | right
[heading]
<p>{{tencaptren}}</p><p><b>{{tendonvi}}</b></p><p align="center">{{lbltd1}}</p>
[closing]
<p>Tổng số: {{row_count}} dòng.</p>
)"_s;

ReportRow row(const QStringList& cells)
{
    ReportRow r;
    r.cells = cells;
    return r;
}

QList<ReportRow> numberedRows(int count)
{
    QList<ReportRow> rows;
    for (int i = 1; i <= count; ++i) {
        rows.append(row({u"R%1"_s.arg(i, 4, 10, QLatin1Char('0')),
                         u"Nội dung công việc số %1 của Phòng Tổ chức"_s.arg(i), QString::number(i * 7)}));
    }
    return rows;
}

class ReportRendering : public testing::Test
{
protected:
    PdfText render(const QString& rpt, QList<ReportRow> rows, const QList<Formula>& formulas = {})
    {
        const PreparedReport report =
            PreparedReport::make(ReportFile::parse(rpt, u"test.rpt"_s), std::move(rows), formulas);
        const QString path = m_dir.filePath(u"out.pdf"_s);
        m_pages = writePdf(report, path);
        PdfText text = PdfText::read(path);
        EXPECT_TRUE(text.error.isEmpty()) << text.error.toStdString();
        return text;
    }

    QTemporaryDir m_dir;
    int m_pages = 0;
};

TEST_F(ReportRendering, EveryRowOnceHeaderRowAndPageNumberOnEveryPageHeadingOnlyOnTheFirst)
{
    const QList<Formula> formulas{{u"tencaptren"_s, u"ĐẢNG ỦY KHỐI CƠ QUAN"_s},
                                  {u"tendonvi"_s, u"VĂN PHÒNG TỈNH ỦY"_s},
                                  {u"lbltd1"_s, u"(Những công văn được chọn)"_s}};
    const PdfText pdf = render(threeColumns, numberedRows(150), formulas);
    ASSERT_GE(pdf.pageCount(), 3);
    EXPECT_EQ(pdf.pageCount(), m_pages);
    for (int page = 0; page < pdf.pageCount(); ++page) {
        const QString& text = pdf.pages[page];
        EXPECT_TRUE(text.contains(u"Cột thứ nhất Cột thứ hai Cột thứ ba"_s)) << "page " << page + 1;
        EXPECT_TRUE(text.contains(u"Trang %1/%2"_s.arg(page + 1).arg(pdf.pageCount()))) << "page " << page + 1;
    }
    EXPECT_EQ(pdf.pagesContaining(u"VĂN PHÒNG TỈNH ỦY"_s), 1);
    for (const QString& part : {u"ĐẢNG ỦY KHỐI CƠ QUAN"_s, u"(Những công văn được chọn)"_s})
        EXPECT_TRUE(pdf.pages[0].contains(part)) << part.toStdString();
    EXPECT_TRUE(pdf.pages.back().contains(u"Tổng số: 150 dòng."_s));
    QStringList cells;
    for (const ReportRow& r : numberedRows(150))
        cells << r.cells.join(u' ');
    EXPECT_EQ(pdf.orderProblem(cells).toStdString(), "");
}

TEST_F(ReportRendering, TextsPrintExactlyAsGivenWithoutMarkup)
{
    const QString odd = u"Công ty \"A&B\" <b>không đậm</b> 'Sao Vàng' ễ ộ ợ Đức ẤP"_s;
    const PdfText pdf = render(threeColumns, {row({u"1"_s, odd, u"2"_s})}, {{u"tendonvi"_s, odd}});
    EXPECT_EQ(pdf.pagesContaining(odd), 1);
    EXPECT_EQ(pdf.all().count(normalisedText(odd)), 2); // in the heading and in the cell
}

TEST_F(ReportRendering, EmptyReportHasItsHeadingHeaderAndOnePage)
{
    const PdfText pdf = render(threeColumns, {}, {{u"tendonvi"_s, u"VĂN PHÒNG"_s}});
    ASSERT_EQ(pdf.pageCount(), 1);
    for (const QString& part :
         {u"VĂN PHÒNG"_s, u"Cột thứ nhất Cột thứ hai Cột thứ ba"_s, u"Tổng số: 0 dòng."_s, u"Trang 1/1"_s})
        EXPECT_TRUE(pdf.pages[0].contains(part)) << part.toStdString();
}

// Two rows of the same text (laid out once, shared) are each split and printed whole.
TEST_F(ReportRendering, RowTallerThanAPageIsSplitWithoutLosingAWord)
{
    QStringList words;
    for (int i = 1; i <= 1500; ++i)
        words.append(u"từ%1"_s.arg(i, 4, 10, QLatin1Char('0')));
    const ReportRow tall = row({u"dài"_s, words.join(u' '), u"cuối"_s});
    const PdfText pdf = render(threeColumns, {row({u"đầu"_s}), tall, tall, row({u"sau"_s})});
    ASSERT_GE(pdf.pageCount(), 3);
    EXPECT_EQ(pdf.orderProblem(words + words, false).toStdString(), "");
    for (int page = 0; page < pdf.pageCount(); ++page)
        EXPECT_TRUE(pdf.pages[page].contains(u"Cột thứ nhất"_s)) << "page " << page + 1;
    EXPECT_TRUE(pdf.pages.back().contains(u"sau"_s));
}

TEST_F(ReportRendering, CoverStandsAloneUnnumberedAndColumnNumbersRepeatUnderTheHeader)
{
    QString rpt = threeColumns;
    rpt.replace(u"[columns]"_s, u"column_numbers = yes\n[columns]"_s);
    rpt += u"[cover]\n<p align=\"center\">SỔ BÌA {{tendonvi}}</p>\n"_s;
    const PdfText pdf = render(rpt, numberedRows(150), {{u"tendonvi"_s, u"VĂN PHÒNG"_s}});
    ASSERT_GE(pdf.pageCount(), 4);
    EXPECT_EQ(pdf.pageCount(), m_pages);
    EXPECT_EQ(pdf.pages[0], u"SỔ BÌA VĂN PHÒNG"_s);
    const int numbered = pdf.pageCount() - 1;
    for (int page = 1; page < pdf.pageCount(); ++page) {
        const QString& text = pdf.pages[page];
        EXPECT_TRUE(text.contains(u"Cột thứ nhất Cột thứ hai Cột thứ ba (1) (2) (3) R"_s))
            << "page " << page + 1 << ": " << text.left(120).toStdString();
        EXPECT_TRUE(text.contains(u"Trang %1/%2"_s.arg(page).arg(numbered))) << "page " << page + 1;
    }
    EXPECT_EQ(pdf.pagesContaining(u"SỔ BÌA"_s), 1);
    EXPECT_EQ(pdf.all().count(u"R0150"_s), 1);
}

TEST_F(ReportRendering, KeepRowsPrintsARowTallerThanAPageSmallerOnOnePage)
{
    QStringList words;
    for (int i = 1; i <= 700; ++i)
        words.append(u"từ%1"_s.arg(i, 4, 10, QLatin1Char('0')));
    bool whole = false;
    auto pagesOfRow = [&](const QString& rpt) {
        const PdfText pdf = render(rpt, numberedRows(10) + QList<ReportRow>{row({u"dài"_s, words.join(u' ')})});
        whole = pdf.all().contains(words.join(u' ')); // every word, in order, uninterrupted
        QList<int> pages;
        for (int page = 0; page < pdf.pageCount(); ++page) {
            if (pdf.pages[page].contains(words.front()) || pdf.pages[page].contains(words.back()))
                pages.append(page);
        }
        return pages;
    };
    EXPECT_EQ(pagesOfRow(threeColumns).size(), 2); // split at the report's size
    QString keep = threeColumns;
    keep.replace(u"[columns]"_s, u"keep_rows = yes\n[columns]"_s);
    EXPECT_EQ(pagesOfRow(keep), QList<int>{1}); // whole, on the page after the short rows
    EXPECT_TRUE(whole);
}

TEST_F(ReportRendering, ClosingTooTallForTheLastPageGoesOnANewPageWithoutHeader)
{
    QString rpt = threeColumns;
    rpt.replace(u"<p>Tổng số: {{row_count}} dòng.</p>"_s,
                u"<p>Tổng số: {{row_count}} dòng.</p>"_s + u"<p>Ký tên</p>"_s.repeated(25));
    const PdfText pdf = render(rpt, numberedRows(25));
    ASSERT_GE(pdf.pageCount(), 2);
    const QString& last = pdf.pages.back();
    EXPECT_TRUE(last.startsWith(u"Tổng số: 25 dòng."_s)) << last.left(80).toStdString();
    EXPECT_FALSE(last.contains(u"Cột thứ nhất"_s));
    EXPECT_TRUE(last.contains(u"Trang %1/%1"_s.arg(pdf.pageCount())));
}

TEST_F(ReportRendering, GroupRowAboveEachGroupAndRepeatedOnTheNextPage)
{
    const QString rpt = uR"([report]
source = t
group = d
group_continued = (tiếp theo)
page_number = {{page}}
[columns]
a | Giờ | 1
b | Nội dung | 4
)"_s;
    QList<ReportRow> rows;
    for (int day = 1; day <= 3; ++day) {
        for (int i = 1; i <= 40; ++i) {
            ReportRow r = row({u"%1h%2"_s.arg(7 + i % 10).arg(i), u"Việc %1 ngày %2"_s.arg(i).arg(day)});
            r.startsGroup = i == 1;
            r.groupCaption = u"Thứ %1, ngày 0%1/01/2025"_s.arg(day + 1);
            rows.append(r);
        }
    }
    const PdfText pdf = render(rpt, rows);
    ASSERT_GE(pdf.pageCount(), 3);
    const QString all = pdf.all();
    for (int day = 1; day <= 3; ++day) {
        const QString caption = u"Thứ %1, ngày 0%1/01/2025"_s.arg(day + 1);
        const qsizetype at = all.indexOf(caption + u' ' + u"%1h1 Việc 1 ngày %2"_s.arg(8).arg(day));
        EXPECT_GE(at, 0) << "group row of day " << day << " not just above its first row";
    }
    // A page that begins inside a day repeats its caption, marked as continued.
    int continued = 0;
    for (int page = 1; page < pdf.pageCount(); ++page) {
        const QString& text = pdf.pages[page];
        const qsizetype header = text.indexOf(u"Giờ Nội dung"_s);
        ASSERT_GE(header, 0) << "page " << page + 1;
        const QString afterHeader = text.mid(header + 12).trimmed();
        if (afterHeader.startsWith(u"Thứ"_s) && afterHeader.contains(u"(tiếp theo)"_s))
            ++continued;
        else
            EXPECT_TRUE(afterHeader.startsWith(u"Thứ"_s)) << "page " << page + 1 << " starts without a day";
        EXPECT_TRUE(text.endsWith(QString::number(page + 1))) << "page number on page " << page + 1;
    }
    EXPECT_GE(continued, 1);
}

// Counting pages agrees with painting them. Margins given in points replace only those sides;
// margins leaving no room are refused.
TEST_F(ReportRendering, CountedPagesAndMarginsGivenInPoints)
{
    const ReportFile file = ReportFile::parse(threeColumns, u"t.rpt"_s);
    const PreparedReport report = PreparedReport::make(file, numberedRows(90), {}, QMarginsF(36, -1, -1, 72));
    QPdfWriter writer(m_dir.filePath(u"count.pdf"_s));
    writer.setPageLayout(report.pageLayout);
    const int counted = ReportRenderer(report).countPages(&writer);
    EXPECT_EQ(ReportRenderer(report).paint(&writer), counted);
    EXPECT_GE(counted, 2);

    const QMarginsF margins = report.pageLayout.margins(QPageLayout::Point);
    EXPECT_NEAR(margins.left(), 36, 0.01);
    EXPECT_NEAR(margins.top(), 12 * 72 / 25.4, 0.01);
    EXPECT_NEAR(margins.right(), 12 * 72 / 25.4, 0.01);
    EXPECT_NEAR(margins.bottom(), 72, 0.01);
    try {
        checkPageLayout(PreparedReport::make(file, {}, {}, QMarginsF(400, 10, 400, 10)));
        FAIL() << "accepted margins wider than the page";
    } catch (const ReportError& error) {
        EXPECT_EQ(error.code(), ReportErrorCode::BadPageLayout);
    }
}

TEST(ReportOutput, PdfIntoAMissingFolderFailsAndTheNextTakesTheFirstFreeNumber)
{
    QTemporaryDir dir;
    const PreparedReport report = PreparedReport::make(ReportFile::parse(threeColumns, u"t.rpt"_s), {}, {});
    const QString path = dir.filePath(u"khong/co/out.pdf"_s);
    try {
        writePdf(report, path);
        FAIL() << "wrote into a missing folder";
    } catch (const ReportError& error) {
        EXPECT_EQ(error.code(), ReportErrorCode::OutputFailed);
        EXPECT_TRUE(error.message().contains(path));
    }
    // The next PDF takes the first free number.
    EXPECT_EQ(nextPdfPath(dir.path(), u"brcvden"_s), dir.filePath(u"brcvden-001.pdf"_s));
    QFile(dir.filePath(u"brcvden-001.pdf"_s)).open(QIODevice::WriteOnly);
    QFile(dir.filePath(u"brcvden-002.pdf"_s)).open(QIODevice::WriteOnly);
    EXPECT_EQ(nextPdfPath(dir.path(), u"brcvden"_s), dir.filePath(u"brcvden-003.pdf"_s));
}

TEST(ReportFont, MissingFamilyFallsBackToOneWithVietnameseLetters)
{
    EXPECT_EQ(ReportRenderer::fontFamily(u"Liberation Serif"_s), u"Liberation Serif"_s);
    const QString fallback = ReportRenderer::fontFamily(u".VnTime"_s);
    EXPECT_TRUE(fallback == u"Liberation Serif"_s || fallback == u"Noto Serif"_s || fallback == u"Noto Sans"_s)
        << fallback.toStdString();
}

} // namespace
