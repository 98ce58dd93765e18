#include "page_composer.h"

#include "on_cores.h"

#include <QAbstractTextDocumentLayout>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextDocument>

namespace report {

namespace {

const QColor shading(0xE8, 0xE8, 0xE8); // header and group rows

} // namespace

QString printFontFamily(const QString& wanted)
{
    for (const QString& family :
         {wanted, QStringLiteral("Liberation Serif"), QStringLiteral("Noto Serif"), QStringLiteral("Noto Sans")}) {
        if (QFontDatabase::hasFamily(family))
            return family;
    }
    return wanted;
}

PageComposer::PageComposer(const PreparedReport& report, QPagedPaintDevice* device) : m_report(report), m_device(device)
{
    const ReportFile& file = report.file;
    m_dpi = device->logicalDpiY();
    m_pageWidth = device->width();

    m_font = QFont(printFontFamily(file.fontFamily));
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
    if (file.columnNumbers) {
        QStringList numbers;
        for (qsizetype i = 1; i <= file.columns.size(); ++i)
            numbers.append(u'(' + QString::number(i) + u')');
        m_columnNumbers = std::make_unique<RowLayout>(numbers, headerGeometry, m_deviceFont);
    }

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
    m_cover = htmlBlock(report.coverHtml);
    m_heading = htmlBlock(report.headingHtml);
    m_closing = htmlBlock(report.closingHtml);
}

PageComposer::~PageComposer() = default;

int PageComposer::compose()
{
    m_pages.clear();
    m_unnumberedPages = 0;
    if (m_cover) {
        // The cover stands alone on the first page, without a page number.
        startPage();
        add({Step::Kind::Document, 0, 0, 0, 0, qMin(m_cover->size().height(), double(m_device->height())), nullptr,
             m_cover.get()});
        m_unnumberedPages = 1;
    }
    startPage();
    m_y = 0;
    if (m_heading) {
        add({Step::Kind::Document, 0, 0, m_y, 0, m_heading->size().height(), nullptr, m_heading.get()});
        m_y += m_heading->size().height() + mm(3);
        // A heading that leaves no room for the table's header and a line puts the table on the next page.
        if (m_y + 2 * headerHeight() > m_bodyBottom) {
            finishPage();
            startPage();
            m_y = 0;
        }
    }
    beginTable();
    std::vector<std::unique_ptr<RowLayout>> layouts = layOutRows();
    for (qsizetype i = 0; i < m_report.rows.size(); ++i)
        drawRow(m_report.rows.at(i), std::move(layouts[size_t(i)]));
    drawClosing();
    finishPage();
    return m_page;
}

double PageComposer::headerHeight() const
{
    return m_header->remainingHeight() + (m_columnNumbers ? m_columnNumbers->remainingHeight() : 0);
}

void PageComposer::paint(QPainter* painter, const std::function<void()>& nextPage) const
{
    painter->setPen(QPen(Qt::black, m_penWidth));
    painter->setBrush(Qt::NoBrush);
    const QString pages = QString::number(m_pages.size() - m_unnumberedPages);
    for (size_t page = 0; page < m_pages.size(); ++page) {
        if (page > 0) {
            if (nextPage)
                nextPage();
            else
                m_device->newPage();
        }
        for (const Step& step : m_pages[page]) {
            switch (step.kind) {
            case Step::Kind::Line:
                painter->drawLine(QLineF(step.x1, step.y1, step.x2, step.y2));
                break;
            case Step::Kind::Fill:
                painter->fillRect(QRectF(step.x1, step.y1, step.x2, step.y2), shading);
                break;
            case Step::Kind::Whole:
                step.layout->drawWhole(painter, step.y1);
                break;
            case Step::Kind::Slice:
                step.layout->drawTakenSlice(painter, step.slice, step.y1);
                break;
            case Step::Kind::Document:
                painter->save();
                painter->translate(0, step.y1);
                step.document->drawContents(painter, QRectF(0, 0, m_pageWidth, step.y2));
                painter->restore();
                break;
            case Step::Kind::PageNumber: {
                const QString text = m_report.file.pageNumber.render(
                    {{QStringLiteral("page"), QString::number(page + 1 - m_unnumberedPages)},
                     {QStringLiteral("pages"), pages}});
                painter->save();
                painter->setFont(QFont(m_footerFont, m_device));
                painter->drawText(QRectF(0, m_bodyBottom, m_pageWidth, m_footerHeight),
                                  (m_report.file.pageNumberAlign | Qt::AlignVCenter).toInt(), text);
                painter->restore();
                break;
            }
            }
        }
    }
}

void PageComposer::startPage()
{
    m_pages.emplace_back();
    m_page = int(m_pages.size());
}

void PageComposer::line(double x1, double y1, double x2, double y2)
{
    add({Step::Kind::Line, 0, x1, y1, x2, y2, nullptr, nullptr});
}

void PageComposer::beginTable()
{
    m_tableOnPage = true;
    m_rowsOnPage = false;
    m_tableTop = m_y;
    m_segments.clear();
    const double height = headerHeight();
    add({Step::Kind::Fill, 0, 0, m_y, m_geometry.tableWidth(), height, nullptr, nullptr});
    add({Step::Kind::Whole, 0, 0, m_y, 0, 0, m_header.get(), nullptr});
    horizontalLine(m_y);
    if (m_columnNumbers) {
        const double numbersTop = m_y + m_header->remainingHeight();
        add({Step::Kind::Whole, 0, 0, numbersTop, 0, 0, m_columnNumbers.get(), nullptr});
        horizontalLine(numbersTop);
    }
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
    m_layouts.push_back(std::make_unique<RowLayout>(QStringList{caption}, geometry, m_deviceBoldFont));
    const RowLayout& layout = *m_layouts.back();
    const double height = layout.remainingHeight();
    closeSegment();
    add({Step::Kind::Fill, 0, 0, m_y, m_geometry.tableWidth(), height, nullptr, nullptr});
    add({Step::Kind::Whole, 0, 0, m_y, 0, 0, &layout, nullptr});
    m_y += height;
    horizontalLine(m_y);
    m_segmentTop = m_y;
}

std::vector<std::unique_ptr<RowLayout>> PageComposer::layOutRows() const
{
    const QList<ReportRow>& rows = m_report.rows;
    std::vector<std::unique_ptr<RowLayout>> layouts(size_t(rows.size()));
    // Shaping the rows' text is most of a long report's time, and every row is shaped on its
    // own: long reports are laid out on every core, each part with a font of its own (a font's
    // engines are cached per thread) and a text laid out once per column, however many rows
    // repeat it.
    const int parts = partsFor(rows.size(), 400);
    const qsizetype chunk = (rows.size() + parts - 1) / parts;
    onCores(parts, [&](int part) {
        const QFont font = part == 0 ? m_deviceFont : QFont(m_font, m_device);
        RowLayout::Cache cache;
        for (qsizetype i = part * chunk; i < qMin(rows.size(), (part + 1) * chunk); ++i)
            layouts[size_t(i)] = std::make_unique<RowLayout>(rows.at(i).cells, m_geometry, font, &cache);
    });
    return layouts;
}

void PageComposer::drawRow(const ReportRow& row, std::unique_ptr<RowLayout> laidOut)
{
    m_layouts.push_back(std::move(laidOut));
    const bool grouped = !m_report.file.groupBy.isEmpty();
    const double groupHeight = row.startsGroup ? groupRowHeight(row.groupCaption) : 0;
    if (m_report.file.keepRows) {
        double room = m_bodyBottom - headerHeight() - groupHeight;
        if (grouped && !row.startsGroup)
            room -= groupRowHeight(m_group);
        fitRow(row, room);
    }
    RowLayout& layout = *m_layouts.back();
    const double need = groupHeight + layout.remainingHeight();

    if (m_rowsOnPage && m_y + need > m_bodyBottom) {
        // Move the row, with its group row, to the next page when it fits there whole, or when
        // not even its first line fits here; otherwise it starts here and goes on over the break.
        double freshRoom = m_bodyBottom - headerHeight();
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
        double height = 0;
        const int slice = layout.takeSlice(m_bodyBottom - m_y, !m_rowsOnPage, &height);
        if (slice >= 0) {
            add({Step::Kind::Slice, slice, 0, m_y, 0, 0, &layout, nullptr});
            m_y += height;
            horizontalLine(m_y);
            m_rowsOnPage = true;
        }
        if (layout.finished())
            break;
        newPage(true);
    }
}

void PageComposer::fitRow(const ReportRow& row, double room)
{
    const double smallest = m_font.pointSizeF() / 2;
    for (double size = m_font.pointSizeF() * 0.9; m_layouts.back()->remainingHeight() > room && size >= smallest;
         size *= 0.9) {
        QFont font = m_font;
        font.setPointSizeF(size);
        m_layouts.back() = std::make_unique<RowLayout>(row.cells, m_geometry, QFont(font, m_device));
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
        startPage();
        m_y = 0;
    } else {
        m_y += gap;
    }
    add({Step::Kind::Document, 0, 0, m_y, 0, qMin(height, m_bodyBottom - m_y), nullptr, m_closing.get()});
    m_y += height;
}

void PageComposer::newPage(bool continueGroup)
{
    finishPage();
    startPage();
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
        // Inner column lines stop at group rows; the outer frame runs the table's height.
        for (const auto& [top, end] : m_segments) {
            for (qsizetype i = 1; i < m_geometry.left.size(); ++i)
                line(m_geometry.left[i], top, m_geometry.left[i], end);
        }
        line(0, m_tableTop, 0, bottom);
        line(m_geometry.tableWidth(), m_tableTop, m_geometry.tableWidth(), bottom);
        m_tableOnPage = false;
    }
}

void PageComposer::finishPage()
{
    finishTable();
    if (!m_report.file.pageNumber.isEmpty())
        add({Step::Kind::PageNumber, 0, 0, 0, 0, 0, nullptr, nullptr});
}

void PageComposer::horizontalLine(double y)
{
    line(0, y, m_geometry.tableWidth(), y);
}

} // namespace report
