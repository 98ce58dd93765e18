#include "index_file.h"

#include "connection.h"
#include "db_log.h"
#include "fold_tokenizer.h"
#include "statement.h"

#include <QDir>
#include <QFileInfo>
#include <sqlite3.h>

namespace db {

std::unique_ptr<IndexFile> IndexFile::open(const QString& path, bool readOnly)
{
    if (readOnly && !QFileInfo::exists(path))
        throw DbError(errc::FileNotFound, QStringLiteral("no index file at ") + path);
    if (!readOnly && !QDir().mkpath(QFileInfo(path).absolutePath()))
        throw DbError(errc::ReadOnlyFile, QStringLiteral("cannot make the folder of ") + path);
    std::unique_ptr<IndexFile> f(new IndexFile);
    f->m_path = path;
    f->m_readOnly = readOnly;
    const int flags = readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &f->m_db, flags, nullptr);
    if (rc != SQLITE_OK) {
        const DbError e = engineError(f->m_db, rc, path);
        throw DbError(rc == SQLITE_CANTOPEN && !readOnly ? errc::ReadOnlyFile : e.number(), e.description());
    }
    sqlite3_extended_result_codes(f->m_db, 1);
    sqlite3_busy_timeout(f->m_db, Connection::DefaultBusyTimeoutMs);
    installFoldTokenizer(f->m_db);
    // Reading the schema tells a database from another file at once.
    f->exec(QStringLiteral("PRAGMA schema_version"));
    return f;
}

IndexFile::~IndexFile()
{
    if (m_db && sqlite3_close_v2(m_db) != SQLITE_OK)
        qCWarning(lcDb) << "closing the index file" << m_path << sqlite3_errmsg(m_db);
}

int IndexFile::exec(const QString& sql)
{
    return runScript(m_db, sql);
}

IndexTransaction::IndexTransaction(IndexFile& file) : m_file(file)
{
    m_file.exec(QStringLiteral("BEGIN IMMEDIATE"));
}

IndexTransaction::~IndexTransaction()
{
    if (m_done)
        return;
    try {
        m_file.exec(QStringLiteral("ROLLBACK"));
    } catch (const DbError& e) {
        qCWarning(lcDb) << "rolling back the index file" << m_file.path() << e.what();
    }
}

void IndexTransaction::commit()
{
    m_file.exec(QStringLiteral("COMMIT"));
    m_done = true;
}

} // namespace db
