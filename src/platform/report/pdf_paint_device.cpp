#include "pdf_paint_device.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QTextLayout>
#include <cmath>

namespace report {

namespace {

// Writes value at p with at most two decimals, then a blank (device pixels at a printer's
// resolution need no more); returns where the next character goes. At most 24 characters.
char* writeNumber(char* p, double value)
{
    long long hundredths = std::isfinite(value) && std::abs(value) < 1e12 ? std::llround(value * 100) : 0;
    if (hundredths < 0) {
        *p++ = '-';
        hundredths = -hundredths;
    }
    char digits[20];
    int n = 0;
    long long whole = hundredths / 100;
    do {
        digits[n++] = char('0' + whole % 10);
        whole /= 10;
    } while (whole > 0 && n < 20);
    while (n > 0)
        *p++ = digits[--n];
    if (const int fraction = int(hundredths % 100); fraction != 0) {
        *p++ = '.';
        *p++ = char('0' + fraction / 10);
        if (fraction % 10)
            *p++ = char('0' + fraction % 10);
    }
    *p++ = ' ';
    return p;
}

void number(QByteArray& out, double value)
{
    char buffer[32];
    out.append(buffer, writeNumber(buffer, value) - buffer);
}

char* writeText(char* p, const char* text)
{
    while (*text)
        *p++ = *text++;
    return p;
}

void point(QByteArray& out, const QPointF& p)
{
    number(out, p.x());
    number(out, p.y());
}

void colour(QByteArray& out, const QColor& c, const char* op)
{
    number(out, c.redF());
    number(out, c.greenF());
    number(out, c.blueF());
    out += op;
    out += '\n';
}

char* writeGlyph(char* p, quint32 glyph)
{
    static const char hex[] = "0123456789ABCDEF";
    *p++ = hex[(glyph >> 12) & 0xF];
    *p++ = hex[(glyph >> 8) & 0xF];
    *p++ = hex[(glyph >> 4) & 0xF];
    *p++ = hex[glyph & 0xF];
    return p;
}

// The engine's type, told apart from any other engine's.
constexpr QPaintEngine::Type OwnType = QPaintEngine::Type(QPaintEngine::User + 41);

} // namespace

class PdfPaintEngine : public QPaintEngine
{
public:
    PdfPaintEngine(const QPageLayout& layout, int resolution, const QString& title)
        : QPaintEngine(AllFeatures), m_file(title), m_layout(layout), m_scale(72.0 / resolution)
    {}

    bool begin(QPaintDevice*) override
    {
        startPage();
        setActive(true);
        return true;
    }
    bool end() override
    {
        finishPage();
        setActive(false);
        return true;
    }
    Type type() const override { return OwnType; }

    void updateState(const QPaintEngineState& state) override
    {
        const DirtyFlags dirty = state.state();
        if (dirty & DirtyPen)
            m_pen = state.pen();
        if (dirty & DirtyBrush)
            m_brush = state.brush();
        if (dirty & DirtyTransform)
            m_transform = state.transform();
        if (dirty & DirtyOpacity)
            m_opaque = state.opacity() >= 1.0;
        if (dirty & (DirtyClipPath | DirtyClipRegion | DirtyClipEnabled))
            clipAgain();
    }

    void drawRects(const QRectF* rects, int count) override
    {
        const char* op = paintOperator(true);
        if (!op)
            return;
        for (int i = 0; i < count; ++i) {
            const QRectF r = m_transform.mapRect(rects[i]);
            point(m_content, r.topLeft());
            number(m_content, r.width());
            number(m_content, r.height());
            m_content += "re\n";
        }
        m_content += op;
        m_content += '\n';
    }

    void drawLines(const QLineF* lines, int count) override
    {
        if (!drawable() || !stroke())
            return;
        for (int i = 0; i < count; ++i) {
            point(m_content, m_transform.map(lines[i].p1()));
            m_content += "m ";
            point(m_content, m_transform.map(lines[i].p2()));
            m_content += "l\n";
        }
        m_content += "S\n";
    }

