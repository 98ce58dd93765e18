#include "file_recovery.h"

#include "db_error.h"
#include "statement.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <sqlite3.h>

namespace db {

namespace {

constexpr int kBusyTimeoutMs = 5000;

sqlite3* openRaw(const QString& path, int flags)
{
    sqlite3* handle = nullptr;
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &handle, flags, nullptr);
    if (rc != SQLITE_OK) {
        const DbError error = engineError(handle, rc, QString());
        sqlite3_close_v2(handle);
        throw DbError(error.number(), error.description() + QStringLiteral(" (%1)").arg(path));
    }
    sqlite3_extended_result_codes(handle, 1);
    sqlite3_busy_timeout(handle, kBusyTimeoutMs);
    return handle;
}

struct Handle
{
    sqlite3* db = nullptr;
    ~Handle() { sqlite3_close_v2(db); }
};

// A super-journal "<file>-mj<digits>" lists the journals of the files a transaction wrote. Once none
// of them exists the transaction is over: committed, or rolled back by the recovery of its files.
// SQLite removes it when it plays back a journal naming it; one left by a kill before any journal
// named it is removed here. A transaction in progress elsewhere has its journals in place, so its
// super-journal stays.
void removeStaleSuperJournals(const QString& path)
{
    const QFileInfo info(path);
    const QDir folder = info.dir();
    const QStringList names = folder.entryList({info.fileName() + QStringLiteral("-mj*")}, QDir::Files | QDir::Hidden);
    for (const QString& name : names) {
        QFile super(folder.filePath(name));
        if (!super.open(QIODevice::ReadOnly))
            continue;
        const QList<QByteArray> journals = super.readAll().split('\0');
        super.close();
        bool live = false;
        for (const QByteArray& journal : journals)
            live = live || (!journal.isEmpty() && QFileInfo::exists(QString::fromUtf8(journal)));
        if (!live)
            QFile::remove(super.fileName());
    }
}

Recovery playBackJournal(const QString& path)
{
    const QString journal = journalPath(path);
    if (!QFileInfo::exists(journal))
        return Recovery::Clean;
    if (!QFileInfo(path).isFile())
        return Recovery::NotRecovered;
    try {
        Handle h{openRaw(path, SQLITE_OPEN_READWRITE)};
        // The first read takes a shared lock, finds the hot journal and plays it back.
        sqlite3_exec(h.db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
        if (QFileInfo::exists(journal) && sqlite3_db_readonly(h.db, "main") == 0) {
            // Still there after a read that may write: not hot. Holding the file exclusively
            // proves no writer is using it, so it can go.
            if (sqlite3_exec(h.db, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr) == SQLITE_OK) {
                if (QFileInfo::exists(journal))
                    QFile::remove(journal);
                sqlite3_exec(h.db, "COMMIT", nullptr, nullptr, nullptr);
            }
        }
    } catch (const DbError&) {
        // Not openable for writing: the journal stays and the caller learns it below.
    }
    return QFileInfo::exists(journal) ? Recovery::NotRecovered : Recovery::Recovered;
}

} // namespace

QString journalPath(const QString& path)
{
    return path + QStringLiteral("-journal");
}

Recovery recoverFile(const QString& path)
{
    const Recovery result = playBackJournal(path);
    if (result != Recovery::NotRecovered)
        removeStaleSuperJournals(path);
    return result;
}

void copyDataFile(const QString& source, const QString& target)
{
    if (!QFileInfo(source).isFile())
        throw DbError(errc::FileNotFound, QStringLiteral("Could not find file '%1'.").arg(source));
    if (QFileInfo::exists(target))
        throw DbError(errc::DatabaseExists, QStringLiteral("Database '%1' already exists.").arg(target));
    int rc = SQLITE_OK;
    QString text;
    {
        Handle from{openRaw(source, SQLITE_OPEN_READONLY)};
        Handle to{openRaw(target, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE)};
        // The target is a new file under a temporary name, discarded when the copy fails or the
        // program is killed: it needs no journal, and none is left beside it.
        sqlite3_exec(to.db, "PRAGMA journal_mode=OFF", nullptr, nullptr, nullptr);
        sqlite3_backup* backup = sqlite3_backup_init(to.db, "main", from.db, "main");
        if (!backup) {
            rc = sqlite3_errcode(to.db);
            text = QString::fromUtf8(sqlite3_errmsg(to.db));
        } else {
            // All pages in one step: the source is read under one shared lock, so the copy is
            // one commit's state. A writer holding the file makes the step wait and retry.
            QElapsedTimer waited;
            waited.start();
            for (;;) {
                rc = sqlite3_backup_step(backup, -1);
                if ((rc == SQLITE_BUSY || rc == SQLITE_LOCKED) && waited.elapsed() < kBusyTimeoutMs) {
                    QThread::msleep(20);
                    continue;
                }
                break;
            }
            const int finish = sqlite3_backup_finish(backup);
            if (rc == SQLITE_DONE)
                rc = finish;
            if (rc != SQLITE_OK)
                text = QString::fromUtf8(sqlite3_errstr(rc));
        }
    }
    if (rc == SQLITE_OK || rc == SQLITE_DONE)
        return;
    QFile::remove(target);
    QFile::remove(journalPath(target));
    const int base = rc & 0xff;
    const int number = base == SQLITE_BUSY || base == SQLITE_LOCKED ? errc::FileLocked
                       : base == SQLITE_READONLY || base == SQLITE_CANTOPEN || base == SQLITE_PERM
                           ? errc::ReadOnlyFile
                           : errc::EngineErrorBase + rc;
    throw DbError(number, text + QStringLiteral(" (%1 -> %2)").arg(source, target));
}

} // namespace db
