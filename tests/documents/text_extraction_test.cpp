// Reading the text of attached documents: a PDF's own text, scans by OCR, limits, and the files
// that cannot be read each giving its reason.

#include "sample_documents.h"

#include "documents/ocr_reader.h"
#include "documents/text_extraction.h"
#include "platform/jetsql/fold.h"

#include "files.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

using namespace documents;

const QStringList kScanLines = {u"QUYẾT ĐỊNH KHEN THƯỞNG"_s, u"Phòng Nội vụ huyện Thanh Trì"_s,
                                u"khen thưởng tập thể lao động xuất sắc"_s};

class TextExtractionTest : public ::testing::Test
{
protected:
    QString path(const QString& name) const { return dir.filePath(name); }
    QTemporaryDir dir;
};

TEST_F(TextExtractionTest, FilesThatCannotBeReadOrAreTooLargeSayWhy)
{
    ASSERT_TRUE(test::writeFile(path(u"damaged.pdf"_s), QByteArrayLiteral("%PDF-1.7\n1 0 obj <<")));
    ASSERT_TRUE(test::writeFile(path(u"locked.pdf"_s), test::encryptedPdf()));
    ASSERT_TRUE(test::scanOf({u"ảnh"_s}).save(path(u"scan.png"_s)));
    test::writeTextPdf(path(u"three.pdf"_s),
                       {u"Trang một của tờ trình."_s, u"Trang hai của tờ trình."_s, u"Trang ba của tờ trình."_s});
    ExtractionLimits small;
    small.maxPages = 2;
    small.maxImagePixels = 1000 * 100;
    OcrReader ocr;
    struct Row
    {
        const char* what;
        QString file;
        DocumentKind kind;
        QString failure; // part of the failure said, "" for none
        QString note;    // part of the note, "" for none
    };
    const QList<Row> rows = {
        {"damaged PDF", u"damaged.pdf"_s, DocumentKind::Pdf, u"bị hỏng"_s, QString()},
        {"PDF with a password", u"locked.pdf"_s, DocumentKind::Pdf, u"mật khẩu"_s, QString()},
        {"file gone from the store", u"gone.pdf"_s, DocumentKind::Pdf, u"Không tìm thấy"_s, QString()},
        {"PDF named as an image", u"three.pdf"_s, DocumentKind::Image, u"bị hỏng"_s, QString()},
        {"image above the pixel limit", u"scan.png"_s, DocumentKind::Image, u"quá lớn"_s, QString()},
        {"pages beyond the limit unread", u"three.pdf"_s, DocumentKind::Pdf, QString(), u"Chỉ đọc 2 trong 3 trang."_s},
    };
    for (const Row& r : rows) {
        const ExtractedText t = extractText(path(r.file), r.kind, small, &ocr, nullptr);
        if (r.failure.isEmpty()) {
            EXPECT_TRUE(t.failure.isEmpty()) << r.what << ": " << t.failure.toStdString();
        } else {
            EXPECT_TRUE(t.failure.contains(r.failure)) << r.what << ": " << t.failure.toStdString();
            EXPECT_TRUE(t.text.isEmpty()) << r.what;
        }
        EXPECT_TRUE(t.note.contains(r.note)) << r.what << ": " << t.note.toStdString();
    }
}

// A PDF's own text is read without OCR; scans and scanned PDFs by OCR, which is read loosely: the
// distinctive words, whatever else it makes of the page.
TEST_F(TextExtractionTest, TextPdfsGiveTheirTextAndScansAreReadByOcr)
{
    test::writeTextPdf(path(u"a.pdf"_s), {u"Quyết định về việc giao chỉ tiêu sản xuất lúa vụ đông xuân năm 2026."_s,
                                          u"Nơi nhận: Ủy ban nhân dân các xã, thị trấn; lưu văn thư."_s});
    OcrReader ocr;
    ASSERT_TRUE(ocr.ready()) << ocr.error().toStdString();
    const QImage scan = test::scanOf(kScanLines);
    ASSERT_TRUE(scan.save(path(u"scan.png"_s)));
    test::writeScannedPdf(path(u"scan.pdf"_s), scan);
    const std::tuple<QString, DocumentKind, OcrReader*, int, int, QStringList> cases[] = {
        // file, kind, the OCR given, pages, pages read by OCR, words the text holds
        {u"a.pdf"_s, DocumentKind::Pdf, nullptr, 2, 0, {u"quyết định"_s, u"ủy ban nhân dân"_s}},
        {u"scan.png"_s, DocumentKind::Image, &ocr, 1, 1, {u"khen thưởng"_s, u"thanh trì"_s}},
        {u"scan.pdf"_s, DocumentKind::Pdf, &ocr, 1, 1, {u"khen thưởng"_s, u"thanh trì"_s}},
    };
    for (const auto& [file, kind, reader, pages, ocrPages, words] : cases) {
        SCOPED_TRACE(file.toStdString());
        const ExtractedText t = extractText(path(file), kind, {}, reader, nullptr);
        EXPECT_TRUE(t.failure.isEmpty()) << t.failure.toStdString();
        EXPECT_TRUE(t.note.isEmpty()) << t.note.toStdString();
        EXPECT_EQ(t.pages, pages);
        EXPECT_EQ(t.ocrPages, ocrPages);
        const QString folded = jetsql::foldCase(t.text);
        for (const QString& word : words)
            EXPECT_TRUE(folded.contains(word)) << t.text.toStdString();
    }
}

} // namespace
