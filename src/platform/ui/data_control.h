#pragma once

#include "binding_source.h"
#include "platform/db/database.h"
#include "platform/db/db_error.h"
#include "platform/db/recordset.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QWidget>
#include <functional>

class QLabel;
class QToolButton;

namespace ui {

class BoundControl;

// What the data control is about to do when it asks its form whether the current record may be
// left (the Validate event). The numbers are the old engine's.
enum class DataAction
{
    None = 0, // nothing moves: a form runs its own leave-edit check (Escape); never raised by the control
    MoveFirst = 1,
    MovePrevious = 2,
    MoveNext = 3,
    MoveLast = 4,
    AddNew = 5,
    Update = 6,
    Delete = 7,
    Find = 8,
    Bookmark = 9, // any other jump: a grid row, a position, a bookmark
    Close = 10,   // refresh or a new recordset replaces the current one
    Unload = 11,
};

// A form's answer to the Validate event.
enum class ValidateResult
{
    Save,     // go on; the changed values are written first (nothing is written when none changed)
    DontSave, // go on without writing the changed values
    Cancel,   // stop the operation: nothing moves
};

// A form's answer to the Error event.
enum class ErrorResponse
{
    Handled, // the handler has dealt with the error; the control shows nothing
    Display, // the control shows the engine's text in the platform message box
};

// The data control of a form (Data1): it opens a record source of a data file, holds the
// recordset the form works on, keeps its bound controls showing the current record and raises
// the events the forms handle.
//
// Order of events. Every operation that leaves the current record (the moves below, finds,
// a grid row chosen, addNew, deleteRecord, refresh, setRecordset and the form's unload) first
// raises Validate: the validate handler receives the action and whether a bound control's changed
// flag is set, and answers. ValidateResult::Cancel stops the operation (it returns false and
// nothing moves); with Save, when a bound control is still changed, the record is written as
// updateRecord() does (a refused write raises Error and stops the operation, the typed values
// stay); DontSave goes on without writing. Then the operation runs, the bound controls show the
// new current record with their changed flags cleared, and Reposition is raised.
// Validate is not raised when there is no recordset or no current record to leave. Without a
// handler (or while the control's signals are blocked) the answer is Save.
//
// Errors. No method throws: a failure of the database layer raises Error: the error handler
// receives the engine's number and text; unless it answers ErrorResponse::Handled the text is
// shown in the platform message box. The method returns false and the recordset, the current
// record and the bound controls' texts stay as they were.
//
// Two users saving one record: a bound control's value is written only while the row still
// holds the value the control was filled with; otherwise the save raises Error with
// db::errc::WriteConflict (naming what the other wrote) and writes nothing. The typed values
// stay, and a save again writes them over what was named.
//
// Each control has one validate handler and one error handler, its form's; Reposition and the
// other notifications are signals any number of listeners may connect to.
//
// Moves must go through this control (not through recordset() directly) for the events to be
// raised and the bound controls to follow; after moving recordset() directly call
// updateControls().
class DataControl : public QWidget, public BindingSource
{
    Q_OBJECT

public:
    explicit DataControl(QWidget* parent = nullptr);
    ~DataControl() override;

    // --- where the data comes from ---------------------------------------------------------
    // The data file opened at the next refresh(), with the connect string (";pwd=...").
    void setDatabaseName(const QString& path);
    QString databaseName() const;
    void setConnectString(const QString& connect);
    QString connectString() const;
    // Opens the file read-only at the next refresh().
    void setReadOnly(bool readOnly);
    bool isReadOnly() const;
    // Uses an open database instead of opening databaseName (shares the program's connection).
    // Forms bind every data control this way, to the database their FormRequest names: a second
    // connection to a file the program holds open would not join its transactions. Opening by
    // path is for files the program does not hold open.
    void setDatabase(const db::Database& database);
    db::Database database() const;
    // A table name, a stored query name or a Jet SELECT statement; used at the next refresh().
    void setRecordSource(const QString& source);
    QString recordSource() const;
    void setRecordsetType(db::RecordsetType type);
    db::RecordsetType recordsetType() const;

    // Opens the record source again (Validate with DataAction::Close first) and moves to the first
    // record. A failure (missing file, bad statement, unknown table) raises Error and keeps the
    // recordset that was open. A bound control whose field the new recordset lacks raises Error
    // (ItemNotFound) once and shows an empty text. Returns false on failure or cancel.
    bool refresh();
    // Works on rs (opened by the caller) as if refresh() had opened it; the current record is
    // the one rs has, or its first when it has none.
    bool setRecordset(const db::Recordset& rs);
    // The current recordset: a null handle before the first successful refresh().
    db::Recordset recordset() const;
    bool hasRecordset() const;
    // True when the recordset has a current record (not BOF/EOF, not a deleted row) or a new
    // record is pending.
    bool hasCurrentRecord() const;

