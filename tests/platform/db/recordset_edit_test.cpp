// Adding, editing and deleting through recordsets; dynaset versus snapshot; requery.
#include "engine_fixture.h"

#include <QDateTime>

namespace {

QString loaiOf(Database& db, int number)
{
    Recordset rs =
        db.openRecordset(u"SELECT loai FROM cvden2009 WHERE stt = %1"_s.arg(number), RecordsetType::Snapshot);
    return rs.eof() ? u"<none>"_s : rs.value(0).toString();
}

} // namespace

SELVARO_ON_EVERY_ENGINE(LayerTest);

// A new row takes the next counter and the recordset stays on the row that was current. The edit
// buffer: written on update only, given back by cancel, dropped by a move, refused without an edit;
// lastModified is the edited row. An empty dynaset whose WHERE the new row does not meet still shows
// it.
TEST_P(LayerTest, AddNewAndEditsAreWrittenOnUpdateOnly)
{
    Database db = makeLetters(2);
    Recordset rs = db.openRecordset(u"cvden2009"_s);
    rs.addNew();
    EXPECT_EQ(rs.editMode(), EditMode::AddNew);
    EXPECT_TRUE(rs.value(u"stt"_s).isNull());
    rs.setValue(u"stt"_s, 3);
    rs.setValue(u"loai"_s, u"Đức"_s);
    rs.update();
    EXPECT_EQ(rs.editMode(), EditMode::None);
    EXPECT_EQ(stt(rs), 1); // still on the row that was current
    EXPECT_EQ(rs.recordCount(), 3);
    rs.setBookmark(rs.lastModified());
    EXPECT_EQ(stt(rs), 3);
    EXPECT_EQ(rs.value(u"id"_s).toInt(), 3);
    EXPECT_EQ(rs.absolutePosition(), 2);
    rs.movePrevious();
    EXPECT_EQ(stt(rs), 2);

    rs.moveFirst();
    expectDbError(errc::UpdateWithoutEdit, [&] { rs.update(); });
    expectDbError(errc::UpdateWithoutEdit, [&] { rs.cancelUpdate(); });
    expectDbError(errc::UpdateWithoutEdit, [&] { rs.setValue(u"stt"_s, 2); });
    rs.edit();
    rs.setValue(u"loai"_s, u"Khác"_s);
    rs.setValue(u"chonin"_s, QVariant());
    rs.cancelUpdate();
    EXPECT_EQ(rs.editMode(), EditMode::None);
    EXPECT_EQ(rs.value(u"loai"_s).toString(), u"Quyết định"_s);
    EXPECT_FALSE(rs.value(u"chonin"_s).isNull());
    rs.addNew();
    rs.setValue(u"stt"_s, 9);
    rs.cancelUpdate();
    EXPECT_EQ(rs.recordCount(), 3);
    EXPECT_EQ(stt(rs), 1);
    rs.edit();
    rs.setValue(u"loai"_s, u"Khác"_s);
    rs.moveNext(); // moving away drops the edit
    EXPECT_EQ(rs.editMode(), EditMode::None);
    EXPECT_EQ(loaiOf(db, 1), u"Quyết định"_s);
    rs.edit();
    rs.setValue(u"LOAI"_s, u"Tờ trình"_s);
    EXPECT_EQ(rs.value(u"loai"_s).toString(), u"Tờ trình"_s); // the buffer
    EXPECT_EQ(loaiOf(db, 2), u"Công văn"_s);                  // not written yet
    rs.update();
    EXPECT_EQ(loaiOf(db, 2), u"Tờ trình"_s);
    rs.moveFirst();
    rs.setBookmark(rs.lastModified());
    EXPECT_EQ(stt(rs), 2);

    Recordset empty = db.openRecordset(u"SELECT * FROM cvden2009 WHERE stt > 100"_s);
    ASSERT_TRUE(empty.eof());
    EXPECT_TRUE(empty.lastModified().isEmpty());
    saveRow(empty, EditMode::AddNew, {{u"stt"_s, 4}});
    EXPECT_FALSE(empty.bof() && empty.eof());
    EXPECT_EQ(empty.recordCount(), 1);
    empty.setBookmark(empty.lastModified());
    EXPECT_EQ(stt(empty), 4);
    empty.moveFirst();
    EXPECT_EQ(stt(empty), 4);
    empty.findFirst(u"stt = 4"_s);
    EXPECT_FALSE(empty.noMatch());
}

