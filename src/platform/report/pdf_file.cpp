#include "pdf_file.h"

#include "on_cores.h"

#include <QDateTime>
#include <QIODevice>
#include <QImage>

namespace report {

namespace {

QByteArray compressed(const QByteArray& data)
{
    // qCompress writes the length first, then the zlib stream PDF's FlateDecode reads.
    return qCompress(data, 6).mid(4);
}

QByteArray hex16(quint32 value)
{
    return QByteArray::number(value, 16).rightJustified(4, '0').toUpper();
}

// A text string of the file's dictionaries (the title): UTF-16 with its byte-order mark, in hex.
QByteArray textString(const QString& text)
{
    QByteArray result("<FEFF");
    for (QChar c : text)
        result += hex16(c.unicode());
    return result + '>';
}

// The characters a glyph stands for, as UTF-16 in hex for the map back to the text.
QByteArray utf16Hex(char32_t c)
{
    const QString s = QString::fromUcs4(&c, 1);
    QByteArray result;
    for (QChar unit : s)
        result += hex16(unit.unicode());
    return result;
}

QByteArray toUnicodeMap(const std::map<quint32, char32_t>& characters)
{
    QByteArray map("/CIDInit /ProcSet findresource begin\n12 dict begin\nbegincmap\n"
                   "/CIDSystemInfo << /Registry (Adobe) /Ordering (UCS) /Supplement 0 >> def\n"
                   "/CMapName /Adobe-Identity-UCS def\n/CMapType 2 def\n"
                   "1 begincodespacerange\n<0000> <FFFF>\nendcodespacerange\n");
    auto it = characters.begin();
    while (it != characters.end()) {
        QByteArray block;
        int count = 0;
        for (; it != characters.end() && count < 100; ++it, ++count)
            block += '<' + hex16(it->first) + "> <" + utf16Hex(it->second) + ">\n";
        map += QByteArray::number(count) + " beginbfchar\n" + block + "endbfchar\n";
    }
    return map + "endcmap\nCMapName currentdict /CMap defineresource pop\nend\nend\n";
}

// The widths of the glyphs used, in thousandths of an em, as a /W array: runs of consecutive
// glyphs share one list.
QByteArray widths(const std::set<quint32>& glyphs, const HorizontalMetrics& metrics)
{
    QByteArray result("[");
    quint32 next = 0;
    bool open = false;
    for (quint32 g : glyphs) {
        if (!open || g != next) {
            if (open)
                result += "]";
            result += ' ' + QByteArray::number(g) + " [";
            open = true;
        } else {
            result += ' ';
        }
        result += QByteArray::number(metrics.advance(g) * 1000.0 / metrics.unitsPerEm, 'f', 2);
        next = g + 1;
    }
    if (open)
        result += "]";
    return result + " ]";
}

// Writes objects one after another and keeps where each begins, for the cross-reference table.
class ObjectWriter
{
public:
    explicit ObjectWriter(QIODevice* out) : m_out(out) {}
    int reserve()
    {
        m_offsets.push_back(-1);
        return int(m_offsets.size());
    }
    void write(int number, const QByteArray& body)
    {
        begin(number);
        put(body);
        put("\nendobj\n");
    }
    void writeStream(int number, QByteArray dictionary, const QByteArray& data)
    {
        begin(number);
        put("<< " + dictionary + " /Length " + QByteArray::number(data.size()) + " >>\nstream\n");
        put(data);
        put("\nendstream\nendobj\n");
    }
    void put(const QByteArray& bytes)
    {
        m_ok = m_ok && m_out->write(bytes) == bytes.size();
        m_position += bytes.size();
    }
    bool finish(int root, int info)
    {
        const qint64 xref = m_position;
        QByteArray table = "xref\n0 " + QByteArray::number(m_offsets.size() + 1) + "\n0000000000 65535 f \n";
        for (qint64 offset : m_offsets)
            table += QByteArray::number(offset).rightJustified(10, '0') + " 00000 n \n";
        put(table + "trailer\n<< /Size " + QByteArray::number(m_offsets.size() + 1) + " /Root " +
            QByteArray::number(root) + " 0 R /Info " + QByteArray::number(info) + " 0 R >>\nstartxref\n" +
            QByteArray::number(xref) + "\n%%EOF\n");
        return m_ok;
    }

private:
    void begin(int number)
    {
        m_offsets[size_t(number) - 1] = m_position;
        put(QByteArray::number(number) + " 0 obj\n");
    }
    QIODevice* m_out;
    std::vector<qint64> m_offsets;
    qint64 m_position = 0;
    bool m_ok = true;
};

} // namespace

PdfFile::PdfFile(const QString& title) : m_title(title) {}

void PdfFile::addPage(const QSizeF& size, const QByteArray& content)
{
    m_pages.push_back({size, content});
}

int PdfFile::font(const QRawFont& raw)
{
    const QString key = raw.familyName() + u'|' + raw.styleName() + u'|' + QString::number(raw.weight()) + u'|' +
                        QString::number(int(raw.style()));
    if (const auto at = m_fontNumbers.constFind(key); at != m_fontNumbers.constEnd())
        return at.value();
    Font font;
    font.raw = raw;
    const FontTables tables = [&raw](const char* tag) { return raw.fontTable(tag); };
    int number = -1;
    if (!raw.fontTable("glyf").isEmpty()) {
        const int count = glyphCount(tables);
        font.metrics = horizontalMetrics(tables, count);
        font.used.assign(size_t(count), false);
        if (font.metrics.unitsPerEm > 0 && count > 0) {
            // A PDF name of letters and digits only: a family may hold blanks, brackets or '#'.
            for (const QChar c : raw.familyName() + raw.styleName()) {
                if (c.unicode() < 128 && c.isLetterOrNumber())
                    font.name += c;
            }
            number = int(m_fonts.size());
            m_fonts.push_back(std::move(font));
        }
    }
    m_fontNumbers.insert(key, number);
    return number;
}

int PdfFile::image(const QImage& source)
{
    const QImage rgb = source.convertToFormat(QImage::Format_RGB888);
    QByteArray pixels;
    pixels.reserve(qsizetype(rgb.width()) * rgb.height() * 3);
    for (int y = 0; y < rgb.height(); ++y)
        pixels.append(reinterpret_cast<const char*>(rgb.constScanLine(y)), qsizetype(rgb.width()) * 3);
    Image image;
    image.size = rgb.size();
    image.data = compressed(pixels);
    if (source.hasAlphaChannel()) {
        const QImage alpha = source.convertToFormat(QImage::Format_Alpha8);
        QByteArray mask;
        for (int y = 0; y < alpha.height(); ++y)
            mask.append(reinterpret_cast<const char*>(alpha.constScanLine(y)), alpha.width());
        image.mask = compressed(mask);
    }
    m_images.push_back(std::move(image));
    return int(m_images.size()) - 1;
}

bool PdfFile::finish(QIODevice* out)
{
    ObjectWriter w(out);
    w.put("%PDF-1.4\n%\xE2\xE3\xCF\xD3\n");
    const int catalog = w.reserve();
    const int pages = w.reserve();
    const int resources = w.reserve();
    const int info = w.reserve();

    // Compressing the pages is most of this: they are compressed on every core.
    std::vector<QByteArray> contents(m_pages.size());
    const int parts = partsFor(qsizetype(m_pages.size()), 8);
    onCores(parts, [&](int part) {
        for (size_t p = size_t(part); p < m_pages.size(); p += size_t(parts))
            contents[p] = compressed(m_pages[p].content);
    });

    QByteArray kids;
    for (size_t p = 0; p < m_pages.size(); ++p) {
        const Page& page = m_pages[p];
        const int number = w.reserve();
        const int content = w.reserve();
        w.write(number, "<< /Type /Page /Parent " + QByteArray::number(pages) + " 0 R /MediaBox [0 0 " +
                            QByteArray::number(page.size.width(), 'f', 2) + ' ' +
                            QByteArray::number(page.size.height(), 'f', 2) + "] /Resources " +
                            QByteArray::number(resources) + " 0 R /Contents " + QByteArray::number(content) +
                            " 0 R >>");
        w.writeStream(content, "/Filter /FlateDecode", contents[p]);
        kids += QByteArray::number(number) + " 0 R ";
    }

    QByteArray fonts;
    for (size_t n = 0; n < m_fonts.size(); ++n) {
        const Font& font = m_fonts[n];
        const FontTables tables = [&font](const char* tag) { return font.raw.fontTable(tag); };
        std::set<quint32> glyphs;
        for (size_t g = 0; g < font.used.size(); ++g) {
            if (font.used[g])
                glyphs.insert(quint32(g));
        }
        // A subset's name starts with six capitals of its own.
        QByteArray tag = "SELVAA+";
        tag[4] = char('A' + (n / 26) % 26);
        tag[5] = char('A' + n % 26);
        const QByteArray name = tag + font.name.toLatin1();
        const HorizontalMetrics& m = font.metrics;
        auto units = [&m](int value) { return QByteArray::number(qRound(value * 1000.0 / m.unitsPerEm)); };

        const int type0 = w.reserve();
        const int cidFont = w.reserve();
        const int descriptor = w.reserve();
        const int file = w.reserve();
        const int toUnicode = w.reserve();
        const QByteArray subset = subsetTrueType(tables, glyphs);
        w.writeStream(file, "/Filter /FlateDecode /Length1 " + QByteArray::number(subset.size()), compressed(subset));
        w.write(descriptor, "<< /Type /FontDescriptor /FontName /" + name + " /Flags " +
                                QByteArray(font.raw.style() == QFont::StyleNormal ? "32" : "96") + " /FontBBox [" +
                                units(m.bbox[0]) + ' ' + units(m.bbox[1]) + ' ' + units(m.bbox[2]) + ' ' +
                                units(m.bbox[3]) + "] /ItalicAngle " +
                                QByteArray(font.raw.style() == QFont::StyleNormal ? "0" : "-12") + " /Ascent " +
                                units(m.ascent) + " /Descent " + units(m.descent) + " /CapHeight " + units(m.ascent) +
                                " /StemV " + QByteArray(font.raw.weight() >= QFont::Bold ? "120" : "80") +
                                " /FontFile2 " + QByteArray::number(file) + " 0 R >>");
        w.write(cidFont, "<< /Type /Font /Subtype /CIDFontType2 /BaseFont /" + name +
                             " /CIDSystemInfo << /Registry (Adobe) /Ordering (Identity) /Supplement 0 >> "
                             "/FontDescriptor " +
                             QByteArray::number(descriptor) + " 0 R /CIDToGIDMap /Identity /W " + widths(glyphs, m) +
                             " >>");
        w.writeStream(toUnicode, "/Filter /FlateDecode", compressed(toUnicodeMap(charactersOf(tables, glyphs))));
        w.write(type0, "<< /Type /Font /Subtype /Type0 /BaseFont /" + name +
                           " /Encoding /Identity-H /DescendantFonts [" + QByteArray::number(cidFont) +
                           " 0 R] /ToUnicode " + QByteArray::number(toUnicode) + " 0 R >>");
        fonts += "/F" + QByteArray::number(qulonglong(n)) + ' ' + QByteArray::number(type0) + " 0 R ";
    }

    QByteArray images;
    for (size_t n = 0; n < m_images.size(); ++n) {
        const Image& image = m_images[n];
        QByteArray dictionary = "/Type /XObject /Subtype /Image /Width " + QByteArray::number(image.size.width()) +
                                " /Height " + QByteArray::number(image.size.height()) +
                                " /BitsPerComponent 8 /Filter /FlateDecode";
        if (!image.mask.isEmpty()) {
            const int mask = w.reserve();
            w.writeStream(mask,
                          "/Type /XObject /Subtype /Image /Width " + QByteArray::number(image.size.width()) +
                              " /Height " + QByteArray::number(image.size.height()) +
                              " /ColorSpace /DeviceGray /BitsPerComponent 8 /Filter /FlateDecode",
                          image.mask);
            dictionary += " /SMask " + QByteArray::number(mask) + " 0 R";
        }
        const int number = w.reserve();
        w.writeStream(number, dictionary + " /ColorSpace /DeviceRGB", image.data);
        images += "/Im" + QByteArray::number(qulonglong(n)) + ' ' + QByteArray::number(number) + " 0 R ";
    }

    w.write(resources, "<< /ProcSet [/PDF /Text /ImageC] /Font << " + fonts + ">> /XObject << " + images + ">> >>");
    w.write(pages,
            "<< /Type /Pages /Kids [" + kids + "] /Count " + QByteArray::number(qulonglong(m_pages.size())) + " >>");
    w.write(catalog, "<< /Type /Catalog /Pages " + QByteArray::number(pages) + " 0 R >>");
    w.write(info, "<< /Title " + textString(m_title) + " /Creator (Selvaro) /Producer (Selvaro) /CreationDate (D:" +
                      QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMddHHmmss")).toLatin1() + "Z) >>");
    return w.finish(catalog, info);
}

} // namespace report
