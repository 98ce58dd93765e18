// Cursors that agree with the file: changes committed by another connection, rollbacks, keys
// added or removed inside a rolled-back transaction, bookmarks on tables without a counter.
// Each case reads the cursor, not only the file. A comment `recordset.h: "..."` names the header
// sentence a case proves.
#include "engine_fixture.h"
#include "platform/db/pg/table_versions.h"

#include <QDateTime>
#include <QEventLoop>
#include <QSet>
#include <QTimer>

namespace {

const QString Loai = u"loai"_s;

// The ids the cursor walks from first to last.
QList<int> walk(Recordset& rs, const QString& field = u"id"_s)
{
    QList<int> ids;
    for (rs.moveFirst(); !rs.eof(); rs.moveNext())
        ids << rs.value(field).toInt();
    return ids;
}

// A table without a counter or key, as the organisation's name table is.
db::TableDef organisationTable(const QString& name)
{
    return table(name,
                 {field(u"tendonvi"_s, db::FieldType::Text, 50), field(u"tencaptren"_s, db::FieldType::Text, 50)});
}

} // namespace

// recordset.h: "sees changes made to its rows since it was opened (through any cursor or
// program)"; "move(0) reads the current row again".
TEST_P(LayerTest, CommitsOfAnotherConnectionReachTheCurrentRow)
{
    Database mine = makeLetters(3);
    Database other = openAgain();
    Recordset rs = mine.openRecordset(u"cvden2009"_s);
    ASSERT_EQ(rs.value(Loai).toString(), u"Quyết định"_s);
    other.execute(u"UPDATE cvden2009 SET loai = 'Tờ trình' WHERE stt = 1"_s);
    EXPECT_EQ(rs.value(Loai).toString(), u"Tờ trình"_s);
    other.execute(u"UPDATE cvden2009 SET loai = 'Thông báo' WHERE stt = 1"_s);
    rs.move(0);
    EXPECT_EQ(rs.value(Loai).toString(), u"Thông báo"_s);
    // A find after the other connection's commit sees the new values, not the hits found before.
    rs.findFirst(u"loai = 'Công văn'"_s);
    EXPECT_EQ(stt(rs), 2);
    other.execute(u"UPDATE cvden2009 SET loai = 'Công văn' WHERE stt = 3"_s);
    other.execute(u"UPDATE cvden2009 SET loai = 'Khác' WHERE stt = 2"_s);
    rs.findFirst(u"loai = 'Công văn'"_s);
    EXPECT_EQ(stt(rs), 3);
    // Rows the other connection adds join the cursor at a requery.
    other.execute(u"INSERT INTO cvden2009 (stt, loai) VALUES (4, 'Báo cáo')"_s);
    EXPECT_EQ(rs.recordCount(), 3);
    rs.requery();
    EXPECT_EQ(rs.recordCount(), 4);
}

// A year opened on its last letter: a server reads only the keys at both ends and counts those
// between, then reads them when the cursor or a find gets there. What it finds then is what the
// open counted: rows deleted since are skipped and no index handed out moves; rows added since
// wait for a requery; a rollback brings back what it undid.
TEST_P(LayerTest, AKeysetReadLaterGivesTheRowsItsOpenCounted)
{
    Database mine = makeLetters(300);
    Database other = openAgain();
    Recordset rs = mine.openRecordset(u"cvden2009"_s);
    Recordset found = mine.openRecordset(u"cvden2009"_s);
    rs.moveLast();
    ASSERT_EQ(stt(rs), 300);
    EXPECT_EQ(rs.absolutePosition(), 299);
    found.moveLast();
    const auto last = found.bookmark();
    other.execute(u"DELETE FROM cvden2009 WHERE stt BETWEEN 100 AND 109"_s);
    other.execute(u"INSERT INTO cvden2009 (stt, loai) VALUES (301, 'Báo cáo')"_s);

    found.findPrevious(u"stt = 150"_s);
    ASSERT_FALSE(found.noMatch());
    EXPECT_EQ(stt(found), 150);
    found.setBookmark(last);
    EXPECT_EQ(stt(found), 300);

    rs.movePrevious();
    EXPECT_EQ(stt(rs), 299);
    QList<int> expected;
    for (int i = 1; i <= 300; ++i) {
        if (i < 100 || i > 109)
            expected << i;
    }
    EXPECT_EQ(walk(rs, u"stt"_s), expected);
    EXPECT_EQ(rs.recordCount(), 290);
    rs.moveLast();
    EXPECT_EQ(stt(rs), 300);
    EXPECT_EQ(rs.absolutePosition(), 289);
    rs.requery();
    EXPECT_EQ(rs.recordCount(), 291);

    // A letter deleted inside a transaction that a cursor reached there comes back at its rollback.
    Recordset inside = mine.openRecordset(u"cvden2009"_s);
    inside.moveLast();
    mine.beginTrans();
    mine.execute(u"DELETE FROM cvden2009 WHERE stt = 150"_s);
    EXPECT_EQ(walk(inside, u"stt"_s).size(), 290);
    mine.rollback();
    expected << 301;
    EXPECT_EQ(walk(inside, u"stt"_s), expected);
}

