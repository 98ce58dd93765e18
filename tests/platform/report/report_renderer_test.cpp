// Laying reports out on pages, checked through the text of the PDF they produce.
#include "pdf_text.h"
#include "platform/report/prepared_report.h"
#include "platform/report/report_error.h"
#include "platform/report/report_output.h"
#include "platform/report/report_renderer.h"

#include <QPdfWriter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace report;

namespace {

const QString threeColumns = QStringLiteral(R"([report]
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
)");

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
        rows.append(row({QStringLiteral("R%1").arg(i, 4, 10, QLatin1Char('0')),
                         QStringLiteral("Nội dung công việc số %1 của Phòng Tổ chức").arg(i), QString::number(i * 7)}));
    }
    return rows;
}

class ReportRendering : public testing::Test
{
protected:
    PdfText render(const QString& rpt, QList<ReportRow> rows, const QList<Formula>& formulas = {})
    {
        const PreparedReport report =
            PreparedReport::make(ReportFile::parse(rpt, QStringLiteral("test.rpt")), std::move(rows), formulas);
        const QString path = m_dir.filePath(QStringLiteral("out.pdf"));
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
    const QList<Formula> formulas{{QStringLiteral("tencaptren"), QStringLiteral("ĐẢNG ỦY KHỐI CƠ QUAN")},
                                  {QStringLiteral("tendonvi"), QStringLiteral("VĂN PHÒNG TỈNH ỦY")},
                                  {QStringLiteral("lbltd1"), QStringLiteral("(Những công văn được chọn)")}};
    const PdfText pdf = render(threeColumns, numberedRows(150), formulas);
    ASSERT_GE(pdf.pageCount(), 3);
    EXPECT_EQ(pdf.pageCount(), m_pages);
    for (int page = 0; page < pdf.pageCount(); ++page) {
        const QString& text = pdf.pages[page];
        EXPECT_TRUE(text.contains(QStringLiteral("Cột thứ nhất Cột thứ hai Cột thứ ba"))) << "page " << page + 1;
        EXPECT_TRUE(text.contains(QStringLiteral("Trang %1/%2").arg(page + 1).arg(pdf.pageCount())))
            << "page " << page + 1;
    }
    EXPECT_EQ(pdf.pagesContaining(QStringLiteral("VĂN PHÒNG TỈNH ỦY")), 1);
    EXPECT_TRUE(pdf.pages[0].contains(QStringLiteral("ĐẢNG ỦY KHỐI CƠ QUAN")));
    EXPECT_TRUE(pdf.pages[0].contains(QStringLiteral("(Những công văn được chọn)")));
    EXPECT_TRUE(pdf.pages.back().contains(QStringLiteral("Tổng số: 150 dòng.")));
    const QString all = pdf.all(); // every row once, in order
    qsizetype last = -1;
    for (int i = 1; i <= 150; ++i) {
        const QString cells = QStringLiteral("R%1 Nội dung công việc số %2 của Phòng Tổ chức %3")
                                  .arg(i, 4, 10, QLatin1Char('0'))
                                  .arg(i)
                                  .arg(i * 7);
        const qsizetype at = all.indexOf(cells);
        ASSERT_GE(at, 0) << "row " << i;
        EXPECT_EQ(all.indexOf(cells, at + 1), -1) << "row " << i << " printed twice";
        EXPECT_GT(at, last) << "row " << i << " out of order";
        last = at;
    }
}

TEST_F(ReportRendering, TextsPrintExactlyAsGivenWithoutMarkup)
{
    const QString odd = QStringLiteral("Công ty \"A&B\" <b>không đậm</b> 'Sao Vàng' ễ ộ ợ Đức ẤP");
    const PdfText pdf = render(threeColumns, {row({QStringLiteral("1"), odd, QStringLiteral("2")})},
                               {{QStringLiteral("tendonvi"), odd}});
    EXPECT_EQ(pdf.pagesContaining(odd), 1);
    EXPECT_EQ(pdf.all().count(normalisedText(odd)), 2); // in the heading and in the cell
}

TEST_F(ReportRendering, EmptyReportHasItsHeadingHeaderAndOnePage)
{
    const PdfText pdf = render(threeColumns, {}, {{QStringLiteral("tendonvi"), QStringLiteral("VĂN PHÒNG")}});
    ASSERT_EQ(pdf.pageCount(), 1);
    EXPECT_TRUE(pdf.pages[0].contains(QStringLiteral("VĂN PHÒNG")));
    EXPECT_TRUE(pdf.pages[0].contains(QStringLiteral("Cột thứ nhất Cột thứ hai Cột thứ ba")));
    EXPECT_TRUE(pdf.pages[0].contains(QStringLiteral("Tổng số: 0 dòng.")));
    EXPECT_TRUE(pdf.pages[0].contains(QStringLiteral("Trang 1/1")));
}

TEST_F(ReportRendering, RowTallerThanAPageIsSplitWithoutLosingAWord)
{
    QStringList words;
    for (int i = 1; i <= 1500; ++i)
        words.append(QStringLiteral("từ%1").arg(i, 4, 10, QLatin1Char('0')));
    const PdfText pdf = render(threeColumns, {row({QStringLiteral("đầu")}),
                                              row({QStringLiteral("dài"), words.join(u' '), QStringLiteral("cuối")}),
                                              row({QStringLiteral("sau")})});
    ASSERT_GE(pdf.pageCount(), 2);
    const QString all = pdf.all();
    qsizetype last = -1;
    for (const QString& word : words) {
        const qsizetype at = all.indexOf(word);
        ASSERT_GT(at, last) << word.toStdString() << " missing or out of order";
        last = at;
    }
    for (int page = 0; page < pdf.pageCount(); ++page)
        EXPECT_TRUE(pdf.pages[page].contains(QStringLiteral("Cột thứ nhất"))) << "page " << page + 1;
    EXPECT_TRUE(pdf.pages.back().contains(QStringLiteral("sau")));
}

TEST_F(ReportRendering, CoverStandsAloneUnnumberedAndColumnNumbersRepeatUnderTheHeader)
{
    QString rpt = threeColumns;
    rpt.replace(QStringLiteral("[columns]"), QStringLiteral("column_numbers = yes\n[columns]"));
    rpt += QStringLiteral("[cover]\n<p align=\"center\">SỔ BÌA {{tendonvi}}</p>\n");
    const PdfText pdf = render(rpt, numberedRows(150), {{QStringLiteral("tendonvi"), QStringLiteral("VĂN PHÒNG")}});
    ASSERT_GE(pdf.pageCount(), 4);
    EXPECT_EQ(pdf.pageCount(), m_pages);
    EXPECT_EQ(pdf.pages[0], QStringLiteral("SỔ BÌA VĂN PHÒNG"));
    const int numbered = pdf.pageCount() - 1;
    for (int page = 1; page < pdf.pageCount(); ++page) {
        const QString& text = pdf.pages[page];
        EXPECT_TRUE(text.contains(QStringLiteral("Cột thứ nhất Cột thứ hai Cột thứ ba (1) (2) (3) R")))
            << "page " << page + 1 << ": " << text.left(120).toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("Trang %1/%2").arg(page).arg(numbered))) << "page " << page + 1;
    }
    EXPECT_EQ(pdf.pagesContaining(QStringLiteral("SỔ BÌA")), 1);
    EXPECT_EQ(pdf.all().count(QStringLiteral("R0150")), 1);
}

