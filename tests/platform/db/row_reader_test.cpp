// The forward-only row reader: the rows, order, names and value types a snapshot of the same
// source gives, its position checks, and the file lock it holds only while rows remain.
#include "engine_fixture.h"

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

TEST_P(LayerTest, ReadsTheRowsARecordsetGivesAndChecksPositionsNamesAndSources)
{
    Database db = makeLetters(7);
    db.appendTableDef(
        table(u"lich"_s, {field(u"ngay"_s, db::FieldType::Date), field(u"xong"_s, db::FieldType::Boolean),
                          field(u"gio"_s, db::FieldType::Double), field(u"ghichu"_s, db::FieldType::Text, 50)}));
    db.execute(u"INSERT INTO lich VALUES (#3/4/2026#, True, 7.5, 'Họp')"_s);
    db.execute(u"INSERT INTO lich (ngay, xong) VALUES (#3/5/2026 10:30#, False)"_s);
    db.createQueryDef(u"qrquyetdinh"_s,
                      u"SELECT stt, tt_ndung FROM cvden2009 WHERE loai = 'quyết ĐỊNH' ORDER BY stt DESC"_s);

    const QStringList sources = {
        u"cvden2009"_s,
        u"[CVDEN2009]"_s,
        u"qrquyetdinh"_s,
        u"SELECT loai, stt, id FROM cvden2009 WHERE tt_ndung Like '*dung 1*' OR stt > 5 ORDER BY loai, stt"_s,
        u"SELECT loai, Count(*) AS n, Max(stt) + 0.5 AS cao FROM cvden2009 GROUP BY loai"_s,
        u"lich"_s,
    };
    for (const QString& source : sources) {
        RowReader reader(db, source);
        const QStringList expected = readAll(db.openRecordset(source, db::RecordsetType::Snapshot));
        ASSERT_FALSE(expected.isEmpty()) << source.toStdString();
        EXPECT_EQ(readAll(reader), expected) << source.toStdString();
    }
    RowReader days2(db, u"lich"_s);
    ASSERT_TRUE(days2.next());
    EXPECT_EQ(days2.value(u"NGAY"_s).toDateTime(), QDateTime(QDate(2026, 3, 4), QTime(0, 0)));
    EXPECT_EQ(days2.value(u"xong"_s), QVariant(true));
    ASSERT_TRUE(days2.next());
    EXPECT_FALSE(days2.value(u"ghichu"_s).isValid()); // NULL, not ""

    // Positions and names are checked; sources are refused as a recordset refuses them.
    RowReader reader(db, u"SELECT stt, loai AS Loai, stt AS STT FROM cvden2009 WHERE stt <= 2 ORDER BY stt"_s);
    EXPECT_EQ(reader.fieldCount(), 3);
    EXPECT_EQ(reader.fieldIndex(u"LOAI"_s), 1);
    EXPECT_EQ(reader.fieldIndex(u"stt"_s), 0); // the first of equal names
    EXPECT_EQ(reader.fieldIndex(u"id"_s), -1);
    expectDbError(errc::NoCurrentRecord, [&] { reader.value(0); });
    expectDbError(errc::ItemNotFound, [&] { reader.fieldName(3); });
    ASSERT_TRUE(reader.next());
    expectDbError(errc::ItemNotFound, [&] { reader.value(u"id"_s); });
    EXPECT_EQ(reader.value(u"Stt"_s).toInt(), 1);
    ASSERT_TRUE(reader.next());
    EXPECT_EQ(reader.value(1).toString(), u"Công văn"_s);
    EXPECT_FALSE(reader.next());
    EXPECT_FALSE(reader.next()); // stays at the end, does not start again
    expectDbError(errc::NoCurrentRecord, [&] { reader.value(0); });

    expectDbError(errc::TableNotFound, [&] { RowReader(db, u"cvden2010"_s); });
    expectDbError(errc::SyntaxError, [&] { RowReader(db, u"DELETE * FROM cvden2009"_s); });
    expectDbError(errc::ItemNotFound, [&] { RowReader(db, u"SELECT sothutu FROM cvden2009"_s); });
    QStringList seen;
    db.setStatementHook([&](const QString& sql) { seen << sql; });
    RowReader(db, u"cvden2009"_s);
    EXPECT_EQ(seen, QStringList{u"cvden2009"_s});
    Database closed = db;
    closed.close();
    expectDbError(errc::ItemNotFound, [&] { RowReader(closed, u"cvden2009"_s); });
}

TEST_F(DbTest, ReaderHoldsTheFileOnlyWhileRowsRemain)
{
    Database db = makeLetters(3);
    Database writer = Database::open(path(), Connect);
    writer.setBusyTimeout(50);
    const QString insert = u"INSERT INTO cvden2009 (stt) VALUES (9)"_s;
    {
        RowReader reader(db, u"cvden2009"_s);
        ASSERT_TRUE(reader.next());
        expectDbError(errc::FileLocked, [&] { writer.execute(insert); });
        while (reader.next()) {
        }
        writer.execute(insert); // the last row passed: the file is free although the reader lives
        RowReader unfinished(db, u"cvden2009"_s);
        ASSERT_TRUE(unfinished.next());
    }
    writer.execute(insert); // a reader destroyed before its end lets go too
    EXPECT_EQ(rowsInFile(db), 5);
}
