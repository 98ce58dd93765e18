#include "tcvn3.h"

#include <array>

namespace common {

namespace {

constexpr char16_t Replacement = u'\uFFFD';

// The characters VN3 assigns above ASCII, by byte.
struct Assignment
{
    unsigned char byte;
    char16_t ch;
};

// clang-format off
constexpr Assignment Vn3Letters[] = {
    {0xA0, u'\u00A0'}, // no-break space
    {0xA1, u'Ă'}, {0xA2, u'Â'}, {0xA3, u'Ê'}, {0xA4, u'Ô'}, {0xA5, u'Ơ'}, {0xA6, u'Ư'}, {0xA7, u'Đ'},
    {0xA8, u'ă'}, {0xA9, u'â'}, {0xAA, u'ê'}, {0xAB, u'ô'}, {0xAC, u'ơ'}, {0xAD, u'ư'}, {0xAE, u'đ'},
    // each vowel with grave, hook above, tilde, acute, dot below
    {0xB5, u'à'}, {0xB6, u'ả'}, {0xB7, u'ã'}, {0xB8, u'á'}, {0xB9, u'ạ'},
    {0xBB, u'ằ'}, {0xBC, u'ẳ'}, {0xBD, u'ẵ'}, {0xBE, u'ắ'}, {0xC6, u'ặ'},
    {0xC7, u'ầ'}, {0xC8, u'ẩ'}, {0xC9, u'ẫ'}, {0xCA, u'ấ'}, {0xCB, u'ậ'},
    {0xCC, u'è'}, {0xCE, u'ẻ'}, {0xCF, u'ẽ'}, {0xD0, u'é'}, {0xD1, u'ẹ'},
    {0xD2, u'ề'}, {0xD3, u'ể'}, {0xD4, u'ễ'}, {0xD5, u'ế'}, {0xD6, u'ệ'},
    {0xD7, u'ì'}, {0xD8, u'ỉ'}, {0xDC, u'ĩ'}, {0xDD, u'í'}, {0xDE, u'ị'},
    {0xDF, u'ò'}, {0xE1, u'ỏ'}, {0xE2, u'õ'}, {0xE3, u'ó'}, {0xE4, u'ọ'},
    {0xE5, u'ồ'}, {0xE6, u'ổ'}, {0xE7, u'ỗ'}, {0xE8, u'ố'}, {0xE9, u'ộ'},
    {0xEA, u'ờ'}, {0xEB, u'ở'}, {0xEC, u'ỡ'}, {0xED, u'ớ'}, {0xEE, u'ợ'},
    {0xEF, u'ù'}, {0xF1, u'ủ'}, {0xF2, u'ũ'}, {0xF3, u'ú'}, {0xF4, u'ụ'},
    {0xF5, u'ừ'}, {0xF6, u'ử'}, {0xF7, u'ữ'}, {0xF8, u'ứ'}, {0xF9, u'ự'},
    {0xFA, u'ỳ'}, {0xFB, u'ỷ'}, {0xFC, u'ỹ'}, {0xFD, u'ý'}, {0xFE, u'ỵ'},
};

// Windows-1252 at 0x80-0x9F; Replacement where that code page leaves the code empty.
constexpr char16_t Windows1252Row[32] = {
    u'€', Replacement, u'‚', u'ƒ', u'„', u'…', u'†', u'‡', u'ˆ', u'‰', u'Š', u'‹', u'Œ', Replacement, u'Ž', Replacement,
    Replacement, u'‘', u'’', u'“', u'”', u'•', u'–', u'—', u'˜', u'™', u'š', u'›', u'œ', Replacement, u'ž', u'Ÿ',
};
// clang-format on

// Character of every byte 0x80-0xFF.
constexpr std::array<char16_t, 128> buildDecodeTable()
{
    std::array<char16_t, 128> table{};
    for (int i = 0; i < 32; ++i)
        table[i] = Windows1252Row[i];
    for (int i = 32; i < 128; ++i)
        table[i] = Replacement;
    for (const Assignment& a : Vn3Letters)
        table[a.byte - 0x80] = a.ch;
    return table;
}

constexpr std::array<char16_t, 128> DecodeTable = buildDecodeTable();

// Byte of a character above ASCII, or 0 when VN3 (with the Windows-1252 row) has none.
unsigned char byteOf(char16_t ch)
{
    for (int i = 0; i < 128; ++i) {
        if (DecodeTable[i] == ch && ch != Replacement)
            return static_cast<unsigned char>(0x80 + i);
    }
    return 0;
}

} // namespace

QString decodeTcvn3(const QByteArray& bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        text.append(b < 0x80 ? QChar(b) : QChar(DecodeTable[b - 0x80]));
    }
    return text;
}

QByteArray encodeTcvn3(const QString& text, bool* exact)
{
    const QString composed = text.normalized(QString::NormalizationForm_C);
    QByteArray bytes;
    bytes.reserve(composed.size());
    bool allExact = true;
    for (qsizetype i = 0; i < composed.size(); ++i) {
        const char16_t ch = composed.at(i).unicode();
        if (ch < 0x80) {
            bytes.append(static_cast<char>(ch));
        } else if (const unsigned char b = byteOf(ch)) {
            bytes.append(static_cast<char>(b));
        } else if (const unsigned char lower = byteOf(QChar(ch).toLower().unicode()); lower >= 0xA8) {
            // A capital with a tone mark: VN3 keeps only its lower-case letter.
            bytes.append(static_cast<char>(lower));
            allExact = false;
        } else {
            // One character outside the Basic Multilingual Plane is one '?', not two.
            if (QChar::isHighSurrogate(ch) && i + 1 < composed.size() && composed.at(i + 1).isLowSurrogate())
                ++i;
            bytes.append('?');
            allExact = false;
        }
    }
    if (exact)
        *exact = allExact;
    return bytes;
}

} // namespace common
