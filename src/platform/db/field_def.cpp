#include "field_def.h"

#include "db_error.h"

#include <QSet>

namespace db {

const FieldDef* TableDef::field(const QString& fieldName) const
{
    for (const FieldDef& f : fields) {
        if (f.name.compare(fieldName, Qt::CaseInsensitive) == 0)
            return &f;
    }
    return nullptr;
}

void checkTableDef(const TableDef& def)
{
    if (def.name.trimmed().isEmpty())
        throw DbError(errc::InvalidFieldDefinition, QStringLiteral("A table definition needs a name."));
    if (def.fields.isEmpty())
        throw DbError(errc::NoFields, QStringLiteral("No field defined--cannot append TableDef '%1'.").arg(def.name));
    QSet<QString> seen;
    int counters = 0;
    for (const FieldDef& f : def.fields) {
        if (f.name.trimmed().isEmpty())
            throw DbError(errc::InvalidFieldDefinition, QStringLiteral("A field of '%1' has no name.").arg(def.name));
        if (seen.contains(f.name.toLower()))
            throw DbError(errc::DuplicateField, QStringLiteral("Cannot define field '%1' more than once.").arg(f.name));
        seen.insert(f.name.toLower());
        if ((f.attributes & fieldattr::AutoIncrField) != 0) {
            ++counters;
            if (f.type != FieldType::Long)
                throw DbError(errc::InvalidFieldDefinition,
                              QStringLiteral("Only a Long field can be a counter ('%1').").arg(f.name));
        }
    }
    if (counters > 1)
        throw DbError(errc::InvalidFieldDefinition, QStringLiteral("A table can have only one counter field."));
}

} // namespace db
