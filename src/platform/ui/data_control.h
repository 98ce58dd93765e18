#pragma once

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

// The action argument of the Validate event: what the data control is about to do.
// A handler that sets it to ActionCancel stops that operation.
namespace action {
constexpr int Cancel = 0;
constexpr int MoveFirst = 1;
constexpr int MovePrevious = 2;
constexpr int MoveNext = 3;
constexpr int MoveLast = 4;
constexpr int AddNew = 5;
constexpr int Update = 6;
constexpr int Delete = 7;
constexpr int Find = 8;
constexpr int Bookmark = 9; // any other jump: a grid row, a position, a bookmark
constexpr int Close = 10;   // refresh or a new recordset replaces the current one
constexpr int Unload = 11;
} // namespace action

// The response argument of the Error event.
namespace response {
constexpr int Continue = 0; // the handler has dealt with the error; the control shows nothing
constexpr int Display = 1;  // the control shows the engine's text in the platform message box
} // namespace response

// The data control of a form (Data1): it opens a record source of a data file, holds the
// recordset the form works on, keeps its bound controls showing the current record and raises
// the events the forms handle.
//
// Order of events. Every operation that leaves the current record (the moves below, finds,
// a grid row chosen, addNew, deleteRecord, refresh, setRecordset and the form's unload) first
// raises Validate(action, save). save starts non-zero when a bound control's changed flag is
// set. After the handler returns: action == action::Cancel stops the operation (it returns
// false and nothing moves); otherwise, when save is still non-zero and a bound control is still
// changed, the record is written as updateRecord() does (a refused write raises Error and stops
// the operation, the typed values stay). Then the operation runs, the bound controls show the
// new current record with their changed flags cleared, and Reposition is raised.
// Validate is not raised when there is no recordset or no current record to leave.
//
// Errors. No method throws: a failure of the database layer raises Error(number, text, response)
// with the engine's number and text, then — unless the handler set response to
// response::Continue — shows the text in the platform message box; the method returns false and
// the recordset, the current record and the bound controls' texts stay as they were.
//
// Moves must go through this control (not through recordset() directly) for the events to be
// raised and the bound controls to follow; after moving recordset() directly call
// updateControls().
class DataControl : public QWidget
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

    // Opens the record source again (Validate with action::Close first) and moves to the first
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
    // Starts a new record: Validate(action::AddNew), then the bound controls show the empty
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
    // Deletes the current record after Validate(action::Delete) (changed values are not written).
    // Afterwards there is no current record until the next move; the controls keep their texts.
    bool deleteRecord();
    // Shows the current record in every bound control again and clears their changed flags.
    void updateControls();
    // Raises Validate(action, save) as before leaving the record and writes the changed values
    // when save stays set. A pending addition or edit with nothing changed stays pending.
    // Returns false when the handler cancelled or the write failed.
    bool validate(int action);
    // True when any bound control's changed flag is set.
    bool anyChanged() const;
    // Redraws the grids and lists that show this control's rows (after writing through
    // recordset() directly).
    void notifyDataChanged();

    // The text shown between the arrow buttons (forms show "position/count" here).
    void setCaption(const QString& caption);
    QString caption() const;

    // Binding, used by the bound controls themselves.
    void bind(BoundControl* control);
    void unbind(BoundControl* control);
    QList<BoundControl*> boundControls() const { return m_controls; }

signals:
    void Validate(int& action, int& save);
    void Reposition();
    void Error(int dataErr, const QString& description, int& response);
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

    template <typename Move> bool navigate(int action, Move&& move);
    bool openRecordset(db::Recordset rs);
    void raiseError(const db::DbError& error);
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
