#include "replication.h"

#include "app/core/data_paths.h"
#include "app/core/file_presence.h"
#include "app/core/kiemtra_query.h"
#include "app/core/letters_schema.h"
#include "app/core/messenger.h"
#include "app/core/module1.h"
#include "app/core/run_time_error.h"
#include "app/core/table_pattern.h"
#include "attachment_replication.h"
#include "attachments.h"
#include "logging.h"
#include "platform/db/db_error.h"
#include "platform/db/file_recovery.h"
#include "platform/db/transaction.h"
#include "platform/sys/file_ops.h"
#include "replication_sql.h"
#include "server_replication.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace datafiles {
namespace {

const QString kOpenBackupStep = QStringLiteral("mở file backup công văn.");
const QString kAttachmentFilesStep = QStringLiteral("sao chép tệp đính kèm sang kho tệp đính kèm backup.");

// The notice stays on screen from show() until the object goes, whatever way the run ends.
class Notice
{
public:
    Notice() = default;
    Notice(const Notice&) = delete;
    Notice& operator=(const Notice&) = delete;
    ~Notice() { close(); }

    void show()
    {
        app::showMessage(backupNotice(), QStringLiteral("tbao"));
        m_shown = true;
    }
    void close()
    {
        if (m_shown)
            app::messenger().closeNotice();
        m_shown = false;
    }

private:
    bool m_shown = false;
};

// Runs statements on db in one transaction: all of them or none. A backup file reached through
// "IN '<path>'" joins the transaction, so rows inserted there and the flags reset here are
// committed together or not at all.
void runTogether(db::Database& db, const QStringList& statements)
{
    db::Transaction transaction(db, QStringLiteral("rolling back the backup"));
    for (const QString& sql : statements)
        db.execute(sql);
    transaction.commit();
}

// The stored query name of db gets text unless it already has it (compared normalised).
void ensureStoredQuery(db::Database& db, const QString& name, const QString& text)
{
    if (!app::KiemtraQuery(name, db)) {
        db.createQueryDef(name, text);
        return;
    }
    if (normalisedQueryText(db.querySql(name)) != normalisedQueryText(text))
        db.setQuerySql(name, text);
}

// The backup's copy of table has a primary index on id and text fields that accept "".
void completeBackupTable(db::Database& backup, const QString& table)
{
    backup.refreshTableDefs();
    db::TableDef def = backup.tableDef(table);
    bool hasPrimary = false;
    for (const db::IndexDef& index : def.indexes)
        hasPrimary = hasPrimary || index.primary;
    if (!hasPrimary) {
        backup.execute(createPrimaryIndexSql(def.name));
        backup.refreshTableDefs();
        def = backup.tableDef(table);
    }
    for (const db::FieldDef& field : def.fields) {
        if ((field.type == db::FieldType::Text || field.type == db::FieldType::Memo) && !field.allowZeroLength)
            backup.setAllowZeroLength(def.name, field.name, true);
    }
}

// The flag resets of every letters table of the file: after a whole-file copy its rows are all in
// the backup, so no flag may stay set or the next run would insert the added rows a second time.
QStringList resetAllLetterFlags(db::Database& letters)
{
    letters.refreshTableDefs();
    QStringList statements;
    const QStringList tables = letters.tableNames();
    for (const QString& table : tables) {
        const QString lower = table.toLower();
        if (!lower.startsWith(QLatin1String("cvden")) && !lower.startsWith(QLatin1String("cvdi")))
            continue;
        if (letters.tableDef(table).field(QStringLiteral("kieuupdate")))
            statements << resetAllFlagsSql(table);
    }
    return statements;
}

// The first replication: the letters file becomes the backup file. The copy is one commit's state
// of the live file (another station may be saving), taken through the engine under a temporary
// name while this program holds the letters file's write lock, so nothing is committed between
// the copy and the flag reset. The flags are reset and committed, and only then does the copy
// take the backup's name. A run killed before the rename leaves no backup: the next run copies
// again, and no row can be inserted twice.
ReplicationOutcome copyWholeFile(app::Module1& m, const QString& backup)
{
    const QString partial = backup + QStringLiteral(".tmp");
    for (const QString& stale : {partial, db::journalPath(partial)}) {
        if (sys::isFile(stale))
            sys::removeFile(stale);
    }
    const QStringList resets = resetAllLetterFlags(m.letters);
    try {
        db::Transaction transaction(m.letters, QStringLiteral("rolling back the first backup copy"));
        db::copyDataFile(app::matchNameCase(m.lettersPath), partial);
        const QStringList hashes = attachmentHashes(m.letters, QString());
        for (const QString& sql : resets)
            m.letters.execute(sql);
        transaction.commit();
        // The files the copy's rows name are in the backup's store before the copy takes its name.
        copyMissingAttachmentFiles(hashes, m.lettersPath, backup);
    } catch (...) {
        QFile::remove(partial);
        throw;
    }
    if (!QFile::rename(partial, backup)) {
        QFile::remove(partial);
        throw sys::FileError(QStringLiteral("Cannot write the backup file ") + QDir::toNativeSeparators(backup));
    }
    return ReplicationOutcome::WholeFileCopied;
}

void ensureStoredQueries(app::Module1& m, const QString& backup)
{
    ensureStoredQuery(m.letters, QStringLiteral("Qrbangcvden"), storedQueryText(m.incomingTable, backup));
    ensureStoredQuery(m.letters, QStringLiteral("Qrbangcvdi"), storedQueryText(m.outgoingTable, backup));
}

// The register's columns that table has: a letters file that could not be upgraded yet (busy at
// start-up) is mirrored without the handling columns.
LetterRegister presentColumns(db::Database& letters, const QString& table, const LetterRegister& reg)
{
    const db::TableDef def = letters.tableDef(table);
    LetterRegister present{reg.queryName, {}};
    for (const QString& column : reg.columns) {
        if (def.field(column))
            present.columns << column;
    }
    return present;
}

// The attachments follow the letters: their rows run last in the same transaction.
ReplicationOutcome copyChangedRows(app::Module1& m, const QString& backup, const QString& table,
                                   const LetterRegister& all)
{
    const LetterRegister reg = presentColumns(m.letters, table, all);
    ensureStoredQueries(m, backup);
    runTogether(m.letters, QStringList{insertNewRowsSql(table, backup, reg), resetAddedFlagsSql(table),
                                       updateChangedRowsSql(table, reg), resetAllFlagsSql(table)} +
                               mirrorAttachmentRowsSql(m.letters, backup, table, reg));
    return ReplicationOutcome::RowsCopied;
}

ReplicationOutcome copyWholeTable(app::Module1& m, const QString& backup, const QString& table,
                                  const LetterRegister& reg, QString& step)
{
    step = QStringLiteral("sao chép cả bảng ") + table + QStringLiteral(" sang file dữ liệu backup.");
    const QStringList attachments = mirrorAttachmentRowsSql(m.letters, backup, table, reg);
    if (!attachments.isEmpty())
        ensureStoredQueries(m, backup);
    runTogether(m.letters, QStringList{copyWholeTableSql(table, backup), resetAllFlagsSql(table)} + attachments);
    db::Database copy = db::Database::open(backup, app::kConnect);
    completeBackupTable(copy, table);
    copy.close();
    return ReplicationOutcome::TableCopied;
}

// True when both paths name one existing file (written differently, through a link, ...): rows
// copied into their own table would be duplicated at every run.
bool sameFile(const QString& a, const QString& b)
{
    const QString first = QFileInfo(app::matchNameCase(a)).canonicalFilePath();
    return !first.isEmpty() && first == QFileInfo(app::matchNameCase(b)).canonicalFilePath();
}

// step: set to the text of the step in progress, quoted when it fails.
ReplicationOutcome run(app::Module1& m, const QString& table, const LetterRegister& reg, Notice& notice, QString& step)
{
    const QString backup = app::matchNameCase(m.backupPath);
    if (app::filePresence(backup).isEmpty())
        return copyWholeFile(m, backup);

    {
        db::Recordset flagged =
            m.letters.openRecordset(QStringLiteral("select * from ") + table + QStringLiteral(" where kieuupdate>0"),
                                    db::RecordsetType::Snapshot);
        const bool none = flagged.eof();
        flagged.close();
        if (none)
            return ReplicationOutcome::NothingFlagged;
    }
    notice.show();

    step = kOpenBackupStep;
    if (sys::isReadOnly(backup))
        throw sys::FileError(QStringLiteral("The backup file is read-only: ") + QDir::toNativeSeparators(backup));
    db::Database copy = db::Database::open(backup, app::kConnect);
    // A backup made by an older version gets the handling columns the letters carry now.
    app::upgradeLettersSchema(copy);
    const bool hasTable = app::hasTableLike(table, copy);
    if (hasTable)
        completeBackupTable(copy, table);
    const bool attachments = m.letters.hasTable(kAttachmentsTable);
    if (attachments && !ensureAttachmentsTable(copy))
        throw sys::FileError(QStringLiteral("tepdinhkem cannot be made in the backup file ") +
                             QDir::toNativeSeparators(backup));
    // The letters file writes to the backup next; this connection must hold nothing on it.
    copy.close();

    // Every file a row will name is whole in the backup's store before the rows are written.
    if (attachments) {
        step = kAttachmentFilesStep;
        copyMissingAttachmentFiles(attachmentHashes(m.letters, table), m.lettersPath, backup);
        step = kOpenBackupStep;
    }
    if (hasTable)
        return copyChangedRows(m, backup, table, reg);
    return copyWholeTable(m, backup, table, reg, step);
}

} // namespace

QString backupNotice()
{
    return QStringLiteral("Máy tính đang backup dữ liệu !...");
}

QString backupFailedMessage(const QString& step)
{
    return QStringLiteral("Gặp lỗi khi đang ") + step + QStringLiteral("\r") +
           QStringLiteral(" Việc backup không thực hiện được. Cần thông báo cho cán bộ quản trị mạng biết !");
}

ReplicationOutcome replicate(const QString& table, const LetterRegister& reg)
{
    app::Module1& m = app::module1();
    if (m.backupPath.trimmed().isEmpty() || m.backupPath == m.lettersPath || sameFile(m.backupPath, m.lettersPath))
        return ReplicationOutcome::Skipped;

    QString step;
    Notice notice;
    try {
        const ReplicationOutcome outcome = m.serverConnection.isEmpty()
                                               ? run(m, table, reg, notice, step)
                                               : mirrorFromServer(
                                                     m, table, reg, [&notice] { notice.show(); }, step);
        notice.close();
        return outcome;
    } catch (const std::exception& e) {
        app::recordRunTimeError(e, lcDatafiles());
        notice.close();
        app::tell(backupFailedMessage(step));
        return ReplicationOutcome::Failed;
    }
}

} // namespace datafiles
