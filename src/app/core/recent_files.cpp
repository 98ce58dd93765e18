#include "recent_files.h"

#include "data_paths.h"
#include "platform/sys/file_ops.h"
#include "read_only.h"
#include "settings_files.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace app {
namespace {

// One line of a list as the old reader took it: the quoted text, or the trimmed line.
QString lineValue(const QString& line)
{
    const SysmemItems split = splitSysmemItems(line);
    return split.items.isEmpty() ? QString() : split.items.first();
}

// Up to limit lines of the file, line ends dropped (CR LF or LF).
QStringList readLines(const QString& path, int limit)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw sys::FileError(file.errorString() + QStringLiteral(": ") + QDir::toNativeSeparators(path));
    QStringList lines;
    while (lines.size() < limit && !file.atEnd()) {
        QString line = QString::fromUtf8(file.readLine());
        if (lines.isEmpty() && line.startsWith(QChar(0xFEFF)))
            line.remove(0, 1);
        while (line.endsWith(QLatin1Char('\n')) || line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        lines.append(line);
    }
    return lines;
}

void writeLines(const QString& path, const QStringList& values)
{
    QByteArray bytes;
    for (const QString& value : values)
        bytes += QByteArray("\"") + value.toUtf8() + QByteArray("\"\r\n");
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw sys::FileError(file.errorString() + QStringLiteral(": ") + QDir::toNativeSeparators(path));
}

} // namespace

void updateRecentFileList(const QString& listFile, const QString& path)
{
    const QString actual = matchNameCase(listFile);
    if (!sys::isFile(actual)) {
        writeLines(actual, {path});
        return;
    }
    const QStringList lines = readLines(actual, kRecentFilesRead);
    if (!lines.isEmpty() && lineValue(lines.first()) == path)
        return;
    clearReadOnly(actual);
    QStringList values{path};
    for (const QString& line : lines) {
        const QString value = lineValue(line);
        if (value.isEmpty())
            break;
        if (value != path)
            values.append(value);
    }
    writeLines(actual, values);
}

void updateRecentFiles(const QString& programFolder, const QString& listName, const QString& path)
{
    updateRecentFileList(dataFilePath(programFolder, listName), path);
}

QStringList readRecentFiles(const QString& listFile)
{
    const QString actual = matchNameCase(listFile);
    QStringList values;
    if (!sys::isFile(actual))
        return values;
    const QStringList lines = readLines(actual, 1000);
    for (const QString& line : lines) {
        const QString value = lineValue(line);
        if (!value.isEmpty())
            values.append(value);
    }
    return values;
}

} // namespace app