// The counter and computed columns cannot be set; a refused write keeps the typed values; the kept
// writes follow the table's checks when they change.
TEST_P(LayerTest, RecordsetWritesKeepFieldChecksAndTheTypedValues)
{
    Database db = makeLetters(1);
    db.setAllowZeroLength(u"cvden2009"_s, u"loai"_s, false);
    Recordset computed = db.openRecordset(u"SELECT id, stt, stt + 1 AS sau FROM cvden2009"_s);
    computed.edit();
    expectDbError(errc::FieldNotUpdatable, [&] { computed.setValue(u"id"_s, 7); });
    expectDbError(errc::FieldNotUpdatable, [&] { computed.setValue(u"sau"_s, 7); });
    expectDbError(errc::ItemNotFound, [&] { computed.setValue(u"khongco"_s, 7); });
    computed.close();
    Recordset rs = db.openRecordset(u"cvden2009"_s);
    rs.edit();
    expectDbError(errc::FieldTooSmall, [&] { rs.setValue(u"chonin"_s, u"XX"_s); });
    rs.setValue(u"loai"_s, u""_s);
    rs.setValue(u"stt"_s, 5);
    expectDbError(errc::ZeroLengthNotAllowed, [&] { rs.update(); });
    EXPECT_EQ(rs.editMode(), EditMode::Edit); // the user's values stay in the buffer
    EXPECT_EQ(rs.value(u"stt"_s).toInt(), 5);
    rs.setValue(u"loai"_s, u"Báo cáo"_s);
    rs.update();
    EXPECT_EQ(loaiOf(db, 5), u"Báo cáo"_s);

    // row_source.h: the writes are "prepared once per shape"; "SQLite prepares a kept statement
    // again by itself when the schema changed". A check rewritten between two saves of the same
    // shape applies to the second; a refused save leaves the kept statement usable.
    for (const EditMode mode : {EditMode::Edit, EditMode::AddNew}) {
        SCOPED_TRACE(mode == EditMode::AddNew ? "addNew" : "edit");
        db.setAllowZeroLength(u"cvden2009"_s, u"loai"_s, false);
        expectDbError(errc::ZeroLengthNotAllowed, [&] { saveRow(rs, mode, {{u"loai"_s, u""_s}}); });
        rs.cancelUpdate();
        db.setAllowZeroLength(u"cvden2009"_s, u"loai"_s, true);
        saveRow(rs, mode, {{u"loai"_s, u""_s}});
        saveRow(rs, mode, {{u"loai"_s, u"Tờ trình"_s}});
    }
    EXPECT_EQ(rowsInFile(db, u"loai = 'Tờ trình'"_s), 2);
    db.close();
    rs.moveFirst(); // the recordset, with its kept statements, outlives the handle's close
    rs.deleteRecord();
    rs.close();
}

// The kept statements hold no lock between saves, and stand in the way of no drop of the table.
TEST_F(DbTest, KeptWritesHoldNoLockAndTheTableCanBeDroppedUnderThem)
{
    Database db = makeLetters(2);
    Recordset rs = db.openRecordset(u"cvden2009"_s);
    saveRow(rs, EditMode::AddNew, {{u"stt"_s, 3}});
    rs.moveFirst();
    saveRow(rs, EditMode::Edit, {{u"loai"_s, u"Tờ trình"_s}});
    rs.deleteRecord();

    // Another connection writes at once: none of the kept statements holds the file.
    Database other = Database::open(path(), Connect);
    other.setBusyTimeout(0);
    other.execute(u"UPDATE cvden2009 SET loai = 'Báo cáo' WHERE stt = 2"_s);
    EXPECT_EQ(other.recordsAffected(), 1);

    // The table dropped under the recordset: the drop is not refused, the next save says why.
    db.execute(u"DROP TABLE cvden2009"_s);
    rs.addNew();
    rs.setValue(u"stt"_s, 5);
    expectDbError(errc::TableNotFound, [&] { rs.update(); });
    rs.cancelUpdate();
    rs.close();
}

