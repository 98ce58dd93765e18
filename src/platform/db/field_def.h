#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace db {

// Field types by the old engine's numbers, which stored structures and callers use
// ("every text field (type 10)").
enum class FieldType
{
    Boolean = 1,
    Byte = 2,
    Integer = 3,
    Long = 4,
    Currency = 5,
    Single = 6,
    Double = 7,
    Date = 8,
    Text = 10,
    LongBinary = 11,
    Memo = 12,
};

// Field attribute bits (the old engine's values).
namespace fieldattr {
constexpr int FixedField = 1;
constexpr int VariableField = 2;
constexpr int AutoIncrField = 16;
constexpr int UpdatableField = 32;
} // namespace fieldattr

struct FieldDef
{
    QString name;
    FieldType type = FieldType::Text;
    int size = 0;                // characters for Text (1..255); bytes for numbers; 0 for Memo
    int attributes = 0;          // fieldattr bits; AutoIncrField makes an engine-assigned counter
    bool allowZeroLength = true; // Text and Memo only: "" may be stored
    bool required = false;
};

struct IndexDef
{
    QString name;
    QStringList fields;
    bool unique = false;
    bool primary = false; // a primary index is also unique
};

struct TableDef
{
    QString name;
    QList<FieldDef> fields;
    QList<IndexDef> indexes;

    // Field by name, any letter case; nullptr when absent.
    const FieldDef* field(const QString& fieldName) const;
};

// Refuses a definition no table of ours can have, on any engine, with the layer's numbers:
// InvalidFieldDefinition (no name, a field without a name, a counter that is not Long, two
// counters), NoFields, DuplicateField (names compare in any letter case).
void checkTableDef(const TableDef& def);

} // namespace db
