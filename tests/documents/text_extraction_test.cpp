// Reading the text of attached documents: a PDF's own text, scans by OCR, limits, and the files
// that cannot be read each giving its reason.

#include "sample_documents.h"

#include "documents/ocr_reader.h"
#include "documents/text_extraction.h"
#include "platform/jetsql/fold.h"

#include "files.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using namespace documents;

const QStringList kScanLines = {QStringLiteral("QUYẾT ĐỊNH KHEN THƯỞNG"),
                                QStringLiteral("Phòng Nội vụ huyện Thanh Trì"),
                                QStringLiteral("khen thưởng tập thể lao động xuất sắc")};

class TextExtractionTest : public ::testing::Test
{
protected:
    QString path(const QString& name) const { return dir.filePath(name); }
    QTemporaryDir dir;
};

TEST_F(TextExtractionTest, TextPdfGivesItsVietnameseTextWithoutOcr)
{
    test::writeTextPdf(path(QStringLiteral("a.pdf")),
                       {QStringLiteral("Quyết định về việc giao chỉ tiêu sản xuất lúa vụ đông xuân năm 2026."),
                        QStringLiteral("Nơi nhận: Ủy ban nhân dân các xã, thị trấn; lưu văn thư.")});
    const ExtractedText t = extractText(path(QStringLiteral("a.pdf")), DocumentKind::Pdf, {}, nullptr, nullptr);
    EXPECT_TRUE(t.failure.isEmpty()) << t.failure.toStdString();
    EXPECT_EQ(t.pages, 2);
    EXPECT_EQ(t.ocrPages, 0);
    const QString folded = jetsql::foldCase(t.text);
    EXPECT_TRUE(folded.contains(QStringLiteral("quyết định"))) << t.text.toStdString();
    EXPECT_TRUE(folded.contains(QStringLiteral("ủy ban nhân dân"))) << t.text.toStdString();
    EXPECT_TRUE(t.note.isEmpty());
}

TEST_F(TextExtractionTest, FilesThatCannotBeReadOrAreTooLargeSayWhy)
{
    ASSERT_TRUE(test::writeFile(path(QStringLiteral("damaged.pdf")), QByteArrayLiteral("%PDF-1.7\n1 0 obj <<")));
    ASSERT_TRUE(test::writeFile(path(QStringLiteral("locked.pdf")), test::encryptedPdf()));
    ASSERT_TRUE(test::scanOf({QStringLiteral("ảnh")}).save(path(QStringLiteral("scan.png"))));
    test::writeTextPdf(path(QStringLiteral("three.pdf")),
                       {QStringLiteral("Trang một của tờ trình."), QStringLiteral("Trang hai của tờ trình."),
                        QStringLiteral("Trang ba của tờ trình.")});
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
        {"damaged PDF", QStringLiteral("damaged.pdf"), DocumentKind::Pdf, QStringLiteral("bị hỏng"), QString()},
        {"PDF with a password", QStringLiteral("locked.pdf"), DocumentKind::Pdf, QStringLiteral("mật khẩu"), QString()},
        {"file gone from the store", QStringLiteral("gone.pdf"), DocumentKind::Pdf, QStringLiteral("Không tìm thấy"),
         QString()},
        {"PDF named as an image", QStringLiteral("three.pdf"), DocumentKind::Image, QStringLiteral("bị hỏng"),
         QString()},
        {"image above the pixel limit", QStringLiteral("scan.png"), DocumentKind::Image, QStringLiteral("quá lớn"),
         QString()},
        {"pages beyond the limit unread", QStringLiteral("three.pdf"), DocumentKind::Pdf, QString(),
         QStringLiteral("Chỉ đọc 2 trong 3 trang.")},
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

TEST_F(TextExtractionTest, ScansAndScannedPdfsAreReadByOcr)
{
    OcrReader ocr;
    ASSERT_TRUE(ocr.ready()) << ocr.error().toStdString();
    const QImage scan = test::scanOf(kScanLines);
    ASSERT_TRUE(scan.save(path(QStringLiteral("scan.png"))));
    test::writeScannedPdf(path(QStringLiteral("scan.pdf")), scan);
    for (const auto& [file, kind] : {std::pair{QStringLiteral("scan.png"), DocumentKind::Image},
                                     std::pair{QStringLiteral("scan.pdf"), DocumentKind::Pdf}}) {
        const ExtractedText t = extractText(path(file), kind, {}, &ocr, nullptr);
        EXPECT_TRUE(t.failure.isEmpty()) << t.failure.toStdString();
        EXPECT_EQ(t.ocrPages, 1) << file.toStdString();
        // OCR is read loosely: the distinctive words, whatever else it makes of the page.
        const QString folded = jetsql::foldCase(t.text);
        EXPECT_TRUE(folded.contains(QStringLiteral("khen thưởng"))) << t.text.toStdString();
        EXPECT_TRUE(folded.contains(QStringLiteral("thanh trì"))) << t.text.toStdString();
    }
}

} // namespace
