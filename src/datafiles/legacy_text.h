#pragma once

#include <QString>
#include <QStringList>

// The texts of the old program's Jet files. It wrote TCVN3 (VN3) bytes through the Western code
// page Windows-1252, so a text column reads back as the Windows-1252 characters of those bytes:
// "C«ng v¨n" stands for "Công văn". Such a text is turned back into its bytes and decoded as VN3.
namespace datafiles {

// How the texts of one old file are taken: detected column by column, or the user's choice for
// the whole file.
enum class LegacyEncoding
{
    Detect,
    Tcvn3,
    Unicode,
};

// What a column of an old file holds.
enum class ColumnEncoding
{
    Plain,   // ASCII, Windows-1252 punctuation or no-break spaces only: the same read either way
    Tcvn3,   // VN3 bytes read through Windows-1252: decoded
    Unicode, // text already in Unicode: kept as read
};

// The byte Windows-1252 writes for c, or -1 when the code page has none. The five codes it leaves
// empty (0x81, 0x8D, 0x8F, 0x90, 0x9D) come back as the control characters U+0081 ... U+009D,
// as Windows reads them.
int windows1252Byte(QChar c);

// The detection rule, over the non-empty values of one text column:
//  1. a character Windows-1252 cannot write (ộ, ư, đ, “ in a Unicode text; any character above
//     U+00FF but the code page's punctuation) makes the column Unicode: a VN3 text read through
//     the code page never holds one;
//  2. otherwise, with no character standing for a VN3 letter code (0xA1-0xFE), the column is
//     Plain;
//  3. otherwise, when every such character is a Vietnamese letter that Windows-1252 also has
//     (à á â ã è é ê ì í ò ó ô õ ù ú ý and their capitals: "Cà Mau", "Tây Ninh"), the column is
//     Unicode: only VN3 gives its other letter codes (« for ô, ¨ for ă, µ for à, ...), so without
//     one of them nothing shows that the text is not what it reads;
//  4. otherwise the column is TCVN3 when at least 90% of its characters above ASCII stand for VN3
//     letter codes, and Unicode when fewer do (a Western text with a few accented letters among
//     quotes, signs and symbols).
// Vietnamese text in VN3 has one letter above ASCII in every few, nearly all of them letter
// codes; Vietnamese text in Unicode nearly always holds ă, đ, ơ, ư or a dot below, which
// Windows-1252 lacks.
ColumnEncoding detectColumnEncoding(const QStringList& values);

// text turned back into Windows-1252 bytes and decoded as VN3. ok is set to false, and "" is
// returned, when text is not a valid VN3 text read through the code page: a character the code
// page cannot write, or one standing for a byte VN3 leaves unassigned (0xAF, 0xB0-0xB4, 0xBA,
// 0xBF, 0xC0-0xC5, 0xCD, 0xD9-0xDB, 0xE0, 0xF0, 0xFF). firstBad, when given, receives the index
// of the first such character.
QString tcvn3FromWindows1252(const QString& text, bool* ok, int* firstBad = nullptr);

} // namespace datafiles
