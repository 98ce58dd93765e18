#pragma once

struct sqlite3;

namespace db {

// The name FTS5 tables give in "tokenize = ..." to compare words as the registers compare text.
inline constexpr const char* kFoldTokenizer = "selvaro_fold";

// Installs on connection the FTS5 tokenizer kFoldTokenizer. A word is a run of letters, digits and
// combining marks; every other character separates words. Each word is handed to FTS5 folded as
// the registers' NOCASE folds text (jetsql::foldCase: precomposed, lower-cased), so letter case is
// ignored ("HÀ" finds "hà") and tone marks are respected ("lúa" does not find "lụa"), also for
// text in decomposed form. The offsets reported are those of the original text, so snippet()
// shows the text as it was written. The same tokenizer reads the words of a MATCH expression.
// Raises DbError when the SQLite library has no FTS5.
void installFoldTokenizer(sqlite3* connection);

} // namespace db
