#pragma once

#include <QString>

namespace db {

class Database;

// A write that is all or nothing. The guard begins a transaction on the database (raising what
// beginTrans() raises); commit() commits it. When the guard goes out of scope without a commit,
// an error on its way, it rolls the transaction back; rollback() does the same at a moment of the
// caller's choosing. A rollback never raises: the error that caused it is the one to report, so a
// failing rollback is written to the layer's log ("selvaro.db") with `doing`, what was being done.
// A commit that raises (FileLocked) leaves the transaction open, and the guard rolls it back.
// Tests: TransactionGuardCommitsOrRollsBack, TransactionGuardLogsAFailingRollback.
class Transaction
{
public:
    Transaction(Database& db, const QString& doing);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void commit();
    void rollback();

private:
    Database& m_db;
    QString m_doing;
    bool m_open = true;
};

} // namespace db
