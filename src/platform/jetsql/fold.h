#pragma once

#include <QString>
#include <QStringView>
#include <string>

// The text comparison of our connections: letter case is ignored for every letter Unicode gives
// a lower-case form, which covers all Vietnamese letters with or without tone marks ("Đức" and
// "đức", "ẤP" and "ấp" are equal), while accents are respected ("a" and "á" differ). Text in
// decomposed form (a letter followed by combining marks) compares equal to its precomposed form.
namespace jetsql {

// The folded form of text: precomposed (NFC), every character lower-cased.
QString foldCase(QStringView text);

// foldCase() of UTF-8 text into `out` (cleared first) without building a QString, for the texts
// that need nothing but a lower-cased copy: well-formed UTF-8 whose characters all lie below
// U+10000 and include no combining mark and no byte order mark. False for any other text (`out`
// then holds nothing useful); the caller folds that one with foldCase().
bool foldSimpleUtf8(const char* text, int length, std::u16string& out);

// Compares two UTF-8 texts by their folded forms, code point by code point; a text that is a
// prefix of the other sorts first. Negative, zero or positive as strcmp. This is the NOCASE
// collation of our connections.
int compareFolded(const char* a, int aLength, const char* b, int bLength);

// The same comparison on QStrings.
int compareFolded(QStringView a, QStringView b);

} // namespace jetsql
