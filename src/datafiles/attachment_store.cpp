#include "attachment_store.h"

#include "logging.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUuid>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace datafiles {
namespace {

constexpr qint64 kBlock = 1 << 20;
const QString kTempPrefix = QStringLiteral("~");
const QString kTempSuffix = QStringLiteral(".tmp");

std::function<void(qint64)>& writeHook()
{
    static std::function<void(qint64)> hook;
    return hook;
}

QString storeRefusal(const QString& folder)
{
    return QStringLiteral("Không ghi được tệp vào kho tệp đính kèm \"") + QDir::toNativeSeparators(folder) +
           QStringLiteral("\" (ổ đĩa đầy hoặc không có quyền ghi). Công văn và các tệp đã đính kèm vẫn giữ nguyên.");
}

// Makes a rename inside folder survive a power cut: the folder's entry is flushed too.
void syncFolder(const QString& folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        return;
    if (::fsync(fd) != 0)
        qCWarning(lcDatafiles) << "could not flush the folder" << folder;
    ::close(fd);
}

// Renews the time of a kept file, so that a sweep counts it as just attached.
void touch(const QString& path)
{
    if (::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), nullptr, 0) != 0)
        qCWarning(lcDatafiles) << "could not renew the time of" << path;
}

} // namespace

AttachmentError::AttachmentError(const QString& message) : std::runtime_error(message.toStdString()), m_message(message)
{}

QString unreadableRefusal(const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    if (!QFileInfo::exists(path))
        return QStringLiteral("Không tìm thấy tệp \"") + name +
               QStringLiteral("\": tệp đã bị xoá hoặc chuyển đi sau khi chọn. Không có gì được đính kèm.");
    return QStringLiteral("Không đọc được tệp \"") + name + QStringLiteral("\". Không có gì được đính kèm.");
}

StoredFile hashOf(const QString& source)
{
    QFile in(source);
    if (!QFileInfo(source).isFile() || !in.open(QIODevice::ReadOnly))
        throw AttachmentError(unreadableRefusal(source));
    QCryptographicHash hash(QCryptographicHash::Sha256);
    StoredFile file;
    while (true) {
        const QByteArray block = in.read(kBlock);
        if (block.isEmpty()) {
            if (in.error() != QFileDevice::NoError || !in.atEnd())
                throw AttachmentError(unreadableRefusal(source));
            break;
        }
        hash.addData(block);
        file.size += block.size();
    }
    file.hash = QString::fromLatin1(hash.result().toHex());
    return file;
}

bool isStoreName(const QString& name)
{
    if (name.size() != 64)
        return false;
    for (const QChar c : name) {
        if (!((c >= QLatin1Char('0') && c <= QLatin1Char('9')) || (c >= QLatin1Char('a') && c <= QLatin1Char('f'))))
            return false;
    }
    return true;
}

AttachmentStore AttachmentStore::besideLettersFile(const QString& lettersPath)
{
    const QFileInfo info(lettersPath);
    return AttachmentStore(info.absolutePath() + QLatin1Char('/') + info.completeBaseName() +
                           QStringLiteral("_tepdinhkem"));
}

AttachmentStore::AttachmentStore(QString folder) : m_folder(std::move(folder)) {}

QString AttachmentStore::pathOf(const QString& hash) const
{
    return m_folder + QLatin1Char('/') + hash;
}

bool AttachmentStore::holds(const QString& hash) const
{
    return isStoreName(hash) && QFileInfo(pathOf(hash)).isFile();
}

void AttachmentStore::setWriteHook(std::function<void(qint64 written)> hook)
{
    writeHook() = std::move(hook);
}

StoredFile AttachmentStore::put(const QString& source) const
{
    QFile in(source);
    if (!QFileInfo(source).isFile() || !in.open(QIODevice::ReadOnly))
        throw AttachmentError(unreadableRefusal(source));
    if (!QDir().mkpath(m_folder))
        throw AttachmentError(storeRefusal(m_folder));

    const QString temp =
        m_folder + QLatin1Char('/') + kTempPrefix + QUuid::createUuid().toString(QUuid::WithoutBraces) + kTempSuffix;
    QFile out(temp);
    if (!out.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        throw AttachmentError(storeRefusal(m_folder));
    const auto fail = [&out](const QString& message) {
        out.close();
        out.remove();
        throw AttachmentError(message);
    };

    QCryptographicHash hash(QCryptographicHash::Sha256);
    StoredFile stored;
    QByteArray block;
    while (true) {
        block = in.read(kBlock);
        if (block.isEmpty()) {
            if (in.error() != QFileDevice::NoError || !in.atEnd())
                fail(unreadableRefusal(source));
            break;
        }
        hash.addData(block);
        stored.size += block.size();
        try {
            if (writeHook())
                writeHook()(stored.size);
        } catch (const std::exception& e) {
            qCWarning(lcDatafiles) << "copy into the store stopped:" << e.what();
            fail(storeRefusal(m_folder));
        }
        if (out.write(block) != block.size())
            fail(storeRefusal(m_folder));
    }
    if (!out.flush() || ::fsync(out.handle()) != 0)
        fail(storeRefusal(m_folder));
    out.close();

    stored.hash = QString::fromLatin1(hash.result().toHex());
    const QString target = pathOf(stored.hash);
    if (QFileInfo::exists(target)) {
        QFile::remove(temp);
        touch(target);
        return stored;
    }
    if (!QFile::rename(temp, target)) {
        QFile::remove(temp);
        if (!QFileInfo::exists(target)) // another program may have kept the same content meanwhile
            throw AttachmentError(storeRefusal(m_folder));
        touch(target);
    }
    syncFolder(m_folder);
    return stored;
}

int AttachmentStore::sweep(const QSet<QString>& named, const QDateTime& now, qint64 graceSeconds) const
{
    const QDateTime limit = now.addSecs(-graceSeconds);
    int removed = 0;
    const QFileInfoList files = QDir(m_folder).entryInfoList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QFileInfo& f : files) {
        const QString name = f.fileName();
        const bool orphan = isStoreName(name) && !named.contains(name);
        const bool leftover = name.startsWith(kTempPrefix) && name.endsWith(kTempSuffix);
        if ((!orphan && !leftover) || f.lastModified() >= limit)
            continue;
        if (QFile::remove(f.absoluteFilePath()))
            ++removed;
        else
            qCWarning(lcDatafiles) << "could not sweep" << f.absoluteFilePath();
    }
    return removed;
}

} // namespace datafiles
