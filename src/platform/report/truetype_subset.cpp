#include "truetype_subset.h"

#include <QtEndian>
#include <algorithm>

namespace report {

namespace {

quint16 u16(const QByteArray& data, qsizetype at)
{
    return at + 2 <= data.size() ? qFromBigEndian<quint16>(data.constData() + at) : 0;
}

quint32 u32(const QByteArray& data, qsizetype at)
{
    return at + 4 <= data.size() ? qFromBigEndian<quint32>(data.constData() + at) : 0;
}

void put16(QByteArray& data, quint16 value)
{
    char bytes[2];
    qToBigEndian(value, bytes);
    data.append(bytes, 2);
}

void put32(QByteArray& data, quint32 value)
{
    char bytes[4];
    qToBigEndian(value, bytes);
    data.append(bytes, 4);
}

quint32 checksum(const QByteArray& table)
{
    quint32 sum = 0;
    for (qsizetype at = 0; at < table.size(); at += 4) {
        quint32 word = 0;
        for (int i = 0; i < 4; ++i)
            word = (word << 8) | quint8(at + i < table.size() ? table.at(at + i) : 0);
        sum += word;
    }
    return sum;
}

// Where each glyph's outline lies in "glyf": numGlyphs + 1 offsets, from "loca" in its short or
// long form. Empty when the tables do not agree.
std::vector<quint32> glyphOffsets(const QByteArray& head, const QByteArray& loca, const QByteArray& glyf, int count)
{
    const bool longOffsets = u16(head, 50) == 1;
    std::vector<quint32> offsets;
    offsets.reserve(size_t(count) + 1);
    for (int g = 0; g <= count; ++g) {
        const quint32 offset = longOffsets ? u32(loca, qsizetype(g) * 4) : quint32(u16(loca, qsizetype(g) * 2)) * 2;
        if (offset > quint32(glyf.size()) || (!offsets.empty() && offset < offsets.back()))
            return {};
        offsets.push_back(offset);
    }
    return offsets;
}

// The glyphs a composite glyph is made of.
void addComponents(const QByteArray& glyph, std::set<quint32>& todo)
{
    if (glyph.size() < 10 || qint16(u16(glyph, 0)) >= 0)
        return;
    enum : quint16
    {
        Words = 0x1,
        Scale = 0x8,
        More = 0x20,
        XYScale = 0x40,
        TwoByTwo = 0x80
    };
    qsizetype at = 10;
    for (;;) {
        const quint16 flags = u16(glyph, at);
        todo.insert(u16(glyph, at + 2));
        at += 4 + ((flags & Words) ? 4 : 2);
        at += (flags & Scale) ? 2 : (flags & XYScale) ? 4 : (flags & TwoByTwo) ? 8 : 0;
        if (!(flags & More) || at >= glyph.size())
            return;
    }
}

} // namespace

int glyphCount(const FontTables& tables)
{
    return u16(tables("maxp"), 4);
}

QByteArray subsetTrueType(const FontTables& tables, const std::set<quint32>& glyphs)
{
    QByteArray head = tables("head");
    const QByteArray glyf = tables("glyf");
    const int count = glyphCount(tables);
    if (head.size() < 54 || glyf.isEmpty() || count == 0)
        return {};
    const std::vector<quint32> offsets = glyphOffsets(head, tables("loca"), glyf, count);
    if (offsets.empty())
        return {};

    // Every glyph asked for, with glyph 0 and the parts of composites (which may be composites).
    std::set<quint32> kept;
    std::set<quint32> todo(glyphs);
    todo.insert(0);
    while (!todo.empty()) {
        const quint32 g = *todo.begin();
        todo.erase(todo.begin());
        if (g >= quint32(count) || !kept.insert(g).second)
            continue;
        std::set<quint32> parts;
        addComponents(glyf.mid(offsets[g], offsets[g + 1] - offsets[g]), parts);
        for (quint32 part : parts) {
            if (!kept.count(part))
                todo.insert(part);
        }
    }

    QByteArray newGlyf;
    QByteArray newLoca;
    for (int g = 0; g < count; ++g) {
        put32(newLoca, quint32(newGlyf.size()));
        if (kept.count(quint32(g))) {
            newGlyf.append(glyf.constData() + offsets[size_t(g)], offsets[size_t(g) + 1] - offsets[size_t(g)]);
            while (newGlyf.size() % 4)
                newGlyf.append('\0');
        }
    }
    put32(newLoca, quint32(newGlyf.size()));
    // Long offsets from now on; the whole file's checksum is not kept (readers do not check it).
    qToBigEndian<quint16>(1, head.data() + 50);
    qToBigEndian<quint32>(0, head.data() + 8);

    std::vector<std::pair<QByteArray, QByteArray>> out; // tag, table; sorted by tag
    for (const char* tag : {"cvt ", "fpgm", "glyf", "head", "hhea", "hmtx", "loca", "maxp", "prep"}) {
        const QByteArray table = tag == QByteArrayView("glyf")   ? newGlyf
                                 : tag == QByteArrayView("loca") ? newLoca
                                 : tag == QByteArrayView("head") ? head
                                                                 : tables(tag);
        if (!table.isEmpty())
            out.emplace_back(QByteArray(tag), table);
    }

    QByteArray file;
    const auto tableCount = quint16(out.size());
    quint16 power = 1;
    quint16 log2 = 0;
    while (power * 2 <= tableCount) {
        power *= 2;
        ++log2;
    }
    put32(file, 0x00010000);
    put16(file, tableCount);
    put16(file, quint16(power * 16));
    put16(file, log2);
    put16(file, quint16(tableCount * 16 - power * 16));
    quint32 offset = 12 + 16 * quint32(tableCount);
    for (const auto& [tag, table] : out) {
        file.append(tag);
        put32(file, checksum(table));
        put32(file, offset);
        put32(file, quint32(table.size()));
        offset += (quint32(table.size()) + 3) & ~3u;
    }
    for (const auto& [tag, table] : out) {
        file.append(table);
        while (file.size() % 4)
            file.append('\0');
    }
    return file;
}

HorizontalMetrics horizontalMetrics(const FontTables& tables, int count)
{
    HorizontalMetrics metrics;
    const QByteArray head = tables("head");
    const QByteArray hhea = tables("hhea");
    const QByteArray hmtx = tables("hmtx");
    const int longMetrics = u16(hhea, 34);
    if (head.size() < 54 || longMetrics == 0 || hmtx.size() < longMetrics * 4)
        return metrics;
    metrics.unitsPerEm = u16(head, 18);
    for (int i = 0; i < 4; ++i)
        metrics.bbox[i] = qint16(u16(head, 36 + 2 * i));
    metrics.ascent = qint16(u16(hhea, 4));
    metrics.descent = qint16(u16(hhea, 6));
    metrics.advances.reserve(size_t(qMax(count, longMetrics)));
    for (int g = 0; g < longMetrics; ++g)
        metrics.advances.push_back(u16(hmtx, qsizetype(g) * 4));
    return metrics;
}

std::map<quint32, char32_t> charactersOf(const FontTables& tables, const std::set<quint32>& glyphs)
{
    std::map<quint32, char32_t> result;
    const QByteArray cmap = tables("cmap");
    auto note = [&](char32_t c, quint32 glyph) {
        if (glyphs.count(glyph)) {
            auto [at, added] = result.emplace(glyph, c);
            if (!added && c < at->second)
                at->second = c;
        }
    };
    // The richest Unicode subtable: format 12 (all planes) before format 4 (the first plane).
    qsizetype best = -1;
    quint16 bestFormat = 0;
    for (int i = 0, n = u16(cmap, 2); i < n; ++i) {
        const quint16 platform = u16(cmap, 4 + i * 8);
        const quint16 encoding = u16(cmap, 6 + i * 8);
        const qsizetype at = u32(cmap, 8 + i * 8);
        const bool unicode = platform == 0 || (platform == 3 && (encoding == 1 || encoding == 10));
        const quint16 format = u16(cmap, at);
        if (unicode && (format == 12 || (format == 4 && bestFormat != 12))) {
            best = at;
            bestFormat = format;
        }
    }
    if (best < 0)
        return result;
    if (bestFormat == 12) {
        const quint32 groups = u32(cmap, best + 12);
        for (quint32 i = 0; i < groups && best + 16 + qsizetype(i) * 12 + 12 <= cmap.size(); ++i) {
            const qsizetype at = best + 16 + qsizetype(i) * 12;
            const quint32 first = u32(cmap, at);
            const quint32 last = qMin<quint32>(u32(cmap, at + 4), 0x10FFFF);
            const quint32 glyph = u32(cmap, at + 8);
            for (quint32 c = first; c <= last && c >= first; ++c)
                note(char32_t(c), glyph + (c - first));
        }
        return result;
    }
    const int segments = u16(cmap, best + 6) / 2;
    const qsizetype ends = best + 14;
    const qsizetype starts = ends + segments * 2 + 2;
    const qsizetype deltas = starts + segments * 2;
    const qsizetype rangeOffsets = deltas + segments * 2;
    for (int s = 0; s < segments; ++s) {
        const quint16 end = u16(cmap, ends + s * 2);
        const quint16 start = u16(cmap, starts + s * 2);
        const quint16 delta = u16(cmap, deltas + s * 2);
        const quint16 rangeOffset = u16(cmap, rangeOffsets + s * 2);
        for (quint32 c = start; c <= end && c != 0xFFFF; ++c) {
            quint32 glyph = 0;
            if (rangeOffset == 0) {
                glyph = quint16(c + delta);
            } else {
                const quint16 raw = u16(cmap, rangeOffsets + s * 2 + rangeOffset + qsizetype(c - start) * 2);
                glyph = raw == 0 ? 0 : quint16(raw + delta);
            }
            if (glyph != 0)
                note(char32_t(c), glyph);
        }
    }
    return result;
}

} // namespace report
