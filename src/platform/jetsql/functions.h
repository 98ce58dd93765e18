#pragma once

struct sqlite3;

// The SQL functions and the collation that translated Jet statements rely on. registerFunctions()
// in jet_translator.h installs them; the functions themselves are described in jet_functions.cpp.
namespace jetsql {

void registerCollation(sqlite3* connection);
void registerLike(sqlite3* connection);
void registerJetFunctions(sqlite3* connection);

} // namespace jetsql
