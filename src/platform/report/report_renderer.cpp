#include "report_renderer.h"

#include "page_composer.h"

#include <QPagedPaintDevice>
#include <QPainter>

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

int ReportRenderer::countPages(QPagedPaintDevice* device) const
{
    return PageComposer(m_report, device).compose();
}

QString ReportRenderer::fontFamily(const QString& wanted)
{
    return printFontFamily(wanted);
}

} // namespace report
