#include "letters_fixture.h"
#include "table_rows.h"

#include "app/core/kiemtra_query.h"
#include "app/core/last_error.h"
#include "app/core/letters_schema.h"
#include "datafiles/attachments.h"
#include "datafiles/replication.h"
#include "datafiles/replication_sql.h"
#include "platform/db/db_error.h"
#include "platform/sys/file_ops.h"

#include <algorithm>
#include <functional>

namespace {

using datafiles::ReplicationOutcome;
using testing_support::LettersTest;

const QString kOpenStep = QStringLiteral("mở file backup công văn.");

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
        m.workingYear = QStringLiteral("2010");
        m.setYearTables();
        ASSERT_TRUE(app::copyTableStructure(m.letters, m.letters, QStringLiteral("cvdenmau"), m.incomingTable, false));
        ASSERT_TRUE(app::copyTableStructure(m.letters, m.letters, QStringLiteral("cvdimau"), m.outgoingTable, false));
    }
    int copiesOf(const QString& path, const QString& table, const QString& key, qlonglong id) const
    {
        db::Database file = openFile(path);
        return test::scalar(file, QStringLiteral("select count(*) from ") + table + QStringLiteral(" where ") + key +
                                      QStringLiteral("=") + QString::number(id));
    }
    static QString failure(const QString& step) { return datafiles::backupFailedMessage(step); }
    // idcu of the backup's letter -> names of its files in the backup, each whole in its store.
    QMap<qlonglong, QStringList> backupAttachments() const
    {
        QMap<qlonglong, QStringList> result;
        db::Database backup = openFile(backupPath());
        db::Recordset rs =
            backup.openRecordset(QStringLiteral("select t.idcu, a.tengoc, a.bam from tepdinhkem as a "
                                                "left join cvden2009 as t on a.idcv = t.id order by a.id"),
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
    const qlonglong a = addLetter(m.incomingTable, QStringLiteral("A"));
    attach(a, write(QStringLiteral("x.pdf"), "%PDF-1.7\nchung")); // goes with the first run's copy of the whole file
    makeBackup();
    // A row kept only in the backup moves its counter ahead, so the copies get other ids.
    openFile(backupPath()).execute(QStringLiteral("INSERT INTO cvden2009 (tt_ndung, idcu) VALUES ('Chỉ ở backup', 0)"));
    const qlonglong b = addLetter(m.incomingTable, QStringLiteral("B"));
    attach(b, write(QStringLiteral("y.pdf"), "%PDF-1.7\nchung"));
    const long long z = attach(b, write(QStringLiteral("z.pdf"), "%PDF-1.7\nriêng")).id;

    EXPECT_EQ(incoming(), ReplicationOutcome::RowsCopied);
    EXPECT_EQ(backupAttachments(),
              (QMap<qlonglong, QStringList>{{a, {QStringLiteral("x.pdf")}},
                                            {b, {QStringLiteral("y.pdf"), QStringLiteral("z.pdf")}}}));
    EXPECT_EQ(QDir(store(backupPath()).folder()).entryList(QDir::Files | QDir::Hidden).size(), 2);
    EXPECT_TRUE(allClear(m.incomingTable));

    datafiles::removeAttachment(m.letters, z);
    EXPECT_EQ(incoming(), ReplicationOutcome::RowsCopied);
    EXPECT_EQ(backupAttachments(),
              (QMap<qlonglong, QStringList>{{a, {QStringLiteral("x.pdf")}}, {b, {QStringLiteral("y.pdf")}}}));
}

// A backup store that cannot be written fails the run like any other step: nothing reaches the
// backup, every flag stays, and the next run after the store is fixed copies it all.
TEST_F(ReplicationTest, UnwritableBackupStoreFailsTheRunAndNoRowNamesAMissingFile)
{
    app::Module1& m = app::module1();
    makeBackup();
    const qlonglong a = addLetter(m.incomingTable, QStringLiteral("A"));
    attach(a, write(QStringLiteral("x.pdf"), "%PDF-1.7\nnội dung"));
    const QString backupStore = store(backupPath()).folder();
    writeFile(backupStore, "not a folder");

    EXPECT_EQ(incoming(), ReplicationOutcome::Failed);
    EXPECT_EQ(messenger.shown.last().text,
              failure(QStringLiteral("sao chép tệp đính kèm sang kho tệp đính kèm backup.")));
    EXPECT_EQ(flags(m.incomingTable).value(a), 1);
    EXPECT_TRUE(backupRows(m.incomingTable).isEmpty());
    EXPECT_TRUE(backupAttachments().isEmpty());

    ASSERT_TRUE(QFile::remove(backupStore));
    EXPECT_EQ(incoming(), ReplicationOutcome::RowsCopied);
    EXPECT_EQ(backupAttachments(), (QMap<qlonglong, QStringList>{{a, {QStringLiteral("x.pdf")}}}));
}

// No backup file chosen, or the letters file itself (named any way): nothing is copied or cleared.
TEST_F(ReplicationTest, NothingHappensWithoutABackupFileOrWhenItIsTheLettersFile)
{
    app::Module1& m = app::module1();
    const qlonglong id = addLetter(m.incomingTable, QStringLiteral("Công văn A"));
    for (const QString& none : {QStringLiteral(" "), QString(), QStringLiteral("   "), m.lettersPath,
                                QDir(programFolder()).filePath(QStringLiteral("backup/../data/./vemocv.MDB"))}) {
        m.backupPath = none;
        EXPECT_EQ(incoming(), ReplicationOutcome::Skipped) << none.toStdString();
    }
    EXPECT_EQ(flags(m.incomingTable), (QMap<qlonglong, int>{{id, 1}}));
    EXPECT_TRUE(messenger.shown.isEmpty());
}

// The first run copies the whole letters file and clears every flag; the next copy only new rows.
TEST_F(ReplicationTest, FirstRunCopiesTheWholeFileThenNewRowsAreCopiedOnceKeepingIdcuWithNewIds)
{
    app::Module1& m = app::module1();
    const qlonglong in1 = addLetter(m.incomingTable, QStringLiteral("Cũ"));
    const qlonglong out1 = addLetter(m.outgoingTable, QStringLiteral("Đi 1"));
    EXPECT_EQ(incoming(), ReplicationOutcome::WholeFileCopied);
    EXPECT_TRUE(messenger.shown.isEmpty());
    EXPECT_EQ(backupRows(m.incomingTable).value(in1), QStringLiteral("Cũ"));
    EXPECT_EQ(backupRows(m.outgoingTable).value(out1), QStringLiteral("Đi 1"));
    EXPECT_TRUE(allClear(m.incomingTable));
    EXPECT_TRUE(allClear(m.outgoingTable));

    // A row kept only in the backup moves its counter ahead of the letters file's.
    openFile(backupPath()).execute(QStringLiteral("INSERT INTO cvden2009 (tt_ndung, idcu) VALUES ('Chỉ ở backup', 0)"));
    const qlonglong a = addLetter(m.incomingTable, QStringLiteral("Mới A"));
    const qlonglong b = addLetter(m.incomingTable, QStringLiteral("Mới B"));

    EXPECT_EQ(incoming(), ReplicationOutcome::RowsCopied);
    const QMap<qlonglong, QString> rows = backupRows(m.incomingTable);
    EXPECT_EQ(rows.size(), 4);
    EXPECT_EQ(rows.value(a), QStringLiteral("Mới A"));
    EXPECT_EQ(rows.value(b), QStringLiteral("Mới B"));
    EXPECT_TRUE(allClear(m.incomingTable));

    // Every copied column arrives; the copy has an id of its own.
    db::Database backup = openFile(backupPath());
    db::Recordset copy = backup.openRecordset(QStringLiteral("select * from cvden2009 where idcu=%1").arg(a),
                                              db::RecordsetType::Snapshot);
    ASSERT_EQ(copy.recordCount(), 1);
    EXPECT_EQ(copy.value(QStringLiteral("noigui")).toString(), QStringLiteral("Sở Nội vụ"));
    EXPECT_EQ(copy.value(QStringLiteral("ng_denchuan")).toString(), QStringLiteral("20090305"));
    EXPECT_EQ(copy.value(QStringLiteral("dv_nhan")).toString(), QStringLiteral("Phòng Tổ chức, Văn phòng"));
    EXPECT_NE(copy.value(QStringLiteral("id")).toLongLong(), a);

    // The notice was shown while copying and is gone.
    ASSERT_EQ(messenger.shown.size(), 1);
    EXPECT_EQ(messenger.shown.first().text, QStringLiteral("Máy tính đang backup dữ liệu !..."));
    EXPECT_EQ(messenger.shown.first().kind, QStringLiteral("tbao"));
    EXPECT_EQ(messenger.noticesOpen, 0);

    // A run with nothing flagged shows nothing and changes nothing.
    messenger.shown.clear();
    EXPECT_EQ(incoming(), ReplicationOutcome::NothingFlagged);
    EXPECT_TRUE(messenger.shown.isEmpty());
    EXPECT_EQ(backupRows(m.incomingTable).size(), 4);
}

// A changed row updates its copy; a row added then edited is copied once with its latest values and
// its copy follows later edits; only the closed register's rows are copied.
TEST_F(ReplicationTest, ChangedRowsUpdateTheirCopyAndOnlyTheClosedRegistersRowsAreCopied)
{
    app::Module1& m = app::module1();
    const qlonglong out = addLetter(m.outgoingTable, QStringLiteral("Bản đầu"));
    const qlonglong other = addLetter(m.outgoingTable, QStringLiteral("Khác"));
    makeBackup();
    editLetter(m.outgoingTable, out, QStringLiteral("Bản sửa"));
    EXPECT_EQ(flags(m.outgoingTable).value(out), 2);
    const qlonglong in = addLetter(m.incomingTable, QStringLiteral("Nháp"));
    editLetter(m.incomingTable, in, QStringLiteral("Bản cuối"));
    EXPECT_EQ(flags(m.incomingTable).value(in), 1);

    EXPECT_EQ(incoming(), ReplicationOutcome::RowsCopied);
    EXPECT_EQ(backupRows(m.incomingTable), (QMap<qlonglong, QString>{{in, QStringLiteral("Bản cuối")}}));
    EXPECT_EQ(flags(m.outgoingTable).value(out), 2) << "the other register waits for its own closing";
    EXPECT_EQ(backupRows(m.outgoingTable).value(out), QStringLiteral("Bản đầu"));
    EXPECT_EQ(outgoing(), ReplicationOutcome::RowsCopied);
    EXPECT_EQ(backupRows(m.outgoingTable),
              (QMap<qlonglong, QString>{{out, QStringLiteral("Bản sửa")}, {other, QStringLiteral("Khác")}}));
    EXPECT_TRUE(allClear(m.outgoingTable));

    editLetter(m.incomingTable, in, QStringLiteral("Sửa lần hai"));
    EXPECT_EQ(incoming(), ReplicationOutcome::RowsCopied);
    EXPECT_EQ(backupRows(m.incomingTable), (QMap<qlonglong, QString>{{in, QStringLiteral("Sửa lần hai")}}));
    EXPECT_TRUE(allClear(m.incomingTable));
}

TEST_F(ReplicationTest, StoredQueriesReachTheBackupTablesAndStayWhenCurrent)
{
    app::Module1& m = app::module1();
    makeBackup();
    m.letters.createQueryDef(QStringLiteral("Qrbangcvdi"), QStringLiteral("select * from cvdi2008 in '/old/path.mdb'"));
    addLetter(m.incomingTable, QStringLiteral("A"));
    ASSERT_EQ(incoming(), ReplicationOutcome::RowsCopied);
    m.letters.refreshQueryDefs();
    EXPECT_EQ(m.letters.querySql(QStringLiteral("Qrbangcvden")),
              QStringLiteral("select * from cvden2009 in '") + backupPath() + QStringLiteral("'"));
    EXPECT_EQ(m.letters.querySql(QStringLiteral("Qrbangcvdi")),
              QStringLiteral("select * from cvdi2009 in '") + backupPath() + QStringLiteral("'"));
    // A text that differs only in line breaks, blanks, letter case and a final ";" is kept.
    const QString same = QStringLiteral("SELECT *\r\nFROM  cvdi2009 IN '") + backupPath() + QStringLiteral("';");
    m.letters.setQuerySql(QStringLiteral("Qrbangcvdi"), same);
    addLetter(m.incomingTable, QStringLiteral("B"));
    ASSERT_EQ(incoming(), ReplicationOutcome::RowsCopied);
    EXPECT_EQ(m.letters.querySql(QStringLiteral("Qrbangcvdi")), same);
    // The stored query reads the backup's rows.
    EXPECT_EQ(m.letters.openRecordset(QStringLiteral("Qrbangcvden"), db::RecordsetType::Snapshot).recordCount(), 2);
}

TEST_F(ReplicationTest, NewYearTableIsCopiedWholeWithItsPrimaryIndex)
{
    app::Module1& m = app::module1();
    makeBackup();
    nextYear();
    const qlonglong a = addLetter(m.incomingTable, QStringLiteral("Năm mới A"));
    const qlonglong b = addLetter(m.incomingTable, QString());
    editLetter(m.incomingTable, b, QStringLiteral("Năm mới B"));
    m.letters.execute(QStringLiteral("INSERT INTO cvden2010 (tt_ndung, kieuupdate, idcu) VALUES ('Đã sao', 0, 99)"));

    EXPECT_EQ(incoming(), ReplicationOutcome::TableCopied);
    const QMap<qlonglong, QString> rows = backupRows(QStringLiteral("cvden2010"));
    EXPECT_EQ(rows.size(), 3);
    EXPECT_EQ(rows.value(a), QStringLiteral("Năm mới A"));
    EXPECT_EQ(rows.value(b), QStringLiteral("Năm mới B"));
    EXPECT_TRUE(allClear(QStringLiteral("cvden2010")));

    const db::TableDef def = openFile(backupPath()).tableDef(QStringLiteral("cvden2010"));
    ASSERT_EQ(def.indexes.size(), 1);
    EXPECT_EQ(def.indexes.first().name.toLower(), QStringLiteral("idprimarykey"));
    EXPECT_TRUE(def.indexes.first().primary);
    EXPECT_EQ(def.indexes.first().fields.size(), 1);
    EXPECT_TRUE(def.indexes.first().fields.value(0).contains(QStringLiteral("id"), Qt::CaseInsensitive));
    for (const db::FieldDef& field : def.fields) {
        if (field.type == db::FieldType::Text) {
            EXPECT_TRUE(field.allowZeroLength) << qPrintable(field.name);
        }
    }
    EXPECT_EQ(copiesOf(backupPath(), QStringLiteral("cvden2010"), QStringLiteral("id"), a), 1) << "ids kept";

    // The year goes on: new rows go into the copied table, once.
    const qlonglong c = addLetter(m.incomingTable, QStringLiteral("Năm mới C"));
    EXPECT_EQ(incoming(), ReplicationOutcome::RowsCopied);
    EXPECT_EQ(backupRows(QStringLiteral("cvden2010")).size(), 4);
    EXPECT_EQ(backupRows(QStringLiteral("cvden2010")).value(c), QStringLiteral("Năm mới C"));
}

TEST_F(ReplicationTest, BackupTableWithoutPrimaryIndexOrEmptyTextsIsCompletedAtTheNextRun)
{
    app::Module1& m = app::module1();
    makeBackup();
    nextYear();
    {
        // A copy left half done: no index, a text field refusing "".
        db::Database backup = openFile(backupPath());
        backup.execute(QStringLiteral("SELECT cvdenmau.* INTO cvden2010 FROM cvdenmau"));
        backup.setAllowZeroLength(QStringLiteral("cvden2010"), QStringLiteral("so_cv"), false);
        backup.refreshTableDefs();
        ASSERT_TRUE(backup.tableDef(QStringLiteral("cvden2010")).indexes.isEmpty());
    }
    const qlonglong a = addLetter(m.incomingTable, QStringLiteral("A"));
    ASSERT_EQ(incoming(), ReplicationOutcome::RowsCopied);
    const db::TableDef def = openFile(backupPath()).tableDef(QStringLiteral("cvden2010"));
    ASSERT_EQ(def.indexes.size(), 1);
    EXPECT_EQ(def.indexes.first().name, QStringLiteral("idprimarykey"));
    EXPECT_TRUE(def.indexes.first().primary);
    EXPECT_TRUE(def.field(QStringLiteral("so_cv"))->allowZeroLength);
    EXPECT_EQ(backupRows(QStringLiteral("cvden2010")).keys(), QList<qlonglong>{a});
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
    const qlonglong old = addLetter(m.incomingTable, QStringLiteral("Cũ"));
    makeBackup();
    editLetter(m.incomingTable, old, QStringLiteral("Cũ đã sửa"));
    const qlonglong added = addLetter(m.incomingTable, QStringLiteral("Mới"));
    const QMap<qlonglong, int> flagsBefore = flags(m.incomingTable);
    const QMap<qlonglong, QString> backupBefore = backupRows(m.incomingTable);

    const QString start = QString::fromUtf8(GetParam().statementStart);
    m.letters.setStatementHook([&start](const QString& sql) {
        if (sql.trimmed().startsWith(start.trimmed(), Qt::CaseInsensitive))
            throw db::DbError(db::errc::EngineErrorBase + 10, QStringLiteral("disk I/O error"));
    });
    EXPECT_EQ(incoming(), ReplicationOutcome::Failed);
    m.letters.setStatementHook({});

    ASSERT_EQ(messenger.shown.size(), 2); // the notice, then the message
    EXPECT_EQ(messenger.shown.last().text, failure(kOpenStep));
    EXPECT_EQ(messenger.shown.last().kind, QStringLiteral("ok"));
    EXPECT_EQ(app::lastError().number, db::errc::EngineErrorBase + 10) << "Ctrl+End shows the cause";
    EXPECT_EQ(app::lastError().description, QStringLiteral("disk I/O error"));
    EXPECT_EQ(messenger.noticesOpen, 0);
    EXPECT_EQ(flags(m.incomingTable), flagsBefore);
    EXPECT_EQ(backupRows(m.incomingTable), backupBefore);

    // The next run does the work, once.
    EXPECT_EQ(incoming(), ReplicationOutcome::RowsCopied);
    EXPECT_EQ(backupRows(m.incomingTable),
              (QMap<qlonglong, QString>{{old, QStringLiteral("Cũ đã sửa")}, {added, QStringLiteral("Mới")}}));
    EXPECT_TRUE(allClear(m.incomingTable));
}

INSTANTIATE_TEST_SUITE_P(
    Steps, ReplicationFailure,
    ::testing::Values(FailureCase{"InsertOfNewRows", " INSERT INTO cvden2009 IN"},
                      FailureCase{"ResetOfAddedFlags", "update cvden2009 set kieuupdate=0 where kieuupdate=1"},
                      FailureCase{"UpdateOfChangedRows", "update cvden2009, Qrbangcvden"},
                      FailureCase{"ResetOfAllFlags", "update cvden2009 set kieuupdate=0 where kieuupdate>0"}),
    [](const ::testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.name); });