    void drawPath(const QPainterPath& path) override
    {
        const char* op = paintOperator(true, path.fillRule() == Qt::OddEvenFill);
        if (!op)
            return;
        addPath(m_transform.map(path));
        m_content += op;
        m_content += '\n';
    }

    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override
    {
        if (count < 2)
            return;
        const bool closed = mode != PolylineMode;
        const char* op = paintOperator(closed, mode == OddEvenMode);
        if (!op)
            return;
        for (int i = 0; i < count; ++i) {
            point(m_content, m_transform.map(points[i]));
            m_content += i == 0 ? "m " : "l ";
        }
        if (closed)
            m_content += "h ";
        m_content += op;
        m_content += '\n';
    }

    void drawPixmap(const QRectF& r, const QPixmap& pixmap, const QRectF& source) override
    {
        drawImage(r, pixmap.toImage(), source, Qt::AutoColor);
    }

    void drawImage(const QRectF& r, const QImage& image, const QRectF& source, Qt::ImageConversionFlags) override
    {
        if (!drawable() || image.isNull())
            return;
        const int n = m_file.image(source == QRectF(image.rect()) ? image : image.copy(source.toAlignedRect()));
        const QRectF to = m_transform.mapRect(r);
        m_content += "q ";
        number(m_content, to.width());
        m_content += "0 0 ";
        number(m_content, -to.height());
        point(m_content, to.bottomLeft());
        m_content += "cm /Im" + QByteArray::number(n) + " Do Q\n";
    }

    // A text item (a heading's, a page number's) is shaped again from its text and font: such
    // items are few, and Qt gives its engines the item's glyphs only through private headers.
    void drawTextItem(const QPointF& p, const QTextItem& item) override
    {
        const QString text = item.text();
        if (text.isEmpty() || !drawable())
            return;
        if (m_transform.type() > QTransform::TxTranslate) {
            m_unsupported = true;
            return;
        }
        QTextLayout layout(text, item.font(), paintDevice());
        QTextOption option;
        option.setWrapMode(QTextOption::NoWrap);
        layout.setTextOption(option);
        layout.beginLayout();
        QTextLine line = layout.createLine();
        line.setPosition(QPointF(0, 0));
        layout.endLayout();
        const QPointF origin = m_transform.map(p) - QPointF(0, line.ascent());
        for (const QGlyphRun& run : line.glyphRuns())
            drawGlyphRun(origin, run, m_pen.color());

        const QTextItem::RenderFlags flags = item.renderFlags();
        if (flags & (QTextItem::Underline | QTextItem::Overline | QTextItem::StrikeOut)) {
            const QFontMetricsF metrics(item.font(), paintDevice());
            const QPointF base = m_transform.map(p);
            auto bar = [&](double y) {
                number(m_content, base.x());
                number(m_content, base.y() + y);
                number(m_content, item.width());
                number(m_content, metrics.lineWidth());
                m_content += "re f\n";
            };
            setFill(m_pen.color());
            if (flags & QTextItem::Underline)
                bar(metrics.underlinePos());
            if (flags & QTextItem::Overline)
                bar(-metrics.ascent());
            if (flags & QTextItem::StrikeOut)
                bar(-metrics.strikeOutPos());
        }
    }

    void drawGlyphRun(const QPointF& offset, const QGlyphRun& run, const QColor& colour)
    {
        if (colour.alpha() == 0)
            return;
        if (colour.alpha() != 255 || !m_opaque) {
            m_unsupported = true;
            return;
        }
        const QRawFont raw = run.rawFont();
        if (!(raw == m_lastRaw)) {
            m_lastRaw = raw;
            m_lastFont = m_file.font(raw);
        }
        if (m_lastFont < 0) {
            m_unsupported = true;
            return;
        }
        const QList<quint32> glyphs = run.glyphIndexes();
        const QList<QPointF> positions = run.positions();
        if (glyphs.isEmpty())
            return;
        m_file.useGlyphs(m_lastFont, glyphs.constData(), glyphs.size());
        const HorizontalMetrics& metrics = m_file.metrics(m_lastFont);
        const double size = raw.pixelSize();
        const double perUnit = size / metrics.unitsPerEm;
        setFill(colour);

        // Written straight into the page: a register's lines are a million glyphs.
        const qsizetype start = m_content.size();
        m_content.resize(start + 64 + glyphs.size() * 128); // the most a glyph can take
        char* p = m_content.data() + start;
        p = writeText(p, "BT /F");
        p = writeNumber(p, m_lastFont);
        p = writeText(p, "1 Tf\n");
        double x = 0; // where the PDF puts the next glyph
        double y = 0;
        for (qsizetype i = 0; i < glyphs.size(); ++i) {
            const QPointF at = positions.at(i) + offset;
            if (i == 0 || std::abs(at.y() - y) > 0.01) {
                // A glyph placed off the line's baseline (a mark) starts a new text matrix.
                if (i > 0)
                    p = writeText(p, "> ] TJ\n");
                p = writeNumber(p, size);
                p = writeText(p, "0 0 ");
                p = writeNumber(p, -size);
                p = writeNumber(p, at.x());
                p = writeNumber(p, at.y());
                p = writeText(p, "Tm [<");
                x = at.x();
                y = at.y();
            } else if (const double adjust = (x - at.x()) * 1000 / size; std::abs(adjust) >= 0.5) {
                // Kerning and the layout's own placing, in thousandths of the font size.
                const double rounded = std::round(adjust);
                p = writeText(p, "> ");
                p = writeNumber(p, rounded);
                *p++ = '<';
                x -= rounded * size / 1000;
            }
            p = writeGlyph(p, glyphs.at(i));
            x += metrics.advance(glyphs.at(i)) * perUnit;
        }
        p = writeText(p, "> ] TJ ET\n");
        m_content.resize(p - m_content.constData());
    }

