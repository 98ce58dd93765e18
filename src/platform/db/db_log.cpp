#include "db_log.h"

namespace db {

Q_LOGGING_CATEGORY(lcDb, "selvaro.db")

} // namespace db
