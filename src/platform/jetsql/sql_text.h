#pragma once

#include <QString>

// The one place where names and texts are put into SQLite text. Values that come from callers are
// bound to statement parameters wherever SQLite allows it; these functions serve the places where
// it does not (identifiers, the text of a RAISE() in a trigger, DDL, translated statements).
namespace jetsql {

// The text as it crosses into SQLite, the same rule for quoted literals, bound values and
// statement text: a NUL character is dropped (it would end the text early), and a lone surrogate
// (half of a UTF-16 pair without its other half) becomes U+FFFD, the replacement character
// (UTF-8 cannot hold it; the usual conversion makes it "?", which is a Like wildcard).
// Other text, Vietnamese letters included, is unchanged.
QString cleanText(const QString& text);

// "name" with every double quote doubled: any table, column or index name, also one that holds
// spaces, brackets, quotes or %-signs. The name is cleaned as cleanText says.
QString quoteIdentifier(const QString& name);

// 'text' with every single quote doubled; cleaned as cleanText says, so the literal is whole for
// every QString.
QString quoteLiteral(const QString& text);

// [name] for the Jet dialect, with every "]" doubled ("a]b" -> [a]]b]); cleaned as above.
QString quoteJetName(const QString& name);

} // namespace jetsql
