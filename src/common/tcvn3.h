#pragma once

#include <QByteArray>
#include <QString>

namespace common {

// TCVN3 (TCVN 5712:1993 VN3), the 8-bit Vietnamese encoding of the ".Vn" fonts (.VnTime,
// .VnArial, ...). Text in the program is Unicode; this codec reads and writes old data.
//
// The repertoire of VN3: the 128 ASCII codes unchanged, the no-break space at 0xA0, the seven
// capitals Ă Â Ê Ô Ơ Ư Đ (0xA1-0xA7), and 67 lower-case letters: ă â ê ô ơ ư đ (0xA8-0xAE) and
// the twelve vowels a ă â e ê i o ô ơ u ư y with each of the five tone marks (0xB5-0xFE).
// Capital letters with a tone mark are not in VN3: old programs typed the lower-case code and
// showed it in an all-capital font (.VnTimeH), so the case was in the font, not in the text.
//
// Bytes VN3 leaves unassigned:
//  - 0x80-0x9F read as Windows-1252, the code page under which the .Vn fonts were used: the
//    curly quotes, dashes and ellipsis a word processor puts into pasted text live there
//    (0x93 “, 0x94 ”, 0x96 –, 0x85 …). The five codes Windows-1252 leaves empty (0x81, 0x8D,
//    0x8F, 0x90, 0x9D) read as U+FFFD.
//  - the 21 holes of 0xA1-0xFF (0xAF, 0xB0-0xB4, 0xBA, 0xBF, 0xC0-0xC5, 0xCD, 0xD9-0xDB, 0xE0,
//    0xF0, 0xFF) read as U+FFFD. (The sister encoding VN1 puts capitals with tones and combining
//    tone marks there; a VN3 text never holds them.)
// Decoding never combines bytes: every byte gives exactly one character.
//
// Decodes VN3 bytes to Unicode text, one character per byte (see above for unassigned bytes).
QString decodeTcvn3(const QByteArray& bytes);

// Encodes text as VN3 bytes, one byte per character of the text in composed form (NFC), so a
// letter typed as base letter plus combining tone mark encodes like the precomposed letter.
//  - ASCII, the VN3 letters, the no-break space and the Windows-1252 characters of 0x80-0x9F
//    encode as themselves.
//  - A capital letter whose lower-case letter is in VN3 (Ấ, À, Ỹ, ...: every capital with a
//    tone mark) encodes as that lower-case letter: the letter and its tone survive, its case
//    does not (as the all-capital fonts stored it).
//  - Every other character (including a surrogate pair, which counts as one character and
//    U+FFFD itself) encodes as '?'.
// When exact is given it is set to true when decodeTcvn3() of the result gives the composed
// text back unchanged, false when a capital was lowered or a character became '?'.
QByteArray encodeTcvn3(const QString& text, bool* exact = nullptr);

} // namespace common
