#include "run_time_error.h"

#include "last_error.h"
#include "logging.h"
#include "platform/db/db_error.h"
#include "platform/sys/file_ops.h"

namespace app {

int runTimeErrorNumber(const std::exception& e)
{
    if (const auto* dbError = dynamic_cast<const db::DbError*>(&e))
        return dbError->number();
    if (dynamic_cast<const sys::FileError*>(&e))
        return 75;
    return 0;
}

QString runTimeErrorText(const std::exception& e)
{
    if (const auto* dbError = dynamic_cast<const db::DbError*>(&e))
        return dbError->description();
    if (const auto* fileError = dynamic_cast<const sys::FileError*>(&e))
        return fileError->text();
    return QString::fromUtf8(e.what());
}

void recordRunTimeError(const std::exception& e)
{
    recordRunTimeError(e, lcApp());
}

void recordRunTimeError(const std::exception& e, const QLoggingCategory& category)
{
    const int number = runTimeErrorNumber(e);
    const QString text = runTimeErrorText(e);
    qCWarning(category).noquote() << "error" << number << text;
    setLastError(number, text);
}

void logDroppedError(const std::exception& e, const QLoggingCategory& category, const QString& doing)
{
    qCWarning(category).noquote() << "error" << runTimeErrorNumber(e) << "while" << doing
                                  << "(dropped):" << runTimeErrorText(e);
}

} // namespace app
