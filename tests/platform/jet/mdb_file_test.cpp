#include "damaged_jet.h"
#include "platform/jet/jet_date.h"
#include "platform/jet/mdb_file.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const QString kJet3 = QStringLiteral(SELVARO_TEST_DATA_DIR "/jet/nwind-jet3.mdb");
const QString kJet4 = QStringLiteral(SELVARO_TEST_DATA_DIR "/jet/dates-jet4.mdb");

int columnIndex(const jet::Source& file, const QString& table, const QString& column)
{
    const QList<jet::Column> columns = file.columns(table);
    for (int i = 0; i < columns.size(); ++i) {
        if (columns[i].name == column)
            return i;
    }
    return -1;
}

TEST(MdbFile, ListsUserTablesOnlyWithTheNonAsciiNameAndCountsTheirRows)
{
    jet::MdbFile jet3(kJet3);
    EXPECT_EQ(jet3.jetVersion(), 3);
    EXPECT_EQ(jet3.tableNames(), QStringList({"Order Details", "Orders", "Products", "Shippers", "Categories",
                                              "Customers", "Employees", "Suppliers", u"Umsätze"_s}));
    jet::MdbFile jet4(kJet4);
    EXPECT_EQ(jet4.jetVersion(), 4);
    EXPECT_EQ(jet4.tableNames(), QStringList({"DateTest"}));
    // Rows, not lines, are counted.
    struct Case
    {
        QString file, table;
        int rows;
    };
    const Case cases[] = {
        {kJet3, "Customers", 91},   {kJet3, "Orders", 830},   {kJet3, "Order Details", 2155}, {kJet3, "Products", 77},
        {kJet3, "Employees", 9},    {kJet3, "Suppliers", 29}, {kJet3, "Shippers", 3},         {kJet3, "Categories", 8},
        {kJet3, u"Umsätze"_s, 830}, {kJet4, "DateTest", 6},
    };
    for (const Case& c : cases) {
        jet::MdbFile file(c.file);
        const QList<jet::Row> rows = file.rows(c.table);
        EXPECT_EQ(rows.size(), c.rows) << c.table.toStdString();
        for (const jet::Row& row : rows)
            ASSERT_EQ(row.size(), file.columns(c.table).size()) << c.table.toStdString();
    }
}

// Each column's type and, in the rows named, the value read: every kind, Null as Null, texts with
// their line breaks, and edge dates keeping their day (the library's own rendering shows every one
// of those as "1900-01-00").
TEST(MdbFile, ColumnTypesAndValuesOfEveryKind)
{
    using T = jet::ColumnType;
    struct Case
    {
        QString file, table, column;
        T type;
        int row = -1; // -1: the type only
        QVariant value = {};
    };
    const QVariant null;
    const Case cases[] = {
        {kJet3, "Orders", "OrderID", T::Long, 0, 10330},
        {kJet3, "Orders", "CustomerID", T::Text},
        {kJet3, "Orders", "OrderDate", T::DateTime, 0, QDateTime(QDate(1994, 11, 16), QTime(0, 0))},
        {kJet3, "Orders", "Freight", T::Currency, 0, 12.75},
        {kJet3, "Orders", "ShipAddress", T::Text, 0, u"Carrera 52 con Ave. Bolívar #65-98 Llano Largo"_s},
        {kJet3, "Orders", "ShipRegion", T::Text, 1, null},
        {kJet3, "Products", "UnitsInStock", T::Integer},
        {kJet3, "Products", "Discontinued", T::Boolean, 0, false},
        {kJet3, "Products", "Discontinued", T::Boolean, 4, true},
        {kJet3, "Order Details", "Discount", T::Single},
        {kJet3, "Employees", "Address", T::Text, 0, u"507 - 20th Ave. E.\r\nApt. 2A"_s},
        {kJet3, "Employees", "Notes", T::Memo},
        {kJet3, "Employees", "Photo", T::Other},
        {kJet4, "DateTest", "LongTextCol", T::Memo, 1, u"Year 9999"_s},
        {kJet4, "DateTest", "LongTextCol", T::Memo, 5, u"New line\r\nin field"_s},
        {kJet4, "DateTest", "ShortTextCol", T::Text, 2, u"Pre-1900 years"_s},
        {kJet4, "DateTest", "ShortTextCol", T::Text, 5, u"No new line"_s},
        {kJet4, "DateTest", "TimeCol", T::DateTime},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.column.toStdString() + " " + std::to_string(c.row));
        jet::MdbFile file(c.file);
        const int i = columnIndex(file, c.table, c.column);
        ASSERT_GE(i, 0);
        EXPECT_EQ(file.columns(c.table)[i].type, c.type);
        if (c.row >= 0) {
            const QVariant read = file.rows(c.table)[c.row][i];
            EXPECT_EQ(read.isValid(), c.value.isValid()) << "Null reads as Null";
            if (c.value.isValid()) {
                EXPECT_TRUE(read == c.value) << read.toString().toStdString();
            }
        }
    }

    // Memo texts are longer than a Text column holds.
    jet::MdbFile jet3(kJet3);
    const QList<jet::Row> employees = jet3.rows("Employees");
    const int notes = columnIndex(jet3, "Employees", "Notes");
    EXPECT_TRUE(employees[0][notes].toString().startsWith(u"Education includes a BA in psychology"_s));
    int longNotes = 0;
    for (const jet::Row& row : employees)
        longNotes += row[notes].toString().size() > 255;
    EXPECT_GT(longNotes, 0);

    jet::MdbFile jet4(kJet4);
    const QList<jet::Row> rows = jet4.rows("DateTest");
    const int dateTime = columnIndex(jet4, "DateTest", "DateTimeCol");
    const int date = columnIndex(jet4, "DateTest", "DateCol");
    EXPECT_EQ(rows[0][dateTime].toDateTime().date(), QDate(2021, 12, 2));
    EXPECT_EQ(rows[1][dateTime].toDateTime().date().year(), 9999);
    EXPECT_LT(rows[2][dateTime].toDateTime().date().year(), 1900);
    EXPECT_LT(rows[2][date].toDateTime().date().year(), 1900);
    EXPECT_LT(rows[3][dateTime].toDateTime().date().year(), 1000);
}

