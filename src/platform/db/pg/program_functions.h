#pragma once

namespace db::pg {

class ServerConnection;

// The schema of a server's database that holds the program's functions: the text fold, Like and
// the old engine's functions. Statements find them through the search_path, which names the data
// set first and this schema after it.
inline constexpr char16_t FunctionSchema[] = u"selvaro";

// Installs (again) every function translated statements call into FunctionSchema, in one
// transaction: installFold, installLike, installJetFunctions.
void installProgramFunctions(ServerConnection& server);

} // namespace db::pg
