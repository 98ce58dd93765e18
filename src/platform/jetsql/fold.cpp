#include "fold.h"

#include <QChar>
#include <QList>
#include <array>

namespace jetsql {

namespace {

// Combining diacritical marks U+0300..U+036F: the ones Vietnamese text in decomposed form uses.
bool isCombining(char32_t c)
{
    return c >= 0x300 && c <= 0x36F;
}

// Decodes one UTF-8 code point at s[i] and advances i. A malformed byte decodes alone, as a value
// above the Unicode range, so comparisons stay total and never read past the end.
char32_t decodeUtf8(const unsigned char* s, int length, int& i)
{
    const unsigned char b0 = s[i];
    if (b0 < 0x80) {
        ++i;
        return b0;
    }
    int extra = 0;
    char32_t c = 0;
    if ((b0 & 0xE0) == 0xC0) {
        extra = 1;
        c = b0 & 0x1F;
    } else if ((b0 & 0xF0) == 0xE0) {
        extra = 2;
        c = b0 & 0x0F;
    } else if ((b0 & 0xF8) == 0xF0) {
        extra = 3;
        c = b0 & 0x07;
    } else {
        ++i;
        return 0x110000 + b0;
    }
    if (i + extra >= length) {
        ++i;
        return 0x110000 + b0;
    }
    for (int k = 1; k <= extra; ++k) {
        const unsigned char b = s[i + k];
        if ((b & 0xC0) != 0x80) {
            ++i;
            return 0x110000 + b0;
        }
        c = (c << 6) | (b & 0x3F);
    }
    i += extra + 1;
    return c;
}

// QChar::toLower of every character below U+2000 (Latin with all Vietnamese letters, Greek,
// Cyrillic), looked up once when the program loads. QChar leaves U+0130 (capital I with dot)
// alone because its full lower case is two characters; Unicode's one-character lower case is
// "i", which is what a database server gives too.
constexpr char32_t TabledBelow = 0x2000;

const std::array<char16_t, TabledBelow> lowerCase = [] {
    std::array<char16_t, TabledBelow> t{};
    for (char32_t c = 0; c < TabledBelow; ++c)
        t[c] = char16_t(QChar::toLower(c));
    t[0x130] = u'i';
    return t;
}();

inline char32_t foldChar(char32_t c)
{
    if (c < 0x80)
        return (c >= 'A' && c <= 'Z') ? c + 32 : c;
    if (c < TabledBelow)
        return lowerCase[c];
    if (c > 0x10FFFF)
        return c;
    return QChar::toLower(c);
}

// True when the character at s[i] is a combining mark U+0300..U+036F (encoded CC 80..CD AF).
bool isCombiningLead(const unsigned char* s, int length, int i)
{
    return (s[i] == 0xCC || s[i] == 0xCD) && i + 1 < length && (s[i] == 0xCC || s[i + 1] <= 0xAF);
}

int compareUcs4(const QList<uint>& a, const QList<uint>& b)
{
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        if (a[i] != b[i])
            return a[i] < b[i] ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

} // namespace

QString foldCase(QStringView text)
{
    bool combining = false;
    bool surrogates = false;
    for (QChar c : text) {
        if (isCombining(c.unicode()))
            combining = true;
        else if (c.isSurrogate())
            surrogates = true;
    }
    QString folded = combining ? text.toString().normalized(QString::NormalizationForm_C) : text.toString();
    if (!surrogates) {
        // Simple (one-to-one) lower-case mapping per character, the same the UTF-8 path uses.
        for (QChar& c : folded)
            c = QChar(char16_t(foldChar(c.unicode())));
        return folded;
    }
    QList<uint> ucs4 = folded.toUcs4();
    for (uint& c : ucs4)
        c = foldChar(c);
    return QString::fromUcs4(reinterpret_cast<const char32_t*>(ucs4.constData()), ucs4.size());
}

bool foldSimpleUtf8(const char* text, int length, std::u16string& out)
{
    const auto* s = reinterpret_cast<const unsigned char*>(text);
    out.resize(size_t(length)); // never more UTF-16 units than UTF-8 bytes
    char16_t* o = out.data();
    int i = 0;
    while (i < length) {
        const unsigned char b0 = s[i];
        if (b0 < 0x80) {
            *o++ = char16_t((b0 >= 'A' && b0 <= 'Z') ? b0 + 32 : b0);
            ++i;
            continue;
        }
        char32_t c = 0;
        if ((b0 & 0xE0) == 0xC0) {
            if (i + 1 >= length || (s[i + 1] & 0xC0) != 0x80)
                return false;
            c = char32_t(b0 & 0x1F) << 6 | (s[i + 1] & 0x3F);
            if (c < 0x80)
                return false; // overlong
            i += 2;
        } else if ((b0 & 0xF0) == 0xE0) {
            if (i + 2 >= length || (s[i + 1] & 0xC0) != 0x80 || (s[i + 2] & 0xC0) != 0x80)
                return false;
            c = char32_t(b0 & 0x0F) << 12 | char32_t(s[i + 1] & 0x3F) << 6 | (s[i + 2] & 0x3F);
            if (c < 0x800 || (c >= 0xD800 && c <= 0xDFFF))
                return false; // overlong, or a surrogate
            i += 3;
        } else {
            return false; // beyond U+FFFF, or malformed
        }
        if (isCombining(c) || c == 0xFEFF)
            return false;
        *o++ = char16_t(foldChar(c));
    }
    out.resize(size_t(o - out.data()));
    return true;
}

int compareFolded(QStringView a, QStringView b)
{
    return compareUcs4(foldCase(a).toUcs4(), foldCase(b).toUcs4());
}

int compareFolded(const char* a, int aLength, const char* b, int bLength)
{
    const auto* sa = reinterpret_cast<const unsigned char*>(a);
    const auto* sb = reinterpret_cast<const unsigned char*>(b);
    // Equal bytes are equal text: skip them, then step back to the start of a character.
    int i = 0;
    while (i < aLength && i < bLength && sa[i] == sb[i])
        ++i;
    while (i > 0 && i < aLength && i < bLength && ((sa[i] & 0xC0) == 0x80 || (sb[i] & 0xC0) == 0x80))
        --i;
    int j = i;
    while (true) {
        // A combining mark may join the character before it: compare the composed texts.
        if ((i < aLength && isCombiningLead(sa, aLength, i)) || (j < bLength && isCombiningLead(sb, bLength, j)))
            return compareFolded(QString::fromUtf8(a, aLength), QString::fromUtf8(b, bLength));
        if (i >= aLength || j >= bLength)
            break;
        const char32_t ca = foldChar(decodeUtf8(sa, aLength, i));
        const char32_t cb = foldChar(decodeUtf8(sb, bLength, j));
        if (ca != cb) {
            if ((i < aLength && isCombiningLead(sa, aLength, i)) || (j < bLength && isCombiningLead(sb, bLength, j)))
                return compareFolded(QString::fromUtf8(a, aLength), QString::fromUtf8(b, bLength));
            return ca < cb ? -1 : 1;
        }
    }
    if (i < aLength)
        return 1;
    if (j < bLength)
        return -1;
    return 0;
}

} // namespace jetsql
