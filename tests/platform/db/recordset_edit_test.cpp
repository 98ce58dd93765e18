// Adding, editing and deleting through recordsets; dynaset versus snapshot; requery.
#include "db_fixture.h"

#include <QDateTime>

namespace {

QString loaiOf(Database& db, int number)
{
    Recordset rs = db.openRecordset(QStringLiteral("SELECT loai FROM cvden2009 WHERE stt = %1").arg(number),
                                    RecordsetType::Snapshot);
    return rs.eof() ? QStringLiteral("<none>") : rs.value(0).toString();
}

} // namespace

TEST_F(DbTest, AddNewAssignsTheCounterAndKeepsTheCurrentRow)
{
    Database db = makeLetters(2);
    Recordset rs = db.openRecordset(QStringLiteral("cvden2009"));
    rs.addNew();
    EXPECT_EQ(rs.editMode(), EditMode::AddNew);
    EXPECT_TRUE(rs.value(QStringLiteral("stt")).isNull());
    rs.setValue(QStringLiteral("stt"), 3);
    rs.setValue(QStringLiteral("loai"), QStringLiteral("Đức"));
    rs.update();
    EXPECT_EQ(rs.editMode(), EditMode::None);
    EXPECT_EQ(stt(rs), 1); // still on the row that was current
    EXPECT_EQ(rs.recordCount(), 3);
    rs.setBookmark(rs.lastModified());
    EXPECT_EQ(stt(rs), 3);
    EXPECT_EQ(rs.value(QStringLiteral("id")).toInt(), 3);
    EXPECT_EQ(rs.absolutePosition(), 2);
    rs.movePrevious();
    EXPECT_EQ(stt(rs), 2);
}

// An empty dynaset whose WHERE the new row does not meet still shows it.
TEST_F(DbTest, AddNewIntoAnEmptyDynasetWithWhereShowsTheNewRow)
{
    Database db = makeLetters(2);
    Recordset rs = db.openRecordset(QStringLiteral("SELECT * FROM cvden2009 WHERE stt > 100"));
    ASSERT_TRUE(rs.eof());
    EXPECT_TRUE(rs.lastModified().isEmpty());
    rs.addNew();
    rs.setValue(QStringLiteral("stt"), 3);
    rs.update();
    EXPECT_FALSE(rs.bof() && rs.eof());
    EXPECT_EQ(rs.recordCount(), 1);
    rs.setBookmark(rs.lastModified());
    EXPECT_EQ(stt(rs), 3);
    rs.moveFirst();
    EXPECT_EQ(stt(rs), 3);
    rs.findFirst(QStringLiteral("stt = 3"));
    EXPECT_FALSE(rs.noMatch());
}

// The edit buffer: written on update only, given back by cancel, dropped by a move, refused
// without an edit; lastModified is the edited row.
TEST_F(DbTest, EditBufferIsWrittenOnUpdateOnly)
{
    Database db = makeLetters(3);
    Recordset rs = db.openRecordset(QStringLiteral("cvden2009"));
    expectDbError(errc::UpdateWithoutEdit, [&] { rs.update(); });
    expectDbError(errc::UpdateWithoutEdit, [&] { rs.cancelUpdate(); });
    expectDbError(errc::UpdateWithoutEdit, [&] { rs.setValue(QStringLiteral("stt"), 2); });
    rs.edit();
    rs.setValue(QStringLiteral("loai"), QStringLiteral("Khác"));
    rs.setValue(QStringLiteral("chonin"), QVariant());
    rs.cancelUpdate();
    EXPECT_EQ(rs.editMode(), EditMode::None);
    EXPECT_EQ(rs.value(QStringLiteral("loai")).toString(), QStringLiteral("Quyết định"));
    EXPECT_FALSE(rs.value(QStringLiteral("chonin")).isNull());
    rs.addNew();
    rs.setValue(QStringLiteral("stt"), 9);
    rs.cancelUpdate();
    EXPECT_EQ(rs.recordCount(), 3);
    EXPECT_EQ(stt(rs), 1);
    rs.edit();
    rs.setValue(QStringLiteral("loai"), QStringLiteral("Khác"));
    rs.moveNext(); // moving away drops the edit
    EXPECT_EQ(rs.editMode(), EditMode::None);
    EXPECT_EQ(loaiOf(db, 1), QStringLiteral("Quyết định"));
    rs.edit();
    rs.setValue(QStringLiteral("LOAI"), QStringLiteral("Tờ trình"));
    EXPECT_EQ(rs.value(QStringLiteral("loai")).toString(), QStringLiteral("Tờ trình")); // the buffer
    EXPECT_EQ(loaiOf(db, 2), QStringLiteral("Công văn"));                               // not written yet
    rs.update();
    EXPECT_EQ(loaiOf(db, 2), QStringLiteral("Tờ trình"));
    rs.moveFirst();
    rs.setBookmark(rs.lastModified());
    EXPECT_EQ(stt(rs), 2);
}