// A table opened again shows every write since it was last opened: another client's commit, this
// connection's writes inside and outside a transaction, what a rollback undid, the table made
// again. (A server keeps a whole table's keys from one open to the next while nothing wrote.) A
// saved row keeps its place, on a server as in a file: a form opened on the last letter opens on
// the last one added, not on the last one edited.
TEST_P(LayerTest, ATableOpenedAgainShowsEveryWriteSinceItWasOpened)
{
    Database mine = makeLetters(3);
    Database other = openAgain();
    const auto numbers = [&](const QString& source = u"cvden2009"_s) {
        Recordset rs = mine.openRecordset(source);
        return walk(rs, u"stt"_s);
    };
    EXPECT_EQ(numbers(), QList<int>({1, 2, 3}));
    EXPECT_EQ(numbers(), QList<int>({1, 2, 3}));
    Recordset saved = mine.openRecordset(u"cvden2009"_s);
    saveRow(saved, EditMode::Edit, {{Loai, u"Báo cáo"_s}});
    EXPECT_EQ(numbers(), QList<int>({1, 2, 3}));
    EXPECT_EQ(numbers(u"SELECT * FROM cvden2009 WHERE stt > 0"_s), QList<int>({1, 2, 3}));
    other.execute(u"INSERT INTO cvden2009 (stt) VALUES (4)"_s);
    EXPECT_EQ(numbers(), QList<int>({1, 2, 3, 4}));
    mine.beginTrans();
    mine.execute(u"DELETE FROM cvden2009 WHERE stt = 1"_s);
    EXPECT_EQ(numbers(), QList<int>({2, 3, 4}));
    mine.rollback();
    EXPECT_EQ(numbers(), QList<int>({1, 2, 3, 4}));
    mine.execute(u"DELETE FROM cvden2009 WHERE stt = 4"_s);
    EXPECT_EQ(numbers(), QList<int>({1, 2, 3}));
    mine.execute(u"DROP TABLE cvden2009"_s);
    fillLetters(mine, 2);
    EXPECT_EQ(numbers(), QList<int>({1, 2}));
}

// A statement that changes no row (a search clearing marks no row holds) leaves the data as
// other clients have it: a file's data version and a server table's number stay, so their cursors
// keep what they read. A statement that changes rows moves them; inside a transaction a server
// moves the number either way.
TEST_P(LayerTest, AStatementThatChangesNoRowLeavesOtherClientsTheirRows)
{
    Database mine = makeLetters(2);
    std::unique_ptr<RawConnection> program;
    std::unique_ptr<db::pg::ServerConnection> admin;
    if (onServer())
        admin = db::pg::ServerConnection::open(suiteConnection());
    else
        program = std::make_unique<RawConnection>(path());
    const auto number = [&] {
        return onServer() ? db::pg::versions::of(*admin, db::pg::dataset::schemaFor(u"vemocv.mdb"_s), u"cvden2009"_s)
                          : program->text("PRAGMA data_version").toLongLong();
    };
    const QString clear = u"UPDATE cvden2009 SET chonin = '' WHERE chonin = 'X'"_s;
    const qint64 start = number();
    mine.execute(clear);
    EXPECT_EQ(mine.recordsAffected(), 0);
    EXPECT_EQ(number(), start);

    mine.execute(u"UPDATE cvden2009 SET chonin = 'X' WHERE stt = 2"_s);
    const qint64 marked = number();
    EXPECT_NE(marked, start);
    mine.execute(clear);
    EXPECT_EQ(mine.recordsAffected(), 1);
    EXPECT_NE(number(), marked);
    EXPECT_EQ(rowsInFile(mine, u"chonin = 'X'"_s), 0);
    mine.execute(u"CREATE INDEX chon ON cvden2009 (chonin)"_s); // changes no row, and is kept
    EXPECT_EQ(mine.tableDef(u"cvden2009"_s).indexes.size(), 3);
}

