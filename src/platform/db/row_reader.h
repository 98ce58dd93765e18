#pragma once

#include "field_def.h"
#include "select_source.h"

#include <QString>
#include <QVariant>
#include <QVector>
#include <memory>

namespace db {

class Connection;
class Database;
class RowSource;
class Statement;

// Reads the rows of a table, stored query or Jet SELECT once, first to last, straight from the
// file: one prepared statement stepped once, with no copy and no keyset. For commands that read a
// whole query in order (printing, exporting, checks); forms that move about, find, bookmark or
// edit use a Recordset.
//
// Values read as a Recordset over the same source gives them (the same columns, names and types).
// The rows are those the statement finds as it steps: a reader sees its own connection's open
// transaction, and the whole run is one read of the file (SQLite holds a read lock on it from the
// first next() until the last row is passed, so a writer elsewhere waits for its commit).
// Read to the end or destroy the reader soon; do not write to the rows being read through the
// same database meanwhile (the order of the remaining rows is then undefined).
// Tests (tests/platform/db/row_reader_test.cpp): ReadsTheRowsARecordsetGivesInItsOrderAndTypes,
// ReaderPositionsAndNamesAreChecked, ReaderHoldsTheFileOnlyWhileRowsRemain,
// ReaderRefusesSourcesAsARecordsetRefusesThem.
class RowReader
{
public:
    // Prepares source on database, standing before the first row; runs the statement hook.
    // Raises as Database::openRecordset does: ItemNotFound when the database is not open,
    // TableNotFound for an unknown name, SyntaxError for a text that is not a SELECT, the engine's
    // error for an unknown column.
    RowReader(const Database& database, const QString& source);
    ~RowReader();
    RowReader(RowReader&&) noexcept;
    RowReader& operator=(RowReader&&) noexcept;

    // Goes to the next row (the first at the first call): true when there is one, false after the
    // last (and every call after that). Raises the engine's error when the file cannot be read.
    bool next();

    int fieldCount() const;
    QString fieldName(int index) const;          // raises ItemNotFound out of range
    int fieldIndex(const QString& name) const;   // any letter case; the first of equal names; -1 absent
    const SourceColumn& column(int index) const; // raises ItemNotFound out of range
    bool hasField(const QString& name) const { return fieldIndex(name) >= 0; }

    // The current row's value of a column: NULL as an invalid QVariant, texts as QString, whole
    // numbers as int (qlonglong beyond), yes/no as bool, dates as QDateTime. Raises
    // NoCurrentRecord before the first next() and after the last row, ItemNotFound for a
    // column that is not there.
    QVariant value(int index) const;
    QVariant value(const QString& name) const;

private:
    friend class Database;
    void prepare(const std::shared_ptr<Connection>& conn, const QString& source);
    void requireRow() const;

    std::shared_ptr<Connection> m_conn; // keeps the file open while the reader lives
    std::unique_ptr<Statement> m_statement;
    // On a server, the rows are read from a copy taken at once (RowSource over SnapshotRows).
    std::shared_ptr<RowSource> m_copy;
    int m_copyRow = -1;
    QVector<QVariant> m_copyValues;
    QVector<SourceColumn> m_columns;
    bool m_onRow = false;
    bool m_done = false;
};

} // namespace db
