#pragma once

#include <QString>

namespace db::pg {

class ServerConnection;

// Takes the write lock of a table of a data set until the caller's transaction ends: another
// client that asks for it waits until then; readers never wait. This is what SQLite's BEGIN
// IMMEDIATE gives a file, for one table: a save that gives a letter the next free number takes
// it before it looks for that number, so two clients saving at once never give one number twice.
void lockForWriting(ServerConnection& server, const QString& schema, const QString& table);

} // namespace db::pg
