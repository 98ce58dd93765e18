#pragma once

namespace db::pg {

class ServerConnection;

// The schema of a server's database that holds the program's functions: the text fold, Like and
// the old engine's functions. Statements find them through the search_path, which names the data
// set first and this schema after it.
inline constexpr char16_t FunctionSchema[] = u"selvaro";

// The functions' version, kept as the comment of FunctionSchema. A program whose translated
// statements call a function an older one did not install raises it.
inline constexpr int FunctionsVersion = 2;

// Installs (again) every function translated statements call into FunctionSchema, in one
// transaction: installFold, installLike, installJetFunctions; and marks them FunctionsVersion.
void installProgramFunctions(ServerConnection& server);

// Installs them when the database holds none or an older version's. One client installs while the
// others wait; a role that may not replace them is recorded in the log and left to the functions
// it finds.
void installProgramFunctionsIfOlder(ServerConnection& server);

} // namespace db::pg