    // --- moves (see the class comment for the events) ------------------------------------------
    // Past either end the control stays on the last/first record; on an empty recordset the
    // moves do nothing but the events. Return false when cancelled or failed.
    bool moveFirst();
    bool movePrevious();
    bool moveNext();
    bool moveLast();
    // Zero-based position; a position out of range raises Error and changes nothing.
    bool moveTo(int position);
    bool setBookmark(const db::Bookmark& mark);
    // Finds with a Jet criterion; on no match recordset().noMatch() is true, the current record
    // is unchanged and Reposition is not raised. A malformed criterion raises Error.
    bool findFirst(const QString& criterion);
    bool findLast(const QString& criterion);
    bool findNext(const QString& criterion);
    bool findPrevious(const QString& criterion);

    // --- editing -----------------------------------------------------------------------------
    // Starts a new record: Validate(DataAction::AddNew), then the bound controls show the empty
    // record with their flags cleared. The previous record stays current in the recordset until
    // the new one is written or cancelled.
    bool addNew();
    // Puts the current record into edit (no event).
    bool edit();
    // Writes the record: starts an edit when none is pending, copies the value of every bound
    // control whose changed flag is set into its field (converted to the field's kind) and
    // updates. On success the changed flags are cleared, the controls show the recordset's
    // current record (after an addition: the record that was current before addNew(); the new
    // one is recordset().lastModified()) and grids redraw. On failure (a value the field cannot
    // hold, a refused write) Error is raised, the addition or edit stays pending and the typed
    // values stay. Without a current record or pending addition it fails with NoCurrentRecord.
    bool updateRecord();
    // Writes records through writer instead of Recordset::update(): the writer receives the
    // recordset in addNew or edit mode with the bound values already set and must write it (or
    // throw db::DbError, leaving the addition or edit pending). The forms of a register use it to
    // save every record through one procedure. An empty writer restores update().
    using RecordWriter = std::function<void(db::Recordset& rs)>;
    void setRecordWriter(RecordWriter writer) { m_writer = std::move(writer); }

    // Drops a pending addition or edit and shows the current record again.
    bool cancelUpdate();
    // Deletes the current record after Validate(DataAction::Delete) (changed values are not written).
    // Afterwards there is no current record until the next move; the controls keep their texts.
    bool deleteRecord();
    // Shows the current record in every bound control again and clears their changed flags.
    void updateControls();
    // Raises Validate(action) as before leaving the record and writes the changed values when
    // the handler answers Save. A pending addition or edit with nothing changed stays pending.
    // Returns false when the handler cancelled or the write failed.
    bool validate(DataAction action);
    // True when any bound control's changed flag is set.
    bool anyChanged() const;
    // Redraws the grids and lists that show this control's rows (after writing through
    // recordset() directly).
    void notifyDataChanged();

    // The text shown between the arrow buttons (forms show "position/count" here).
    void setCaption(const QString& caption);
    QString caption() const;

    // --- the form's answers to the events ------------------------------------------------------
    // action: what the control is about to do; changed: whether a bound control's changed flag
    // is set. An empty handler answers Save.
    using ValidateHandler = std::function<ValidateResult(DataAction action, bool changed)>;
    void setValidateHandler(ValidateHandler handler) { m_validateHandler = std::move(handler); }
    // number, description: the engine's. An empty handler answers Display.
    using ErrorHandler = std::function<ErrorResponse(int number, const QString& description)>;
    void setErrorHandler(ErrorHandler handler) { m_errorHandler = std::move(handler); }

    // Binding, used by the bound controls themselves.
    void bind(BoundControl* control) override;
    void unbind(BoundControl* control) override;
    QList<BoundControl*> boundControls() const { return m_controls; }

signals:
    void Reposition();
    // A new recordset is in place (refresh, setRecordset).
    void recordsetReplaced();
    // Rows were written, added or deleted through this control.
    void dataChanged();

private:
    enum class Pending
    {
        None,
        Edit,
        AddNew
    };

    template <typename Move> bool navigate(DataAction action, Move&& move);
    bool openRecordset(db::Recordset rs);
    void raiseError(const db::DbError& error);
    void tookInConflict();
    void showCurrentRecord();
    void showRecordIn(BoundControl* control);
    bool fieldKnown(const QString& field) const;
    void checkBindings();
    bool writeRecord();
    void dropPending();

    QString m_databaseName;
    QString m_connect;
    bool m_readOnly = false;
    bool m_externalDatabase = false;
    db::Database m_db;
    QString m_recordSource;
    db::RecordsetType m_type = db::RecordsetType::Dynaset;
    db::Recordset m_rs;
    RecordWriter m_writer;
    ValidateHandler m_validateHandler;
    ErrorHandler m_errorHandler;
    Pending m_pending = Pending::None;
    QList<BoundControl*> m_controls;
    QSet<QString> m_fields; // lower-case field names of m_rs

    QLabel* m_caption;
    QToolButton* m_first;
    QToolButton* m_previous;
    QToolButton* m_next;
    QToolButton* m_last;
};

} // namespace ui