    void newPage()
    {
        finishPage();
        startPage();
    }
    bool finish(QIODevice* out) { return m_file.finish(out); }
    bool unsupported() const { return m_unsupported; }

private:
    bool drawable()
    {
        if (!m_opaque || m_transform.type() > QTransform::TxScale)
            m_unsupported = true;
        return !m_unsupported;
    }

    // The operator that paints a path with the pen and brush (fill, stroke or both), or null when
    // neither shows.
    const char* paintOperator(bool closed, bool oddEven = false)
    {
        if (!drawable())
            return nullptr;
        const bool filled = closed && fill();
        const bool stroked = stroke();
        if (filled && stroked)
            return oddEven ? "B*" : "B";
        if (filled)
            return oddEven ? "f*" : "f";
        return stroked ? "S" : nullptr;
    }

    bool fill()
    {
        if (m_brush.style() == Qt::NoBrush || m_brush.color().alpha() == 0)
            return false;
        if (m_brush.style() != Qt::SolidPattern || m_brush.color().alpha() != 255) {
            m_unsupported = true;
            return false;
        }
        setFill(m_brush.color());
        return true;
    }

    void setFill(const QColor& c)
    {
        if (c.rgb() != m_fillColour) {
            m_fillColour = c.rgb();
            colour(m_content, c, "rg");
        }
    }

    bool stroke()
    {
        if (m_pen.style() == Qt::NoPen || m_pen.color().alpha() == 0)
            return false;
        if (m_pen.style() != Qt::SolidLine || m_pen.brush().style() != Qt::SolidPattern ||
            m_pen.color().alpha() != 255) {
            m_unsupported = true;
            return false;
        }
        if (m_pen.color().rgb() != m_strokeColour) {
            m_strokeColour = m_pen.color().rgb();
            colour(m_content, m_pen.color(), "RG");
        }
        const double width = m_pen.isCosmetic() ? m_pen.widthF() : m_pen.widthF() * m_transform.m11();
        const int cap = m_pen.capStyle() == Qt::FlatCap ? 0 : m_pen.capStyle() == Qt::RoundCap ? 1 : 2;
        const int join = m_pen.joinStyle() == Qt::RoundJoin ? 1 : m_pen.joinStyle() == Qt::BevelJoin ? 2 : 0;
        if (width != m_lineWidth || cap != m_cap || join != m_join) {
            m_lineWidth = width;
            m_cap = cap;
            m_join = join;
            number(m_content, width);
            m_content += "w " + QByteArray::number(cap) + " J " + QByteArray::number(join) + " j\n";
        }
        return true;
    }

    void addPath(const QPainterPath& path)
    {
        for (int i = 0; i < path.elementCount(); ++i) {
            const QPainterPath::Element e = path.elementAt(i);
            if (e.isMoveTo()) {
                point(m_content, e);
                m_content += "m\n";
            } else if (e.isLineTo()) {
                point(m_content, e);
                m_content += "l\n";
            } else if (e.isCurveTo() && i + 2 < path.elementCount()) {
                point(m_content, e);
                point(m_content, path.elementAt(i + 1));
                point(m_content, path.elementAt(i + 2));
                m_content += "c\n";
                i += 2;
            }
        }
    }

