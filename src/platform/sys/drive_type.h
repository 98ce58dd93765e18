#pragma once

#include <QList>
#include <QString>
#include <functional>

// The kind of storage a path lives on, found from the mount that holds it.
namespace sys {

// Values follow the old platform's drive-type numbers so callers can map them the same way.
enum class DriveType
{
    Unknown = 0,   // no path, or the mount table could not be read
    Removable = 2, // a removable block device: USB stick, memory card, floppy
    Fixed = 3,     // a local disk; also memory and overlay file systems
    Remote = 4,    // a network file system (NFS, SMB/CIFS, SSHFS, ...)
    CdRom = 5,     // an optical disc file system (ISO 9660, UDF)
};

// One line of /proc/self/mountinfo.
struct MountEntry
{
    QString mountPoint; // with the octal escapes (\040 for a space) decoded
    QString fsType;     // "ext4", "nfs4", "fuse.sshfs", ...
    QString source;     // "/dev/sdb1", "//server/share", ...
    QString device;     // "major:minor"
};

// Parses the text of /proc/self/mountinfo; malformed lines are skipped.
QList<MountEntry> parseMountInfo(const QString& text);

// The entry whose mount point is the longest prefix (by whole path components) of the absolute
// path; later entries win over earlier ones for the same mount point (the later mount hides the
// earlier). nullptr when none matches.
const MountEntry* mountFor(const QString& absolutePath, const QList<MountEntry>& mounts);

// Classifies a mount: network file system types are Remote; iso9660 and udf are CdRom; a mount
// whose block device is removable (asked through isRemovable with the entry's "major:minor") is
// Removable; anything else, including tmpfs and overlay, is Fixed.
DriveType classifyMount(const MountEntry& mount, const std::function<bool(const QString& device)>& isRemovable);

// True when the block device "major:minor" (or the disk a partition belongs to) is marked
// removable in /sys. False when it is not a block device or cannot be read.
bool isRemovableDevice(const QString& device);

// The drive type of the storage holding path. A path that does not exist yet is judged by its
// nearest existing parent folder; a relative path is taken from the current folder. Unknown for
// an empty path or when the mount table cannot be read.
DriveType driveType(const QString& path);

} // namespace sys
