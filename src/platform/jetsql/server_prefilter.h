#pragma once

#include <QString>
#include <optional>

// Cheap tests a server runs before folding a text. A folded comparison costs the server its
// lower() beyond ASCII on every row; these tests read the stored text as it is and pass every row
// the folded comparison could pass, so "(prefilter AND comparison)" means what the comparison
// means, and most rows that fail are rejected without a fold.
namespace jetsql {

// ASCII characters that some other character becomes when folded or composed (U+0130 and
// U+212A to "i" and "k", U+037E to ";", U+1FEF to "`"): a stored text may match them without
// holding them.
inline constexpr char kReachedFromBeyondAscii[] = "ik;`";

// For "value >= low" and "value <= high" (either bound absent): when each bound present is a
// text of digits, spaces and the signs below ':' only, the same comparison on the stored text,
// which gives what the folded one gives (no letter is below ':', and none folds or composes to one).
// `valueSql` is written once per test; the server's selvaro_within() answers true for a value
// that is not text. Otherwise nullopt.
std::optional<QString> rangePrefilter(const QString& valueSql, const std::optional<QString>& low,
                                      const std::optional<QString>& high);

// For "value Like pattern" with a pattern of literal characters, * and ? only: the pattern's
// ASCII characters, in order, as an ILIKE of the stored text (ASCII letters only lower-cased);
// every other character and every wildcard becomes "%", since a letter with its mark may be two
// characters before it is composed. Nullopt for a pattern with # or [, or without a character
// to look for.
std::optional<QString> likePrefilter(const QString& valueSql, const QString& pattern);

} // namespace jetsql