    // The page's content starts in device pixels, y downwards, from the top left of the area
    // inside the margins.
    void startPage()
    {
        m_content.clear();
        m_content.reserve(1 << 16);
        m_content += "q\n";
        baseTransform();
        forgetGraphicsState();
    }
    void baseTransform()
    {
        const QRectF full = m_layout.fullRect(QPageLayout::Point);
        const QRectF inside = m_layout.paintRect(QPageLayout::Point);
        number(m_content, m_scale);
        m_content += "0 0 ";
        number(m_content, -m_scale);
        number(m_content, inside.left());
        number(m_content, full.height() - inside.top());
        m_content += "cm\n";
    }
    void finishPage()
    {
        m_content += "Q\n";
        m_file.addPage(m_layout.fullRect(QPageLayout::Point).size(), m_content);
        m_content.clear();
    }
    void forgetGraphicsState()
    {
        m_fillColour = m_strokeColour = QRgb(0x01000000); // no colour: the first use sets it
        m_lineWidth = -1;
        m_cap = m_join = -1;
    }
    // Clipping is the graphics state's, which only Q (back to the page's start) can widen again.
    void clipAgain()
    {
        m_content += "Q q\n";
        baseTransform();
        forgetGraphicsState();
        if (QPainter* p = painter(); p && p->hasClipping()) {
            addPath(p->transform().map(p->clipPath()));
            m_content += "W n\n";
        }
    }

    PdfFile m_file;
    QPageLayout m_layout;
    double m_scale;
    QByteArray m_content;
    QPen m_pen;
    QBrush m_brush;
    QTransform m_transform;
    bool m_opaque = true;
    bool m_unsupported = false;
    QRgb m_fillColour = 0, m_strokeColour = 0;
    double m_lineWidth = -1;
    int m_cap = -1, m_join = -1;
    QRawFont m_lastRaw;
    int m_lastFont = -1;
};

PdfPaintDevice::PdfPaintDevice(const QPaintDevice& measures, const QPageLayout& layout, const QString& title)
    : m_measures{measures.width(),       measures.height(),      measures.widthMM(),      measures.heightMM(),
                 measures.logicalDpiX(), measures.logicalDpiY(), measures.physicalDpiX(), measures.physicalDpiY()},
      m_engine(std::make_unique<PdfPaintEngine>(layout, measures.logicalDpiY(), title))
{}

PdfPaintDevice::~PdfPaintDevice() = default;

QPaintEngine* PdfPaintDevice::paintEngine() const
{
    return m_engine.get();
}

void PdfPaintDevice::newPage()
{
    m_engine->newPage();
}

bool PdfPaintDevice::finish(QIODevice* out)
{
    return m_engine->finish(out);
}

bool PdfPaintDevice::usedUnsupported() const
{
    return m_engine->unsupported();
}

void PdfPaintDevice::drawGlyphRun(const QPointF& offset, const QGlyphRun& run, const QColor& colour)
{
    m_engine->drawGlyphRun(offset, run, colour);
}

PdfPaintDevice* PdfPaintDevice::of(QPainter* painter)
{
    const QPaintEngine* engine = painter->paintEngine();
    return engine && engine->type() == OwnType && painter->transform().type() <= QTransform::TxTranslate
               ? static_cast<PdfPaintDevice*>(painter->device())
               : nullptr;
}

int PdfPaintDevice::metric(PaintDeviceMetric metric) const
{
    switch (metric) {
    case PdmWidth:
        return m_measures.width;
    case PdmHeight:
        return m_measures.height;
    case PdmWidthMM:
        return m_measures.widthMM;
    case PdmHeightMM:
        return m_measures.heightMM;
    case PdmDpiX:
        return m_measures.dpiX;
    case PdmDpiY:
        return m_measures.dpiY;
    case PdmPhysicalDpiX:
        return m_measures.physicalDpiX;
    case PdmPhysicalDpiY:
        return m_measures.physicalDpiY;
    case PdmNumColors:
        return INT_MAX;
    case PdmDepth:
        return 32;
    case PdmDevicePixelRatio:
        return 1;
    case PdmDevicePixelRatioScaled:
        return int(devicePixelRatioFScale());
    }
    return 0;
}

} // namespace report
