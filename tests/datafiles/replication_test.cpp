#include "letters_fixture.h"

#include "app/core/kiemtra_query.h"
#include "app/core/last_error.h"
#include "app/core/letters_schema.h"
#include "datafiles/replication.h"
#include "datafiles/replication_sql.h"
#include "platform/db/db_error.h"
#include "platform/sys/file_ops.h"

#include <algorithm>
#include <functional>

namespace {

using datafiles::ReplicationOutcome;
using testing_support::LettersTest;

const QString kOpenStep = u"mở file backup công văn."_s;

class ReplicationTest : public LettersTest
{
protected:
    // Replicates the working year's incoming (outgoing) table, as closing that register does.
    static ReplicationOutcome incoming()
    {
        return datafiles::replicate(app::module1().incomingTable, datafiles::incomingLetters());
    }
    static ReplicationOutcome outgoing()
    {
        return datafiles::replicate(app::module1().outgoingTable, datafiles::outgoingLetters());
    }
    // The backup as the first run leaves it: a copy of the letters file.
    void makeBackup()
    {
        ASSERT_EQ(incoming(), ReplicationOutcome::WholeFileCopied);
        messenger.shown.clear();
    }
    bool allClear(const QString& table) const
    {
        const QMap<qlonglong, int> all = flags(table);
        return std::all_of(all.begin(), all.end(), [](int flag) { return flag == 0; });
    }
    // Starts the working year 2010 with its incoming and outgoing tables made.
    void nextYear()
    {
        app::Module1& m = app::module1();
        m.workingYear = u"2010"_s;
        m.setYearTables();
        ASSERT_TRUE(app::copyTableStructure(m.letters, m.letters, u"cvdenmau"_s, m.incomingTable, false));
        ASSERT_TRUE(app::copyTableStructure(m.letters, m.letters, u"cvdimau"_s, m.outgoingTable, false));
    }
    int copiesOf(const QString& path, const QString& table, const QString& key, qlonglong id) const
    {
        db::Database file = openFile(path);
        return test::scalar(file,
                            u"select count(*) from "_s + table + u" where "_s + key + u"="_s + QString::number(id));
    }
    static QString failure(const QString& step) { return datafiles::backupFailedMessage(step); }
    // The backup's table has its one primary index, on id, and each text column takes "".
    void expectPrimaryIndexAndEmptyTexts(const QString& table) const
    {
        const db::TableDef def = openFile(backupPath()).tableDef(table);
        ASSERT_EQ(def.indexes.size(), 1);
        EXPECT_EQ(def.indexes.first().name.toLower(), u"idprimarykey"_s);
        EXPECT_TRUE(def.indexes.first().primary);
        EXPECT_EQ(def.indexes.first().fields.size(), 1);
        EXPECT_TRUE(def.indexes.first().fields.value(0).contains(u"id"_s, Qt::CaseInsensitive));
        for (const db::FieldDef& field : def.fields) {
            if (field.type == db::FieldType::Text) {
                EXPECT_TRUE(field.allowZeroLength) << qPrintable(field.name);
            }
        }
    }
    // idcu of the backup's letter -> names of its files in the backup, each whole in its store.
    QMap<qlonglong, QStringList> backupAttachments() const
    {
        QMap<qlonglong, QStringList> result;
        db::Database backup = openFile(backupPath());
        db::Recordset rs = backup.openRecordset(u"select t.idcu, a.tengoc, a.bam from tepdinhkem as a "
                                                "left join cvden2009 as t on a.idcv = t.id order by a.id"_s,
                                                db::RecordsetType::Snapshot);
        for (; !rs.eof(); rs.moveNext()) {
            const QString hash = rs.value(2).toString();
            EXPECT_EQ(readFile(store(backupPath()).pathOf(hash)), readFile(store().pathOf(hash)));
            result[rs.value(0).toLongLong()] << rs.value(1).toString();
        }
        return result;
    }
};

// Files follow their letters into the backup, one copy per content, rows naming the backup's
// letters; a removed attachment leaves the backup at the next run.
TEST_F(ReplicationTest, AttachmentsFollowTheirLettersIntoTheBackup)
{
    app::Module1& m = app::module1();
    const qlonglong a = addLetter(m.incomingTable, u"A"_s);
    attach(a, write(u"x.pdf"_s, "%PDF-1.7\nchung")); // goes with the first run's copy of the whole file
    makeBackup();
    // A row kept only in the backup moves its counter ahead, so the copies get other ids.
    openFile(backupPath()).execute(u"INSERT INTO cvden2009 (tt_ndung, idcu) VALUES ('Chỉ ở backup', 0)"_s);
    const qlonglong b = addLetter(m.incomingTable, u"B"_s);
    attach(b, write(u"y.pdf"_s, "%PDF-1.7\nchung"));
    const long long z = attach(b, write(u"z.pdf"_s, "%PDF-1.7\nriêng")).id;

    EXPECT_EQ(incoming(), ReplicationOutcome::RowsCopied);
    EXPECT_EQ(backupAttachments(), (QMap<qlonglong, QStringList>{{a, {u"x.pdf"_s}}, {b, {u"y.pdf"_s, u"z.pdf"_s}}}));
    EXPECT_EQ(QDir(store(backupPath()).folder()).entryList(QDir::Files | QDir::Hidden).size(), 2);
    EXPECT_TRUE(allClear(m.incomingTable));

    datafiles::removeAttachment(m.letters, z);
    EXPECT_EQ(incoming(), ReplicationOutcome::RowsCopied);
    EXPECT_EQ(backupAttachments(), (QMap<qlonglong, QStringList>{{a, {u"x.pdf"_s}}, {b, {u"y.pdf"_s}}}));
}

// A backup store that cannot be written fails the run like any other step: nothing reaches the
// backup, every flag stays, and the next run after the store is fixed copies it all.
TEST_F(ReplicationTest, UnwritableBackupStoreFailsTheRunAndNoRowNamesAMissingFile)
{
    app::Module1& m = app::module1();
    makeBackup();
    const qlonglong a = addLetter(m.incomingTable, u"A"_s);
    attach(a, write(u"x.pdf"_s, "%PDF-1.7\nnội dung"));
    const QString backupStore = store(backupPath()).folder();
    writeFile(backupStore, "not a folder");

    EXPECT_EQ(incoming(), ReplicationOutcome::Failed);
    EXPECT_EQ(messenger.shown.last().text, failure(u"sao chép tệp đính kèm sang kho tệp đính kèm backup."_s));
    EXPECT_EQ(flags(m.incomingTable).value(a), 1);
    EXPECT_TRUE(backupRows(m.incomingTable).isEmpty());
    EXPECT_TRUE(backupAttachments().isEmpty());

    ASSERT_TRUE(QFile::remove(backupStore));
    EXPECT_EQ(incoming(), ReplicationOutcome::RowsCopied);
    EXPECT_EQ(backupAttachments(), (QMap<qlonglong, QStringList>{{a, {u"x.pdf"_s}}}));
}

// Nothing is copied without a backup file; the first run copies the whole letters file and clears
// every flag; the next copy only new rows.
TEST_F(ReplicationTest, NothingWithoutABackupThenTheWholeFileThenNewRowsOnceKeepingIdcuWithNewIds)
{
    app::Module1& m = app::module1();
    const qlonglong in1 = addLetter(m.incomingTable, u"Cũ"_s);
    const qlonglong out1 = addLetter(m.outgoingTable, u"Đi 1"_s);
    // No backup file chosen, or the letters file itself (named any way): nothing is copied or cleared.
    for (const QString& none : {u" "_s, QString(), u"   "_s, m.lettersPath,
                                QDir(programFolder()).filePath(u"backup/../data/./vemocv.MDB"_s)}) {
        m.backupPath = none;
        EXPECT_EQ(incoming(), ReplicationOutcome::Skipped) << none.toStdString();
    }
    EXPECT_EQ(flags(m.incomingTable), (QMap<qlonglong, int>{{in1, 1}}));
    EXPECT_TRUE(messenger.shown.isEmpty());

    m.backupPath = backupPath();
    EXPECT_EQ(incoming(), ReplicationOutcome::WholeFileCopied);
    EXPECT_TRUE(messenger.shown.isEmpty());
    EXPECT_EQ(backupRows(m.incomingTable).value(in1), u"Cũ"_s);
    EXPECT_EQ(backupRows(m.outgoingTable).value(out1), u"Đi 1"_s);
    EXPECT_TRUE(allClear(m.incomingTable));
    EXPECT_TRUE(allClear(m.outgoingTable));

    // A row kept only in the backup moves its counter ahead of the letters file's.
    openFile(backupPath()).execute(u"INSERT INTO cvden2009 (tt_ndung, idcu) VALUES ('Chỉ ở backup', 0)"_s);
    const qlonglong a = addLetter(m.incomingTable, u"Mới A"_s);
    const qlonglong b = addLetter(m.incomingTable, u"Mới B"_s);

    EXPECT_EQ(incoming(), ReplicationOutcome::RowsCopied);
    EXPECT_EQ(backupRows(m.incomingTable),
              (QMap<qlonglong, QString>{{0, u"Chỉ ở backup"_s}, {in1, u"Cũ"_s}, {a, u"Mới A"_s}, {b, u"Mới B"_s}}));
    EXPECT_TRUE(allClear(m.incomingTable));

    // Every copied column arrives; the copy has an id of its own.
    db::Database backup = openFile(backupPath());
    EXPECT_EQ(test::tableRows(backup, u"cvden2009 where idcu="_s + QString::number(a),
                              u"noigui, ng_denchuan, dv_nhan, id = idcu"_s),
              QStringList{u"Sở Nội vụ|20090305|Phòng Tổ chức, Văn phòng|0"_s});

    // The notice was shown while copying and is gone.
    ASSERT_EQ(messenger.shown.size(), 1);
    EXPECT_EQ(messenger.shown.first().text, u"Máy tính đang backup dữ liệu !..."_s);
    EXPECT_EQ(messenger.shown.first().kind, u"tbao"_s);
    EXPECT_EQ(messenger.noticesOpen, 0);

    // A run with nothing flagged shows nothing and changes nothing.
    messenger.shown.clear();
    EXPECT_EQ(incoming(), ReplicationOutcome::NothingFlagged);
    EXPECT_TRUE(messenger.shown.isEmpty());
    EXPECT_EQ(backupRows(m.incomingTable).size(), 4);

    // Another backup, in a folder with a quote in its name: copied whole, then new rows once.
    ASSERT_TRUE(QDir(programFolder()).mkpath(u"sao lưu của O'Brien"_s));
    m.backupPath = QDir(programFolder()).filePath(u"sao lưu của O'Brien/vemocv.mdb"_s);
    ASSERT_EQ(incoming(), ReplicationOutcome::WholeFileCopied);
    const qlonglong c = addLetter(m.incomingTable, u"Mới C"_s);
    EXPECT_EQ(incoming(), ReplicationOutcome::RowsCopied);
    EXPECT_EQ(copiesOf(m.backupPath, u"cvden2009"_s, u"idcu"_s, c), 1);
}

// A changed row updates its copy; a row added then edited is copied once with its latest values and
// its copy follows later edits; only the closed register's rows are copied. Each run points the
// stored queries at the backup's tables, and keeps a text that already does.
TEST_F(ReplicationTest, ChangedRowsUpdateTheirCopyAndOnlyTheClosedRegistersRowsAreCopied)
{
    app::Module1& m = app::module1();
    const qlonglong out = addLetter(m.outgoingTable, u"Bản đầu"_s);
    const qlonglong other = addLetter(m.outgoingTable, u"Khác"_s);
    makeBackup();
    m.letters.createQueryDef(u"Qrbangcvdi"_s, u"select * from cvdi2008 in '/old/path.mdb'"_s);
    editLetter(m.outgoingTable, out, u"Bản sửa"_s);
    EXPECT_EQ(flags(m.outgoingTable).value(out), 2);
    const qlonglong in = addLetter(m.incomingTable, u"Nháp"_s);
    editLetter(m.incomingTable, in, u"Bản cuối"_s);
    EXPECT_EQ(flags(m.incomingTable).value(in), 1);

    EXPECT_EQ(incoming(), ReplicationOutcome::RowsCopied);
    EXPECT_EQ(backupRows(m.incomingTable), (QMap<qlonglong, QString>{{in, u"Bản cuối"_s}}));
    m.letters.refreshQueryDefs();
    EXPECT_EQ(m.letters.querySql(u"Qrbangcvden"_s), u"select * from cvden2009 in '"_s + backupPath() + u"'"_s);
    EXPECT_EQ(m.letters.querySql(u"Qrbangcvdi"_s), u"select * from cvdi2009 in '"_s + backupPath() + u"'"_s);
    EXPECT_EQ(flags(m.outgoingTable).value(out), 2) << "the other register waits for its own closing";
    EXPECT_EQ(backupRows(m.outgoingTable).value(out), u"Bản đầu"_s);
    EXPECT_EQ(outgoing(), ReplicationOutcome::RowsCopied);
    EXPECT_EQ(backupRows(m.outgoingTable), (QMap<qlonglong, QString>{{out, u"Bản sửa"_s}, {other, u"Khác"_s}}));
    EXPECT_TRUE(allClear(m.outgoingTable));

    // A text that differs only in line breaks, blanks, letter case and a final ";" is kept.
    const QString same = u"SELECT *\r\nFROM  cvdi2009 IN '"_s + backupPath() + u"';"_s;
    m.letters.setQuerySql(u"Qrbangcvdi"_s, same);
    editLetter(m.incomingTable, in, u"Sửa lần hai"_s);
    EXPECT_EQ(incoming(), ReplicationOutcome::RowsCopied);
    EXPECT_EQ(backupRows(m.incomingTable), (QMap<qlonglong, QString>{{in, u"Sửa lần hai"_s}}));
    EXPECT_TRUE(allClear(m.incomingTable));
    EXPECT_EQ(m.letters.querySql(u"Qrbangcvdi"_s), same);
    // The stored query reads the backup's rows.
    EXPECT_EQ(m.letters.openRecordset(u"Qrbangcvden"_s, db::RecordsetType::Snapshot).recordCount(), 1);
}

// A new year's table goes to the backup whole, or not at all when the copy is interrupted.
TEST_F(ReplicationTest, NewYearTableIsCopiedWholeWithItsPrimaryIndexOrNotAtAll)
{
    app::Module1& m = app::module1();
    makeBackup();
    nextYear();
    const qlonglong a = addLetter(m.incomingTable, u"Năm mới A"_s);
    const qlonglong b = addLetter(m.incomingTable, QString());
    editLetter(m.incomingTable, b, u"Năm mới B"_s);
    m.letters.execute(u"INSERT INTO cvden2010 (tt_ndung, kieuupdate, idcu) VALUES ('Đã sao', 0, 99)"_s);

    EXPECT_EQ(incoming(), ReplicationOutcome::TableCopied);
    QMap<qlonglong, QString> rows{{a, u"Năm mới A"_s}, {b, u"Năm mới B"_s}, {99, u"Đã sao"_s}};
    EXPECT_EQ(backupRows(u"cvden2010"_s), rows);
    EXPECT_TRUE(allClear(u"cvden2010"_s));

    expectPrimaryIndexAndEmptyTexts(u"cvden2010"_s);
    EXPECT_EQ(copiesOf(backupPath(), u"cvden2010"_s, u"id"_s, a), 1) << "ids kept";

    // The year goes on: new rows go into the copied table, once.
    const qlonglong c = addLetter(m.incomingTable, u"Năm mới C"_s);
    EXPECT_EQ(incoming(), ReplicationOutcome::RowsCopied);
    rows.insert(c, u"Năm mới C"_s);
    EXPECT_EQ(backupRows(u"cvden2010"_s), rows);

    // The outgoing table's whole copy interrupted: no table left in the backup and every flag kept.
    const qlonglong out = addLetter(m.outgoingTable, u"A"_s);
    m.letters.setStatementHook([](const QString& sql) {
        if (sql.startsWith(u"update cvdi2010 set kieuupdate=0"_s))
            throw db::DbError(db::errc::EngineErrorBase + 13, u"database or disk is full"_s);
    });
    EXPECT_EQ(outgoing(), ReplicationOutcome::Failed);
    m.letters.setStatementHook({});
    EXPECT_EQ(messenger.shown.last().text, failure(u"sao chép cả bảng cvdi2010 sang file dữ liệu backup."_s));
    EXPECT_EQ(flags(m.outgoingTable).value(out), 1);
    EXPECT_FALSE(openFile(backupPath()).hasTable(u"cvdi2010"_s));

    EXPECT_EQ(outgoing(), ReplicationOutcome::TableCopied);
    EXPECT_EQ(backupRows(u"cvdi2010"_s), (QMap<qlonglong, QString>{{out, u"A"_s}}));
}

TEST_F(ReplicationTest, BackupTableWithoutPrimaryIndexOrEmptyTextsIsCompletedAtTheNextRun)
{
    app::Module1& m = app::module1();
    makeBackup();
    nextYear();
    {
        // A copy left half done: no index, a text field refusing "".
        db::Database backup = openFile(backupPath());
        backup.execute(u"SELECT cvdenmau.* INTO cvden2010 FROM cvdenmau"_s);
        backup.setAllowZeroLength(u"cvden2010"_s, u"so_cv"_s, false);
        backup.refreshTableDefs();
        ASSERT_TRUE(backup.tableDef(u"cvden2010"_s).indexes.isEmpty());
    }
    const qlonglong a = addLetter(m.incomingTable, u"A"_s);
    ASSERT_EQ(incoming(), ReplicationOutcome::RowsCopied);
    expectPrimaryIndexAndEmptyTexts(u"cvden2010"_s);
    EXPECT_EQ(openFile(backupPath()).tableDef(u"cvden2010"_s).indexes.value(0).name, u"idprimarykey"_s);
    EXPECT_EQ(backupRows(u"cvden2010"_s).keys(), QList<qlonglong>{a});
}

// A failure injected before one of the statements that change data.
struct FailureCase
{
    const char* name;
    const char* statementStart;
};

class ReplicationFailure : public ReplicationTest, public ::testing::WithParamInterface<FailureCase>
{
};

TEST_P(ReplicationFailure, InterruptedRunLosesNoFlagAndCopiesNothingTwice)
{
    app::Module1& m = app::module1();
    const qlonglong old = addLetter(m.incomingTable, u"Cũ"_s);
    makeBackup();
    editLetter(m.incomingTable, old, u"Cũ đã sửa"_s);
    const qlonglong added = addLetter(m.incomingTable, u"Mới"_s);
    const QMap<qlonglong, int> flagsBefore = flags(m.incomingTable);
    const QMap<qlonglong, QString> backupBefore = backupRows(m.incomingTable);

    const QString start = QString::fromUtf8(GetParam().statementStart);
    m.letters.setStatementHook([&start](const QString& sql) {
        if (sql.trimmed().startsWith(start.trimmed(), Qt::CaseInsensitive))
            throw db::DbError(db::errc::EngineErrorBase + 10, u"disk I/O error"_s);
    });
    EXPECT_EQ(incoming(), ReplicationOutcome::Failed);
    m.letters.setStatementHook({});

    ASSERT_EQ(messenger.shown.size(), 2); // the notice, then the message
    EXPECT_EQ(messenger.shown.last().text, failure(kOpenStep));
    EXPECT_EQ(messenger.shown.last().kind, u"ok"_s);
    EXPECT_EQ(app::lastError().number, db::errc::EngineErrorBase + 10) << "Ctrl+End shows the cause";
    EXPECT_EQ(app::lastError().description, u"disk I/O error"_s);
    EXPECT_EQ(messenger.noticesOpen, 0);
    EXPECT_EQ(flags(m.incomingTable), flagsBefore);
    EXPECT_EQ(backupRows(m.incomingTable), backupBefore);

    // The next run does the work, once.
    EXPECT_EQ(incoming(), ReplicationOutcome::RowsCopied);
    EXPECT_EQ(backupRows(m.incomingTable), (QMap<qlonglong, QString>{{old, u"Cũ đã sửa"_s}, {added, u"Mới"_s}}));
    EXPECT_TRUE(allClear(m.incomingTable));
}

INSTANTIATE_TEST_SUITE_P(
    Steps, ReplicationFailure,
    ::testing::Values(FailureCase{"InsertOfNewRows", " INSERT INTO cvden2009 IN"},
                      FailureCase{"ResetOfAddedFlags", "update cvden2009 set kieuupdate=0 where kieuupdate=1"},
                      FailureCase{"UpdateOfChangedRows", "update cvden2009, Qrbangcvden"},
                      FailureCase{"ResetOfAllFlags", "update cvden2009 set kieuupdate=0 where kieuupdate>0"}),
    [](const ::testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.name); });

