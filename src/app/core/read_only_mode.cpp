#include "read_only_mode.h"

#include "data_paths.h"
#include "messenger.h"
#include "platform/sys/file_ops.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <memory>

namespace app {

bool canWriteFolder(const QString& folder)
{
    const QFileInfo info(folder);
    return info.isDir() && info.isWritable();
}

bool canWriteDataFile(const QString& path)
{
    const QString actual = matchNameCase(path);
    const QFileInfo info(actual);
    if (!canWriteFolder(info.absolutePath()))
        return false;
    if (!info.exists())
        return true;
    const auto writeBits = QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    return info.isWritable() && (QFile::permissions(actual) & writeBits);
}

QString readOnlyStartMessage(const QString& what)
{
    return QStringLiteral("Không ghi được vào ") + QDir::toNativeSeparators(what) +
           QStringLiteral(" (chỉ được phép đọc) !") + QStringLiteral("\r") +
           QStringLiteral("Chương trình chạy ở chế độ chỉ đọc: xem, tìm kiếm và in được, "
                          "nhưng không nạp, sửa, xoá hay chọn lại dữ liệu được !");
}

QString readOnlyRefusal()
{
    return QStringLiteral("Dữ liệu đang mở ở chế độ chỉ đọc, không ghi được !") + QStringLiteral("\r") +
           QStringLiteral("Cần cho phép ghi vào thư mục dữ liệu rồi chạy lại chương trình này !");
}

bool refuseWhenReadOnly(bool readOnly)
{
    if (!readOnly)
        return false;
    tell(readOnlyRefusal());
    return true;
}

QString privateScratchFile(const QString& templatePath)
{
    static std::unique_ptr<QTemporaryDir> folder;
    if (!folder)
        folder = std::make_unique<QTemporaryDir>(QDir::temp().filePath(QStringLiteral("selvaro-XXXXXX")));
    if (!folder->isValid())
        return QString();
    const QString path = folder->filePath(QStringLiteral("vemotemp.MDB"));
    if (!QFileInfo::exists(path)) {
        try {
            sys::copyFile(matchNameCase(templatePath), path);
        } catch (const sys::FileError&) {
            return QString();
        }
    }
    return path;
}

} // namespace app
