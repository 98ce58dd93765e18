#include "db_error.h"

namespace db {

DbError::DbError(int number, const QString& description)
    : std::runtime_error(description.toStdString()), m_number(number), m_description(description)
{}

} // namespace db
