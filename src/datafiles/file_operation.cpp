#include "file_operation.h"

#include "platform/sys/file_ops.h"

namespace datafiles {

void fileOperation(const QString& source, const QString& target, const QString& word)
{
    if (word == QLatin1String("copy"))
        sys::copyFile(source, target);
    else if (word == QLatin1String("xoa"))
        sys::removeFile(source);
}

} // namespace datafiles