// A backup that cannot be reached or opened: the message, no notice left open, every flag kept and
// the backup file as it was.
TEST_F(ReplicationTest, UnusableBackupShowsTheMessageAndKeepsTheFlags)
{
    app::Module1& m = app::module1();
    const QString unreachable = u"/nonexistent-server/share/vemocv.mdb"_s;
    // what, how the backup is spoilt, the message
    const std::tuple<const char*, std::function<void()>, QString> cases[] = {
        {"unreachable folder", [&] { m.backupPath = unreachable; },
         u"Gặp lỗi khi đang \r Việc backup không thực hiện được. Cần thông báo cho cán bộ quản trị "
         "mạng biết !"_s},
        {"read-only", [this] { sys::setReadOnly(backupPath(), true); }, failure(kOpenStep)},
        {"not a database", [this] { writeFile(backupPath(), QByteArray(8192, 'z')); }, failure(kOpenStep)},
        {"another password",
         [this] {
             QFile::remove(backupPath());
             db::Database::create(backupPath(), u"khac"_s).close();
         },
         failure(kOpenStep)},
    };
    for (const auto& [what, spoil, message] : cases) {
        SCOPED_TRACE(what);
        m.backupPath = backupPath();
        makeBackup();
        const qlonglong id = addLetter(m.incomingTable, u"A"_s);
        spoil();
        const QByteArray before = readFile(m.backupPath);
        EXPECT_EQ(incoming(), ReplicationOutcome::Failed);
        EXPECT_EQ(messenger.shown.last().text, message);
        EXPECT_EQ(messenger.noticesOpen, 0);
        EXPECT_EQ(flags(m.incomingTable).value(id), 1);
        EXPECT_EQ(readFile(m.backupPath), before);
        if (m.backupPath != unreachable)
            sys::setReadOnly(backupPath(), false);
        QFile::remove(backupPath());
        messenger.shown.clear();
    }
}

