#pragma once

#include "truetype_subset.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QRawFont>
#include <QSizeF>
#include <QString>
#include <set>
#include <vector>

class QIODevice;
class QImage;

namespace report {

// A PDF file built page by page: page contents as PDF operators, the TrueType fonts they name
// embedded as subsets (/F0, /F1 ...: glyph numbers drawn as two-byte codes, with a map back to
// the text so that copying and searching work), images (/Im0 ...). Nothing reaches the device
// before finish().
class PdfFile
{
public:
    explicit PdfFile(const QString& title);

    // A page of size (in points) whose content draws with the fonts and images of this file.
    void addPage(const QSizeF& size, const QByteArray& content);

    // The number of raw's font in this file (its /F<n>), or -1 for a font it cannot embed (not
    // TrueType outlines).
    int font(const QRawFont& raw);
    const HorizontalMetrics& metrics(int font) const { return m_fonts[size_t(font)].metrics; }
    // Glyphs of font that a page draws: they are embedded.
    void useGlyphs(int font, const quint32* glyphs, qsizetype count)
    {
        std::vector<bool>& used = m_fonts[size_t(font)].used;
        for (qsizetype i = 0; i < count; ++i) {
            if (glyphs[i] < used.size())
                used[glyphs[i]] = true;
        }
    }

    // The number of an image to draw as /Im<n> (the unit square, as PDF images are).
    int image(const QImage& image);

    // Writes the whole file to out; false when out refuses it.
    bool finish(QIODevice* out);

private:
    struct Font
    {
        QRawFont raw;
        QString name; // PostScript-like: ASCII letters and digits
        HorizontalMetrics metrics;
        std::vector<bool> used; // by glyph number
    };
    struct Page
    {
        QSizeF size;
        QByteArray content;
    };
    struct Image
    {
        QByteArray dictionary; // without /Length
        QByteArray data;       // compressed
        QByteArray mask;       // compressed alpha, if any
        QSize size;
    };
    QString m_title;
    std::vector<Font> m_fonts;
    QHash<QString, int> m_fontNumbers; // by family, style, weight and slant
    std::vector<Page> m_pages;
    std::vector<Image> m_images;
};

} // namespace report
