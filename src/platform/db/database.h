#pragma once

#include "field_def.h"
#include "recordset.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

namespace db {

class DatabaseEngine;

enum class OpenMode
{
    ReadOnly,    // no statement or recordset may write
    SharedWrite, // read and write; other programs may have the same file open too
};

// One open data file (an SQLite file with our password verifier). A Database is a handle:
// copies refer to the same open file, and the file stays open while any copy or any recordset
// opened from it lives, or until close() is called. Jet SQL is accepted everywhere a statement
// or a criterion is taken and translated for SQLite (docs/architecture.md, docs/jet_dialect.md).
//
// The file is opened shared, never exclusively: other Database objects and other programs may
// have it open. A write that finds another writer waits up to the busy timeout, then raises
// FileLocked and changes nothing. Every error is a DbError carrying the engine's number and text.
// One process keeps one Database per data file: forms, data controls and procedures share it, and
// a recordset knows the Database it came from (Recordset::belongsTo).
// (Each contract names the tests that prove it: "Tests: ..." lines, tests/platform/db.)
class Database
{
public:
    Database(); // closed handle; every call but isOpen() and close() raises ItemNotFound

    // Opens path with a connect string ";pwd=<password>" (other ";key=value" items are ignored).
    // Raises FileNotFound when the file is missing, NotADatabase when it is not an SQLite file or
    // lacks our verifier, InvalidPassword when the password does not match, FileLocked when the
    // file is held by a writer past the busy timeout. Never opens exclusively; never creates.
    // Passwords compare exactly (letter case and blanks count); a missing password is "".
    // ReadOnly: every write raises NotUpdatable. SharedWrite on a file whose permissions have no
    // write bit (even for root): opening works, isReadOnly() is true, and writes raise
    // ReadOnlyFile with SQLite's text.
    // Tests: CreatedFileOpensWithItsPassword, ConnectStringKeyIsReadInAnyLetterCaseBesideOtherItems,
    // OpenRefused.WithItsNumberInEveryMode, ReadOnlyModeRefusesWritesAndChangesNothing,
    // ReadOnlyFileOpensSharedButWritesRaiseReadOnlyFile, ExclusiveHolderMakesReadsFailLocked.
    static Database open(const QString& path, const QString& connect, OpenMode mode = OpenMode::SharedWrite);

    // Creates a new, empty data file protected by password; raises DatabaseExists if something
    // already exists at path (it is left untouched). Tests: CreateRefusesAnExistingPath, PasswordIsNotStoredInTheFile.
    static Database create(const QString& path, const QString& password);

    bool isOpen() const;
    // Closes every copy of this handle (a closed handle does nothing); an open beginTrans() is
    // rolled back. Recordsets opened from it keep working until they are closed or destroyed.
    // Tests: ClosedHandleRaisesAndCopiesShareTheClose, RecordsetOutlivesTheDatabaseClose,
    // ClosingWithAnOpenTransactionRollsItBack.
    void close();
    QString path() const;
    bool isReadOnly() const; // opened ReadOnly, or the file cannot be written
    bool isFile() const;     // a data file of this machine, not a data set on a server

    // Executes one Jet statement atomically: it either completes or changes nothing (also a
    // statement the translator turns into several, and SELECT ... INTO whose fill fails: the new
    // table is not left behind). Inside beginTrans() a failing statement undoes only itself.
    // A statement that is just the name of a stored query runs that query's text.
    // Raises DbError with the engine's text on any failure: SyntaxError, TableNotFound,
    // ItemNotFound (unknown column), DuplicateKey, FieldTooSmall, ZeroLengthNotAllowed,
    // NullNotAllowed, FileLocked, ReadOnlyFile/NotUpdatable, TableExists (SELECT ... INTO an
    // existing table), FileNotFound/InvalidPassword (an IN '<path>' file).
    // Tests: RaiseTheirNumberAndWriteNothing, SelectIntoWhoseFillFailsLeavesNoTable,
    // FailingStatementInsideATransactionUndoesOnlyItself, StoredActionQueryRunsWhenExecutedByName,
    // ExternalFileWithAnotherPasswordIsRefused, NinthExternalFileInsideATransaction.
    void execute(const QString& jetSql);
    // Rows changed by the last successful execute() (0 for DDL).
    int recordsAffected() const;

    // Opens a recordset on a table name ("[name]" too), a stored query name or a Jet SELECT
    // statement, positioned on its first row (bof() and eof() both true when empty).
    // A dynaset on a single table is updatable (unless the database is ReadOnly); a snapshot
    // never is, nor is a dynaset over a join, DISTINCT, GROUP BY, UNION or aggregates (it is a
    // copy, like a snapshot). Raises TableNotFound for an unknown name, SyntaxError for a source
    // that is not a SELECT. Tests: JoinedDynasetIsReadOnlyCopy, AggregateQueryGivesOneRow,
    // RecordsetOnUnknownTableRaisesTableNotFound, RecordsetSourceMustBeASelect,
    // DynasetOverAStoredQueryOnOneTableIsUpdatable.
    Recordset openRecordset(const QString& source, RecordsetType type = RecordsetType::Dynaset);

