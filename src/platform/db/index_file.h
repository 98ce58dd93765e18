#pragma once

// A plain SQLite file kept beside a data file for what can always be made again from that data
// file and the files it names (the words index of the attached documents). It is not a data file
// of ours: no password verifier, no Jet dialect, nothing of it is copied by backup replication.
// Its own rollback journal keeps it whole across a crash; losing it costs only the time to build
// it again.

#include "db_error.h"

#include <QString>

#include <memory>

struct sqlite3;

namespace db {

class IndexFile
{
public:
    // Opens the file at path, made (with its folder) when missing unless readOnly. The connection
    // keeps the rollback journal, waits up to the busy timeout for a writer elsewhere and has the
    // fold tokenizer (fold_tokenizer.h). Raises FileNotFound (readOnly, no file), ReadOnlyFile
    // (cannot be made), NotADatabase (something else at path), FileLocked.
    static std::unique_ptr<IndexFile> open(const QString& path, bool readOnly);
    ~IndexFile();
    IndexFile(const IndexFile&) = delete;
    IndexFile& operator=(const IndexFile&) = delete;

    sqlite3* handle() const { return m_db; }
    const QString& path() const { return m_path; }
    bool readOnly() const { return m_readOnly; }
    // Runs statement text (one or more statements; no values in it), returns rows changed.
    int exec(const QString& sql);

private:
    IndexFile() = default;
    sqlite3* m_db = nullptr;
    QString m_path;
    bool m_readOnly = false;
};

// A write transaction on an index file: BEGIN IMMEDIATE, rolled back by the destructor unless
// commit() ran.
class IndexTransaction
{
public:
    explicit IndexTransaction(IndexFile& file);
    ~IndexTransaction();
    IndexTransaction(const IndexTransaction&) = delete;
    IndexTransaction& operator=(const IndexTransaction&) = delete;
    void commit();

private:
    IndexFile& m_file;
    bool m_done = false;
};

} // namespace db