// connection.h: "within one event of the program's event loop a version read before is given
// again"; "outside an event loop the file is asked every time". Another program (a plain SQLite
// connection) commits in the middle of one action: that action goes on with what it read, the
// next action sees the commit.
// Inside one action the file's version is not asked again, but a save asks it afresh under its
// write lock: another program's commit since the row was read is still a conflict, while this
// recordset's own saves in one transaction are not (it then checks against the row it read).
TEST_F(DbTest, AnotherProgramsCommitIsSeenAtTheNextActionAndByASaveOfTheSameAction)
{
    Database mine = makeLetters(3);
    Recordset rs = mine.openRecordset(u"cvden2009"_s);
    RawConnection program(path());
    auto commitElsewhere = [&](const char* sql) { EXPECT_EQ(program.exec(sql), SQLITE_OK) << sql; };
    QStringList seen;
    QEventLoop loop;
    QTimer::singleShot(0, &loop, [&] {
        seen << rs.value(Loai).toString();
        commitElsewhere("UPDATE cvden2009 SET loai = 'Tờ trình' WHERE stt = 1");
        seen << rs.value(Loai).toString();
    });
    QTimer::singleShot(0, &loop, [&] {
        seen << rs.value(Loai).toString();
        rs.findFirst(u"loai = 'Công văn'"_s);
        seen << QString::number(stt(rs));
        commitElsewhere("UPDATE cvden2009 SET loai = 'Công văn' WHERE stt = 1");
        rs.findFirst(u"loai = 'Công văn'"_s);
        seen << QString::number(stt(rs));
    });
    QTimer::singleShot(0, &loop, [&] {
        rs.findFirst(u"loai = 'Công văn'"_s);
        seen << QString::number(stt(rs));
        loop.quit();
    });
    loop.exec();
    commitElsewhere("UPDATE cvden2009 SET loai = 'Thông báo' WHERE stt = 1");
    seen << rs.value(Loai).toString();
    EXPECT_EQ(seen,
              (QStringList{u"Quyết định"_s, u"Quyết định"_s, u"Tờ trình"_s, u"2"_s, u"2"_s, u"1"_s, u"Thông báo"_s}));

    QTimer::singleShot(0, &loop, [&] {
        rs.moveFirst();
        rs.edit();
        rs.setValue(Loai, u"Của tôi"_s);
        commitElsewhere("UPDATE cvden2009 SET loai = 'Của người kia' WHERE stt = 1");
        expectDbError(errc::WriteConflict, [&] { rs.update(); });
        rs.cancelUpdate();
        rs.moveNext();
        mine.beginTrans();
        for (const QString& text : {u"Lần một"_s, u"Lần hai"_s})
            saveRow(rs, EditMode::Edit, {{u"tt_ndung"_s, text}});
        mine.commitTrans();
        loop.quit();
    });
    loop.exec();
    Recordset stored =
        mine.openRecordset(u"SELECT loai, tt_ndung FROM cvden2009 ORDER BY stt"_s, RecordsetType::Snapshot);
    EXPECT_EQ(stored.value(0).toString(), u"Của người kia"_s);
    stored.moveNext();
    EXPECT_EQ(stored.value(1).toString(), u"Lần hai"_s);
}