TEST(JetDate, CoversTheEngineRange)
{
    struct Case
    {
        double value;
        QDateTime expected;
    };
    const Case cases[] = {
        {0.0, QDateTime(QDate(1899, 12, 30), QTime(0, 0))},
        {-1.25, QDateTime(QDate(1899, 12, 29), QTime(6, 0))},
        {36526.5, QDateTime(QDate(2000, 1, 1), QTime(12, 0))},
        {2958465.0, QDateTime(QDate(9999, 12, 31), QTime(0, 0))},
        {-657434.0, QDateTime(QDate(100, 1, 1), QTime(0, 0))},
        {1.0 - 1e-9, QDateTime(QDate(1899, 12, 31), QTime(0, 0))},
    };
    for (const Case& c : cases)
        EXPECT_EQ(jet::dateFromJet(c.value), c.expected) << c.value;
}

TEST(MdbFile, RecognisesJetByContentAndRefusesBrokenFiles)
{
    QTemporaryDir dir;
    const QByteArray jet3 = test::readFile(kJet3);
    const QString text = damaged_jet::write(dir.filePath("vemocv.mdb"), "Standard Jet DB but only text\n");
    const QString sqlite =
        damaged_jet::write(dir.filePath("sqlite.mdb"), QByteArray("SQLite format 3\0", 16) + QByteArray(4080, '\0'));
    const QString renamed = damaged_jet::write(dir.filePath("letters.dat"), jet3);
    const QString cut = damaged_jet::write(dir.filePath("cut.mdb"), jet3.left(50000));
    const QString cutAtPage = damaged_jet::write(dir.filePath("cutatpage.mdb"), jet3.left(1499136));

    EXPECT_TRUE(jet::isJetFile(kJet4));
    EXPECT_TRUE(jet::isJetFile(renamed));
    EXPECT_FALSE(jet::isJetFile(text));
    EXPECT_FALSE(jet::isJetFile(sqlite));
    EXPECT_FALSE(jet::isJetFile(dir.filePath("missing.mdb")));

    struct Case
    {
        QString path;
        jet::JetError::Kind kind;
    };
    for (const Case& c : {Case{text, jet::JetError::Kind::NotJet}, Case{sqlite, jet::JetError::Kind::NotJet},
                          Case{cut, jet::JetError::Kind::Damaged}}) {
        try {
            jet::MdbFile file(c.path);
            ADD_FAILURE() << "opened " << c.path.toStdString();
        } catch (const jet::JetError& e) {
            EXPECT_EQ(e.kind(), c.kind) << c.path.toStdString();
        }
    }
    // Cut at a page boundary the file opens, but the tables whose pages are gone do not read.
    int damaged = 0;
    try {
        jet::MdbFile file(cutAtPage);
        for (const QString& table : file.tableNames()) {
            try {
                file.rows(table);
            } catch (const jet::JetError& e) {
                EXPECT_EQ(e.kind(), jet::JetError::Kind::Damaged);
                ++damaged;
            }
        }
    } catch (const jet::JetError& e) {
        EXPECT_EQ(e.kind(), jet::JetError::Kind::Damaged);
        ++damaged;
    }
    EXPECT_GT(damaged, 0);

    jet::MdbFile file(kJet4);
    EXPECT_THROW(file.rows("Missing"), jet::JetError);
}

} // namespace