// The counter and computed columns cannot be set; a refused write keeps the typed values.
TEST_F(DbTest, RecordsetWritesKeepFieldChecksAndTheTypedValues)
{
    Database db = makeLetters(1);
    db.setAllowZeroLength(QStringLiteral("cvden2009"), QStringLiteral("loai"), false);
    Recordset computed = db.openRecordset(QStringLiteral("SELECT id, stt, stt + 1 AS sau FROM cvden2009"));
    computed.edit();
    expectDbError(errc::FieldNotUpdatable, [&] { computed.setValue(QStringLiteral("id"), 7); });
    expectDbError(errc::FieldNotUpdatable, [&] { computed.setValue(QStringLiteral("sau"), 7); });
    expectDbError(errc::ItemNotFound, [&] { computed.setValue(QStringLiteral("khongco"), 7); });
    computed.close();
    Recordset rs = db.openRecordset(QStringLiteral("cvden2009"));
    rs.edit();
    expectDbError(errc::FieldTooSmall, [&] { rs.setValue(QStringLiteral("chonin"), QStringLiteral("XX")); });
    rs.setValue(QStringLiteral("loai"), QString(""));
    rs.setValue(QStringLiteral("stt"), 5);
    expectDbError(errc::ZeroLengthNotAllowed, [&] { rs.update(); });
    EXPECT_EQ(rs.editMode(), EditMode::Edit); // the user's values stay in the buffer
    EXPECT_EQ(rs.value(QStringLiteral("stt")).toInt(), 5);
    rs.setValue(QStringLiteral("loai"), QStringLiteral("Báo cáo"));
    rs.update();
    EXPECT_EQ(loaiOf(db, 5), QStringLiteral("Báo cáo"));
}

// row_source.h: the writes are "prepared once per shape"; "SQLite prepares a kept statement again
// by itself when the schema changed". A check rewritten between two saves of the same shape
// applies to the second; a refused save leaves the kept statement usable.
TEST_F(DbTest, KeptWritesFollowTheTableChecksWhenTheyChange)
{
    Database db = makeLetters(1);
    Recordset rs = db.openRecordset(QStringLiteral("cvden2009"));
    auto save = [&](bool adding, const QString& loai) {
        adding ? rs.addNew() : rs.edit();
        rs.setValue(QStringLiteral("loai"), loai);
        rs.update();
    };
    for (const bool adding : {false, true}) {
        SCOPED_TRACE(adding ? "addNew" : "edit");
        db.setAllowZeroLength(QStringLiteral("cvden2009"), QStringLiteral("loai"), false);
        expectDbError(errc::ZeroLengthNotAllowed, [&] { save(adding, QString("")); });
        rs.cancelUpdate();
        db.setAllowZeroLength(QStringLiteral("cvden2009"), QStringLiteral("loai"), true);
        save(adding, QString(""));
        save(adding, QStringLiteral("Tờ trình"));
    }
    EXPECT_EQ(db.openRecordset(QStringLiteral("SELECT count(*) FROM cvden2009 WHERE loai = 'Tờ trình'"),
                               RecordsetType::Snapshot)
                  .value(0)
                  .toInt(),
              2);
    db.close();
    rs.moveFirst(); // the recordset, with its kept statements, outlives the handle's close
    rs.deleteRecord();
    rs.close();
}