TEST_F(ReplicationTest, InterruptedWholeTableCopyLeavesNoTableAndEveryFlag)
{
    app::Module1& m = app::module1();
    makeBackup();
    nextYear();
    const qlonglong a = addLetter(m.outgoingTable, QStringLiteral("A"));
    m.letters.setStatementHook([](const QString& sql) {
        if (sql.startsWith(QStringLiteral("update cvdi2010 set kieuupdate=0")))
            throw db::DbError(db::errc::EngineErrorBase + 13, QStringLiteral("database or disk is full"));
    });
    EXPECT_EQ(outgoing(), ReplicationOutcome::Failed);
    m.letters.setStatementHook({});
    EXPECT_EQ(messenger.shown.last().text,
              failure(QStringLiteral("sao chép cả bảng cvdi2010 sang file dữ liệu backup.")));
    EXPECT_EQ(flags(m.outgoingTable).value(a), 1);
    EXPECT_FALSE(openFile(backupPath()).hasTable(QStringLiteral("cvdi2010")));

    EXPECT_EQ(outgoing(), ReplicationOutcome::TableCopied);
    EXPECT_EQ(backupRows(QStringLiteral("cvdi2010")), (QMap<qlonglong, QString>{{a, QStringLiteral("A")}}));
}

// A backup that cannot be reached or opened: the message, no notice left open, every flag kept and
// the backup file as it was.
TEST_F(ReplicationTest, UnusableBackupShowsTheMessageAndKeepsTheFlags)
{
    app::Module1& m = app::module1();
    const QString unreachable = QStringLiteral("/nonexistent-server/share/vemocv.mdb");
    struct Case
    {
        const char* what;
        std::function<void()> spoil;
        QString message;
    };
    const Case cases[] = {
        {"unreachable folder", [&] { m.backupPath = unreachable; },
         QStringLiteral("Gặp lỗi khi đang \r Việc backup không thực hiện được. Cần thông báo cho cán bộ quản trị "
                        "mạng biết !")},
        {"read-only", [this] { sys::setReadOnly(backupPath(), true); }, failure(kOpenStep)},
        {"not a database", [this] { writeFile(backupPath(), QByteArray(8192, 'z')); }, failure(kOpenStep)},
        {"another password",
         [this] {
             QFile::remove(backupPath());
             db::Database::create(backupPath(), QStringLiteral("khac")).close();
         },
         failure(kOpenStep)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        m.backupPath = backupPath();
        makeBackup();
        const qlonglong id = addLetter(m.incomingTable, QStringLiteral("A"));
        c.spoil();
        const QByteArray before = readFile(m.backupPath);
        EXPECT_EQ(incoming(), ReplicationOutcome::Failed);
        EXPECT_EQ(messenger.shown.last().text, c.message);
        EXPECT_EQ(messenger.noticesOpen, 0);
        EXPECT_EQ(flags(m.incomingTable).value(id), 1);
        EXPECT_EQ(readFile(m.backupPath), before);
        if (m.backupPath != unreachable)
            sys::setReadOnly(backupPath(), false);
        QFile::remove(backupPath());
        messenger.shown.clear();
    }
}

TEST_F(ReplicationTest, BackupInAFolderWithAQuoteInItsName)
{
    app::Module1& m = app::module1();
    ASSERT_TRUE(QDir(programFolder()).mkpath(QStringLiteral("sao lưu của O'Brien")));
    m.backupPath = QDir(programFolder()).filePath(QStringLiteral("sao lưu của O'Brien/vemocv.mdb"));
    addLetter(m.incomingTable, QStringLiteral("A"));
    ASSERT_EQ(incoming(), ReplicationOutcome::WholeFileCopied);
    const qlonglong b = addLetter(m.incomingTable, QStringLiteral("B"));
    EXPECT_EQ(incoming(), ReplicationOutcome::RowsCopied);
    EXPECT_EQ(copiesOf(m.backupPath, QStringLiteral("cvden2009"), QStringLiteral("idcu"), b), 1);
}

} // namespace

