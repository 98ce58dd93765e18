#include "read_only.h"

#include "data_paths.h"
#include "messenger.h"
#include "module1.h"
#include "platform/sys/file_ops.h"
#include "run_time_error.h"

#include <QDir>

namespace app {

bool clearReadOnly(const QString& path)
{
    const QString actual = matchNameCase(path);
    try {
        if (sys::exists(actual) && sys::isReadOnly(actual))
            sys::setReadOnly(actual, false);
        return true;
    } catch (const sys::FileError& e) {
        recordRunTimeError(e);
        tell(QStringLiteral("Gặp lỗi khi đang sửa tính chất Readonly của file ") +
             QDir::toNativeSeparators(path.trimmed()));
        return false;
    }
}

} // namespace app
