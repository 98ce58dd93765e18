#pragma once

#include "legacy_text.h"
#include "platform/db/field_def.h"
#include "platform/jet/jet_source.h"

#include <QList>
#include <QStringList>
#include <QVariant>
#include <stdexcept>

// One table of an old file made ready for a table of the file in use: its columns matched by
// name onto the target's, its texts converted to Unicode, its normalised dates and sort keys
// computed again from the converted text.
namespace datafiles {

// A text of the old file that is not valid TCVN3; what() and text() name table, column and row.
class LegacyTextError : public std::runtime_error
{
public:
    explicit LegacyTextError(const QString& text);
    QString text() const { return m_text; }

private:
    QString m_text;
};

struct LegacyRows
{
    QStringList fields;       // target fields filled, in target order (the counter is never among them)
    QList<QVariantList> rows; // one value per field, in the old table's order of "id" when it has one
    QStringList dropped;      // old columns the target lacks, in the old table's order
    int textsConverted = 0;   // values decoded from TCVN3 that changed
};

// The index of the field named name in fields (letter case ignored), or -1.
int fieldIndex(const QStringList& fields, const QString& name);

// Reads table from source and maps it onto target:
//  - every old column whose name matches a target field (any letter case) fills it; the target's
//    counter and the old "id" are left out (rows get new identifiers); other old columns are
//    listed in dropped; target fields the old table lacks stay Null;
//  - text columns are taken as encoding says (Detect: detectColumnEncoding() per column) and
//    TCVN3 ones decoded; LegacyTextError for a value that is not valid TCVN3 there;
//  - a date read as a date value into a text field becomes "dd/mm/yyyy";
//  - every field "<x>chuan" with a field "<x>" beside it (the schedule's time key "giochuan"
//    excepted) is the normalised date of <x>'s text (Null when <x> is Null);
//  - when sortKeySource names a field and the target has "matt", matt is the sort key of it.
// Raises jet::JetError from the source.
LegacyRows prepareLegacyRows(const jet::Source& source, const QString& table, const db::TableDef& target,
                             LegacyEncoding encoding, const QString& sortKeySource = QString());

} // namespace datafiles
