#pragma once

#include "select_source.h"

#include <QVariant>
#include <QVector>

namespace db {

// Two people editing the same row: an update writes a field only while the row still holds the
// value the editor started from (what edit() read, or what Recordset::expect() says was shown).
// Raises WriteConflict naming each written field that another client changed meanwhile and the
// value it holds now; nothing is written then. `expected` empty: no check.
void refuseChangedMeanwhile(const QVector<SourceColumn>& columns, const QVector<QVariant>& stored,
                            const QVector<QVariant>& expected, const QVector<bool>& dirty);

} // namespace db
