#pragma once

#include <QByteArray>
#include <functional>
#include <map>
#include <set>
#include <vector>

namespace report {

// The tables of a font, by their four-letter tag ("glyf", "head", "cvt " ...); an empty array
// for a table the font does not have. QRawFont::fontTable serves.
using FontTables = std::function<QByteArray(const char* tag)>;

// A TrueType font file holding the outlines of glyphs only (with the glyphs their composite
// glyphs are made of, and glyph 0, the missing-glyph box). Glyph numbers stay as they are, so a
// PDF that draws the font's glyph numbers draws this file unchanged; every other glyph is left
// empty. Returns an empty array for a font without TrueType outlines (no "glyf" table, as in a
// CFF font) or with damaged tables.
QByteArray subsetTrueType(const FontTables& tables, const std::set<quint32>& glyphs);

// The advance widths of every glyph, in font units, from "hhea" and "hmtx"; the font's units per
// em from "head". Empty (and 0) for a font without those tables.
struct HorizontalMetrics
{
    std::vector<quint16> advances;
    int unitsPerEm = 0;
    int ascent = 0, descent = 0; // from "hhea", in font units (descent below zero)
    int bbox[4] = {0, 0, 0, 0};  // xMin yMin xMax yMax of "head", in font units
    quint16 advance(quint32 glyph) const
    {
        return advances.empty() ? 0 : advances[qMin<size_t>(glyph, advances.size() - 1)];
    }
};
HorizontalMetrics horizontalMetrics(const FontTables& tables, int glyphCount);

// How many glyphs the font has ("maxp"); 0 without it.
int glyphCount(const FontTables& tables);

// The characters the font's "cmap" maps to each of glyphs (a Unicode subtable, format 4 or 12),
// the lowest character where several map to one glyph. A glyph no character maps to is absent.
std::map<quint32, char32_t> charactersOf(const FontTables& tables, const std::set<quint32>& glyphs);

} // namespace report