TEST_F(ReportRendering, KeepRowsPrintsARowTallerThanAPageSmallerOnOnePage)
{
    QStringList words;
    for (int i = 1; i <= 700; ++i)
        words.append(QStringLiteral("từ%1").arg(i, 4, 10, QLatin1Char('0')));
    bool whole = false;
    auto pagesOfRow = [&](const QString& rpt) {
        const PdfText pdf =
            render(rpt, numberedRows(10) + QList<ReportRow>{row({QStringLiteral("dài"), words.join(u' ')})});
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
    keep.replace(QStringLiteral("[columns]"), QStringLiteral("keep_rows = yes\n[columns]"));
    EXPECT_EQ(pagesOfRow(keep), QList<int>{1}); // whole, on the page after the short rows
    EXPECT_TRUE(whole);
}

TEST_F(ReportRendering, ClosingTooTallForTheLastPageGoesOnANewPageWithoutHeader)
{
    QString rpt = threeColumns;
    rpt.replace(QStringLiteral("<p>Tổng số: {{row_count}} dòng.</p>"),
                QStringLiteral("<p>Tổng số: {{row_count}} dòng.</p>") + QStringLiteral("<p>Ký tên</p>").repeated(25));
    const PdfText pdf = render(rpt, numberedRows(25));
    ASSERT_GE(pdf.pageCount(), 2);
    const QString& last = pdf.pages.back();
    EXPECT_TRUE(last.startsWith(QStringLiteral("Tổng số: 25 dòng."))) << last.left(80).toStdString();
    EXPECT_FALSE(last.contains(QStringLiteral("Cột thứ nhất")));
    EXPECT_TRUE(last.contains(QStringLiteral("Trang %1/%1").arg(pdf.pageCount())));
}

TEST_F(ReportRendering, GroupRowAboveEachGroupAndRepeatedOnTheNextPage)
{
    const QString rpt = QStringLiteral(R"([report]
source = t
group = d
group_continued = (tiếp theo)
page_number = {{page}}
[columns]
a | Giờ | 1
b | Nội dung | 4
)");
    QList<ReportRow> rows;
    for (int day = 1; day <= 3; ++day) {
        for (int i = 1; i <= 40; ++i) {
            ReportRow r = row(
                {QStringLiteral("%1h%2").arg(7 + i % 10).arg(i), QStringLiteral("Việc %1 ngày %2").arg(i).arg(day)});
            r.startsGroup = i == 1;
            r.groupCaption = QStringLiteral("Thứ %1, ngày 0%1/01/2025").arg(day + 1);
            rows.append(r);
        }
    }
    const PdfText pdf = render(rpt, rows);
    ASSERT_GE(pdf.pageCount(), 3);
    const QString all = pdf.all();
    for (int day = 1; day <= 3; ++day) {
        const QString caption = QStringLiteral("Thứ %1, ngày 0%1/01/2025").arg(day + 1);
        const qsizetype at = all.indexOf(caption + u' ' + QStringLiteral("%1h1 Việc 1 ngày %2").arg(8).arg(day));
        EXPECT_GE(at, 0) << "group row of day " << day << " not just above its first row";
    }
    // A page that begins inside a day repeats its caption, marked as continued.
    int continued = 0;
    for (int page = 1; page < pdf.pageCount(); ++page) {
        const QString& text = pdf.pages[page];
        const qsizetype header = text.indexOf(QStringLiteral("Giờ Nội dung"));
        ASSERT_GE(header, 0) << "page " << page + 1;
        const QString afterHeader = text.mid(header + 12).trimmed();
        if (afterHeader.startsWith(QStringLiteral("Thứ")) && afterHeader.contains(QStringLiteral("(tiếp theo)")))
            ++continued;
        else
            EXPECT_TRUE(afterHeader.startsWith(QStringLiteral("Thứ")))
                << "page " << page + 1 << " starts without a day";
        EXPECT_TRUE(text.endsWith(QString::number(page + 1))) << "page number on page " << page + 1;
    }
    EXPECT_GE(continued, 1);
}

TEST_F(ReportRendering, CountPagesAgreesWithThePagesPainted)
{
    const PreparedReport report =
        PreparedReport::make(ReportFile::parse(threeColumns, QStringLiteral("t.rpt")), numberedRows(90), {});
    QPdfWriter writer(m_dir.filePath(QStringLiteral("count.pdf")));
    writer.setPageLayout(report.pageLayout);
    const int counted = ReportRenderer(report).countPages(&writer);
    EXPECT_EQ(ReportRenderer(report).paint(&writer), counted);
    EXPECT_GE(counted, 2);
}

// Margins given in points replace only those sides; margins leaving no room are refused.
TEST_F(ReportRendering, MarginsGivenInPointsReplaceOnlyThoseSides)
{
    const PreparedReport report = PreparedReport::make(ReportFile::parse(threeColumns, QStringLiteral("t.rpt")), {}, {},
                                                       QMarginsF(36, -1, -1, 72));
    const QMarginsF margins = report.pageLayout.margins(QPageLayout::Point);
    EXPECT_NEAR(margins.left(), 36, 0.01);
    EXPECT_NEAR(margins.top(), 12 * 72 / 25.4, 0.01);
    EXPECT_NEAR(margins.right(), 12 * 72 / 25.4, 0.01);
    EXPECT_NEAR(margins.bottom(), 72, 0.01);
    const PreparedReport noRoom = PreparedReport::make(ReportFile::parse(threeColumns, QStringLiteral("t.rpt")), {}, {},
                                                       QMarginsF(400, 10, 400, 10));
    try {
        checkPageLayout(noRoom);
        FAIL() << "accepted margins wider than the page";
    } catch (const ReportError& error) {
        EXPECT_EQ(error.code(), ReportErrorCode::BadPageLayout);
    }
}

TEST(ReportOutput, PdfIntoAMissingFolderFailsAndTheNextTakesTheFirstFreeNumber)
{
    QTemporaryDir dir;
    const PreparedReport report =
        PreparedReport::make(ReportFile::parse(threeColumns, QStringLiteral("t.rpt")), {}, {});
    const QString path = dir.filePath(QStringLiteral("khong/co/out.pdf"));
    try {
        writePdf(report, path);
        FAIL() << "wrote into a missing folder";
    } catch (const ReportError& error) {
        EXPECT_EQ(error.code(), ReportErrorCode::OutputFailed);
        EXPECT_TRUE(error.message().contains(path));
    }
    // The next PDF takes the first free number.
    EXPECT_EQ(nextPdfPath(dir.path(), QStringLiteral("brcvden")), dir.filePath(QStringLiteral("brcvden-001.pdf")));
    QFile(dir.filePath(QStringLiteral("brcvden-001.pdf"))).open(QIODevice::WriteOnly);
    QFile(dir.filePath(QStringLiteral("brcvden-002.pdf"))).open(QIODevice::WriteOnly);
    EXPECT_EQ(nextPdfPath(dir.path(), QStringLiteral("brcvden")), dir.filePath(QStringLiteral("brcvden-003.pdf")));
}

TEST(ReportFont, MissingFamilyFallsBackToOneWithVietnameseLetters)
{
    EXPECT_EQ(ReportRenderer::fontFamily(QStringLiteral("Liberation Serif")), QStringLiteral("Liberation Serif"));
    const QString fallback = ReportRenderer::fontFamily(QStringLiteral(".VnTime"));
    EXPECT_TRUE(fallback == QStringLiteral("Liberation Serif") || fallback == QStringLiteral("Noto Serif") ||
                fallback == QStringLiteral("Noto Sans"))
        << fallback.toStdString();
}

} // namespace
