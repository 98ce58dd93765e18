#include "report_renderer.h"

#include "page_composer.h"

#include <QFontDatabase>
#include <QPagedPaintDevice>
#include <QPainter>

namespace report {

ReportRenderer::ReportRenderer(const PreparedReport& report) : m_report(report) {}

int ReportRenderer::paint(QPagedPaintDevice* device) const
{
    // "Trang 3/12" needs the count before the first page is painted.
    const int total = m_report.file.pageNumber.names().contains(QStringLiteral("pages")) ? countPages(device) : 0;
    QPainter painter;
    if (!painter.begin(device))
        return 0;
    const int pages = PageComposer(m_report, device, &painter, total).run();
    painter.end();
    return pages;
}

int ReportRenderer::countPages(QPagedPaintDevice* device) const
{
    return PageComposer(m_report, device, nullptr, 0).run();
}

QString ReportRenderer::fontFamily(const QString& wanted)
{
    for (const QString& family :
         {wanted, QStringLiteral("Liberation Serif"), QStringLiteral("Noto Serif"), QStringLiteral("Noto Sans")}) {
        if (QFontDatabase::hasFamily(family))
            return family;
    }
    return wanted;
}

} // namespace report
