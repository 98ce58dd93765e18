#pragma once

#include "import_source.h"

#include <QList>
#include <QString>
#include <QStringList>

// Merging the reference lists of an old reference file into the one in use.
namespace datafiles {

// A reference list and the key that tells whether one of its old rows is present already.
struct ReferenceList
{
    QString table;
    QString key; // a Jet expression over the table's columns: column names joined by "+"
    // The column the sort key matt is computed from when the list's texts are converted (an old
    // Jet file); "" when the list has no matt. A data file of ours keeps its matt as stored.
    QString sortKeySource;

    // The columns of key, in order (their texts joined make the key).
    QStringList keyColumns() const;
};

// The lists merged by the import of old reference lists, in order: donvi (tendonvi), bophan
// (phong+donvi), noigui (tendonvi), chutat (chudu+chutat), loaicv (loai), nguoidung (hoten).
QList<ReferenceList> referenceLists();

// Merges list.table of source into target (the reference file in use): every distinct old row
// whose key is not present in target's table yet is added, all its columns but the counter as
// stored in the old file. Nothing happens when source has no such table or the table is empty.
//
// The old rows pass through the scratch table "temp" of target (dropped first when left over,
// dropped again at the end). Keys that are Null in target's table are left out of the comparison,
// so an empty row there does not stop the merge. The merge is one transaction: it adds all its
// rows or none. Returns the number of rows added; raises db::DbError (after rolling back) on any
// engine error, for instance an old column the list in use does not have.
int mergeReferenceList(ImportSource& source, db::Database& target, const ReferenceList& list);

} // namespace datafiles
