#include "transaction.h"

#include "database.h"
#include "db_error.h"
#include "db_log.h"

namespace db {

Transaction::Transaction(Database& db, const QString& doing) : m_db(db), m_doing(doing)
{
    m_db.beginTrans();
}

Transaction::~Transaction()
{
    rollback();
}

void Transaction::commit()
{
    m_db.commitTrans();
    m_open = false;
}

void Transaction::rollback()
{
    if (!m_open)
        return;
    m_open = false;
    try {
        m_db.rollback();
    } catch (const DbError& e) {
        qCWarning(lcDb).noquote() << "error" << e.number() << "while" << m_doing << "(dropped):" << e.description();
    } catch (const std::exception& e) {
        qCWarning(lcDb).noquote() << "error while" << m_doing << "(dropped):" << e.what();
    }
}

} // namespace db
