#pragma once

#include "platform/db/database.h"
#include "platform/db/field_def.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <functional>

namespace db::pg {

class ServerConnection;

// One table copied: its rows, and the checksum both sides gave after the copy.
struct TableCopied
{
    QString table;
    qint64 rows = 0;
    QByteArray checksum;
};

// Told the rows of table copied so far, after every batch and once at the end of the table.
using CopyProgress = std::function<void(const QString& table, qint64 rows)>;

// Copies a data file into a new data set on the server (data_set.h): every table with its
// definition and rows, counters keeping their values and going on after the highest one the
// file ever gave, and the stored queries. Each table is copied in a transaction of its own.
// After the copy the rows of every table are counted and checksummed on both sides; a table that
// differs raises. On any failure the new data set is dropped again, so a later run starts clean;
// the file is only read. Raises DbError: DatabaseExists when the data set is there already,
// ServerCallFailed (naming the table) for rows the server refuses or a table that differs after
// the copy, and what the connection raises.
QList<TableCopied> copyFileToServer(const Database& file, ServerConnection& server, const QString& schema,
                                    const CopyProgress& progress = {});

// The other direction: a new data file at path, with password, from a data set: the same tables,
// definitions, rows (counters keep their values and go on as on the server) and stored queries,
// compared by count and checksum in the same way. On failure the new file is removed. Raises
// DbError: DatabaseExists when something is at path, InvalidFieldDefinition for a LongBinary
// field that holds data (the file's SQL cannot write bytes), and what the file and the
// connection raise.
QList<TableCopied> copyServerToFile(ServerConnection& server, const QString& schema, const QString& path,
                                    const QString& password, const CopyProgress& progress = {});

// A table's checksum, whatever the order of its rows: SHA-256 over each row's values written in
// one canonical form per field type (a date as "yyyy-MM-ddTHH:mm:ss", a number with 17 digits, a
// yes/no as 1/0, NULL apart from every text), the rows sorted. Equal on both engines for equal
// tables. rows receives the number of rows.
QByteArray tableChecksum(const Database& file, const TableDef& def, qint64* rows = nullptr);
QByteArray tableChecksum(ServerConnection& server, const QString& schema, const TableDef& def, qint64* rows = nullptr);

} // namespace db::pg
