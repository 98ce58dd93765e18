#pragma once

#include <QString>
#include <QStringView>

// The text comparison of our connections: letter case is ignored for every letter Unicode gives
// a lower-case form, which covers all Vietnamese letters with or without tone marks ("Đức" and
// "đức", "ẤP" and "ấp" are equal), while accents are respected ("a" and "á" differ). Text in
// decomposed form (a letter followed by combining marks) compares equal to its precomposed form.
namespace jetsql {

// The folded form of text: precomposed (NFC), every character lower-cased.
QString foldCase(QStringView text);

// Compares two UTF-8 texts by their folded forms, code point by code point; a text that is a
// prefix of the other sorts first. Negative, zero or positive as strcmp. This is the NOCASE
// collation of our connections.
int compareFolded(const char* a, int aLength, const char* b, int bLength);

// The same comparison on QStrings.
int compareFolded(QStringView a, QStringView b);

} // namespace jetsql
