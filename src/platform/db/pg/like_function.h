#pragma once

namespace db::pg {

class ServerConnection;

// Installs Jet's Like on the server, in the connection's current schema, beside selvaro_fold
// (installFold first):
//   selvaro_like_regex(pattern)        the pattern as an anchored regular expression: * any run,
//                                      ? one character, # one digit, [abc] [a-z] [!a-c] lists
//                                      (* ? # literal inside; [[] a bracket; [] nothing; an
//                                      unclosed [ and a lone [!] literal); everything else,
//                                      % and _ included, stands for itself
//   selvaro_like_matches(text, pattern) the match as the old Like operator made it (letter case counts)
//   selvaro_like(text, pattern)        Like as statements use it: both sides folded first
// All three are immutable and give NULL for NULL. A character beyond U+FFFF is one character to
// ? here, where our SQLite connections count it as two (as the old engine did); registers hold
// none.
void installLike(ServerConnection& server);

} // namespace db::pg