// After a save the cursor shows the row as the file holds it, whether the layer knows the
// written row without reading it or reads it again: each written value as it reads back (cleaned
// text, a number given as text, a text given as a number), another save of the same connection
// and what a trigger of another program wrote.
TEST_F(DbTest, AfterASaveTheCursorShowsTheRowAsTheFileHoldsIt)
{
    Database db = makeLetters(2);
    const struct
    {
        QString column;
        QVariant written;
    } cases[] = {
        {u"loai"_s, u"Tờ trình"_s},
        {u"loai"_s, u"a"_s + QChar(0) + u"bđệ😀"_s + QChar(0xD800) + u"c"_s},
        {u"loai"_s, u""_s},
        {u"loai"_s, 12},
        {u"tt_ndung"_s, QString(2000, QChar(u'ệ'))},
        {u"stt"_s, 5},
        {u"stt"_s, qlonglong(1) << 40},
        {u"stt"_s, u"7"_s},
        {u"stt"_s, u"x7"_s},
        {u"stt"_s, 2.5},
        {u"stt"_s, QVariant()},
    };
    auto expectAsStored = [&](Recordset& rs, const QString& column) {
        Recordset stored = db.openRecordset(u"SELECT * FROM cvden2009 WHERE id = "_s + rs.value(u"id"_s).toString(),
                                            RecordsetType::Snapshot);
        const QVariant shown = rs.value(column);
        const QVariant held = stored.value(column);
        EXPECT_EQ(shown.typeId(), held.typeId()) << qPrintable(column);
        EXPECT_EQ(shown, held) << qPrintable(column);
        EXPECT_EQ(shown.toString().isNull(), held.toString().isNull()) << qPrintable(column);
    };
    Recordset rs = db.openRecordset(u"cvden2009"_s);
    for (const bool inTransaction : {false, true}) {
        if (inTransaction)
            db.beginTrans();
        for (const auto& c : cases) {
            SCOPED_TRACE(c.written.toString().left(10).toStdString() + (inTransaction ? " in a transaction" : ""));
            saveRow(rs, EditMode::Edit, {{c.column, c.written}});
            expectAsStored(rs, c.column);
        }
        if (inTransaction)
            db.commitTrans();
    }

    // Another recordset of the same connection saves another column of the row during the edit.
    Recordset other = db.openRecordset(u"cvden2009"_s);
    rs.edit();
    saveRow(other, EditMode::Edit, {{u"loai"_s, u"Của người kia"_s}});
    rs.setValue(u"tt_ndung"_s, u"Của tôi"_s);
    rs.update();
    EXPECT_EQ(rs.value(u"loai"_s).toString(), u"Của người kia"_s);

    // Another program's trigger writes a second column with each save.
    RawConnection program(path());
    ASSERT_EQ(program.exec("CREATE TRIGGER stamp AFTER UPDATE OF loai ON cvden2009 BEGIN UPDATE cvden2009 SET "
                           "tt_ndung = 'đã ghi' WHERE rowid = NEW.rowid; END"),
              SQLITE_OK);
    Recordset again = db.openRecordset(u"cvden2009"_s);
    saveRow(again, EditMode::Edit, {{u"loai"_s, u"Báo cáo"_s}});
    EXPECT_EQ(again.value(u"tt_ndung"_s).toString(), u"đã ghi"_s);
}

