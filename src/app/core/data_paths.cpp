#include "data_paths.h"

#include "module1.h"

#include <QDir>
#include <QFileInfo>

namespace app {

QString dataFolder(const QString& programFolder)
{
    return QDir(programFolder).filePath(QStringLiteral("data"));
}

QString matchNameCase(const QString& path)
{
    if (path.isEmpty())
        return path;
    const QFileInfo info(path);
    if (info.exists())
        return path;
    const QDir folder = info.dir();
    const QString name = info.fileName();
    if (name.isEmpty() || !folder.exists())
        return path;
    const QStringList entries =
        folder.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return folder.filePath(entry);
    }
    return path;
}

QString dataFilePath(const QString& programFolder, const QString& name)
{
    return matchNameCase(QDir(dataFolder(programFolder)).filePath(name));
}

QString referenceFileBeside(const QString& path)
{
    const qsizetype slash = path.lastIndexOf(QDir::separator());
    return path.left(slash + 1) + QStringLiteral("vemotk.mdb");
}

void setProgramFolder(Module1& m, const QString& programFolder)
{
    m.programFolder = programFolder;
    m.templatePath = dataFilePath(programFolder, QStringLiteral("vemogoc.mdb"));
    m.referencePath = dataFilePath(programFolder, QStringLiteral("vemotk.MDB"));
    m.scratchPath = dataFilePath(programFolder, QStringLiteral("vemotemp.MDB"));
}

} // namespace app
