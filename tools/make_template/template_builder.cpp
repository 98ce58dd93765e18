#include "template_builder.h"

#include "app/core/letters_schema.h"
#include "common/sortkey.h"
#include "template_tables.h"

#include <QCoreApplication>
#include <QFile>
#include <filesystem>
#include <stdexcept>
#include <system_error>

namespace tmpl {

namespace {

void removeBuildFiles(const QString& path)
{
    QFile::remove(path);
    QFile::remove(path + QStringLiteral("-journal"));
}

void insertRows(db::Database& database, const TemplateTable& table)
{
    if (table.rows.isEmpty())
        return;
    db::Recordset rs = database.openRecordset(table.def.name, db::RecordsetType::Dynaset);
    for (const TemplateRow& row : table.rows) {
        rs.addNew();
        for (const auto& [column, value] : row) {
            rs.setValue(column, value);
            if (column == table.sortKeySource)
                rs.setValue(QStringLiteral("matt"), common::sortKey(value.toString()));
        }
        rs.update();
    }
    rs.close();
}

} // namespace

void fillTemplate(db::Database& database)
{
    database.beginTrans();
    try {
        for (const TemplateTable& table : templateTables()) {
            database.appendTableDef(table.def);
            insertRows(database, table);
        }
        // Files copied from the template need no upgrade.
        database.setSchemaVersion(app::kLettersSchemaVersion);
        database.commitTrans();
    } catch (...) {
        database.rollback();
        throw;
    }
}

void buildTemplate(const QString& path)
{
    const QString temp = path + QStringLiteral(".%1.tmp").arg(QCoreApplication::applicationPid());
    removeBuildFiles(temp); // left over by a build that was killed
    try {
        db::Database database = db::Database::create(temp, TemplatePassword);
        fillTemplate(database);
        database.close();

        std::error_code error;
        std::filesystem::rename(std::filesystem::path(temp.toStdWString()), std::filesystem::path(path.toStdWString()),
                                error);
        if (error)
            throw std::runtime_error("cannot replace " + path.toStdString() + ": " + error.message());
    } catch (...) {
        removeBuildFiles(temp);
        throw;
    }
}

} // namespace tmpl