// A deleted row leaves no current row until a move; moves, positions, counts, finds, bookmarks
// and clones leave it out.
TEST_P(LayerTest, DeletedRowsAreLeftOutOfTheCursor)
{
    Database db = makeLetters(5);
    Recordset rs = db.openRecordset(u"cvden2009"_s);
    Recordset copy = rs.clone();
    rs.move(1);
    const db::Bookmark deleted = rs.bookmark();
    rs.deleteRecord();
    EXPECT_FALSE(rs.bof() || rs.eof());
    EXPECT_EQ(rs.recordCount(), 4);
    EXPECT_EQ(copy.recordCount(), 4);
    expectDbError(errc::NoCurrentRecord, [&] { rs.value(u"stt"_s); });
    expectDbError(errc::NoCurrentRecord, [&] { rs.deleteRecord(); });
    expectDbError(errc::NoCurrentRecord, [&] { rs.edit(); });
    EXPECT_EQ(loaiOf(db, 2), u"<none>"_s);
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
    rs.findFirst(u"loai = 'Công văn'"_s);
    ASSERT_FALSE(rs.noMatch());
    EXPECT_EQ(stt(rs), 4);
    expectDbError(errc::InvalidBookmark, [&] { rs.setBookmark(deleted); });
    EXPECT_EQ(stt(rs), 4);
    rs.moveLast();
    EXPECT_EQ(rs.absolutePosition(), 3);
    rs.deleteRecord(); // the last row: the next move reaches EOF
    rs.moveNext();
    EXPECT_TRUE(rs.eof() && !rs.bof());
    for (rs.moveFirst(); !rs.eof(); rs.moveFirst())
        rs.deleteRecord();
    EXPECT_TRUE(rs.bof() && rs.eof()); // every row deleted
    EXPECT_EQ(rs.recordCount(), 0);
}

TEST_P(LayerTest, DynasetSeesChangesToItsRowsSnapshotDoesNotAndRequeryRunsAgain)
{
    Database db = makeLetters(3);
    Recordset dynaset = db.openRecordset(u"SELECT * FROM cvden2009 WHERE loai = 'Quyết định'"_s);
    Recordset snapshot =
        db.openRecordset(u"SELECT * FROM cvden2009 WHERE loai = 'Quyết định'"_s, RecordsetType::Snapshot);
    EXPECT_FALSE(snapshot.isUpdatable());
    expectDbError(errc::NotUpdatable, [&] { snapshot.edit(); });
    expectDbError(errc::NotUpdatable, [&] { snapshot.deleteRecord(); });
    db.execute(u"UPDATE cvden2009 SET loai = 'Khác' WHERE stt = 1"_s);
    EXPECT_EQ(dynaset.value(u"loai"_s).toString(), u"Khác"_s); // no longer matches, still there
    EXPECT_EQ(snapshot.value(u"loai"_s).toString(), u"Quyết định"_s);
    db.execute(u"DELETE FROM cvden2009 WHERE stt = 3"_s);
    dynaset.moveNext();
    EXPECT_TRUE(dynaset.eof()); // the row deleted elsewhere is skipped
    EXPECT_EQ(dynaset.recordCount(), 1);
    snapshot.moveLast();
    EXPECT_EQ(stt(snapshot), 3);
    EXPECT_EQ(snapshot.recordCount(), 2);
    // A requery runs the statement again (row 1 no longer matches, row 7 is new) and goes to the first.
    db.execute(u"INSERT INTO cvden2009 (stt, loai) VALUES (7, 'Quyết định')"_s);
    EXPECT_EQ(dynaset.recordCount(), 1);
    dynaset.requery();
    EXPECT_EQ(dynaset.recordCount(), 1);
    EXPECT_EQ(stt(dynaset), 7);
    db.execute(u"DELETE FROM cvden2009"_s);
    EXPECT_EQ(snapshot.recordCount(), 2);
    snapshot.requery();
    EXPECT_TRUE(snapshot.bof() && snapshot.eof());
}

