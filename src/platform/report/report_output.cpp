#include "report_output.h"

#include "report_error.h"
#include "report_renderer.h"

#include <QDir>
#include <QFileInfo>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSaveFile>

namespace report {

void checkPageLayout(const PreparedReport& report)
{
    const QRectF content = report.pageLayout.paintRect(QPageLayout::Millimeter);
    if (!report.pageLayout.isValid() || content.width() < 50 || content.height() < 30) {
        throw ReportError(ReportErrorCode::BadPageLayout,
                          QStringLiteral("Lề trang quá rộng, không còn chỗ in báo cáo %1").arg(report.title()));
    }
}

int writePdf(const PreparedReport& report, const QString& path)
{
    // Written whole or not at all: a half-written file never replaces the one there (unless the
    // folder allows no new file beside it, where the file is written in place as before).
    QSaveFile file(path);
    file.setDirectWriteFallback(true);
    int pages = 0;
    if (file.open(QIODevice::WriteOnly)) {
        pages = ReportRenderer(report).writeOwnPdf(&file);
        if (pages == 0 && file.seek(0) && file.resize(0)) {
            // Drawn with what only Qt's writer has (see PdfPaintDevice).
            QPdfWriter writer(&file);
            writer.setPageLayout(report.pageLayout);
            writer.setTitle(report.title());
            writer.setCreator(QStringLiteral("Selvaro"));
            pages = ReportRenderer(report).paint(&writer);
        }
    }
    if (pages == 0 || !file.commit())
        throw ReportError(ReportErrorCode::OutputFailed, QStringLiteral("Không ghi được file PDF %1").arg(path));
    return pages;
}

int printOnDefaultPrinter(const PreparedReport& report)
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        throw ReportError(
            ReportErrorCode::NoPrinter,
            QStringLiteral("Máy tính chưa cài đặt máy in nào nên không in được báo cáo %1. "
                           "Hãy cài đặt máy in, hoặc chọn xem trước khi in để lưu báo cáo thành file PDF.")
                .arg(report.title()));
    }
    QPrinter printer(info, QPrinter::HighResolution);
    printer.setPageLayout(report.pageLayout);
    printer.setDocName(report.title());
    const int pages = ReportRenderer(report).paint(&printer);
    if (pages == 0) {
        throw ReportError(ReportErrorCode::OutputFailed,
                          QStringLiteral("Máy in %1 không nhận in báo cáo %2").arg(info.printerName(), report.title()));
    }
    return pages;
}

QString nextPdfPath(const QString& folder, const QString& baseName)
{
    const QDir dir(folder);
    for (int number = 1;; ++number) {
        const QString path =
            dir.filePath(baseName + QLatin1Char('-') + QStringLiteral("%1").arg(number, 3, 10, QLatin1Char('0')) +
                         QStringLiteral(".pdf"));
        if (!QFileInfo::exists(path))
            return path;
    }
}

} // namespace report
