#pragma once

#include "field_def.h"
#include "recordset_types.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>

namespace db {

class Database;

// A cursor over the rows of a table or query, as the old data-access objects offered it.
// A Recordset is a handle: copies share one cursor (like assigning an object reference);
// clone() gives an independent cursor over the same rows.
// (Each contract names the tests that prove it: "Tests: ..." lines, tests/platform/db.)
//
// Position rules: an empty recordset has bof() and eof() both true. Moving past the last row sets
// eof() (the cursor then has no current row); moving before the first sets bof(). Reading or
// writing a field, edit() and deleteRecord() with no current row raise NoCurrentRecord.
// When the last remaining row is deleted, bof() and eof() both become true at the next move.
// Any move (also finds that match, setBookmark, setAbsolutePosition, requery) drops an unsaved
// addNew/edit buffer, as the old engine did.
// Tests: EmptyRecordsetIsAtBofAndEof, OpensOnTheFirstRowAndWalksToEof, MovePreviousFromFirstSetsBof,
// DeleteLeavesNoCurrentRowUntilAMove, DeletingEveryRowLeavesBofAndEofAfterAMove, MovingAwayDropsAnUnsavedEdit.
//
// Rows: a dynaset over one table reads a row when the cursor reaches it, and reads the current
// row again whenever the data may have changed since (a change through this database, a commit
// by another connection or program, a rollback), so it sees changes made to its rows since it
// was opened. Rows added elsewhere appear after requery(). A row deleted elsewhere is skipped by
// moves when reached (and counted out of recordCount() then); if it is the current row, value()
// raises RecordIsDeleted. A snapshot (and a dynaset over a join or an aggregate) is a copy taken
// at open and never changes.
// Tests: DynasetSeesChangesToItsRowsAndSnapshotDoesNot, CommitsOfAnotherConnectionReachTheCurrentRow,
// CurrentRowDeletedElsewhereReadsAsDeleted, RequerySeesNewRowsAndGoesToTheFirst.
//
// Transactions: a rollback undoes in the cursor what it undid in the file: values are read
// again, rows added inside the transaction leave the keyset (their bookmarks raise
// InvalidBookmark, and a cursor on one has no current row), rows deleted inside it come back.
// Tests: RollbackUndoesEditsAddsAndDeletesInTheCursor, FailedSaveInsideATransactionLeavesNoPhantomRow.
//
// Order: a dynaset gives its rows in the order its statement gives them, as a snapshot of the
// same statement does (also ORDER BY a column number or an alias of the select list).
// Tests: DynasetAndSnapshotAgreeOnTheOrder, DynasetOrderedByAnAliasOfItsSelectList.
//
// A closed or null Recordset raises ObjectClosed on every call but close() and isNull().
class Recordset
{
public:
    Recordset(); // null handle
    bool isNull() const { return !d; }

    RecordsetType type() const;
    bool isUpdatable() const;
    void close();

    bool bof() const;
    bool eof() const;
    void moveFirst(); // on an empty recordset: stays bof/eof, no error (also moveLast)
    void moveLast();
    void moveNext();     // raises NoCurrentRecord when eof() already true
    void movePrevious(); // raises NoCurrentRecord when bof() already true
    // Relative to the current row (deleted rows are not counted); past either end sets bof/eof.
    // move(0) reads the current row again (when anything may have changed it) and drops an
    // unsaved edit. Raises NoCurrentRecord for rows > 0 at eof, rows < 0 at bof, or move(0) with
    // no current row. Tests: MoveByRowsStopsAtEitherEnd, CommitsOfAnotherConnectionReachTheCurrentRow.
    void move(int rows);

    // Zero-based position of the current row among the rows not deleted, -1 with no current row.
    // Tests: AbsolutePositionMovesAndRefusesOutOfRange, DeletedRowsAreLeftOutOfTheCursor.
    int absolutePosition() const;
    void setAbsolutePosition(int position); // raises NoCurrentRecord when out of range
    // Number of rows in the keyset less those known deleted (exact at once, unlike the old
    // engine; a row deleted elsewhere counts until a move finds it gone).
    int recordCount() const;

