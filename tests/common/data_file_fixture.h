#pragma once

// Copies of the template file in a temporary folder, for the tests that run the SQL the common
// procedures build. Header-only: the test folder compiles its *_test.cpp files only.

#include "platform/db/database.h"
#include "template_file.h"

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
        EXPECT_TRUE(m_dir.isValid());
        m_db = test::copyTemplate(m_dir.filePath(fileName));
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
