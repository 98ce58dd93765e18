#include "document_print.h"

#include "document_source.h"

#include <QPainter>
#include <QPdfDocument>
#include <QPrinter>

#include <functional>

namespace document {
namespace {

void drawFitted(QPainter& painter, const QPrinter& printer, const QImage& image)
{
    // The painter's origin is the printable area's corner.
    const QRectF area(QPointF(0, 0), printer.pageRect(QPrinter::DevicePixel).size());
    QSizeF size = image.size();
    size.scale(area.size(), Qt::KeepAspectRatio);
    const QRectF target(area.left() + (area.width() - size.width()) / 2,
                        area.top() + (area.height() - size.height()) / 2, size.width(), size.height());
    painter.drawImage(target, image);
}

QString refusedBy(const QPrinter& printer, const QString& name)
{
    const QString where = printer.outputFileName().isEmpty() ? printer.printerName() : printer.outputFileName();
    return QStringLiteral("Máy in \"") + where + QStringLiteral("\" không nhận in tệp \"") + name +
           QStringLiteral("\".");
}

// Prints pages first..last (from 0) given by draw, one a sheet.
int printPages(QPrinter& printer, const QString& name, int pageCount, const std::function<QImage(int)>& render)
{
    int first = 0;
    int last = pageCount - 1;
    if (printer.fromPage() > 0 || printer.toPage() > 0) {
        first = qMax(0, printer.fromPage() - 1);
        last = qMin(pageCount - 1, printer.toPage() > 0 ? printer.toPage() - 1 : last);
    }
    if (first > last)
        return 0;
    // Render the first page before the job starts, so a file that fails leaves no job behind.
    QImage image = render(first);
    QPainter painter;
    if (!painter.begin(&printer))
        throw DocumentError(refusedBy(printer, name));
    int printed = 0;
    for (int page = first; page <= last; ++page) {
        if (page > first) {
            image = render(page);
            if (!printer.newPage()) {
                printer.abort();
                throw DocumentError(refusedBy(printer, name));
            }
        }
        drawFitted(painter, printer, image);
        ++printed;
    }
    if (!painter.end())
        throw DocumentError(refusedBy(printer, name));
    return printed;
}

} // namespace

int printDocument(QPrinter& printer, const QString& path, const QString& name)
{
    switch (documentKind(name)) {
    case DocumentKind::Pdf: {
        QPdfDocument doc;
        loadPdf(doc, path, name);
        return printPages(printer, name, doc.pageCount(), [&](int page) {
            const QSize pixels = (doc.pagePointSize(page) * kPrintDpi / 72.0).toSize();
            QImage image = doc.render(page, pixels);
            if (image.isNull())
                throw DocumentError(QStringLiteral("Không dựng được trang ") + QString::number(page + 1) +
                                    QStringLiteral(" của tệp \"") + name + QStringLiteral("\" để in."));
            // Pages without a background print on white, not on black.
            QImage sheet(image.size(), QImage::Format_RGB32);
            sheet.fill(Qt::white);
            QPainter(&sheet).drawImage(0, 0, image);
            return sheet;
        });
    }
    case DocumentKind::Image: {
        const ImagePages pages(path, name);
        return printPages(printer, name, pages.pageCount(), [&](int page) { return pages.page(page); });
    }
    case DocumentKind::Other:
        break;
    }
    throw DocumentError(QStringLiteral("Chương trình chỉ in được tệp PDF và ảnh (PNG, JPEG, TIFF). Hãy mở tệp \"") +
                        name + QStringLiteral("\" bằng chương trình của máy và in từ đó."));
}

} // namespace document
