#include "template_restore.h"

#include "data_paths.h"
#include "module1.h"
#include "platform/sys/file_ops.h"
#include "run_time_error.h"

#include <QStringList>

namespace app {

bool scratchFileNeedsReplacing(const QString& path)
{
    return sys::fileSize(matchNameCase(path)) >= kScratchFileLimit;
}

bool restoreFromTemplate(const QString& target)
{
    try {
        sys::copyFile(matchNameCase(module1().filegoc), matchNameCase(target));
        return true;
    } catch (const sys::FileError& e) {
        recordRunTimeError(e);
        return false;
    }
}

QStringList localDataFileNames()
{
    return {QStringLiteral("vemolich.MDB"), QStringLiteral("vemocv.MDB"), QStringLiteral("vemotk.MDB"),
            QStringLiteral("vemotemp.MDB")};
}

} // namespace app