// The kept statements hold no lock between saves, and stand in the way of no drop of the table.
TEST_F(DbTest, KeptWritesHoldNoLockAndTheTableCanBeDroppedUnderThem)
{
    Database db = makeLetters(2);
    Recordset rs = db.openRecordset(QStringLiteral("cvden2009"));
    rs.addNew();
    rs.setValue(QStringLiteral("stt"), 3);
    rs.update();
    rs.moveFirst();
    rs.edit();
    rs.setValue(QStringLiteral("loai"), QStringLiteral("Tờ trình"));
    rs.update();
    rs.deleteRecord();

    // Another connection writes at once: none of the kept statements holds the file.
    Database other = Database::open(path(), Connect);
    other.setBusyTimeout(0);
    other.execute(QStringLiteral("UPDATE cvden2009 SET loai = 'Báo cáo' WHERE stt = 2"));
    EXPECT_EQ(other.recordsAffected(), 1);

    // The table dropped under the recordset: the drop is not refused, the next save says why.
    db.execute(QStringLiteral("DROP TABLE cvden2009"));
    rs.addNew();
    rs.setValue(QStringLiteral("stt"), 5);
    expectDbError(errc::TableNotFound, [&] { rs.update(); });
    rs.cancelUpdate();
    rs.close();
}

// A deleted row leaves no current row until a move; moves, positions, counts, finds, bookmarks
// and clones leave it out.
TEST_F(DbTest, DeletedRowsAreLeftOutOfTheCursor)
{
    Database db = makeLetters(5);
    Recordset rs = db.openRecordset(QStringLiteral("cvden2009"));
    Recordset copy = rs.clone();
    rs.move(1);
    const db::Bookmark deleted = rs.bookmark();
    rs.deleteRecord();
    EXPECT_FALSE(rs.bof() || rs.eof());
    EXPECT_EQ(rs.recordCount(), 4);
    EXPECT_EQ(copy.recordCount(), 4);
    expectDbError(errc::NoCurrentRecord, [&] { rs.value(QStringLiteral("stt")); });
    expectDbError(errc::NoCurrentRecord, [&] { rs.deleteRecord(); });
    expectDbError(errc::NoCurrentRecord, [&] { rs.edit(); });
    EXPECT_EQ(loaiOf(db, 2), QStringLiteral("<none>"));
    rs.moveNext();
    EXPECT_EQ(stt(rs), 3);
    EXPECT_EQ(rs.absolutePosition(), 1);
    rs.movePrevious();
    EXPECT_EQ(stt(rs), 1);
    rs.move(2);
    EXPECT_EQ(stt(rs), 4);
    copy.moveFirst();
    copy.moveNext(); // the clone skips the row its original deleted
    EXPECT_EQ(stt(copy), 3);
    rs.findFirst(QStringLiteral("loai = 'Công văn'"));
    ASSERT_FALSE(rs.noMatch());
    EXPECT_EQ(stt(rs), 4);
    expectDbError(errc::InvalidBookmark, [&] { rs.setBookmark(deleted); });
    EXPECT_EQ(stt(rs), 4);
    rs.moveLast();
    EXPECT_EQ(rs.absolutePosition(), 3);
    rs.deleteRecord(); // the last row: the next move reaches EOF
    rs.moveNext();
    EXPECT_TRUE(rs.eof());
    EXPECT_FALSE(rs.bof());
    for (rs.moveFirst(); !rs.eof(); rs.moveFirst())
        rs.deleteRecord();
    EXPECT_TRUE(rs.bof() && rs.eof()); // every row deleted
    EXPECT_EQ(rs.recordCount(), 0);
}

TEST_F(DbTest, DynasetSeesChangesToItsRowsSnapshotDoesNotAndRequeryRunsAgain)
{
    Database db = makeLetters(3);
    Recordset dynaset = db.openRecordset(QStringLiteral("SELECT * FROM cvden2009 WHERE loai = 'Quyết định'"));
    Recordset snapshot =
        db.openRecordset(QStringLiteral("SELECT * FROM cvden2009 WHERE loai = 'Quyết định'"), RecordsetType::Snapshot);
    EXPECT_FALSE(snapshot.isUpdatable());
    expectDbError(errc::NotUpdatable, [&] { snapshot.edit(); });
    expectDbError(errc::NotUpdatable, [&] { snapshot.deleteRecord(); });
    db.execute(QStringLiteral("UPDATE cvden2009 SET loai = 'Khác' WHERE stt = 1"));
    EXPECT_EQ(dynaset.value(QStringLiteral("loai")).toString(),
              QStringLiteral("Khác")); // no longer matches, still there
    EXPECT_EQ(snapshot.value(QStringLiteral("loai")).toString(), QStringLiteral("Quyết định"));
    db.execute(QStringLiteral("DELETE FROM cvden2009 WHERE stt = 3"));
    dynaset.moveNext();
    EXPECT_TRUE(dynaset.eof()); // the row deleted elsewhere is skipped
    EXPECT_EQ(dynaset.recordCount(), 1);
    snapshot.moveLast();
    EXPECT_EQ(stt(snapshot), 3);
    EXPECT_EQ(snapshot.recordCount(), 2);
    // A requery runs the statement again (row 1 no longer matches, row 7 is new) and goes to the first.
    db.execute(QStringLiteral("INSERT INTO cvden2009 (stt, loai) VALUES (7, 'Quyết định')"));
    EXPECT_EQ(dynaset.recordCount(), 1);
    dynaset.requery();
    EXPECT_EQ(dynaset.recordCount(), 1);
    EXPECT_EQ(stt(dynaset), 7);
    db.execute(QStringLiteral("DELETE FROM cvden2009"));
    EXPECT_EQ(snapshot.recordCount(), 2);
    snapshot.requery();
    EXPECT_TRUE(snapshot.bof() && snapshot.eof());
}