// A backup made before the handling columns is brought up to them, and the deadline and handler
// of new and changed letters reach it.
TEST_F(ReplicationTest, DeadlineAndHandlerReachABackupOfTheOlderForm)
{
    app::Module1& m = app::module1();
    {
        db::Database older = db::Database::create(backupPath(), u"vorkelmadu"_s);
        db::TableDef def = m.letters.tableDef(u"cvdenmau"_s);
        def.name = m.incomingTable;
        for (const db::FieldDef& c : app::handlingColumns())
            def.fields.removeIf([&c](const db::FieldDef& f) { return f.name == c.name; });
        def.indexes.removeIf([](const db::IndexDef& i) { return i.name == app::deadlineIndex().name; });
        older.appendTableDef(def);
    }
    const qlonglong id = addLetter(m.incomingTable, u"Có hạn"_s);
    m.letters.execute(u"UPDATE "_s + m.incomingTable +
                      u" SET hanxl = '10/03/2009', hanxlchuan = '20090310', nguoixl = 'Văn phòng' WHERE id = "_s +
                      QString::number(id));

    EXPECT_EQ(incoming(), ReplicationOutcome::RowsCopied);
    db::Database backup = openFile(backupPath());
    EXPECT_EQ(backup.schemaVersion(), app::kLettersSchemaVersion);
    EXPECT_EQ(test::tableRows(backup, m.incomingTable, u"idcu, hanxl, hanxlchuan, nguoixl"_s),
              QStringList{QString::number(id) + u"|10/03/2009|20090310|Văn phòng"_s});
}

} // namespace
