#include "row_reader.h"

#include "connection.h"
#include "db_error.h"
#include "row_source.h"
#include "statement.h"

#include <sqlite3.h>

namespace db {

// The constructor is defined in database.cpp, where a Database's connection is known; it ends in
// RowReader::prepare below.

RowReader::~RowReader() = default;
RowReader::RowReader(RowReader&&) noexcept = default;
RowReader& RowReader::operator=(RowReader&&) noexcept = default;

void RowReader::prepare(const std::shared_ptr<Connection>& conn, const QString& source)
{
    conn->runStatementHook(source);
    conn->beginStatement();
    m_conn = conn;
    const SourceSelect select = resolveSource(*conn, source);
    m_statement = std::make_unique<Statement>(conn->handle(), select.sql);
    if (!sqlite3_stmt_readonly(m_statement->handle()))
        throw DbError(errc::SyntaxError, QStringLiteral("A recordset needs a SELECT statement: ") + select.sql);
    QHash<QString, TableDef> defs;
    for (int i = 0; i < m_statement->columnCount(); ++i)
        m_columns.append(describeColumn(conn->handle(), m_statement->handle(), i, defs));
}

bool RowReader::next()
{
    if (m_done)
        return false;
    if (m_copy) {
        m_onRow = ++m_copyRow < m_copy->size() && m_copy->fetch(m_copy->key(m_copyRow), m_copyValues);
        m_done = !m_onRow;
        return m_onRow;
    }
    m_onRow = m_statement->step(); // resets itself after the last row and after an error
    if (!m_onRow)
        m_done = true;
    return m_onRow;
}

int RowReader::fieldCount() const
{
    return int(m_columns.size());
}

const SourceColumn& RowReader::column(int index) const
{
    if (index < 0 || index >= m_columns.size())
        throw DbError(errc::ItemNotFound, QStringLiteral("Item not found in this collection: field %1.").arg(index));
    return m_columns[index];
}

QString RowReader::fieldName(int index) const
{
    return column(index).name;
}

int RowReader::fieldIndex(const QString& name) const
{
    for (int i = 0; i < m_columns.size(); ++i) {
        if (m_columns[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

void RowReader::requireRow() const
{
    if (!m_onRow)
        throw DbError(errc::NoCurrentRecord, QStringLiteral("No current record."));
}

QVariant RowReader::value(int index) const
{
    const SourceColumn& c = column(index);
    requireRow();
    if (m_copy)
        return m_copyValues.value(index);
    return c.typed ? m_statement->value(index, c.def.type) : m_statement->value(index);
}

QVariant RowReader::value(const QString& name) const
{
    const int index = fieldIndex(name);
    if (index < 0)
        throw DbError(errc::ItemNotFound,
                      QStringLiteral("Item not found in this collection: field '") + name + QStringLiteral("'."));
    return value(index);
}

} // namespace db
