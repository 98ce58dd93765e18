#include "row_layout.h"

#include "pdf_paint_device.h"

#include <QGlyphRun>
#include <QPainter>
#include <QTextLayout>
#include <QTextOption>

namespace report {

struct RowLayout::CellText
{
    QTextLayout layout;
    QList<double> lineTops; // top of each line, then the bottom of the last one
};

struct RowLayout::Cell
{
    std::shared_ptr<const CellText> text;
    int nextLine = 0;

    const QList<double>& lineTops() const { return text->lineTops; }
    double remaining() const { return lineTops().back() - lineTops().at(nextLine); }
    bool finished() const { return nextLine >= lineTops().size() - 1; }
    // Lines from nextLine that fit in height (at least one when force is set).
    int linesFitting(double height, bool force) const
    {
        int count = 0;
        while (nextLine + count < lineTops().size() - 1 &&
               lineTops().at(nextLine + count + 1) - lineTops().at(nextLine) <= height)
            ++count;
        return count == 0 && force && !finished() ? 1 : count;
    }
};

namespace {

// Draws line at offset: on the program's own PDF writer as the glyphs the layout keeps, shaped
// once already.
void drawLine(QPainter* painter, const QTextLine& line, const QPointF& offset)
{
    if (PdfPaintDevice* pdf = PdfPaintDevice::of(painter)) {
        const QPointF at = offset + QPointF(painter->transform().dx(), painter->transform().dy());
        for (const QGlyphRun& run : line.glyphRuns())
            pdf->drawGlyphRun(at, run, painter->pen().color());
        return;
    }
    line.draw(painter, offset);
}

std::shared_ptr<const RowLayout::CellText> layOut(QString text, const QFont& font, Qt::Alignment align,
                                                  double lineWidth)
{
    text.remove(u'\r');
    text.replace(u'\n', QChar::LineSeparator);
    auto cell = std::make_shared<RowLayout::CellText>();
    cell->layout.setText(text);
    cell->layout.setFont(font);
    QTextOption option(align);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    cell->layout.setTextOption(option);
    // Keep the shaped glyphs after endLayout(): the lines are drawn from them, not shaped again.
    cell->layout.setCacheEnabled(true);
    double y = 0;
    cell->layout.beginLayout();
    for (QTextLine line = cell->layout.createLine(); line.isValid(); line = cell->layout.createLine()) {
        line.setLineWidth(lineWidth);
        line.setPosition(QPointF(0, y));
        cell->lineTops.append(y);
        y += line.height();
    }
    cell->layout.endLayout();
    cell->lineTops.append(y);
    return cell;
}

} // namespace

RowLayout::RowLayout(const QStringList& texts, const TableGeometry& geometry, const QFont& deviceFont, Cache* cache)
    : m_geometry(geometry)
{
    m_cells.reserve(size_t(geometry.width.size()));
    for (qsizetype column = 0; column < geometry.width.size(); ++column) {
        const QString text = texts.value(column);
        const double lineWidth = qMax(1.0, geometry.width.at(column) - 2 * geometry.padding);
        const Qt::Alignment align = geometry.align.value(column, Qt::AlignLeft);
        auto cell = std::make_unique<Cell>();
        if (cache) {
            std::shared_ptr<const CellText>& kept = (*cache)[QString::number(column) + u'\x1f' + text];
            if (!kept)
                kept = layOut(text, deviceFont, align, lineWidth);
            cell->text = kept;
        } else {
            cell->text = layOut(text, deviceFont, align, lineWidth);
        }
        m_cells.push_back(std::move(cell));
    }
}

RowLayout::~RowLayout() = default;
RowLayout::RowLayout(RowLayout&&) noexcept = default;
RowLayout& RowLayout::operator=(RowLayout&&) noexcept = default;

double RowLayout::remainingHeight() const
{
    double height = 0;
    for (const auto& cell : m_cells)
        height = qMax(height, cell->remaining());
    return height + 2 * m_geometry.padding;
}

bool RowLayout::finished() const
{
    return std::all_of(m_cells.begin(), m_cells.end(), [](const auto& cell) { return cell->finished(); });
}

QList<int> RowLayout::linesFitting(double room, bool force, bool* any) const
{
    QList<int> counts;
    counts.reserve(qsizetype(m_cells.size()));
    *any = false;
    for (const auto& cell : m_cells) {
        counts.append(cell->linesFitting(room, force));
        *any = *any || counts.back() > 0;
    }
    return counts;
}

double RowLayout::drawSlice(QPainter* painter, double top, double available, bool force)
{
    double height = 0;
    const int slice = takeSlice(available, force, &height);
    if (slice >= 0 && painter)
        drawTakenSlice(painter, slice, top);
    return height;
}

int RowLayout::takeSlice(double available, bool force, double* height)
{
    bool any = false;
    const QList<int> counts = linesFitting(available - 2 * m_geometry.padding, force, &any);
    *height = 0;
    if (!any)
        return -1;
    double tallest = 0;
    for (size_t column = 0; column < m_cells.size(); ++column) {
        Cell& cell = *m_cells[column];
        const int count = counts.at(qsizetype(column));
        m_taken.push_back(Taken{cell.nextLine, count});
        if (count == 0)
            continue;
        const double first = cell.lineTops().at(cell.nextLine);
        cell.nextLine += count;
        tallest = qMax(tallest, cell.lineTops().at(cell.nextLine) - first);
    }
    *height = tallest + 2 * m_geometry.padding;
    return int(m_taken.size() / m_cells.size()) - 1;
}

void RowLayout::drawTakenSlice(QPainter* painter, int slice, double top) const
{
    const size_t base = size_t(slice) * m_cells.size();
    for (size_t column = 0; column < m_cells.size(); ++column) {
        const Cell& cell = *m_cells[column];
        const Taken taken = m_taken[base + column];
        if (taken.count == 0)
            continue;
        const QPointF offset(m_geometry.left.at(qsizetype(column)) + m_geometry.padding,
                             top + m_geometry.padding - cell.lineTops().at(taken.first));
        for (int i = 0; i < taken.count; ++i)
            drawLine(painter, cell.text->layout.lineAt(taken.first + i), offset);
    }
}

double RowLayout::drawWhole(QPainter* painter, double top) const
{
    double height = 0;
    for (size_t column = 0; column < m_cells.size(); ++column) {
        const Cell& cell = *m_cells[column];
        if (painter) {
            const QPointF at(m_geometry.left.at(qsizetype(column)) + m_geometry.padding, top + m_geometry.padding);
            for (int i = 0; i < cell.text->layout.lineCount(); ++i)
                drawLine(painter, cell.text->layout.lineAt(i), at);
        }
        height = qMax(height, cell.lineTops().back());
    }
    return height + 2 * m_geometry.padding;
}

} // namespace report
