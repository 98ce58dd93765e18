// The program's own PDF writer: font subsets that draw as the whole font did, text found again in
// the file, and Qt's writer for whatever it cannot draw.
#include "pdf_text.h"
#include "platform/report/pdf_paint_device.h"
#include "platform/report/prepared_report.h"
#include "platform/report/report_output.h"
#include "platform/report/truetype_subset.h"

#include <QFile>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QProcess>
#include <QRawFont>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace report;

namespace {

// What a poppler tool prints about a PDF file.
QString popplerSays(const QString& tool, const QStringList& arguments)
{
    QProcess process;
    process.start(tool, arguments);
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Vietnamese letters with stacked marks are composite glyphs in Liberation Serif: their parts
// must come along.
const QString vietnamese = u"Ủy ban nhân dân Đức Phổ: Ấp Ẫn Ặc Ổn Ữa Ỵ"_s;

TEST(TrueTypeSubset, AskedGlyphsDrawAsInTheWholeFontOthersAreEmptyAndMapBackToTheirLetters)
{
    const QRawFont whole = QRawFont::fromFont(QFont(u"Liberation Serif"_s, 40));
    ASSERT_TRUE(whole.isValid());
    const QList<quint32> asked = whole.glyphIndexesForString(vietnamese);
    const FontTables tables = [&whole](const char* tag) { return whole.fontTable(tag); };

    const QByteArray file = subsetTrueType(tables, std::set<quint32>(asked.begin(), asked.end()));
    ASSERT_FALSE(file.isEmpty());
    ASSERT_LT(file.size(), whole.fontTable("glyf").size() / 4); // a subset, not the whole font
    const QRawFont subset(file, whole.pixelSize());
    ASSERT_TRUE(subset.isValid());
    for (quint32 glyph : asked)
        EXPECT_EQ(subset.pathForGlyph(glyph), whole.pathForGlyph(glyph)) << glyph;
    const quint32 notAsked = whole.glyphIndexesForString(u"Z"_s).first();
    EXPECT_FALSE(whole.pathForGlyph(notAsked).isEmpty());
    EXPECT_TRUE(subset.pathForGlyph(notAsked).isEmpty());

    const std::map<quint32, char32_t> letters = charactersOf(tables, std::set<quint32>(asked.begin(), asked.end()));
    const QList<uint> codes = vietnamese.toUcs4();
    for (qsizetype i = 0; i < codes.size(); ++i)
        EXPECT_EQ(letters.at(asked.at(i)), char32_t(codes.at(i))) << i;

    const FontTables withoutOutlines = [&whole](const char* tag) {
        return QByteArrayView(tag) == "glyf" ? QByteArray() : whole.fontTable(tag);
    };
    EXPECT_TRUE(subsetTrueType(withoutOutlines, {1, 2}).isEmpty());
}

class PdfDeviceTest : public testing::Test
{
protected:
    PdfDeviceTest()
    {
        m_layout = QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(15, 15, 15, 15),
                               QPageLayout::Millimeter);
        m_measures.setPageLayout(m_layout);
    }
    QString path() const { return m_dir.filePath(u"t.pdf"_s); }

    QTemporaryDir m_dir;
    QPdfWriter m_measures{m_dir.filePath(u"unused.pdf"_s)};
    QPageLayout m_layout;
};

TEST_F(PdfDeviceTest, TextLinesRectanglesAndImagesAreWrittenOnTheirPages)
{
    PdfPaintDevice device(m_measures, m_layout, u"Sổ thử"_s);
    QPainter painter(&device);
    painter.setFont(QFont(u"Liberation Serif"_s, 12));
    painter.drawText(QPointF(100, 300), vietnamese);
    painter.fillRect(QRectF(100, 400, 2000, 300), QColor(0xE8, 0xE8, 0xE8));
    painter.drawLine(QLineF(100, 800, 2100, 800));
    painter.setClipRect(QRectF(0, 0, 3000, 3000));
    QImage image(40, 30, QImage::Format_ARGB32);
    image.fill(QColor(200, 0, 0, 128));
    painter.drawImage(QRectF(100, 900, 400, 300), image);
    device.newPage();
    painter.translate(50, 50);
    painter.drawText(QPointF(100, 300), u"Trang hai"_s);
    painter.end();
    ASSERT_FALSE(device.usedUnsupported());
    QFile file(path());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_TRUE(device.finish(&file));
    file.close();

    const PdfText text = PdfText::read(path());
    ASSERT_EQ(text.pages, (QStringList{normalisedText(vietnamese), u"Trang hai"_s}));
    EXPECT_TRUE(popplerSays(u"pdfinfo"_s, {path()}).contains(u"Sổ thử"_s));
    const QString fonts = popplerSays(u"pdffonts"_s, {path()});
    EXPECT_TRUE(fonts.contains(u"+LiberationSerif"_s) && fonts.contains(u"CID TrueType"_s)) << fonts.toStdString();
    // One image with its transparency: the listing has a header of two lines.
    EXPECT_EQ(popplerSays(u"pdfimages"_s, {u"-list"_s, path()}).count(u'\n'), 4);
}

// What the writer cannot draw marks the drawing, so that Qt's writer writes the report instead.
TEST_F(PdfDeviceTest, GradientsDashesTranslucencyAndRotationAreLeftToQtsWriter)
{
    const std::vector<std::pair<const char*, std::function<void(QPainter&)>>> cases{
        {"gradient", [](QPainter& p) { p.fillRect(QRectF(0, 0, 100, 100), QLinearGradient(0, 0, 100, 0)); }},
        {"dashes",
         [](QPainter& p) {
             p.setPen(Qt::DashLine);
             p.drawLine(0, 0, 100, 0);
         }},
        {"translucent", [](QPainter& p) { p.fillRect(QRectF(0, 0, 100, 100), QColor(0, 0, 0, 100)); }},
        {"rotated text",
         [](QPainter& p) {
             p.rotate(90);
             p.drawText(QPointF(10, 10), u"Dọc"_s);
         }},
    };
    for (const auto& [name, draw] : cases) {
        PdfPaintDevice device(m_measures, m_layout, QString());
        QPainter painter(&device);
        draw(painter);
        painter.end();
        EXPECT_TRUE(device.usedUnsupported()) << name;
    }
}

} // namespace

