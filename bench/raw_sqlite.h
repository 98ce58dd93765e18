#pragma once

// The raw SQLite side of the benchmarks that set the program beside the engine.

#include <sqlite3.h>

namespace bench_support {

// Prepares sql on db, steps through every row and returns how many there were.
inline int countRows(sqlite3* db, const char* sql)
{
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, sql, -1, &st, nullptr);
    int rows = 0;
    while (sqlite3_step(st) == SQLITE_ROW)
        ++rows;
    sqlite3_finalize(st);
    return rows;
}

} // namespace bench_support
