#pragma once

#include "column_type.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <stdexcept>

// Reading the old desktop engine's Jet database files (.mdb, Jet 3 and Jet 4). The rest of the
// program sees a Jet file only through Source: its tables, their columns with types, and rows as
// QVariant values. MdbFile (mdb_file.h) reads a real file; tests give their own Source.
namespace jet {

struct Column
{
    QString name;
    ColumnType type = ColumnType::Text;
    int size = 0; // bytes as stored (a Jet 4 Text column of 255 characters has 510)
};

// One row: a value per column, in column order. Null is an invalid QVariant. Text and Memo give
// QString, Boolean bool, Byte/Integer/Long qint64, Currency/Single/Double double, DateTime
// QDateTime (local, no time zone), Binary QByteArray, Other QString.
using Row = QVariantList;

class JetError : public std::runtime_error
{
public:
    enum class Kind
    {
        NotJet,        // the file does not start with a Jet header
        Damaged,       // truncated or unreadable: pages missing, rows missing, catalog unreadable
        NoSuchTable,   // a table name the file does not hold
        TooLong,       // a memo longer than the reader takes at once
        BadValue,      // a value no engine stores: a date outside its range, a number not finite
        ReaderMissing, // the reader program is not installed or does not start
    };
    JetError(Kind kind, const QString& text);
    // A BadValue: where the value lies (row counts from 1 in stored order).
    JetError(Kind kind, const QString& text, const QString& table, const QString& column, int row);
    Kind kind() const { return m_kind; }
    QString text() const { return m_text; }
    QString table() const { return m_table; }
    QString column() const { return m_column; }
    int row() const { return m_row; }
    // A catalog that could not be read whole: the user tables it named before the damage.
    QStringList tablesSeen;

private:
    Kind m_kind;
    QString m_text;
    QString m_table;
    QString m_column;
    int m_row = 0;
};

// What an importer reads from. Implementations raise JetError.
class Source
{
public:
    virtual ~Source() = default;
    // The user tables in catalog order; the engine's system tables (MSys*, hidden ones) are
    // never listed.
    virtual QStringList tableNames() const = 0;
    // The columns of a table in their stored order; NoSuchTable for a name not in tableNames()
    // (names compare exactly).
    virtual QList<Column> columns(const QString& table) const = 0;
    // Every row of the table in stored order. Damaged when the file holds fewer rows than its
    // table definition counts (a truncated file).
    virtual QList<Row> rows(const QString& table) const = 0;
};

} // namespace jet