namespace {

// A backup made before the handling columns is brought up to them, and the deadline and handler
// of new and changed letters reach it.
TEST_F(ReplicationTest, DeadlineAndHandlerReachABackupOfTheOlderForm)
{
    app::Module1& m = app::module1();
    {
        db::Database older = db::Database::create(backupPath(), QStringLiteral("vorkelmadu"));
        db::TableDef def = m.letters.tableDef(QStringLiteral("cvdenmau"));
        def.name = m.incomingTable;
        for (const db::FieldDef& c : app::handlingColumns())
            def.fields.removeIf([&c](const db::FieldDef& f) { return f.name == c.name; });
        def.indexes.removeIf([](const db::IndexDef& i) { return i.name == app::deadlineIndex().name; });
        older.appendTableDef(def);
    }
    const qlonglong id = addLetter(m.incomingTable, QStringLiteral("Có hạn"));
    m.letters.execute(
        QStringLiteral("UPDATE ") + m.incomingTable +
        QStringLiteral(" SET hanxl = '10/03/2009', hanxlchuan = '20090310', nguoixl = 'Văn phòng' WHERE id = ") +
        QString::number(id));

    EXPECT_EQ(incoming(), ReplicationOutcome::RowsCopied);
    db::Database backup = openFile(backupPath());
    EXPECT_EQ(backup.schemaVersion(), app::kLettersSchemaVersion);
    EXPECT_EQ(test::tableRows(backup, m.incomingTable, QStringLiteral("idcu, hanxl, hanxlchuan, nguoixl")),
              QStringList{QString::number(id) + QStringLiteral("|10/03/2009|20090310|Văn phòng")});
}

} // namespace
