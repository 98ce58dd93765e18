#include "text_extraction.h"

#include "documents_log.h"
#include "ocr_reader.h"

#include <poppler-qt6.h>

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QImageReader>
#include <QSizeF>

#include <cmath>
#include <mutex>

namespace documents {
namespace {

// A page with fewer letters than this is taken for a scan: its printed text is an image.
constexpr int kLettersOfATextPage = 16;

int letters(const QString& text)
{
    int n = 0;
    for (const QChar c : text) {
        if (c.isLetterOrNumber() && ++n >= kLettersOfATextPage)
            break;
    }
    return n;
}

bool stopped(const std::atomic<bool>* stop)
{
    return stop && stop->load();
}

QString pagesNote(int read, int total)
{
    return QStringLiteral("Chỉ đọc ") + QString::number(read) + QStringLiteral(" trong ") + QString::number(total) +
           QStringLiteral(" trang.");
}

// Adds what OCR read of page to out; false when reading must end (time up or stopped).
bool readByOcr(const QImage& page, int dpi, const QDeadlineTimer& deadline, OcrReader& ocr,
               const std::atomic<bool>* stop, ExtractedText& out)
{
    const OcrReader::Result r = ocr.read(page, dpi, int(std::max<qint64>(1, deadline.remainingTime())), stop);
    if (r.stopped) {
        out.stopped = true;
        return false;
    }
    out.text += r.text + QLatin1Char('\n');
    ++out.ocrPages;
    if (r.timedOut) {
        out.note = QStringLiteral("Hết thời gian đọc tệp; phần sau chưa được đọc.");
        return false;
    }
    return true;
}

void readPdf(const QString& path, const ExtractionLimits& limits, OcrReader* ocr, const std::atomic<bool>* stop,
             const QDeadlineTimer& deadline, ExtractedText& out)
{
    std::unique_ptr<Poppler::Document> doc = Poppler::Document::load(path);
    // A locked document has no pages to ask for yet: the password comes first.
    if (doc && doc->isLocked()) {
        out.failure = QStringLiteral("Tệp PDF có mật khẩu, không đọc được nội dung.");
        return;
    }
    if (!doc || doc->numPages() <= 0) {
        out.failure = QStringLiteral("Tệp PDF bị hỏng, không đọc được.");
        return;
    }
    const int total = doc->numPages();
    const int pages = std::min(total, limits.maxPages);
    QStringList notes;
    if (pages < total)
        notes << pagesNote(pages, total);
    int ocrSkipped = 0;
    for (int i = 0; i < pages; ++i) {
        if (stopped(stop)) {
            out.stopped = true;
            return;
        }
        if (deadline.hasExpired()) {
            notes << QStringLiteral("Hết thời gian đọc tệp; ") + pagesNote(out.pages, total).toLower();
            break;
        }
        std::unique_ptr<Poppler::Page> page(doc->page(i));
        if (!page)
            continue;
        const QString text = page->text(QRectF());
        ++out.pages;
        if (letters(text) >= kLettersOfATextPage || !ocr) {
            out.text += text + QLatin1Char('\n');
        } else if (out.ocrPages >= limits.maxOcrPages) {
            ++ocrSkipped;
        } else {
            // Rendered at the OCR resolution, smaller when the page would exceed the pixel limit.
            const QSizeF inches = page->pageSizeF() / 72.0;
            const double area = std::max(1.0, inches.width() * inches.height());
            const double dpi = std::min<double>(limits.ocrDpi, std::sqrt(double(limits.maxImagePixels) / area));
            const QImage image = page->renderToImage(dpi, dpi);
            if (!readByOcr(image, int(dpi), deadline, *ocr, stop, out)) {
                if (!out.note.isEmpty())
                    notes << out.note;
                break;
            }
        }
        if (out.text.size() > limits.maxTextChars) {
            notes << QStringLiteral("Văn bản quá dài, chỉ giữ phần đầu.");
            break;
        }
    }
    if (ocrSkipped > 0)
        notes << QString::number(ocrSkipped) + QStringLiteral(" trang ảnh quét vượt giới hạn, chưa đọc.");
    out.note = notes.join(QLatin1Char(' '));
}

void readImage(const QString& path, const ExtractionLimits& limits, OcrReader* ocr, const std::atomic<bool>* stop,
               const QDeadlineTimer& deadline, ExtractedText& out)
{
    if (!ocr) {
        out.failure = QStringLiteral("Máy chưa có chương trình đọc chữ trong ảnh (Tesseract).");
        return;
    }
    QImageReader reader(path);
    const QSize size = reader.size();
    if (!reader.canRead()) {
        out.failure = QStringLiteral("Tệp ảnh bị hỏng, không đọc được.");
        return;
    }
    if (size.isValid() && qint64(size.width()) * size.height() > limits.maxImagePixels) {
        out.failure = QStringLiteral("Ảnh quá lớn (") + QString::number(size.width()) + QStringLiteral(" × ") +
                      QString::number(size.height()) + QStringLiteral(" điểm ảnh), không đọc chữ.");
        return;
    }
    const int images = std::max(1, reader.imageCount());
    for (int i = 0; i < images; ++i) {
        if (stopped(stop)) {
            out.stopped = true;
            return;
        }
        if (out.ocrPages >= limits.maxOcrPages) {
            out.note = pagesNote(out.ocrPages, images);
            return;
        }
        if (i > 0 && !reader.jumpToNextImage())
            break;
        QImage image = reader.read();
        if (image.isNull()) {
            if (i == 0)
                out.failure = QStringLiteral("Tệp ảnh bị hỏng, không đọc được.");
            break;
        }
        const int dpi = image.dotsPerMeterX() > 0 ? int(std::lround(image.dotsPerMeterX() * 0.0254)) : limits.ocrDpi;
        ++out.pages;
        if (!readByOcr(image, dpi, deadline, *ocr, stop, out))
            return;
    }
}

} // namespace

DocumentKind documentKind(const QString& type)
{
    if (type == QLatin1String("application/pdf"))
        return DocumentKind::Pdf;
    if (type == QLatin1String("image/png") || type == QLatin1String("image/jpeg") ||
        type == QLatin1String("image/tiff"))
        return DocumentKind::Image;
    return DocumentKind::None;
}

ExtractedText extractText(const QString& path, DocumentKind kind, const ExtractionLimits& limits, OcrReader* ocr,
                          const std::atomic<bool>* stop)
{
    ExtractedText out;
    if (!QFileInfo(path).isFile()) {
        out.failure = QStringLiteral("Không tìm thấy tệp trong kho tệp đính kèm.");
        return out;
    }
    static std::once_flag quiet;
    // Poppler's complaints about a damaged file go to our log, not to the terminal: the file is
    // marked failed with its reason anyway.
    std::call_once(quiet, [] {
        Poppler::setDebugErrorFunction(
            [](const QString& message, const QVariant&) { qCDebug(lcDocuments) << "poppler:" << message; }, QVariant());
    });
    QImageReader::setAllocationLimit(limits.imageMemoryMb);
    const QDeadlineTimer deadline(qint64(limits.secondsPerFile) * 1000);
    if (ocr && !ocr->ready())
        ocr = nullptr;
    if (kind == DocumentKind::Pdf)
        readPdf(path, limits, ocr, stop, deadline, out);
    else if (kind == DocumentKind::Image)
        readImage(path, limits, ocr, stop, deadline, out);
    if (out.text.size() > limits.maxTextChars)
        out.text.truncate(limits.maxTextChars);
    return out;
}

} // namespace documents
