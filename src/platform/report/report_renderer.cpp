#include "report_renderer.h"

#include "page_composer.h"
#include "pdf_paint_device.h"

#include <QBuffer>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

namespace report {

ReportRenderer::ReportRenderer(const PreparedReport& report) : m_report(report) {}

int ReportRenderer::paint(QPagedPaintDevice* device) const
{
    // Laid out once: "Trang 3/12" is drawn from the kept pages once their number is known.
    PageComposer composer(m_report, device);
    const int pages = composer.compose();
    QPainter painter;
    if (!painter.begin(device))
        return 0;
    composer.paint(&painter);
    painter.end();
    return pages;
}

int ReportRenderer::writeOwnPdf(QIODevice* out) const
{
    // Qt's writer, never painted on, gives the measures the report is laid out for.
    QBuffer unused;
    QPdfWriter measures(&unused);
    measures.setPageLayout(m_report.pageLayout);
    PageComposer composer(m_report, &measures);
    const int pages = composer.compose();

    PdfPaintDevice device(measures, m_report.pageLayout, m_report.title());
    QPainter painter;
    if (!painter.begin(&device))
        return 0;
    composer.paint(&painter, [&device] { device.newPage(); });
    painter.end();
    if (device.usedUnsupported() || !device.finish(out))
        return 0;
    return pages;
}

int ReportRenderer::countPages(QPagedPaintDevice* device) const
{
    return PageComposer(m_report, device).compose();
}

QString ReportRenderer::fontFamily(const QString& wanted)
{
    return printFontFamily(wanted);
}

} // namespace report
