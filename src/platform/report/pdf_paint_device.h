#pragma once

#include "pdf_file.h"

#include <QPageLayout>
#include <QPaintDevice>
#include <memory>

class QGlyphRun;
class QIODevice;
class QPainter;

namespace report {

class PdfPaintEngine;

// A paint device that writes a PDF of its own rather than Qt's: a line of text is one text
// operator with the glyphs of the line (Qt's writer places every glyph on its own, about twenty
// bytes a character, which a register of thousands of letters pays for in building, copying and
// compressing). It draws text, lines, rectangles, paths and images in solid colours, with
// clipping to rectangles and paths, under transforms that only move and scale. Anything else
// (gradients, patterns, dashes, transparency, rotation, fonts without TrueType outlines) marks
// the drawing unsupported and is not drawn: the caller then writes the document with Qt's writer.
//
// Its measures (size, resolution) are those of the paged device given, so that what was laid out
// for that device is drawn here unchanged.
class PdfPaintDevice : public QPaintDevice
{
public:
    PdfPaintDevice(const QPaintDevice& measures, const QPageLayout& layout, const QString& title);
    ~PdfPaintDevice() override;

    QPaintEngine* paintEngine() const override;

    // Ends the page being drawn and starts the next one.
    void newPage();
    // Ends the last page and writes the file to out (after QPainter::end); false when out refuses it.
    bool finish(QIODevice* out);
    // Whether something was drawn that this device cannot write.
    bool usedUnsupported() const;

    // Draws the glyphs of run at offset (in device pixels, as QTextLine::draw would draw the line
    // the run comes from) in colour: the fast way for text laid out already.
    void drawGlyphRun(const QPointF& offset, const QGlyphRun& run, const QColor& colour);

    // The device painter draws on, when it is a PdfPaintDevice under a transform that only moves:
    // then drawGlyphRun serves, with the transform's move added to the offset.
    static PdfPaintDevice* of(QPainter* painter);

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    struct Measures
    {
        int width, height, widthMM, heightMM, dpiX, dpiY, physicalDpiX, physicalDpiY;
    };
    Measures m_measures;
    std::unique_ptr<PdfPaintEngine> m_engine;
};

} // namespace report
