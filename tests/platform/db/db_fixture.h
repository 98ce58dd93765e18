#pragma once

// A temporary folder with data files made through the layer, for the database layer's tests.

#include "platform/db/database.h"
#include "platform/db/db_error.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace dbtest {

inline const QString Password = u"vorkelmadu"_s;
inline const QString Connect = u";pwd=vorkelmadu"_s;

inline db::FieldDef field(const QString& name, db::FieldType type, int size = 0, int attributes = 0,
                          bool allowZeroLength = true)
{
    db::FieldDef f;
    f.name = name;
    f.type = type;
    f.size = size;
    f.attributes = attributes;
    f.allowZeroLength = allowZeroLength;
    return f;
}

// A table of `fields`, without indexes.
inline db::TableDef table(const QString& name, const QList<db::FieldDef>& fields)
{
    return {.name = name, .fields = fields, .indexes = {}};
}

// A letters table as the registers keep them: counter id, number, type, summary, mark.
inline db::TableDef lettersTable(const QString& name)
{
    db::TableDef t;
    t.name = name;
    t.fields = {
        field(u"id"_s, db::FieldType::Long, 4, db::fieldattr::AutoIncrField),
        field(u"stt"_s, db::FieldType::Long, 4),
        field(u"loai"_s, db::FieldType::Text, 30),
        field(u"tt_ndung"_s, db::FieldType::Memo),
        field(u"chonin"_s, db::FieldType::Text, 1),
    };
    t.indexes = {{.name = u"PrimaryKey"_s, .fields = {u"id"_s}, .primary = true},
                 {.name = u"stt"_s, .fields = {u"stt"_s}}};
    return t;
}

// A table "moi" of every field type, with a required field, a text refusing "" and a unique index.
inline db::TableDef everyType()
{
    namespace fieldattr = db::fieldattr;
    using db::FieldType;
    db::TableDef t;
    t.name = u"moi"_s;
    t.fields = {
        field(u"id"_s, FieldType::Long, 4, fieldattr::AutoIncrField | fieldattr::FixedField),
        field(u"co"_s, FieldType::Boolean, 1),
        field(u"bai"_s, FieldType::Byte, 1),
        field(u"nguyen"_s, FieldType::Integer, 2),
        field(u"dai"_s, FieldType::Long, 4),
        field(u"tien"_s, FieldType::Currency, 8),
        field(u"don"_s, FieldType::Single, 4),
        field(u"kep"_s, FieldType::Double, 8),
        field(u"ngay"_s, FieldType::Date, 8),
        field(u"ten"_s, FieldType::Text, 50, fieldattr::VariableField, false),
        field(u"anh"_s, FieldType::LongBinary),
        field(u"ghichu"_s, FieldType::Memo, 0, 0, true),
    };
    t.fields[3].required = true;
    t.indexes = {{.name = u"PrimaryKey"_s, .fields = {u"id"_s}, .primary = true},
                 {.name = u"ten"_s, .fields = {u"ten"_s, u"-dai"_s}, .unique = true}};
    return t;
}

// Each field as "name|type|size|attributes|allowZeroLength|required".
inline QStringList fieldsText(const db::TableDef& t)
{
    QStringList rows;
    for (const db::FieldDef& f : t.fields)
        rows << f.name + QString::asprintf("|%d|%d|%d|%d|%d", int(f.type), f.size, f.attributes, f.allowZeroLength,
                                           f.required);
    return rows;
}

// Each index as "name|fields|unique|primary".
inline QStringList indexesText(const db::TableDef& t)
{
    QStringList rows;
    for (const db::IndexDef& i : t.indexes)
        rows << QStringList{i.name, i.fields.join(u','), i.unique ? u"unique"_s : u"-"_s,
                            i.primary ? u"primary"_s : u"-"_s}
                    .join(u'|');
    return rows;
}

inline int stt(const db::Recordset& rs)
{
    return rs.value(u"stt"_s).toInt();
}

// Adds a row of `values` (AddNew) or edits the current row to them (Edit), and saves it.
inline void saveRow(db::Recordset& rs, db::EditMode mode, const QList<std::pair<QString, QVariant>>& values)
{
    mode == db::EditMode::AddNew ? rs.addNew() : rs.edit();
    for (const auto& [name, value] : values)
        rs.setValue(name, value);
    rs.update();
}

// The rows of cvden2009 in the file (a snapshot), those meeting `where` when given.
inline int rowsInFile(db::Database& db, const QString& where = u"1 = 1"_s)
{
    return db.openRecordset(u"SELECT * FROM cvden2009 WHERE "_s + where, db::RecordsetType::Snapshot).recordCount();
}

// Expects `statement` to raise DbError with `number`; gives the error's description.
template <class F> QString expectDbError(int number, F&& statement)
{
    try {
        statement();
        ADD_FAILURE() << "expected DbError " << number;
    } catch (const db::DbError& e) {
        EXPECT_EQ(e.number(), number) << e.description().toStdString();
        return e.description();
    }
    return QString();
}

// A raw SQLite connection, as another program or a standard tool holding the file would have it.
class RawConnection
{
public:
    explicit RawConnection(const QString& path) { sqlite3_open(path.toUtf8().constData(), &m_db); }
    ~RawConnection() { sqlite3_close(m_db); }
    RawConnection(const RawConnection&) = delete;
    RawConnection& operator=(const RawConnection&) = delete;
    int exec(const char* sql) { return sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr); }
    // The last column of every row, run together ("" when the statement fails).
    QString text(const QByteArray& sql)
    {
        sqlite3_stmt* stmt = nullptr;
        EXPECT_EQ(sqlite3_prepare_v2(m_db, sql.constData(), -1, &stmt, nullptr), SQLITE_OK) << sql.constData();
        QString result;
        while (sqlite3_step(stmt) == SQLITE_ROW)
            result += QString::fromUtf8(
                reinterpret_cast<const char*>(sqlite3_column_text(stmt, sqlite3_column_count(stmt) - 1)));
        sqlite3_finalize(stmt);
        return result;
    }

private:
    sqlite3* m_db = nullptr;
};

// Gives db the letters table cvden2009 with rows stt 1..rows, loai alternating "Quyết định" /
// "Công văn", summary "Nội dung <n>".
inline void fillLetters(db::Database& db, int rows)
{
    db.appendTableDef(lettersTable(u"cvden2009"_s));
    db.beginTrans();
    for (int i = 1; i <= rows; ++i) {
        db.execute(
            u"INSERT INTO cvden2009 (stt, loai, tt_ndung, chonin) VALUES (%1, '%2', 'Nội dung %1', '')"_s.arg(i).arg(
                i % 2 ? u"Quyết định"_s : u"Công văn"_s));
    }
    db.commitTrans();
}

class DbTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    QString path(const QString& name = u"vemocv.mdb"_s) const { return m_dir.filePath(name); }

    // An empty database: a new data file.
    virtual db::Database create(const QString& name = u"vemocv.mdb"_s)
    {
        return db::Database::create(path(name), Password);
    }
    // A new database holding the letters table `cvden2009` (fillLetters).
    db::Database makeLetters(int rows, const QString& name = u"vemocv.mdb"_s)
    {
        db::Database db = create(name);
        fillLetters(db, rows);
        return db;
    }

    QTemporaryDir m_dir;
};

} // namespace dbtest

// The db layer's tests name its types and error numbers directly.
using namespace dbtest;
using db::Database;
using db::EditMode;
using db::FieldType;
using db::Recordset;
using db::RecordsetType;
namespace errc = db::errc;