// recordset.h: "a rollback undoes in the cursor what it undid in the file: values read again,
// rows added inside the transaction leave the keyset, rows deleted inside it come back"; "a
// bookmark of a row added in a transaction that rolled back raises InvalidBookmark". The last case
// is the save path of the letter forms: a row written, then its completion fails, then cancel and
// rollback leave no phantom row.
TEST_P(LayerTest, RollbackUndoesEditsAddsAndDeletesInTheCursor)
{
    struct Case
    {
        const char* name;
        std::function<void(Database&, Recordset&)> inside;
        bool leftOnAddedRow = false; // the cursor stays on a row the rollback took away
    };
    const QList<Case> cases = {
        {"edit",
         [](Database&, Recordset& rs) {
             saveRow(rs, EditMode::Edit, {{Loai, u"Đã sửa"_s}});
             EXPECT_EQ(rs.value(Loai).toString(), u"Đã sửa"_s);
         }},
        {"addNew",
         [](Database&, Recordset& rs) {
             saveRow(rs, EditMode::AddNew, {{u"stt"_s, 9}});
             EXPECT_EQ(rs.recordCount(), 4);
         }},
        {"delete",
         [](Database&, Recordset& rs) {
             rs.deleteRecord();
             EXPECT_EQ(rs.recordCount(), 2);
         }},
        {"delete by a statement",
         [](Database& db, Recordset& rs) {
             db.execute(u"DELETE FROM cvden2009 WHERE stt = 3"_s);
             rs.moveLast(); // finds row 3 gone and skips it
             EXPECT_EQ(stt(rs), 2);
         }},
        {"failed save of an added row",
         [](Database& db, Recordset& rs) {
             saveRow(rs, EditMode::AddNew, {{u"stt"_s, 9}});
             rs.setBookmark(rs.lastModified());
             rs.edit();
             rs.setValue(Loai, u"Khác"_s);
             db.setStatementHook([](const QString& sql) {
                 if (sql.startsWith(QLatin1String("UPDATE")))
                     throw db::DbError(errc::FieldTooSmall, u"idcu too large"_s);
             });
             expectDbError(errc::FieldTooSmall, [&] { rs.update(); });
             EXPECT_EQ(rs.editMode(), EditMode::Edit);
             rs.cancelUpdate();
         },
         true},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Database db = makeLetters(3, u"f%1.mdb"_s.arg(++n));
        Recordset rs = db.openRecordset(u"cvden2009"_s);
        db.beginTrans();
        c.inside(db, rs);
        db.rollback();
        db.setStatementHook(nullptr);
        if (c.leftOnAddedRow) {
            expectDbError(errc::NoCurrentRecord, [&] { rs.value(Loai); });
            expectDbError(errc::InvalidBookmark, [&] { rs.setBookmark(rs.lastModified()); });
        }
        EXPECT_EQ(rs.recordCount(), 3);
        EXPECT_EQ(walk(rs), (QList<int>{1, 2, 3}));
        rs.moveFirst();
        EXPECT_EQ(rs.value(Loai).toString(), u"Quyết định"_s);
        // The cursor shows the new row once. A file hands the counter out again after a
        // rollback; a server's sequence goes on.
        saveRow(rs, EditMode::AddNew, {{u"stt"_s, 4}});
        EXPECT_EQ(walk(rs, u"stt"_s), (QList<int>{1, 2, 3, 4}));
        if (!onServer()) {
            EXPECT_EQ(walk(rs), (QList<int>{1, 2, 3, 4}));
        }
        EXPECT_EQ(rs.recordCount(), rowsInFile(db));
    }
}

// connection.h / database.h: "the statement hook sees ... each write of a recordset".
TEST_P(LayerTest, StatementHookFailsEveryRecordsetWrite)
{
    struct Case
    {
        const char* verb;
        std::function<void(Recordset&)> write;
    };
    const QList<Case> cases = {
        {"INSERT",
         [](Recordset& rs) {
             saveRow(rs, EditMode::AddNew, {{u"stt"_s, 7}});
         }},
        {"UPDATE",
         [](Recordset& rs) {
             saveRow(rs, EditMode::Edit, {{Loai, u"Khác"_s}});
         }},
        {"DELETE", [](Recordset& rs) { rs.deleteRecord(); }},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.verb);
        Database db = makeLetters(2, u"f%1.mdb"_s.arg(++n));
        Recordset rs = db.openRecordset(u"cvden2009"_s);
        const QString verb = QString::fromLatin1(c.verb);
        db.setStatementHook([verb](const QString& sql) {
            if (sql.startsWith(verb))
                throw db::DbError(errc::FileLocked, u"injected"_s);
        });
        expectDbError(errc::FileLocked, [&] { c.write(rs); });
        if (rs.editMode() != EditMode::None)
            rs.cancelUpdate(); // the typed values were kept for another try
        EXPECT_EQ(rs.recordCount(), 2);
        EXPECT_EQ(rs.value(Loai).toString(), u"Quyết định"_s);
        EXPECT_EQ(rowsInFile(db), 2);
    }
}

