#pragma once

#include "field_def.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>

namespace db {

enum class RecordsetType {
    Dynaset,  // updatable keyset over the rows of one table; sees later changes to those rows
    Snapshot, // read-only copy taken when opened (or requeried)
};

enum class EditMode {
    None,
    Edit,    // after edit(): the current row's values are buffered until update()
    AddNew,  // after addNew(): a new row's values are buffered until update()
};

// Opaque position of a row, valid for the recordset that gave it and its clones until requery().
using Bookmark = QByteArray;

// A cursor over the rows of a table or query, as the old data-access objects offered it.
// A Recordset is a handle: copies share one cursor (like assigning an object reference);
// clone() gives an independent cursor over the same rows.
//
// Position rules: an empty recordset has bof() and eof() both true. Moving past the last row sets
// eof() (the cursor then has no current row); moving before the first sets bof(). Reading or
// writing a field, edit() and deleteRecord() with no current row raise NoCurrentRecord.
class Recordset
{
public:
    Recordset();  // null handle
    bool isNull() const { return !d; }

    RecordsetType type() const;
    bool isUpdatable() const;
    void close();

    bool bof() const;
    bool eof() const;
    void moveFirst();    // on an empty recordset: stays bof/eof, no error
    void moveLast();
    void moveNext();     // raises NoCurrentRecord when eof() already true
    void movePrevious(); // raises NoCurrentRecord when bof() already true
    void move(int rows); // relative to the current row; past either end sets bof/eof

    // Zero-based position of the current row, -1 with no current row.
    int absolutePosition() const;
    void setAbsolutePosition(int position);  // raises NoCurrentRecord when out of range
    // Number of rows (all of them: the count is exact at once, unlike the old engine).
    int recordCount() const;

    // Finds with a Jet criterion ("so_cv = '12' and loai Like 'Q*'"). On a match the row becomes
    // current and noMatch() is false; on no match noMatch() is true and the current row is
    // unchanged. findNext/findPrevious start after/before the current row (from the first/last
    // row when at eof/bof). A malformed criterion raises SyntaxError and changes nothing.
    void findFirst(const QString& criterion);
    void findLast(const QString& criterion);
    void findNext(const QString& criterion);
    void findPrevious(const QString& criterion);
    bool noMatch() const;

    bool bookmarkable() const;  // true for every recordset of this layer
    Bookmark bookmark() const;  // raises NoCurrentRecord with no current row
    void setBookmark(const Bookmark& mark);  // raises InvalidBookmark for a deleted row or a foreign mark
    // Bookmark of the row last added or changed through this cursor; empty before any.
    Bookmark lastModified() const;

    // Editing. addNew() starts a new row with null fields (the engine assigns the counter at
    // update()); edit() buffers the current row. update() writes the buffer in one statement
    // and ends the edit; after addNew the current row stays where it was (as the old engine did),
    // and lastModified() is the new row. cancelUpdate() drops the buffer and restores the values
    // read before. deleteRecord() removes the current row; the cursor then has no current row
    // until a move (reading a field raises NoCurrentRecord).
    void addNew();
    void edit();
    void update();
    void cancelUpdate();
    void deleteRecord();
    EditMode editMode() const;

    Recordset clone() const;  // new cursor, no current row until moved (bof()/eof() as at open)
    // Runs the source again; the cursor goes to the first row. Bookmarks from before are invalid.
    void requery();

    // Fields, names in any letter case. A null field reads as a null QVariant (isNull()), which
    // differs from "". During addNew/edit, value() reads the buffer.
    int fieldCount() const;
    QString fieldName(int index) const;
    QStringList fieldNames() const;
    FieldDef fieldDef(const QString& name) const;  // type, size etc. of a column (raises ItemNotFound)
    bool hasField(const QString& name) const;
    QVariant value(const QString& field) const;  // raises ItemNotFound for an unknown name
    QVariant value(int index) const;
    // Only during addNew/edit (else UpdateWithoutEdit); raises ItemNotFound for an unknown name.
    void setValue(const QString& field, const QVariant& value);

    bool operator==(const Recordset& other) const { return d == other.d; }

    struct Impl;

private:
    friend class Database;
    explicit Recordset(std::shared_ptr<Impl> impl);
    std::shared_ptr<Impl> d;
};

} // namespace db
