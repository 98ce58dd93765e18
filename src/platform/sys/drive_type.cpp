#include "drive_type.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

namespace sys {
namespace {

// mountinfo escapes space, tab, newline and backslash as a backslash and three octal digits.
QString decodeOctal(const QString& field)
{
    QByteArray out;
    const QByteArray in = field.toUtf8();
    for (qsizetype i = 0; i < in.size(); ++i) {
        if (in.at(i) == '\\' && i + 3 < in.size()) {
            const QByteArray digits = in.mid(i + 1, 3);
            bool ok = false;
            const int code = digits.toInt(&ok, 8);
            if (ok && digits.size() == 3) {
                out.append(static_cast<char>(code));
                i += 3;
                continue;
            }
        }
        out.append(in.at(i));
    }
    return QString::fromUtf8(out);
}

const QSet<QString>& networkTypes()
{
    static const QSet<QString> types = {
        QStringLiteral("nfs"),
        QStringLiteral("nfs4"),
        QStringLiteral("cifs"),
        QStringLiteral("smb3"),
        QStringLiteral("smbfs"),
        QStringLiteral("ncpfs"),
        QStringLiteral("afs"),
        QStringLiteral("coda"),
        QStringLiteral("ceph"),
        QStringLiteral("glusterfs"),
        QStringLiteral("lustre"),
        QStringLiteral("gfs2"),
        QStringLiteral("ocfs2"),
        QStringLiteral("davfs"),
        QStringLiteral("fuse.sshfs"),
        QStringLiteral("sshfs"),
        QStringLiteral("fuse.glusterfs"),
        QStringLiteral("fuse.davfs"),
        QStringLiteral("fuse.davfs2"),
        QStringLiteral("fuse.s3fs"),
        QStringLiteral("fuse.rclone"),
        QStringLiteral("fuse.gvfsd-fuse"),
        QStringLiteral("fuse.smbnetfs"),
    };
    return types;
}

bool isUnder(const QString& path, const QString& mountPoint)
{
    if (mountPoint == QLatin1String("/"))
        return path.startsWith(QLatin1Char('/'));
    return path == mountPoint || path.startsWith(mountPoint + QLatin1Char('/'));
}

QString readSmallFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}

} // namespace

QList<MountEntry> parseMountInfo(const QString& text)
{
    QList<MountEntry> mounts;
    const QStringList lines = text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString& line : lines) {
        const QStringList fields = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        // id parent major:minor root mount-point options [optional...] - type source super-options
        const qsizetype dash = fields.indexOf(QStringLiteral("-"), 6);
        if (fields.size() < 7 || dash < 0 || dash + 1 >= fields.size())
            continue;
        MountEntry entry;
        entry.device = fields.at(2);
        entry.mountPoint = decodeOctal(fields.at(4));
        entry.fsType = fields.at(dash + 1);
        if (dash + 2 < fields.size())
            entry.source = decodeOctal(fields.at(dash + 2));
        mounts.append(entry);
    }
    return mounts;
}

const MountEntry* mountFor(const QString& absolutePath, const QList<MountEntry>& mounts)
{
    const MountEntry* best = nullptr;
    for (const MountEntry& entry : mounts) {
        if (!isUnder(absolutePath, entry.mountPoint))
            continue;
        if (!best || entry.mountPoint.size() >= best->mountPoint.size())
            best = &entry;
    }
    return best;
}

DriveType classifyMount(const MountEntry& mount, const std::function<bool(const QString& device)>& isRemovable)
{
    const QString type = mount.fsType.toLower();
    if (networkTypes().contains(type))
        return DriveType::Remote;
    if (type == QLatin1String("iso9660") || type == QLatin1String("udf"))
        return DriveType::CdRom;
    if (isRemovable && isRemovable(mount.device))
        return DriveType::Removable;
    return DriveType::Fixed;
}

bool isRemovableDevice(const QString& device)
{
    if (device.isEmpty() || device.startsWith(QLatin1String("0:")))
        return false; // major 0: no block device (tmpfs, proc, network file systems)
    // /sys/dev/block/M:m links to the device folder; a partition's folder lies inside its disk's.
    const QString link = QStringLiteral("/sys/dev/block/") + device;
    QString folder = QFileInfo(link).canonicalFilePath();
    if (folder.isEmpty())
        return false;
    for (int depth = 0; depth < 2 && !folder.isEmpty(); ++depth) {
        const QString flag = readSmallFile(folder + QStringLiteral("/removable")).trimmed();
        if (!flag.isEmpty())
            return flag == QLatin1String("1");
        folder = QFileInfo(folder).path();
    }
    return false;
}

DriveType driveType(const QString& path)
{
    if (path.trimmed().isEmpty())
        return DriveType::Unknown;
    QFileInfo info(QDir::cleanPath(QDir::current().absoluteFilePath(path)));
    QString existing = info.absoluteFilePath();
    while (!QFileInfo::exists(existing) && existing != QLatin1String("/"))
        existing = QFileInfo(existing).path();
    const QString canonical = QFileInfo(existing).canonicalFilePath();
    if (!canonical.isEmpty())
        existing = canonical;

    const QList<MountEntry> mounts = parseMountInfo(readSmallFile(QStringLiteral("/proc/self/mountinfo")));
    const MountEntry* mount = mountFor(existing, mounts);
    if (!mount)
        return DriveType::Unknown;
    return classifyMount(*mount, isRemovableDevice);
}

} // namespace sys