// recordset.h: "On a table without a counter a bookmark also records the row's key values ...".
TEST_F(DbTest, BookmarkOfARowReplacedElsewhereOnATableWithoutCounter)
{
    struct Case
    {
        const char* name;
        const char* elsewhere; // run by another connection after the mark was taken ("clone": an edit
                               // through a clone of the cursor)
        bool valid;
    };
    const QList<Case> cases = {
        {"deleted, another row added",
         "DELETE FROM tendonvi WHERE tendonvi = 'C'; "
         "INSERT INTO tendonvi (tendonvi, tencaptren) VALUES ('D', 'x')",
         false},
        {"emptied and filled again",
         "DELETE * FROM tendonvi; INSERT INTO tendonvi SELECT tendonvi, tencaptren FROM nguon", false},
        {"nothing changed", "", true},
        {"another row changed", "UPDATE tendonvi SET tencaptren = 'y' WHERE tendonvi = 'A'", true},
        {"changed through a clone", "clone", true},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString file = path(u"f%1.mdb"_s.arg(++n));
        Database db = Database::create(file, Password);
        db.appendTableDef(organisationTable(u"tendonvi"_s));
        db.appendTableDef(organisationTable(u"nguon"_s));
        for (const char* name : {"A", "B", "C"}) {
            db.execute(u"INSERT INTO tendonvi VALUES ('%1', 'x')"_s.arg(QLatin1String(name)));
            db.execute(u"INSERT INTO nguon VALUES ('N%1', 'z')"_s.arg(QLatin1String(name)));
        }
        Recordset rs = db.openRecordset(u"tendonvi"_s);
        rs.moveLast();
        const db::Bookmark mark = rs.bookmark();
        rs.moveFirst();
        Database other = Database::open(file, Connect);
        QString expected = u"C"_s;
        if (QLatin1String(c.elsewhere) == QLatin1String("clone")) {
            // recordset.h: "... unless the change was made through this recordset or a clone".
            Recordset twin = rs.clone();
            twin.moveLast();
            expected = u"Ủy ban"_s;
            saveRow(twin, EditMode::Edit, {{u"tendonvi"_s, expected}});
            rs.setBookmark(twin.lastModified());
        } else {
            for (const QString& sql : QString::fromUtf8(c.elsewhere).split(u"; "_s, Qt::SkipEmptyParts))
                other.execute(sql);
        }
        if (c.valid) {
            rs.setBookmark(mark);
            EXPECT_EQ(rs.value(u"tendonvi"_s).toString(), expected);
        } else {
            expectDbError(errc::InvalidBookmark, [&] { rs.setBookmark(mark); });
            EXPECT_EQ(rs.absolutePosition(), 0); // position unchanged
        }
    }
}

// recordset.h: "A dynaset gives its rows in the order its statement gives them, as a snapshot of
// the same statement does (also ORDER BY a column number or an alias)". An aggregate and a join
// are read-only; a dynaset ordered by an alias of its select list is not.
TEST_P(LayerTest, DynasetAndSnapshotAgreeOnTheOrderAggregatesAndJoinsAreReadOnly)
{
    Database db = makeLetters(6);
    db.execute(u"UPDATE cvden2009 SET tt_ndung = 'z' WHERE stt = 2"_s);
    const QStringList statements = {
        u"SELECT loai, stt FROM cvden2009 ORDER BY 2 DESC"_s,
        u"SELECT loai, stt FROM cvden2009 ORDER BY 1, 2 DESC"_s,
        u"SELECT stt, tt_ndung FROM cvden2009 ORDER BY 2 DESC, 1"_s,
        u"SELECT stt, loai AS kieu FROM cvden2009 ORDER BY kieu, stt DESC"_s,
        u"SELECT * FROM cvden2009 WHERE stt > 1 ORDER BY 3, 2"_s,
        u"SELECT * FROM cvden2009"_s, // the counter's order, though stt 2 was rewritten
        u"SELECT stt FROM cvden2009 WHERE stt > 1"_s,
    };
    for (const QString& sql : statements) {
        SCOPED_TRACE(sql.toStdString());
        Recordset dynaset = db.openRecordset(sql, RecordsetType::Dynaset);
        Recordset snapshot = db.openRecordset(sql, RecordsetType::Snapshot);
        EXPECT_TRUE(dynaset.isUpdatable());
        EXPECT_EQ(walk(dynaset, u"stt"_s), walk(snapshot, u"stt"_s));
    }
    Recordset max = db.openRecordset(u"SELECT Max(stt) AS so FROM cvden2009 WHERE loai = 'Quyết định'"_s);
    EXPECT_EQ(std::tuple(max.recordCount(), max.value(u"so"_s).toInt(), max.isUpdatable()), std::tuple(1, 5, false));
    Recordset byAlias = db.openRecordset(u"SELECT stt AS so, loai FROM cvden2009 ORDER BY so DESC"_s);
    EXPECT_TRUE(byAlias.isUpdatable());
    EXPECT_EQ(byAlias.value(u"so"_s).toInt(), 6);
    byAlias.findFirst(u"so = 4"_s);
    EXPECT_EQ(byAlias.absolutePosition(), 2);
    db.appendTableDef(lettersTable(u"loaicv"_s));
    db.execute(u"INSERT INTO loaicv (stt, loai) VALUES (1, 'Công văn')"_s);
    Recordset joined =
        db.openRecordset(u"SELECT a.stt, b.loai FROM cvden2009 AS a INNER JOIN loaicv AS b ON a.loai = b.loai"_s);
    EXPECT_EQ(joined.recordCount(), 3);
    EXPECT_FALSE(joined.isUpdatable());
    expectDbError(errc::NotUpdatable, [&] { joined.edit(); });
}

