#pragma once

#include "db_error.h"
#include "field_def.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QVariant>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace db {

// Turns the failure SQLite just reported on `connection` into a DbError: the number follows
// errc (busy -> FileLocked, read-only -> ReadOnlyFile, syntax -> SyntaxError, unknown table ->
// TableNotFound, unknown column -> ItemNotFound, unique index -> DuplicateKey, the layer's own
// field checks -> their numbers, anything else EngineErrorBase + the extended result code); the
// description is SQLite's text followed by a line with the statement.
DbError engineError(sqlite3* connection, int resultCode, const QString& sql);

// How a Date value is stored: "yyyy-MM-dd" for a day (a time of midnight), "yyyy-MM-dd HH:mm:ss"
// when it has a time of day. The translator writes #3/4/2009# as '2009-03-04' and
// #3/4/2009 10:30# as '2009-03-04 10:30:00', so `=`, `<` and `<=` compare a stored Date with a
// Jet date literal as the old engine compared them. Both forms read back as QDateTime, also the
// midnight "yyyy-MM-dd 00:00:00" that files written before this rule may hold.
QString dateText(const QDateTime& when);

// One prepared SQLite statement (the only owner of a sqlite3_stmt in the layer). Values are bound
// by bind(), never pasted into the text. A statement that stopped before its last row must be
// reset() so that it releases the file's read lock; step() resets by itself after the last row
// and after an error.
class Statement
{
public:
    // Prepares the first statement of sql; raises engineError on failure. Text after the first
    // statement raises SyntaxError (use runScript() for several statements).
    Statement(sqlite3* connection, const QString& sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // Binds by 1-based index. A null or invalid QVariant binds NULL; a null QString binds ""
    // (a text), bool 1/0, QDate and QDateTime as dateText() writes them, QByteArray a blob.
    // Texts are cleaned as cleanText() says (sql_quote.h), as is the statement's own text.
    void bind(int index, const QVariant& value);
    void bindInt64(int index, qint64 value);
    void bindText(int index, const QString& value);

    // True when a row is ready; false after the last row (the statement is then reset).
    // Raises engineError on failure (the statement is reset).
    bool step();
    void reset();

    // Runs to the end and returns sqlite3_changes() of the run.
    int run();

    int columnCount() const;
    QString columnName(int column) const;
    bool isNull(int column) const;
    qint64 int64(int column) const;
    QString text(int column) const;
    // The column as a QVariant: NULL -> QVariant(), integer -> int (qlonglong when it does not
    // fit), real -> double, text -> QString, blob -> QByteArray. With a type hint: Boolean reads
    // as bool, Date text as QDateTime, Text and Memo always as QString.
    QVariant value(int column) const;
    QVariant value(int column, FieldType hint) const;

    sqlite3_stmt* handle() const { return m_stmt; }
    sqlite3* connection() const { return m_db; }
    const QString& sql() const { return m_sql; }

private:
    sqlite3* m_db;
    sqlite3_stmt* m_stmt = nullptr;
    QString m_sql;
    // The UTF-8 of each bound text, by parameter: SQLite reads it in place (no copy of its own),
    // and a statement kept for many writes reuses the bytes.
    std::vector<QByteArray> m_texts;
};

// Runs every statement of sql in order and returns the sum of their changed rows.
int runScript(sqlite3* connection, const QString& sql);

} // namespace db