// Another handle deletes the row being edited: the update and the row read as deleted.
TEST_F(DbTest, RowDeletedByAnotherHandleReadsAsDeleted)
{
    Database db = makeLetters(2);
    Database other = Database::open(path(), Connect);
    Recordset rs = db.openRecordset(QStringLiteral("cvden2009"));
    rs.edit();
    rs.setValue(QStringLiteral("loai"), QStringLiteral("Khác"));
    other.execute(QStringLiteral("DELETE FROM cvden2009 WHERE stt = 1"));
    expectDbError(errc::RecordIsDeleted, [&] { rs.update(); });
    EXPECT_EQ(loaiOf(db, 1), QStringLiteral("<none>"));
    if (rs.editMode() != EditMode::None)
        rs.cancelUpdate();
    expectDbError(errc::RecordIsDeleted, [&] { rs.value(QStringLiteral("stt")); });
    expectDbError(errc::NoCurrentRecord, [&] { rs.edit(); });
    rs.moveNext();
    EXPECT_EQ(stt(rs), 2);
}

TEST_F(DbTest, VietnameseTextRoundTripsThroughRecordsetsAndStatements)
{
    Database db = makeLetters(0);
    const QStringList texts = {QStringLiteral("Đức"), QStringLiteral("ẤP BẮC"), QStringLiteral("Nguyễn Thị Ngọc Hường"),
                               QStringLiteral("Ủy ban nhân dân tỉnh Quảng Ngãi"), QStringLiteral("ỹ ỵ ự ừ ữ")};
    Recordset rs = db.openRecordset(QStringLiteral("cvden2009"));
    for (int i = 0; i < texts.size(); ++i) {
        rs.addNew();
        rs.setValue(QStringLiteral("stt"), i);
        rs.setValue(QStringLiteral("tt_ndung"), texts[i]);
        rs.update();
    }
    db.execute(QStringLiteral("UPDATE cvden2009 SET tt_ndung = tt_ndung + ' – sao', loai = Left(tt_ndung, 3)"));
    Recordset read = db.openRecordset(QStringLiteral("SELECT * FROM cvden2009 ORDER BY stt"), RecordsetType::Snapshot);
    for (const QString& text : texts) {
        EXPECT_EQ(read.value(QStringLiteral("tt_ndung")).toString(), text + QStringLiteral(" – sao"));
        EXPECT_EQ(read.value(QStringLiteral("loai")).toString(), text.left(3));
        read.moveNext();
    }
    read.findFirst(QStringLiteral("loai = 'đức'"));
    EXPECT_FALSE(read.noMatch());
    read.findFirst(QStringLiteral("tt_ndung = 'ấp bắc – SAO'"));
    EXPECT_EQ(read.value(QStringLiteral("stt")).toInt(), 1);
}

