#pragma once

#include <QString>
#include <stdexcept>

namespace db {

// Error numbers the layer raises itself. They follow the old engine's numbering so callers that
// test a number (for example "no current record") read the same as the behaviour they implement.
// Errors coming from SQLite carry SQLite's extended result code plus EngineErrorBase.
namespace errc {
constexpr int NoCurrentRecord = 3021;        // move/read/edit with BOF or EOF true
constexpr int UpdateWithoutEdit = 3020;      // Update or CancelUpdate without AddNew/Edit
constexpr int NotUpdatable = 3027;           // write on a snapshot or a database opened ReadOnly
constexpr int InvalidPassword = 3031;        // wrong or missing password (a file without verifier: NotADatabase)
constexpr int SyntaxError = 3075;            // malformed statement or criterion
constexpr int TableNotFound = 3078;          // unknown table or query in a statement
constexpr int ItemNotFound = 3265;           // unknown field name, table or query definition
constexpr int FileNotFound = 3024;           // the data file does not exist
constexpr int NotADatabase = 3343;           // the file is not a database of ours
constexpr int FileLocked = 3260;             // another program holds the file (busy)
constexpr int ReadOnlyFile = 3051;           // the file or folder cannot be written
constexpr int TableExists = 3010;            // appending a table definition whose name is taken
constexpr int InvalidBookmark = 3159;        // bookmark of another recordset or of a deleted row
constexpr int DatabaseExists = 3204;         // Database::create on a path that already exists
constexpr int TransactionState = 3034;       // commit/rollback without beginTrans, or a nested beginTrans
constexpr int DuplicateKey = 3022;           // a unique or primary index would hold the same value twice
constexpr int FieldTooSmall = 3163;          // a text longer than the Text field's size
constexpr int RecordIsDeleted = 3167;        // the row was deleted (through another cursor or program)
constexpr int WriteConflict = 3197;          // update of a field another client changed since the edit read it
constexpr int FieldNotUpdatable = 3164;      // setValue on a counter or a computed column
constexpr int NullNotAllowed = 3314;         // Null in a required field
constexpr int ZeroLengthNotAllowed = 3315;   // "" in a Text or Memo field that does not allow it
constexpr int InvalidFieldDefinition = 3259; // appendTableDef with a field the layer cannot make
constexpr int NoFields = 3264;               // appendTableDef with no field
constexpr int DuplicateField = 3191;         // appendTableDef naming one field twice
constexpr int IndexExists = 3375;            // an index of that name already exists on the table
constexpr int PrimaryKeyExists = 3283;       // a second primary index on one table
constexpr int ObjectClosed = 3420;           // a closed or null recordset
constexpr int ServerCallFailed = 3146;       // the server refused a statement (SQLSTATE in the text)
constexpr int ServerUnreachable = 3151;      // no server answers there, or the connection broke
constexpr int ServerTooOld = 3900;           // a server older than the oldest we work with
constexpr int EngineErrorBase = 100000;      // + SQLite extended result code
} // namespace errc

// Every failure of the database layer. number() is the engine's number, description() its text
// (for engine errors the text SQLite gave, followed by the statement that failed).
class DbError : public std::runtime_error
{
public:
    DbError(int number, const QString& description);

    int number() const { return m_number; }
    QString description() const { return m_description; }

private:
    int m_number;
    QString m_description;
};

} // namespace db
