#pragma once

// Copies of the template file in a temporary folder, for the tests that run the SQL the common
// procedures build. Header-only: the test folder compiles its *_test.cpp files only.

#include "platform/db/database.h"

#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>

namespace fixture {

// A copy of the template file vemogoc.mdb named `fileName` in its own temporary folder, open
// with the program's password; removed with the object.
class TemplateCopy
{
public:
    explicit TemplateCopy(const QString& fileName)
    {
        const QString path = m_dir.filePath(fileName);
        const QString source = QStringLiteral(SELVARO_DATA_DIR "/vemogoc.mdb");
        EXPECT_TRUE(m_dir.isValid() && QFile::copy(source, path)) << source.toStdString();
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        m_db = db::Database::open(path, QStringLiteral(";pwd=vorkelmadu"));
    }
    db::Database& db() { return m_db; }

private:
    QTemporaryDir m_dir;
    db::Database m_db;
};

// The values of an integer column of the rows a condition selects, ascending, joined by blanks.
inline QString column(db::Database& database, const QString& table, const char* name, const QString& condition)
{
    db::Recordset rs =
        database.openRecordset("SELECT * FROM " + table + " WHERE " + condition, db::RecordsetType::Snapshot);
    QList<int> values;
    for (; !rs.eof(); rs.moveNext())
        values << rs.value(QString::fromLatin1(name)).toInt();
    std::sort(values.begin(), values.end());
    QStringList texts;
    for (int v : values)
        texts << QString::number(v);
    return texts.join(u' ');
}

} // namespace fixture
