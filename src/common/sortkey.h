#pragma once

#include <QString>

namespace common {

// The Vietnamese sort key stored in the column `matt` of the reference tables (donvi, bophan,
// noigui, loaicv, chutat) and recomputed from the row's name every time the row is saved. The
// plain ascending order of the keys is the Vietnamese alphabetical order: base letter first,
// then the letter variant (A, Â, Ă; E, Ê; O, Ô, Ơ; U, Ư; D, Đ), then the tone mark.
//
// Each of the 88 vowels and D/Đ letters of the table becomes a three-character code: base letter
// (keeping its case), variant digit, tone digit (0 none, 1 grave, 2 acute, 3 hook, 4 tilde,
// 5 dot below); "Bắc" gives "Ba22c". Every other character (b, c, g, ..., digits, blanks,
// punctuation) passes through unchanged, so "A00" sorts before "B" and "a00" before "b".
// Letters are matched exactly: case matters. The table holds the capitals without a tone mark only
// (A Â Ă D Đ E Ê I O Ô Ơ U Ư Y); a capital with a tone (Ạ, Ắ, ...) passes through unchanged.
//
// The table keeps three irregular codes on which keys already stored in data files depend:
// "ẻ" has "e04" (the same as "ẽ"), "ỡ" has "o44" (so it sorts after "ợ"), and Â has variant 1,
// Ă variant 2 (so Â sorts before Ă).
//
// Edge cases:
// - "" and a text of blanks only give "".
// - Otherwise the untrimmed text is keyed: leading and trailing blanks stay in the key.
// - Text in decomposed form (letter + combining marks) is composed first, so it keys like the
//   same text typed with precomposed letters.
// - In base-letter mode each table letter gives only its base letter ("ệ" -> "e", "Đ" -> "D"):
//   the text without diacritics. The users form keys its rows this way.
QString sortKey(const QString& text, bool baseLetterMode = false);

} // namespace common
