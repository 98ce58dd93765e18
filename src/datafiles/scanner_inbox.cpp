#include "scanner_inbox.h"

#include "attachment_store.h"

#include "platform/sys/settings_store.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace datafiles {
namespace {

sys::FolderSetting& folderSetting()
{
    static sys::FolderSetting setting(QStringLiteral("ThuMucNhanVanBan"));
    return setting;
}

// A file a scanner or a download is still writing, or an office program's lock file.
bool stillBeingWritten(const QString& name)
{
    const QString lower = name.toLower();
    return lower.endsWith(QLatin1String(".part")) || lower.endsWith(QLatin1String(".tmp")) ||
           lower.endsWith(QLatin1String(".crdownload")) || name.startsWith(QLatin1String("~$"));
}

} // namespace

QString inboxFolder()
{
    return folderSetting().folder();
}

void setInboxFolder(const QString& folder)
{
    folderSetting().setFolder(folder);
}

void setInboxSettingsFile(const QString& path)
{
    folderSetting().useSettingsFile(path);
}

QList<InboxFile> inboxFiles(const QString& folder)
{
    QList<InboxFile> files;
    if (folder.isEmpty())
        return files;
    const QFileInfoList entries = QDir(folder).entryInfoList(QDir::Files | QDir::NoDotAndDotDot, QDir::NoSort);
    for (const QFileInfo& info : entries) {
        if (stillBeingWritten(info.fileName()))
            continue;
        files.append({info.absoluteFilePath(), info.fileName(), info.size(), info.lastModified()});
    }
    std::sort(files.begin(), files.end(), [](const InboxFile& a, const InboxFile& b) {
        return a.modified != b.modified ? a.modified < b.modified : a.name < b.name;
    });
    return files;
}

QString moveTakenIn(const QString& path)
{
    const QFileInfo source(path);
    QDir taken(source.absolutePath());
    if (!taken.mkpath(kTakenInFolder) || !taken.cd(kTakenInFolder))
        throw AttachmentError(QStringLiteral("Không tạo được thư mục \"") + kTakenInFolder +
                              QStringLiteral("\" trong thư mục nhận văn bản: tệp ") + source.fileName() +
                              QStringLiteral(" vẫn nằm trong hộp văn bản đến."));
    const QString base = source.completeBaseName();
    const QString suffix = source.suffix().isEmpty() ? QString() : QStringLiteral(".") + source.suffix();
    QString target = taken.filePath(source.fileName());
    for (int n = 2; QFileInfo::exists(target); ++n)
        target = taken.filePath(base + QStringLiteral(" (") + QString::number(n) + QStringLiteral(")") + suffix);
    // A rename within one folder tree: the file is whole in one place or the other.
    if (!QFile::rename(path, target))
        throw AttachmentError(QStringLiteral("Không chuyển được tệp ") + source.fileName() +
                              QStringLiteral(" vào thư mục \"") + kTakenInFolder +
                              QStringLiteral("\": tệp vẫn nằm trong hộp văn bản đến."));
    return target;
}

} // namespace datafiles
