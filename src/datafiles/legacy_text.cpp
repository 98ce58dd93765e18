#include "legacy_text.h"

#include "common/tcvn3.h"

#include <array>

namespace datafiles {

namespace {

// Windows-1252 at 0x80-0x9F; the five empty codes map to the C1 control characters.
constexpr char16_t Row80[32] = {
    u'€',      u'\u0081', u'‚', u'ƒ', u'„', u'…', u'†', u'‡', u'ˆ', u'‰', u'Š', u'‹', u'Œ', u'\u008D', u'Ž', u'\u008F',
    u'\u0090', u'‘',      u'’', u'“', u'”', u'•', u'–', u'—', u'˜', u'™', u'š', u'›', u'œ', u'\u009D', u'ž', u'Ÿ',
};

enum ByteClass : unsigned char
{
    Other,
    Letter, // a VN3 letter code, 0xA1-0xFE
    Hole,   // unassigned in VN3
};

std::array<unsigned char, 256> buildClasses()
{
    std::array<unsigned char, 256> classes{};
    for (int b = 0xA1; b <= 0xFF; ++b) {
        const QString decoded = common::decodeTcvn3(QByteArray(1, static_cast<char>(b)));
        classes[b] = decoded.at(0) == QChar(0xFFFD) ? Hole : Letter;
    }
    return classes;
}

const std::array<unsigned char, 256>& byteClasses()
{
    static const std::array<unsigned char, 256> classes = buildClasses();
    return classes;
}

// The letters of Vietnamese that Windows-1252 also has: in a column they may be Unicode text as
// well as VN3 letter codes, so they prove nothing.
bool isSharedLetter(QChar c)
{
    static const QString shared = QStringLiteral("àáâãèéêìíòóôõùúýÀÁÂÃÈÉÊÌÍÒÓÔÕÙÚÝ");
    return shared.contains(c);
}

} // namespace

int windows1252Byte(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return u;
    for (int i = 0; i < 32; ++i) {
        if (Row80[i] == u)
            return 0x80 + i;
    }
    return -1;
}

ColumnEncoding detectColumnEncoding(const QStringList& values)
{
    const auto& classes = byteClasses();
    qint64 aboveAscii = 0;
    qint64 letters = 0;
    qint64 evidence = 0; // letter codes that no Vietnamese Unicode letter reads as
    for (const QString& value : values) {
        for (QChar c : value) {
            if (c.unicode() < 0x80)
                continue;
            const int b = windows1252Byte(c);
            if (b < 0)
                return ColumnEncoding::Unicode;
            ++aboveAscii;
            if (classes[b] == Letter) {
                ++letters;
                evidence += !isSharedLetter(c);
            }
        }
    }
    if (letters == 0)
        return ColumnEncoding::Plain;
    if (evidence == 0)
        return ColumnEncoding::Unicode;
    return letters * 10 >= aboveAscii * 9 ? ColumnEncoding::Tcvn3 : ColumnEncoding::Unicode;
}

QString tcvn3FromWindows1252(const QString& text, bool* ok, int* firstBad)
{
    const auto& classes = byteClasses();
    QByteArray bytes;
    bytes.resize(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int b = windows1252Byte(text.at(i));
        if (b < 0 || classes[b] == Hole) {
            if (ok)
                *ok = false;
            if (firstBad)
                *firstBad = static_cast<int>(i);
            return QString();
        }
        bytes[i] = static_cast<char>(b);
    }
    if (ok)
        *ok = true;
    return common::decodeTcvn3(bytes);
}

} // namespace datafiles
