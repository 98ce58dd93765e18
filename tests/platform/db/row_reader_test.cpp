// The forward-only row reader: the rows, order, names and value types a snapshot of the same
// source gives, its position checks, and the file lock it holds only while rows remain.
#include "db_fixture.h"

#include "platform/db/row_reader.h"

using db::RowReader;

namespace {

// One row as "name=type:value|...", from a reader or a recordset alike.
template <typename Row> QString rowText(const Row& row)
{
    QStringList cells;
    for (int i = 0; i < row.fieldCount(); ++i)
        cells << row.fieldName(i) + u'=' + QString::fromLatin1(row.value(i).typeName()) + u':' +
                     row.value(i).toString();
    return cells.join(u'|');
}

// Every row of the reader, each value with its type's name, for comparing with a recordset.
QStringList readAll(RowReader& reader)
{
    QStringList rows;
    while (reader.next())
        rows << rowText(reader);
    return rows;
}

QStringList readAll(db::Recordset rs)
{
    QStringList rows;
    for (; !rs.eof(); rs.moveNext())
        rows << rowText(rs);
    return rows;
}

} // namespace

TEST_F(DbTest, ReadsTheRowsARecordsetGivesInItsOrderAndTypes)
{
    Database db = makeLetters(7);
    db::TableDef days;
    days.name = QStringLiteral("lich");
    days.fields = {
        field(QStringLiteral("ngay"), db::FieldType::Date), field(QStringLiteral("xong"), db::FieldType::Boolean),
        field(QStringLiteral("gio"), db::FieldType::Double), field(QStringLiteral("ghichu"), db::FieldType::Text, 50)};
    db.appendTableDef(days);
    db.execute(QStringLiteral("INSERT INTO lich VALUES (#3/4/2026#, True, 7.5, 'Họp')"));
    db.execute(QStringLiteral("INSERT INTO lich (ngay, xong) VALUES (#3/5/2026 10:30#, False)"));
    db.createQueryDef(
        QStringLiteral("qrquyetdinh"),
        QStringLiteral("SELECT stt, tt_ndung FROM cvden2009 WHERE loai = 'quyết ĐỊNH' ORDER BY stt DESC"));

    const QStringList sources = {
        QStringLiteral("cvden2009"),
        QStringLiteral("[CVDEN2009]"),
        QStringLiteral("qrquyetdinh"),
        QStringLiteral(
            "SELECT loai, stt, id FROM cvden2009 WHERE tt_ndung Like '*dung 1*' OR stt > 5 ORDER BY loai, stt"),
        QStringLiteral("SELECT loai, Count(*) AS n, Max(stt) + 0.5 AS cao FROM cvden2009 GROUP BY loai"),
        QStringLiteral("lich"),
    };
    for (const QString& source : sources) {
        RowReader reader(db, source);
        const QStringList expected = readAll(db.openRecordset(source, db::RecordsetType::Snapshot));
        ASSERT_FALSE(expected.isEmpty()) << source.toStdString();
        EXPECT_EQ(readAll(reader), expected) << source.toStdString();
    }
    RowReader days2(db, QStringLiteral("lich"));
    ASSERT_TRUE(days2.next());
    EXPECT_EQ(days2.value(QStringLiteral("NGAY")).toDateTime(), QDateTime(QDate(2026, 3, 4), QTime(0, 0)));
    EXPECT_EQ(days2.value(QStringLiteral("xong")), QVariant(true));
    ASSERT_TRUE(days2.next());
    EXPECT_FALSE(days2.value(QStringLiteral("ghichu")).isValid()); // NULL, not ""
}

TEST_F(DbTest, ReaderPositionsAndNamesAreChecked)
{
    Database db = makeLetters(2);
    RowReader reader(db, QStringLiteral("SELECT stt, loai AS Loai, stt AS STT FROM cvden2009 ORDER BY stt"));
    EXPECT_EQ(reader.fieldCount(), 3);
    EXPECT_EQ(reader.fieldIndex(QStringLiteral("LOAI")), 1);
    EXPECT_EQ(reader.fieldIndex(QStringLiteral("stt")), 0); // the first of equal names
    EXPECT_EQ(reader.fieldIndex(QStringLiteral("id")), -1);
    expectDbError(errc::NoCurrentRecord, [&] { reader.value(0); });
    expectDbError(errc::ItemNotFound, [&] { reader.fieldName(3); });
    ASSERT_TRUE(reader.next());
    expectDbError(errc::ItemNotFound, [&] { reader.value(QStringLiteral("id")); });
    EXPECT_EQ(reader.value(QStringLiteral("Stt")).toInt(), 1);
    ASSERT_TRUE(reader.next());
    EXPECT_EQ(reader.value(1).toString(), QStringLiteral("Công văn"));
    EXPECT_FALSE(reader.next());
    EXPECT_FALSE(reader.next()); // stays at the end, does not start again
    expectDbError(errc::NoCurrentRecord, [&] { reader.value(0); });
}

TEST_F(DbTest, ReaderHoldsTheFileOnlyWhileRowsRemain)
{
    Database db = makeLetters(3);
    Database writer = Database::open(path(), Connect);
    writer.setBusyTimeout(50);
    const QString insert = QStringLiteral("INSERT INTO cvden2009 (stt) VALUES (9)");
    {
        RowReader reader(db, QStringLiteral("cvden2009"));
        ASSERT_TRUE(reader.next());
        expectDbError(errc::FileLocked, [&] { writer.execute(insert); });
        while (reader.next()) {
        }
        writer.execute(insert); // the last row passed: the file is free although the reader lives
        RowReader unfinished(db, QStringLiteral("cvden2009"));
        ASSERT_TRUE(unfinished.next());
    }
    writer.execute(insert); // a reader destroyed before its end lets go too
    EXPECT_EQ(rowsInFile(db), 5);
}

TEST_F(DbTest, ReaderRefusesSourcesAsARecordsetRefusesThem)
{
    Database db = makeLetters(1);
    expectDbError(errc::TableNotFound, [&] { RowReader(db, QStringLiteral("cvden2010")); });
    expectDbError(errc::SyntaxError, [&] { RowReader(db, QStringLiteral("DELETE * FROM cvden2009")); });
    expectDbError(errc::ItemNotFound, [&] { RowReader(db, QStringLiteral("SELECT sothutu FROM cvden2009")); });
    QStringList seen;
    db.setStatementHook([&](const QString& sql) { seen << sql; });
    RowReader(db, QStringLiteral("cvden2009"));
    EXPECT_EQ(seen, QStringList{QStringLiteral("cvden2009")});
    Database closed = db;
    closed.close();
    expectDbError(errc::ItemNotFound, [&] { RowReader(closed, QStringLiteral("cvden2009")); });
}