// Two people edit one row. A field the other wrote since the edit began is not written over
// unseen: the update is refused naming the field and its new value, the typed values stay, and
// an update again writes over it. A field only the other wrote is kept beside this editor's.
TEST_P(LayerTest, SecondEditorOfARowIsToldAndARowDeletedByAnotherHandleReadsAsDeleted)
{
    Database db = makeLetters(3);
    Database other = openAgain();
    Recordset rs = db.openRecordset(u"cvden2009"_s);
    Recordset theirs = other.openRecordset(u"cvden2009"_s);
    rs.edit();
    rs.setValue(u"loai"_s, u"Của tôi"_s);
    saveRow(theirs, EditMode::Edit, {{u"loai"_s, u"Của người kia"_s}, {u"tt_ndung"_s, u"Nội dung mới"_s}});
    try {
        rs.update();
        ADD_FAILURE() << "a field changed by another user was written over";
    } catch (const db::DbError& e) {
        EXPECT_EQ(e.number(), errc::WriteConflict);
        EXPECT_TRUE(e.description().contains(u"loai = «Của người kia»"_s)) << e.description().toStdString();
    }
    EXPECT_EQ(loaiOf(db, 1), u"Của người kia"_s);
    EXPECT_EQ(rs.editMode(), EditMode::Edit);
    EXPECT_EQ(rs.value(u"loai"_s).toString(), u"Của tôi"_s);
    EXPECT_EQ(rs.storedValue(u"loai"_s).toString(), u"Của người kia"_s);
    rs.update(); // told once: saving again writes
    EXPECT_EQ(loaiOf(db, 1), u"Của tôi"_s);
    EXPECT_EQ(rs.value(u"tt_ndung"_s).toString(), u"Nội dung mới"_s);

    // The editor saw the row before the edit began (a form): the check is against what was seen.
    rs.moveNext();
    const QVariant seen = rs.value(u"loai"_s);
    theirs.moveNext();
    saveRow(theirs, EditMode::Edit, {{u"loai"_s, u"Sửa trên máy khác"_s}});
    rs.edit();
    rs.setValue(u"loai"_s, u"Sửa ở đây"_s);
    rs.expect(u"loai"_s, seen);
    expectDbError(errc::WriteConflict, [&] { rs.update(); });
    EXPECT_EQ(loaiOf(db, 2), u"Sửa trên máy khác"_s);
    rs.cancelUpdate();
    rs.edit();
    rs.setValue(u"tt_ndung"_s, u"Chỉ nội dung"_s);
    rs.expect(u"tt_ndung"_s, u"Nội dung 2"_s);
    rs.update();
    EXPECT_EQ(loaiOf(db, 2), u"Sửa trên máy khác"_s);

    // Another handle deletes the row being edited: the update and the row read as deleted.
    rs.edit();
    rs.setValue(u"loai"_s, u"Khác"_s);
    other.execute(u"DELETE FROM cvden2009 WHERE stt = 2"_s);
    expectDbError(errc::RecordIsDeleted, [&] { rs.update(); });
    EXPECT_EQ(loaiOf(db, 2), u"<none>"_s);
    if (rs.editMode() != EditMode::None)
        rs.cancelUpdate();
    expectDbError(errc::RecordIsDeleted, [&] { rs.value(u"stt"_s); });
    expectDbError(errc::NoCurrentRecord, [&] { rs.edit(); });
    rs.moveNext();
    EXPECT_EQ(stt(rs), 3);
}

TEST_P(LayerTest, VietnameseTextRoundTripsThroughRecordsetsAndStatements)
{
    Database db = makeLetters(0);
    const QStringList texts = {u"Đức"_s, u"ẤP BẮC"_s, u"Nguyễn Thị Ngọc Hường"_s, u"Ủy ban nhân dân tỉnh Quảng Ngãi"_s,
                               u"ỹ ỵ ự ừ ữ"_s};
    Recordset rs = db.openRecordset(u"cvden2009"_s);
    for (int i = 0; i < texts.size(); ++i)
        saveRow(rs, EditMode::AddNew, {{u"stt"_s, i}, {u"tt_ndung"_s, texts[i]}});
    db.execute(u"UPDATE cvden2009 SET tt_ndung = tt_ndung + ' – sao', loai = Left(tt_ndung, 3)"_s);
    Recordset read = db.openRecordset(u"SELECT * FROM cvden2009 ORDER BY stt"_s, RecordsetType::Snapshot);
    for (const QString& text : texts) {
        EXPECT_EQ(read.value(u"tt_ndung"_s).toString(), text + u" – sao"_s);
        EXPECT_EQ(read.value(u"loai"_s).toString(), text.left(3));
        read.moveNext();
    }
    read.findFirst(u"loai = 'đức'"_s);
    EXPECT_FALSE(read.noMatch());
    read.findFirst(u"tt_ndung = 'ấp bắc – SAO'"_s);
    EXPECT_EQ(read.value(u"stt"_s).toInt(), 1);
}

