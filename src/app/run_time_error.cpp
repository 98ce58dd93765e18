#include "run_time_error.h"

#include "last_error.h"
#include "platform/db/db_error.h"
#include "platform/sys/file_ops.h"

namespace app {

void recordRunTimeError(const std::exception& e)
{
    if (const auto* dbError = dynamic_cast<const db::DbError*>(&e))
        setLastError(dbError->number(), dbError->description());
    else if (const auto* fileError = dynamic_cast<const sys::FileError*>(&e))
        setLastError(75, fileError->text());
    else
        setLastError(0, QString::fromUtf8(e.what()));
}

} // namespace app
