#pragma once

#include "platform/db/database.h"

#include <QString>
#include <QTemporaryDir>

namespace test {

// The template file vemogoc.mdb the build produced in its data folder.
QString templatePath();

// Copies the template file to `path`, makes the copy writable and opens it with the program's
// password. Throws std::runtime_error when the template is missing or cannot be copied there.
db::Database copyTemplate(const QString& path);

// A copy of the template named fileName in a temporary folder of its own, open; removed with the
// object.
class TemplateCopy
{
public:
    explicit TemplateCopy(const QString& fileName) : m_db(copyTemplate(m_dir.filePath(fileName))) {}
    db::Database& db() { return m_db; }
    QString path() const { return m_db.path(); }

private:
    QTemporaryDir m_dir;
    db::Database m_db;
};

} // namespace test