    // Finds with a Jet criterion ("so_cv = '12' and loai Like 'Q*'"). On a match the row becomes
    // current and noMatch() is false; on no match noMatch() is true and the current row is
    // unchanged. findNext/findPrevious start after/before the current row; with no current row
    // (at eof or bof, or a fresh clone) findNext starts from the first row and findPrevious
    // from the last; after deleteRecord() they start beside the deleted row. Text compares as
    // the file does (letter case ignored for every Vietnamese letter, accents respected).
    // A malformed criterion raises SyntaxError (an unknown field ItemNotFound) and changes
    // nothing, noMatch() included. A find evaluates the criterion in one SQL query over the
    // recordset's columns; the rows found are kept while the data is unchanged, so a loop of
    // findNext with one criterion runs the query once and costs in proportion to the rows it
    // walks. Tests: FindsWalkInRecordsetOrder, FindIgnoresVietnameseLetterCaseButNotAccents,
    // FindNextFromEofOrBofStartsAtTheEnds, MalformedCriterionRaisesAndKeepsPosition,
    // DeletedRowsAreLeftOutOfTheCursor, CommitsOfAnotherConnectionReachTheCurrentRow.
    void findFirst(const QString& criterion);
    void findLast(const QString& criterion);
    void findNext(const QString& criterion);
    void findPrevious(const QString& criterion);
    bool noMatch() const;

    bool bookmarkable() const; // true for every recordset of this layer
    Bookmark bookmark() const; // raises NoCurrentRecord with no current row
    // Raises InvalidBookmark for a deleted row, a row added in a transaction that rolled back,
    // a mark from before requery() or from another recordset (clones share marks); the position
    // is then unchanged. On a table without a counter SQLite may give a deleted row's place to a
    // row added later, so the mark also records the row's key values (its primary or unique
    // index, else all its columns) and raises InvalidBookmark when the row there no longer has
    // them, unless the change was made through this recordset or a clone.
    // Tests: BookmarkReturnsToTheRowAndForeignMarksAreRefused, DeletedRowsAreLeftOutOfTheCursor,
    // BookmarkOfARowReplacedElsewhereOnATableWithoutCounter,
    // BookmarkSurvivesAnEditThroughTheCursorOnATableWithoutCounter.
    void setBookmark(const Bookmark& mark);
    // Bookmark of the row last added or changed through this cursor; empty before any. After
    // addNew/update, setBookmark(lastModified()) makes the new row current and value("id")
    // reads the counter the engine assigned. Tests: AddNewAssignsTheCounterAndKeepsTheCurrentRow,
    // EditWritesOnUpdateAndLastModifiedIsTheEditedRow.
    Bookmark lastModified() const;

    // Editing. addNew() starts a new row with null fields (the engine assigns the counter at
    // update()); edit() buffers the current row. update() writes the buffer in one statement
    // and ends the edit; after addNew the current row stays where it was (as the old engine did),
    // and lastModified() is the new row. cancelUpdate() drops the buffer and restores the values
    // read before. deleteRecord() removes the current row; the cursor then has no current row
    // until a move (reading a field raises NoCurrentRecord).
    // addNew, edit and deleteRecord raise NotUpdatable on a recordset that is not updatable;
    // addNew again, or edit, during an edit starts over. update() and cancelUpdate() without an
    // edit raise UpdateWithoutEdit. When update() fails (FileLocked, ReadOnlyFile, DuplicateKey,
    // the field checks, RecordIsDeleted when the row went away) the edit mode and the buffer stay
    // as they were, so the typed values are not lost. Each update and delete is its own
    // transaction unless the database has a beginTrans() open. Tests: CancelUpdateRestoresTheValuesReadBefore,
    // UpdateOrCancelWithoutEditRaises, RecordsetWritesKeepFieldChecksAndTheTypedValues,
    // EditOfARowDeletedByAnotherHandleRaises, StatementHookFailsEveryRecordsetWrite.
    void addNew();
    void edit();
    void update();
    // Two people editing one row: update() after edit() writes a field only while the row still
    // holds the value edit() read there; a field another client (or another cursor) changed
    // meanwhile raises WriteConflict, naming it with its new value, and writes nothing. The edit
    // and its buffer stay, and the row just read becomes the edit's starting point, so an update
    // again writes over it. expect() says that the editor saw `value` in field (a form showing
    // the row before the edit began): the update checks against that instead. storedValue()
    // reads the field as last read from the data, whatever the edit buffer holds (NoCurrentRecord
    // without a current row). Tests: SecondEditorOfARowIsToldAndOverwritesOnlyWhenSavingAgain.
    void expect(const QString& field, const QVariant& value);
    QVariant storedValue(const QString& field) const;
    void cancelUpdate();
    void deleteRecord();
    EditMode editMode() const;