// statement.h: "How a Date value is stored ... `=`, `<` and `<=` compare a stored Date with a Jet
// date literal"; files written before with "yyyy-MM-dd 00:00:00" still read.
TEST_P(LayerTest, DatesWrittenThroughACursorMatchDateCriteria)
{
    Database db = create();
    db.appendTableDef(table(u"lich"_s, {field(u"id"_s, db::FieldType::Long, 4, db::fieldattr::AutoIncrField),
                                        field(u"ngay"_s, db::FieldType::Date)}));
    Recordset rs = db.openRecordset(u"lich"_s);
    for (const QVariant& when : {QVariant(QDateTime(QDate(2009, 3, 4), QTime(0, 0))),
                                 QVariant(QDateTime(QDate(2009, 3, 4), QTime(10, 30))), QVariant(QDate(2009, 3, 5))})
        saveRow(rs, EditMode::AddNew, {{u"ngay"_s, when}});
    db.execute(u"INSERT INTO lich (ngay) VALUES ('2009-03-03 00:00:00')"_s); // written before the rule
    const QList<QPair<QString, QList<int>>> cases = {
        {u"ngay = #3/4/2009#"_s, {1}},
        {u"ngay <= #3/4/2009#"_s, {1, 4}},
        {u"ngay < #3/5/2009#"_s, {1, 2, 4}},
        {u"ngay = #3/4/2009 10:30#"_s, {2}},
        {u"ngay >= #3/4/2009# AND ngay < #3/5/2009#"_s, {1, 2}},
        {u"ngay = #2009-03-05#"_s, {3}},
    };
    for (const auto& [criterion, ids] : cases) {
        SCOPED_TRACE(criterion.toStdString());
        Recordset found = db.openRecordset(u"SELECT id FROM lich WHERE "_s + criterion + u" ORDER BY id"_s);
        EXPECT_EQ(walk(found), ids);
        rs.findFirst(criterion);
        EXPECT_EQ(rs.value(u"id"_s).toInt(), ids.first());
    }
    rs.requery();
    rs.moveLast();
    EXPECT_EQ(rs.value(u"ngay"_s).toDateTime(), QDateTime(QDate(2009, 3, 3), QTime(0, 0)));
    rs.moveFirst();
    EXPECT_EQ(rs.value(u"ngay"_s).toDateTime(), QDateTime(QDate(2009, 3, 4), QTime(0, 0)));
}

// connection.h: "Inside a transaction no attached file can be detached ... up to SQLite's limit
// of ten stay attached until it ends".
TEST_F(DbTest, NinthExternalFileInsideATransaction)
{
    Database db = makeLetters(0);
    for (int k = 1; k <= 11; ++k) {
        Database ext = makeLetters(1, u"ngoai%1.mdb"_s.arg(k));
        ext.close();
    }
    const auto copyFrom = [&](int k) {
        db.execute(u"INSERT INTO cvden2009 (stt, loai) SELECT %1, loai FROM cvden2009 IN '%2'"_s.arg(
            QString::number(k), path(u"ngoai%1.mdb"_s.arg(k))));
    };
    for (int k = 1; k <= 8; ++k)
        copyFrom(k);
    db.beginTrans();
    copyFrom(9);
    copyFrom(10);
    db.commitTrans();
    copyFrom(11); // after the transaction the oldest files make room again
    Recordset rs = db.openRecordset(u"SELECT * FROM cvden2009 ORDER BY stt"_s);
    EXPECT_EQ(rs.recordCount(), 11);
    rs.moveLast();
    EXPECT_EQ(stt(rs), 11);
}
