#include "table_copy.h"

#include "platform/db/db_error.h"
#include "run_time_error.h"

namespace app {

bool copyTableStructure(db::Database& source, db::Database& target, const QString& sourceTable,
                        const QString& targetTable, bool check)
{
    try {
        if (check) {
            target.refreshTableDefs();
            const QString wanted = targetTable.toUpper();
            const QStringList names = target.tableNames();
            for (const QString& name : names) {
                if (name.toUpper() == wanted)
                    return true;
            }
        }
        source.refreshTableDefs();
        // The definition read carries every field (name, type, size, attributes, zero-length
        // permission, required) and every index (name, fields, unique, primary); only the name
        // changes.
        db::TableDef def = source.tableDef(sourceTable);
        def.name = targetTable;
        target.appendTableDef(def);
        target.refreshTableDefs();
        return true;
    } catch (const db::DbError& e) {
        recordRunTimeError(e);
        return false;
    }
}

} // namespace app
