#pragma once

// Damaged Jet files made from the Jet 3 test file, of the kinds that make libmdb 1.0 crash, loop
// or lose tables (tests/data/jet/damaged/README.md tells each). The year-table copy renames three
// tables so that the import takes them: Customers (91 rows) is cvden2003, Employees (9) cvden2004,
// Suppliers (29) cvden2005, in that catalog order.
#include "files.h"

#include <QByteArray>
#include <QString>
#include <QtEndian>

namespace damaged_jet {

constexpr int kPage = 2048;          // Jet 3
constexpr int kEmployeesTdef = 94;   // the table definition page of Employees (cvden2004)
constexpr int kCatalogPageLate = 22; // a catalog data page naming Categories and the year tables
constexpr int kEmployeesData = 108;  // Employees' only data page

inline QByteArray yearTables()
{
    QByteArray bytes = test::readFile(QStringLiteral(SELVARO_TEST_DATA_DIR "/jet/nwind-jet3.mdb"));
    bytes.replace("Customers", "cvden2003").replace("Employees", "cvden2004").replace("Suppliers", "cvden2005");
    return bytes;
}

// The usage map of the table defined at tdefPage is made zero bytes long (the record after it,
// emptied): libmdb then walks a null map (SIGSEGV) when the table's rows are read.
inline QByteArray emptyUsageMap(QByteArray bytes, int tdefPage = kEmployeesTdef)
{
    char* data = bytes.data();
    const quint32 pgRow = qFromLittleEndian<quint32>(data + tdefPage * kPage + 35);
    const int page = static_cast<int>(pgRow >> 8);
    const int row = static_cast<int>(pgRow & 0xFF);
    char* offsets = data + page * kPage + 10; // after the row count at offset 8
    const quint16 start = qFromLittleEndian<quint16>(offsets + 2 * row) & 0x1FFF;
    qToLittleEndian<quint16>(start, offsets + 2 * (row + 1));
    qToLittleEndian<quint32>((pgRow & ~0xFFu) | static_cast<quint32>(row + 1), data + tdefPage * kPage + 35);
    return bytes;
}

// A record of the properties of the table Categories (read with the catalog) is given length 0:
// libmdb's mdb_kkd_to_props never moves on. Record 0 (the names): a loop without end; record 1
// (the values): a loop that allocates without end.
inline QByteArray zeroPropertyRecord(QByteArray bytes, int record)
{
    const qsizetype description = bytes.indexOf("Categories of Northwind");
    qsizetype at = bytes.lastIndexOf(QByteArray("KKD\0", 4), description) + 4;
    for (int r = 0; r < record; ++r)
        at += qFromLittleEndian<quint32>(bytes.constData() + at);
    qToLittleEndian<quint32>(0, bytes.data() + at);
    return bytes;
}

inline QByteArray zeroPage(QByteArray bytes, int page)
{
    bytes.replace(page * kPage, kPage, QByteArray(kPage, '\0'));
    return bytes;
}

inline QString write(const QString& path, const QByteArray& bytes)
{
    test::writeFile(path, bytes);
    return path;
}

} // namespace damaged_jet