TEST_P(LayerTest, BooleanDateAndNumberFieldsKeepTheirTypes)
{
    Database db = create();
    db.appendTableDef(
        table(u"lich2009"_s, {field(u"id"_s, db::FieldType::Long, 4, db::fieldattr::AutoIncrField),
                              field(u"xong"_s, db::FieldType::Boolean, 1), field(u"ngay"_s, db::FieldType::Date, 8),
                              field(u"tien"_s, db::FieldType::Double, 8)}));
    Recordset rs = db.openRecordset(u"lich2009"_s);
    saveRow(rs, EditMode::AddNew,
            {{u"xong"_s, true}, {u"ngay"_s, QDateTime(QDate(2009, 3, 2), QTime(8, 30))}, {u"tien"_s, 1.5}});
    db.execute(u"INSERT INTO lich2009 (xong, ngay) VALUES (False, #3/4/2009#)"_s);
    Recordset found = db.openRecordset(u"SELECT * FROM lich2009 WHERE xong = True"_s);
    ASSERT_EQ(found.recordCount(), 1);
    EXPECT_EQ(found.value(u"xong"_s).typeId(), QMetaType::Bool);
    EXPECT_TRUE(found.value(u"xong"_s).toBool());
    EXPECT_EQ(found.value(u"ngay"_s).toDateTime(), QDateTime(QDate(2009, 3, 2), QTime(8, 30)));
    EXPECT_DOUBLE_EQ(found.value(u"tien"_s).toDouble(), 1.5);
    found.requery();
    found.findFirst(u"xong = False"_s);
    EXPECT_TRUE(found.noMatch()); // the WHERE of the recordset still applies after requery
    Recordset all = db.openRecordset(u"SELECT * FROM lich2009 ORDER BY id"_s);
    all.moveLast();
    EXPECT_FALSE(all.value(u"xong"_s).toBool());
    EXPECT_EQ(all.value(u"ngay"_s).toDateTime().date(), QDate(2009, 3, 4));
    EXPECT_TRUE(all.value(u"tien"_s).isNull());
}

// The list (stt 1-4) keeps exactly "X"; a mark elsewhere becomes "", an empty or null row elsewhere
// stays as it was. Nothing is written once the data changed after the list was read.
TEST_P(LayerTest, MarkExactlyWritesOnlyChangedMarks)
{
    Database db = makeLetters(8);
    db.indexRowsMarked(u"cvden2009"_s, u"chonin"_s, u"X"_s);
    const QString before = u"UPDATE cvden2009 SET chonin = %1 WHERE stt IN (%2)"_s;
    db.execute(before.arg(u"Null"_s, u"1, 5"_s));
    db.execute(before.arg(u"'X'"_s, u"3, 7"_s));
    db.execute(before.arg(u"'x'"_s, u"4, 8"_s));
    auto marks = [&] {
        QStringList all;
        for (Recordset rs = db.openRecordset(u"SELECT chonin FROM cvden2009 ORDER BY stt"_s, RecordsetType::Snapshot);
             !rs.eof(); rs.moveNext())
            all << (rs.value(0).isNull() ? u"null"_s : rs.value(0).toString());
        return all.join(QLatin1Char('|'));
    };
    const QString unchanged = marks();
    Recordset list = db.openRecordset(u"SELECT * FROM cvden2009 WHERE stt <= 4"_s);
    Database other = openAgain();
    other.execute(u"UPDATE cvden2009 SET loai = 'Khác' WHERE stt = 6"_s);
    EXPECT_FALSE(list.markExactly(u"cvden2009"_s, u"chonin"_s, u"X"_s));
    EXPECT_EQ(marks(), unchanged);
    list.requery();
    EXPECT_FALSE(list.markExactly(u"cvdi2009"_s, u"chonin"_s, u"X"_s));
    EXPECT_FALSE(db.openRecordset(u"SELECT * FROM cvden2009"_s, RecordsetType::Snapshot)
                     .markExactly(u"cvden2009"_s, u"chonin"_s, u"X"_s));
    ASSERT_TRUE(list.markExactly(u"cvden2009"_s, u"chonin"_s, u"X"_s));
    EXPECT_EQ(marks(), u"X|X|X|X|null|||"_s);
    EXPECT_EQ(list.value(u"chonin"_s).toString(), u"X"_s);
}
