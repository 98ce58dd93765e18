#include "drive_description.h"

#include "platform/sys/drive_type.h"

namespace app {

QString driveTypeDescription(const QString& path)
{
    switch (sys::driveType(path)) {
    case sys::DriveType::Removable:
        return QStringLiteral("Floppy USB");
    case sys::DriveType::Fixed:
        return QStringLiteral("Local Hard Disk");
    case sys::DriveType::Remote:
        return QStringLiteral("Network Driver");
    case sys::DriveType::CdRom:
        return QStringLiteral("CDROM");
    case sys::DriveType::Unknown:
        break;
    }
    return QString();
}

} // namespace app
