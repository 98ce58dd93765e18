#pragma once

#include <QByteArray>

namespace db {

// The kinds and states of a recordset, apart from the cursor itself, so that what the cursor is
// made of (row_source.h) can use them without the cursor's header.

enum class RecordsetType
{
    Dynaset,  // updatable keyset over the rows of one table; sees later changes to those rows
    Snapshot, // read-only copy taken when opened (or requeried)
};

enum class EditMode
{
    None,
    Edit,   // after edit(): the current row's values are buffered until update()
    AddNew, // after addNew(): a new row's values are buffered until update()
};

// Opaque position of a row, valid for the recordset that gave it and its clones until requery().
using Bookmark = QByteArray;

} // namespace db
