#pragma once

#include <QString>

namespace db::pg {

class ServerConnection;

// The name of the server function that folds a text for comparison.
inline constexpr char16_t FoldFunction[] = u"selvaro_fold";

// Installs selvaro_fold(text) in the connection's current schema: the folded form of a text,
// exactly as our SQLite connections compare texts (jetsql::foldCase): letter case ignored for
// every letter, accents respected, decomposed text equal to its precomposed form. Two texts are
// equal when their folds are; they sort as their folds compared code point by code point
// (COLLATE "C"); the server inlines the fold into the statements and indexes that call it. Also
// selvaro_fold(anyelement), which gives a number or a date back as it is (inlined too, so an index
// on the column still serves).
//
// The server's own lower() does most of it; where the server lower-cases a character otherwise
// than we do (its Unicode tables may be of another version), the function first maps that
// character to our lower case. Those characters are found by asking the server for every code
// point below U+20000 once, here. Raises DbError(ServerCallFailed) when the database does not
// keep text in UTF-8 or has no collation that lower-cases beyond ASCII.
void installFold(ServerConnection& server);

// The collation whose lower() and upper() map letters beyond ASCII one character at a time:
// glibc's C.UTF-8 (simple case mapping), else ICU's root (full case mapping). Raises
// DbError(ServerCallFailed) when the server has neither.
QString caseMappingCollation(ServerConnection& server);

} // namespace db::pg