// A report is written by the program's writer unless its heading draws what only Qt's can; either
// way the file holds all of it (rows enough to be laid out on several threads).
TEST(OwnPdfWriter, AReportWhoseHeadingNeedsQtsWriterIsWrittenWholeByIt)
{
    QTemporaryDir dir;
    for (const auto& [style, producer] : {std::pair(u"solid"_s, u"Selvaro"_s), std::pair(u"dashed"_s, u"Qt"_s)}) {
        const QString rpt = u"[report]\nsource = t\npage_number = Trang {{page}}/{{pages}}\n[columns]\n"
                            "a | Cột A | 1\nb | Cột B | 2\n[heading]\n<table border=\"1\" style=\"border-style: "_s +
                            style + u"\"><tr><td>Khung đầu trang</td></tr></table>\n"_s;
        QList<ReportRow> rows;
        for (int i = 1; i <= 450; ++i)
            rows.append(ReportRow{{QString::number(i), u"Công văn số %1"_s.arg(i)}, false, {}});
        const QString path = dir.filePath(style + u".pdf"_s);
        const int pages = writePdf(PreparedReport::make(ReportFile::parse(rpt, u"t.rpt"_s), rows, {}), path);
        const PdfText text = PdfText::read(path);
        EXPECT_EQ(text.pageCount(), pages) << style.toStdString();
        EXPECT_TRUE(text.pages.value(0).startsWith(u"Khung đầu trang Cột A Cột B 1 Công văn số 1"_s))
            << text.pages.value(0).toStdString();
        EXPECT_TRUE(text.pages.constLast().endsWith(u"450 Công văn số 450 Trang %1/%1"_s.arg(pages)))
            << text.pages.constLast().toStdString();
        EXPECT_TRUE(popplerSays(u"pdfinfo"_s, {path}).contains(QRegularExpression(u"Producer: +"_s + producer)))
            << style.toStdString();
    }
}
