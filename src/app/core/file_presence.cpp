#include "file_presence.h"

#include "data_paths.h"
#include "platform/sys/file_ops.h"

#include <QDir>
#include <QFileInfo>

namespace app {

QString filePresence(const QString& path)
{
    if (path.trimmed().isEmpty())
        return QString();
    if (path.endsWith(QDir::separator()))
        return sys::isDirectory(path) ? QStringLiteral("  ") : QString();
    const QString actual = matchNameCase(path);
    const QFileInfo info(actual);
    if (!info.exists())
        return QString();
    const QString name = info.fileName();
    // The root folder has no name of its own.
    return name.isEmpty() ? QStringLiteral("  ") : name;
}

} // namespace app