TEST_F(DbTest, BooleanDateAndNumberFieldsKeepTheirTypes)
{
    Database db = Database::create(path(), Password);
    db::TableDef t;
    t.name = QStringLiteral("lich2009");
    t.fields = {field(QStringLiteral("id"), db::FieldType::Long, 4, db::fieldattr::AutoIncrField),
                field(QStringLiteral("xong"), db::FieldType::Boolean, 1),
                field(QStringLiteral("ngay"), db::FieldType::Date, 8),
                field(QStringLiteral("tien"), db::FieldType::Double, 8)};
    db.appendTableDef(t);
    Recordset rs = db.openRecordset(QStringLiteral("lich2009"));
    rs.addNew();
    rs.setValue(QStringLiteral("xong"), true);
    rs.setValue(QStringLiteral("ngay"), QDateTime(QDate(2009, 3, 2), QTime(8, 30)));
    rs.setValue(QStringLiteral("tien"), 1.5);
    rs.update();
    db.execute(QStringLiteral("INSERT INTO lich2009 (xong, ngay) VALUES (False, #3/4/2009#)"));
    Recordset found = db.openRecordset(QStringLiteral("SELECT * FROM lich2009 WHERE xong = True"));
    ASSERT_EQ(found.recordCount(), 1);
    EXPECT_EQ(found.value(QStringLiteral("xong")).typeId(), QMetaType::Bool);
    EXPECT_TRUE(found.value(QStringLiteral("xong")).toBool());
    EXPECT_EQ(found.value(QStringLiteral("ngay")).toDateTime(), QDateTime(QDate(2009, 3, 2), QTime(8, 30)));
    EXPECT_DOUBLE_EQ(found.value(QStringLiteral("tien")).toDouble(), 1.5);
    found.requery();
    found.findFirst(QStringLiteral("xong = False"));
    EXPECT_TRUE(found.noMatch()); // the WHERE of the recordset still applies after requery
    Recordset all = db.openRecordset(QStringLiteral("SELECT * FROM lich2009 ORDER BY id"));
    all.moveLast();
    EXPECT_FALSE(all.value(QStringLiteral("xong")).toBool());
    EXPECT_EQ(all.value(QStringLiteral("ngay")).toDateTime().date(), QDate(2009, 3, 4));
    EXPECT_TRUE(all.value(QStringLiteral("tien")).isNull());
}

// The list (stt 1-4) keeps exactly "X"; a mark elsewhere becomes "", an empty or null row elsewhere
// stays as it was. Nothing is written once the data changed after the list was read.
TEST_F(DbTest, MarkExactlyWritesOnlyChangedMarks)
{
    Database db = makeLetters(8);
    db.indexRowsMarked(QStringLiteral("cvden2009"), QStringLiteral("chonin"), QStringLiteral("X"));
    const QString before = QStringLiteral("UPDATE cvden2009 SET chonin = %1 WHERE stt IN (%2)");
    db.execute(before.arg(QStringLiteral("Null"), QStringLiteral("1, 5")));
    db.execute(before.arg(QStringLiteral("'X'"), QStringLiteral("3, 7")));
    db.execute(before.arg(QStringLiteral("'x'"), QStringLiteral("4, 8")));
    auto marks = [&] {
        QStringList all;
        for (Recordset rs =
                 db.openRecordset(QStringLiteral("SELECT chonin FROM cvden2009 ORDER BY stt"), RecordsetType::Snapshot);
             !rs.eof(); rs.moveNext())
            all << (rs.value(0).isNull() ? QStringLiteral("null") : rs.value(0).toString());
        return all.join(QLatin1Char('|'));
    };
    const QString unchanged = marks();
    Recordset list = db.openRecordset(QStringLiteral("SELECT * FROM cvden2009 WHERE stt <= 4"));
    Database other = Database::open(path(), Connect);
    other.execute(QStringLiteral("UPDATE cvden2009 SET loai = 'Khác' WHERE stt = 6"));
    EXPECT_FALSE(list.markExactly(QStringLiteral("cvden2009"), QStringLiteral("chonin"), QStringLiteral("X")));
    EXPECT_EQ(marks(), unchanged);
    list.requery();
    EXPECT_FALSE(list.markExactly(QStringLiteral("cvdi2009"), QStringLiteral("chonin"), QStringLiteral("X")));
    EXPECT_FALSE(db.openRecordset(QStringLiteral("SELECT * FROM cvden2009"), RecordsetType::Snapshot)
                     .markExactly(QStringLiteral("cvden2009"), QStringLiteral("chonin"), QStringLiteral("X")));
    ASSERT_TRUE(list.markExactly(QStringLiteral("cvden2009"), QStringLiteral("chonin"), QStringLiteral("X")));
    EXPECT_EQ(marks(), QStringLiteral("X|X|X|X|null|||"));
    EXPECT_EQ(list.value(QStringLiteral("chonin")).toString(), QStringLiteral("X"));
}