    // New cursor over the same rows (rows deleted through one are deleted for the other), no current row until
    // moved: bof() and eof() are false (both true when there are no rows); moveNext() goes to the first row.
    // Tests: CloneHasItsOwnCursorAndSharesBookmarks, DeletedRowsAreLeftOutOfTheCursor.
    Recordset clone() const;
    // Runs the source again; the cursor goes to the first row. Bookmarks from before are invalid.
    // Tests: RequerySeesNewRowsAndGoesToTheFirst.
    void requery();
    // The source the recordset was opened from (a table, a stored query or a Jet SELECT).
    QString source() const;

    // Leaves the text mark in column on exactly this dynaset's rows and puts '' on every other
    // row of its table that holds the mark (as the column compares text, so the index of
    // Database::indexRowsMarked serves); a listed row not holding exactly mark gets it. Only rows
    // whose value changes are written, all in one write. Writes nothing and returns false unless
    // the dynaset is over table in the main file and its rows are still those its statement
    // gives: no change of the data since they were read (through this handle, another program's
    // commit, a rollback). Raises ItemNotFound for an unknown column, NotUpdatable when the file
    // may only be read. Tests: MarkExactlyWritesOnlyChangedMarks.
    bool markExactly(const QString& table, const QString& column, const QString& mark);

    // Fields, names in any letter case. A null field reads as a null QVariant (isNull()), which
    // differs from "". During addNew/edit, value() reads the buffer. Values: Text and Memo as
    // QString, whole numbers as int (qlonglong when larger), Single/Double/Currency as double,
    // Boolean as bool, Date as QDateTime, LongBinary as QByteArray. setValue takes the same
    // types (bool is stored 1/0; a null QString stores "", not Null; QVariant() stores Null; a Date
    // as statement.h's dateText() says; text cleaned as sql_quote.h's cleanText() says).
    // Tests: FieldsAreNamedInAnyLetterCaseAndNullDiffersFromEmpty, BooleanDateAndNumberFieldsKeepTheirTypes,
    // CounterAndComputedColumnsCannotBeSet, DatesWrittenThroughACursorMatchDateCriteria,
    // NulAndLoneSurrogatesInTypedText, HostileNamesWorkThroughTablesAndRecordsets.
    int fieldCount() const;
    QString fieldName(int index) const;
    QStringList fieldNames() const;
    FieldDef fieldDef(const QString& name) const; // type, size etc. of a column (raises ItemNotFound)
    bool hasField(const QString& name) const;
    QVariant value(const QString& field) const; // raises ItemNotFound for an unknown name
    QVariant value(int index) const;
    // Only during addNew/edit (else UpdateWithoutEdit); raises ItemNotFound for an unknown name,
    // FieldNotUpdatable for the counter or a computed column, FieldTooSmall for a text longer than
    // a Text field's size. Zero-length and required are checked at update().
    void setValue(const QString& field, const QVariant& value);

    // True when this recordset was opened from database (the same open file handle, or a copy
    // of it); false for a recordset of another Database object, also one on the same file, and
    // for a closed database. A write that pairs a recordset with a database checks this first.
    // Tests: RecordsetKnowsItsDatabase.
    bool belongsTo(const Database& database) const;

    bool operator==(const Recordset& other) const { return d == other.d; }

    struct Impl;

private:
    friend class Database;
    explicit Recordset(std::shared_ptr<Impl> impl);
    std::shared_ptr<Impl> d;
};

} // namespace db