    // Explicit transactions (the old workspace's BeginTrans/CommitTrans/Rollback). Nested calls
    // are not supported; execute() and recordset writes inside a transaction join it.
    // beginTrans() starts with BEGIN IMMEDIATE (FileLocked past the busy timeout); a second
    // beginTrans(), or commit/rollback without one, raises TransactionState. A commit that finds
    // the file busy raises FileLocked and leaves the transaction open (retry or rollback).
    // rollback() also undoes the transaction in every recordset of this database (recordset.h).
    // Tests: RolledBackTransactionChangesNothing, TransactionCallsOutOfOrderRaise,
    // WriterElsewhereMakesWritesFailLockedAndNothingChanges, RollbackUndoesEditsAddsAndDeletesInTheCursor.
    void beginTrans();
    void commitTrans();
    void rollback();

    // --- table definitions ---------------------------------------------------------------
    // The layer's own bookkeeping tables (msys_*) are never listed. Definitions are read from the
    // file every time, so the refresh calls only check that the database is open. A table made
    // by a plain CREATE TABLE statement is described from its declared column types.
    void refreshTableDefs();
    QStringList tableNames() const;               // in creation order
    bool hasTable(const QString& name) const;     // any letter case
    TableDef tableDef(const QString& name) const; // raises ItemNotFound
    // Creates the table with its fields and indexes, all or nothing; raises TableExists when the
    // name is taken (any letter case), NoFields, DuplicateField, InvalidFieldDefinition (more
    // than one counter, or a counter that is not Long), ItemNotFound (an index on a missing
    // field). A Text field of size 0 gets 255. Tests: TableDefinitionRoundTripsEveryFieldAndIndex,
    // AppendTableDefRefusesTakenNameAndBadDefinitions, HostileNamesWorkThroughTablesAndRecordsets.
    void appendTableDef(const TableDef& def);
    // Adds field after the table's last column; every row holds Null in it. The field's size,
    // zero-length permission and required flag are kept and checked on writes like those of a
    // field the table was made with. Raises ItemNotFound for an unknown table, DuplicateField for
    // a name the table has, InvalidFieldDefinition for a counter. Inside beginTrans() it joins the
    // transaction. Tests: AppendFieldKeepsRowsAndChecksTheNewField.
    void appendField(const QString& table, const FieldDef& field);
    // The number a program keeps in the file's header to say which form its own tables have
    // (SQLite's user_version): 0 in a new file. Written inside the current transaction, so it
    // changes together with the tables it describes. Tests: SchemaVersionIsKeptWithItsTransaction.
    int schemaVersion() const;
    void setSchemaVersion(int version);
    // Changes the zero-length permission of one Text or Memo field; raises ItemNotFound for an
    // unknown table or field, InvalidFieldDefinition for a field of another type.
    // Tests: ZeroLengthPermissionCanBeChanged.
    void setAllowZeroLength(const QString& table, const QString& field, bool allow);

    // Keeps an index of the rows of table whose column holds mark (compared as the column
    // compares text), so that a statement whose WHERE has the term [column] = 'mark' (clearing
    // print marks) reads only those rows instead of the whole table. The index is SQLite's own
    // (a partial index named msys_marked_<table>, ordered in binary, so standard tools keep it and
    // agree with it); it is not part of the table's definition (tableDef never lists it). Does
    // nothing when the index is there, the file cannot be written, or the table has no such
    // column. mark is ASCII letters and digits other than I and K, which compare alike under
    // every program's NOCASE. Raises ItemNotFound for an unknown table; another mark throws
    // std::invalid_argument. Tests: MarkedRowsIndexServesTheClearingStatement.
    void indexRowsMarked(const QString& table, const QString& column, const QString& mark);

    // --- stored queries --------------------------------------------------------------------
    // Kept as Jet text in the file and expanded where a statement names them. Names compare in
    // any letter case; a name may not be taken by a table either (TableExists).
    // Tests: StoredQueriesAreKeptAndExpandedWhereNamed.
    void refreshQueryDefs();
    QStringList queryNames() const;                                  // in creation order
    QString querySql(const QString& name) const;                     // raises ItemNotFound
    void createQueryDef(const QString& name, const QString& jetSql); // raises TableExists if taken
    void setQuerySql(const QString& name, const QString& jetSql);    // raises ItemNotFound

    // --- test seam -------------------------------------------------------------------------
    // Called with each Jet statement before it runs (execute(), recordset opens and requeries)
    // and with each write of a recordset (the SQLite INSERT, UPDATE or DELETE that update() and
    // deleteRecord() run); a hook that throws DbError makes that statement fail as if the engine
    // had refused it. Tests: StatementHookSeesEveryStatementAndCanFailOne, StatementHookFailsEveryRecordsetWrite.
    void setStatementHook(std::function<void(const QString& jetSql)> hook);
    // How long a statement waits for a file another program is writing before it raises
    // FileLocked (5000 ms unless changed; tests shorten it).
    void setBusyTimeout(int milliseconds);

    // A handle on data another engine holds (a data set on a server: pg::openDataSet).
    static Database over(std::shared_ptr<DatabaseEngine> engine);

    // Compares handles: true when both refer to the same open file.
    bool operator==(const Database& other) const { return d == other.d; }

    struct Impl;

private:
    friend class Recordset;
    friend class RowReader;
    explicit Database(std::shared_ptr<Impl> impl);
    std::shared_ptr<Impl> d;
};

// Reads the password from a connect string such as ";pwd=vorkelmadu" (key any letter case).
QString passwordFromConnect(const QString& connect);

} // namespace db
