#pragma once

// Data files in a temporary folder for the tests that run the SQL the common procedures build.
// Header-only: the test folder compiles its *_test.cpp files only.

#include "platform/db/database.h"

#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>

namespace fixture {

inline db::FieldDef field(const char* name, db::FieldType type = db::FieldType::Text, int size = 255)
{
    db::FieldDef f;
    f.name = QString::fromLatin1(name);
    f.type = type;
    f.size = size;
    if (QByteArray(name) == "id" || QByteArray(name) == "ID")
        f.attributes = db::fieldattr::AutoIncrField;
    return f;
}

inline db::TableDef table(const QString& name, const QList<db::FieldDef>& fields)
{
    return db::TableDef{name, fields, {db::IndexDef{QStringLiteral("PrimaryKey"), {fields.first().name}, true, true}}};
}

// The incoming-letters year table cvden + year.
inline db::TableDef incomingLetterTable(const QString& name)
{
    using T = db::FieldType;
    return table(name, {field("id", T::Long, 4), field("stt", T::Long, 4), field("ng_den", T::Text, 10),
                        field("ng_denchuan", T::Text, 8), field("noigui"), field("so_cv"), field("ng_cv", T::Text, 10),
                        field("ng_cvchuan", T::Text, 8), field("loai"), field("dv_nhan", T::Memo, 0), field("cd_dang"),
                        field("mat"), field("tt_ndung", T::Memo, 0), field("da_xuli", T::Boolean, 1), field("time_xl"),
                        field("cv_traloi"), field("kieuupdate", T::Long, 4), field("idcu", T::Long, 4),
                        field("chonin", T::Text, 1)});
}

// The abbreviations table chutat.
inline db::TableDef abbreviationTable()
{
    return table(QStringLiteral("chutat"),
                 {field("ID", db::FieldType::Long, 4), field("chudu"), field("chutat", db::FieldType::Text, 50),
                  field("matt", db::FieldType::Memo, 0)});
}

// A new data file in its own temporary folder, removed with the object.
class DataFile
{
public:
    explicit DataFile(const QString& fileName)
    {
        EXPECT_TRUE(m_dir.isValid());
        m_db = db::Database::create(m_dir.filePath(fileName), QStringLiteral("vorkelmadu"));
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
