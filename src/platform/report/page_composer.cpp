#include "page_composer.h"

#include "report_renderer.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextDocument>

namespace report {

namespace {

const QColor shading(0xE8, 0xE8, 0xE8); // header and group rows

} // namespace

PageComposer::PageComposer(const PreparedReport& report, QPagedPaintDevice* device, QPainter* painter, int totalPages)
    : m_report(report), m_device(device), m_painter(painter), m_totalPages(totalPages)
{
    const ReportFile& file = report.file;
    m_dpi = device->logicalDpiY();
    m_pageWidth = device->width();

    m_font = QFont(ReportRenderer::fontFamily(file.fontFamily));
    m_font.setPointSizeF(file.fontSize);
    m_boldFont = m_font;
    m_boldFont.setBold(true);
    m_footerFont = m_font;
    m_footerFont.setPointSizeF(qMax(4.0, file.fontSize - 1));
    m_deviceFont = QFont(m_font, device);
    m_deviceBoldFont = QFont(m_boldFont, device);
    m_lineHeight = QFontMetricsF(m_deviceFont).height();

    m_footerHeight = file.pageNumber.isEmpty() ? 0 : QFontMetricsF(QFont(m_footerFont, device)).height() * 1.8;
    m_bodyBottom = device->height() - m_footerHeight;
    m_penWidth = mm(0.2);

    double total = 0;
    for (const ReportColumn& column : file.columns)
        total += column.width;
    double x = 0;
    QStringList captions;
    for (const ReportColumn& column : file.columns) {
        const double width = m_pageWidth * column.width / total;
        m_geometry.left.append(x);
        m_geometry.width.append(width);
        m_geometry.align.append(column.align);
        captions.append(column.caption);
        x += width;
    }
    m_geometry.padding = mm(1.0);

    TableGeometry headerGeometry = m_geometry;
    for (Qt::Alignment& align : headerGeometry.align)
        align = Qt::AlignHCenter;
    m_header = std::make_unique<RowLayout>(captions, headerGeometry, m_deviceBoldFont);

    auto htmlBlock = [&](const QString& html) -> std::unique_ptr<QTextDocument> {
        if (html.trimmed().isEmpty())
            return {};
        auto document = std::make_unique<QTextDocument>();
        // Laid out for the device itself, or the text comes out at the screen's size.
        document->documentLayout()->setPaintDevice(device);
        document->setDefaultFont(m_font);
        document->setDocumentMargin(0);
        document->setHtml(html);
        document->setTextWidth(m_pageWidth);
        return document;
    };
    m_heading = htmlBlock(report.headingHtml);
    m_closing = htmlBlock(report.closingHtml);
}

PageComposer::~PageComposer() = default;

int PageComposer::run()
{
    if (m_painter) {
        m_painter->setPen(QPen(Qt::black, m_penWidth));
        m_painter->setBrush(Qt::NoBrush);
    }
    m_y = 0;
    if (m_heading) {
        if (m_painter) {
            m_painter->save();
            m_painter->translate(0, m_y);
            m_heading->drawContents(m_painter, QRectF(0, 0, m_pageWidth, m_heading->size().height()));
            m_painter->restore();
        }
        m_y += m_heading->size().height() + mm(3);
        // A heading that leaves no room for the table's header and a line puts the table on page 2.
        if (m_y + 2 * m_header->remainingHeight() > m_bodyBottom) {
            finishPage();
            if (m_painter)
                m_device->newPage();
            ++m_page;
            m_y = 0;
        }
    }
    beginTable();
    for (const ReportRow& row : m_report.rows)
        drawRow(row);
    drawClosing();
    finishPage();
    return m_page;
}

void PageComposer::beginTable()
{
    m_tableOnPage = true;
    m_rowsOnPage = false;
    m_tableTop = m_y;
    m_segments.clear();
    const double height = m_header->remainingHeight();
    if (m_painter) {
        m_painter->fillRect(QRectF(0, m_y, m_geometry.tableWidth(), height), shading);
        m_header->drawWhole(m_painter, m_y);
    }
    horizontalLine(m_y);
    m_y += height;
    horizontalLine(m_y);
    m_segmentTop = m_tableTop;
}

double PageComposer::groupRowHeight(const QString& caption) const
{
    TableGeometry geometry;
    geometry.left = {0};
    geometry.width = {m_geometry.tableWidth()};
    geometry.align = {Qt::AlignLeft};
    geometry.padding = m_geometry.padding;
    return RowLayout({caption}, geometry, m_deviceBoldFont).remainingHeight();
}

void PageComposer::drawGroupRow(const QString& caption)
{
    TableGeometry geometry;
    geometry.left = {0};
    geometry.width = {m_geometry.tableWidth()};
    geometry.align = {Qt::AlignLeft};
    geometry.padding = m_geometry.padding;
    const RowLayout layout({caption}, geometry, m_deviceBoldFont);
    const double height = layout.remainingHeight();
    closeSegment();
    if (m_painter) {
        m_painter->fillRect(QRectF(0, m_y, m_geometry.tableWidth(), height), shading);
        layout.drawWhole(m_painter, m_y);
    }
    m_y += height;
    horizontalLine(m_y);
    m_segmentTop = m_y;
}

void PageComposer::drawRow(const ReportRow& row)
{
    RowLayout layout(row.cells, m_geometry, m_deviceFont);
    const bool grouped = !m_report.file.groupBy.isEmpty();
    const double groupHeight = row.startsGroup ? groupRowHeight(row.groupCaption) : 0;
    const double need = groupHeight + layout.remainingHeight();

    if (m_rowsOnPage && m_y + need > m_bodyBottom) {
        // Move the row, with its group row, to the next page when it fits there whole, or when
        // not even its first line fits here; otherwise it starts here and goes on over the break.
        double freshRoom = m_bodyBottom - m_header->remainingHeight();
        if (grouped && !row.startsGroup)
            freshRoom -= groupRowHeight(m_group);
        const double firstLine = m_lineHeight + 2 * m_geometry.padding;
        if (need <= freshRoom || m_y + groupHeight + firstLine > m_bodyBottom)
            newPage(!row.startsGroup);
    }
    if (row.startsGroup) {
        m_group = row.groupCaption;
        drawGroupRow(row.groupCaption);
    }
    for (;;) {
        const double height = layout.drawSlice(m_painter, m_y, m_bodyBottom - m_y, !m_rowsOnPage);
        if (height > 0) {
            m_y += height;
            horizontalLine(m_y);
            m_rowsOnPage = true;
        }
        if (layout.finished())
            break;
        newPage(true);
    }
}

void PageComposer::drawClosing()
{
    if (!m_closing)
        return;
    finishTable();
    const double gap = mm(4);
    const double height = m_closing->size().height();
    if (m_y + gap + height > m_bodyBottom) {
        finishPage();
        if (m_painter)
            m_device->newPage();
        ++m_page;
        m_y = 0;
    } else {
        m_y += gap;
    }
    if (m_painter) {
        m_painter->save();
        m_painter->translate(0, m_y);
        m_closing->drawContents(m_painter, QRectF(0, 0, m_pageWidth, qMin(height, m_bodyBottom - m_y)));
        m_painter->restore();
    }
    m_y += height;
}

void PageComposer::newPage(bool continueGroup)
{
    finishPage();
    if (m_painter)
        m_device->newPage();
    ++m_page;
    m_y = 0;
    beginTable();
    if (continueGroup && !m_group.isEmpty() && !m_report.file.groupBy.isEmpty()) {
        const QString continued = m_report.file.groupContinued;
        drawGroupRow(continued.isEmpty() ? m_group : m_group + u' ' + continued);
    }
}

void PageComposer::closeSegment()
{
    if (m_y > m_segmentTop)
        m_segments.append({m_segmentTop, m_y});
    m_segmentTop = m_y;
}

void PageComposer::finishTable()
{
    if (m_tableOnPage) {
        closeSegment();
        const double bottom = m_segments.isEmpty() ? m_y : qMax(m_segments.back().second, m_y);
        if (m_painter) {
            // Inner column lines stop at group rows; the outer frame runs the table's height.
            for (const auto& [top, end] : m_segments) {
                for (qsizetype i = 1; i < m_geometry.left.size(); ++i)
                    m_painter->drawLine(QLineF(m_geometry.left[i], top, m_geometry.left[i], end));
            }
            m_painter->drawLine(QLineF(0, m_tableTop, 0, bottom));
            m_painter->drawLine(QLineF(m_geometry.tableWidth(), m_tableTop, m_geometry.tableWidth(), bottom));
        }
        m_tableOnPage = false;
    }
}

void PageComposer::finishPage()
{
    finishTable();
    if (m_painter && !m_report.file.pageNumber.isEmpty()) {
        const QString text =
            m_report.file.pageNumber.render({{QStringLiteral("page"), QString::number(m_page)},
                                             {QStringLiteral("pages"), QString::number(m_totalPages)}});
        m_painter->save();
        m_painter->setFont(QFont(m_footerFont, m_device));
        m_painter->drawText(QRectF(0, m_bodyBottom, m_pageWidth, m_footerHeight),
                            (m_report.file.pageNumberAlign | Qt::AlignVCenter).toInt(), text);
        m_painter->restore();
    }
}

void PageComposer::horizontalLine(double y)
{
    if (m_painter)
        m_painter->drawLine(QLineF(0, y, m_geometry.tableWidth(), y));
}

} // namespace report
