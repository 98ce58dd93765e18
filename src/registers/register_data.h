#pragma once

// What the register forms do to their files, kept free of widgets so that tests call it directly.

#include "platform/db/database.h"

#include <QString>
#include <QStringList>

namespace registers {

// The message shown when a register's data file may only be read (another drive, no write
// permission) and the user asks to add, edit or mark.
inline const QString kReadOnlyMessage =
    QStringLiteral("File dữ liệu này chỉ được phép đọc: không thể nạp, sửa hay đánh dấu công văn !");

// True when table of db can be written. A file opened read-only or without write permission
// answers false (the engine's ReadOnlyFile or NotUpdatable); other errors are raised. On a server
// it is true: the write itself is refused when the server refuses it.
bool isWritable(db::Database& db, const QString& table);

// Tells kReadOnlyMessage and answers true when table of db cannot be written. An error while
// looking is recorded and answers false: the command itself then meets and reports it.
bool refuseWhenReadOnly(db::Database& db, const QString& table);

// The register number a new record gets when it is written: `number` when no record of table
// (matching scope, a Jet condition, when not empty) carries it yet, otherwise one more than the
// largest number there, so that two people adding at once never give one number twice.
int nextFreeNumber(db::Database& db, const QString& table, const QString& field, int number,
                   const QString& scope = QString());

// The statement behind a list: a bare table name (prefix + "...", "cv..." for the letters) becomes
// "select * from <table> order by id"; a statement is kept as it is.
QString listStatement(const QString& recordSource, const QString& prefix = QStringLiteral("cv"));

// Puts statement into the stored query name of db (created on first use, replaced afterwards).
void storeQuery(db::Database& db, const QString& name, const QString& statement);

// The title of a print by date range: "(Ngày d1)" for one day, "(Từ ngày d1 đến d2)" otherwise.
QString dateRangeTitle(const QString& from, const QString& to);

// The years of db's year tables named prefix + four characters ("lich2026"), as the search forms'
// year lists offer them (any letter case, the name trimmed).
QStringList tableYears(const db::Database& db, const QString& prefix);

// Runs statements on db in one transaction: all of them or none.
void executeAll(db::Database& db, const QStringList& statements);

} // namespace registers
