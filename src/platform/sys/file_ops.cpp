#include "file_ops.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace sys {
namespace {

QString described(const QString& reason, const QString& path)
{
    return reason + QStringLiteral(": ") + QDir::toNativeSeparators(path);
}

} // namespace

FileError::FileError(const QString& text) : std::runtime_error(text.toStdString()), m_text(text) {}

bool exists(const QString& path)
{
    return !path.isEmpty() && QFileInfo::exists(path);
}

bool isFile(const QString& path)
{
    return !path.isEmpty() && QFileInfo(path).isFile();
}

bool isDirectory(const QString& path)
{
    return !path.isEmpty() && QFileInfo(path).isDir();
}

qint64 fileSize(const QString& path)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isFile())
        return -1;
    return info.size();
}

bool isReadOnly(const QString& path)
{
    if (!exists(path))
        return false;
    return !(QFile::permissions(path) & QFileDevice::WriteOwner);
}

void setReadOnly(const QString& path, bool readOnly)
{
    if (!exists(path))
        throw FileError(described(QStringLiteral("File not found"), path));
    QFileDevice::Permissions perms = QFile::permissions(path);
    if (readOnly)
        perms &= ~QFileDevice::Permissions(QFileDevice::WriteOwner | QFileDevice::WriteUser);
    else
        perms |= QFileDevice::WriteOwner | QFileDevice::WriteUser;
    if (!QFile::setPermissions(path, perms))
        throw FileError(described(QStringLiteral("Cannot change the read-only attribute"), path));
    // Some file systems accept the call and ignore it.
    if (isReadOnly(path) != readOnly)
        throw FileError(described(QStringLiteral("Cannot change the read-only attribute"), path));
}

void copyFile(const QString& from, const QString& to)
{
    if (!isFile(from))
        throw FileError(described(QStringLiteral("File not found"), from));
    const QFileInfo target(to);
    if (target.isDir())
        throw FileError(described(QStringLiteral("The target is a folder"), to));
    if (target.exists() && isReadOnly(to))
        throw FileError(described(QStringLiteral("Permission denied"), to));
    if (!target.absoluteDir().exists())
        throw FileError(described(QStringLiteral("Path not found"), to));

    QFile source(from);
    if (!source.open(QIODevice::ReadOnly))
        throw FileError(described(source.errorString(), from));

    QTemporaryFile temp(target.absoluteDir().filePath(QStringLiteral(".selvaro-copy-XXXXXX")));
    if (!temp.open())
        throw FileError(described(temp.errorString(), to));
    constexpr qint64 chunk = 1 << 20;
    while (!source.atEnd()) {
        const QByteArray bytes = source.read(chunk);
        if (bytes.isEmpty() && source.error() != QFileDevice::NoError)
            throw FileError(described(source.errorString(), from));
        if (temp.write(bytes) != bytes.size())
            throw FileError(described(temp.errorString(), to));
    }
    if (!temp.flush())
        throw FileError(described(temp.errorString(), to));

    QFileDevice::Permissions perms = source.permissions() | QFileDevice::WriteOwner | QFileDevice::WriteUser |
                                     QFileDevice::ReadOwner | QFileDevice::ReadUser;
    temp.setPermissions(perms);
    // rename(2) replaces the target in one step.
    temp.close();
    if (std::rename(QFile::encodeName(temp.fileName()).constData(), QFile::encodeName(to).constData()) != 0)
        throw FileError(described(QString::fromLocal8Bit(std::strerror(errno)), to));
    temp.setAutoRemove(false);
}

void removeFile(const QString& path)
{
    if (!isFile(path))
        throw FileError(described(QStringLiteral("File not found"), path));
    QFile file(path);
    if (!file.remove())
        throw FileError(described(file.errorString(), path));
}

} // namespace sys
