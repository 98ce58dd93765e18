#include "attachment_checks.h"

#include "attachment_store.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QMimeDatabase>

namespace datafiles {
namespace {

struct Signature
{
    QStringList extensions;
    QString kind; // as the refusal names it
    QList<QByteArray> heads;
};

const QList<Signature>& signatures()
{
    static const QList<Signature> list = {
        {{QStringLiteral("pdf")}, QStringLiteral("PDF"), {QByteArrayLiteral("%PDF-")}},
        {{QStringLiteral("png")}, QStringLiteral("PNG"), {QByteArrayLiteral("\x89PNG\r\n\x1a\n")}},
        {{QStringLiteral("jpg"), QStringLiteral("jpeg"), QStringLiteral("jpe")},
         QStringLiteral("JPEG"),
         {QByteArrayLiteral("\xff\xd8\xff")}},
        {{QStringLiteral("tif"), QStringLiteral("tiff")},
         QStringLiteral("TIFF"),
         {QByteArray("II*\0", 4), QByteArray("MM\0*", 4)}},
    };
    return list;
}

} // namespace

QString attachmentType(const QString& fileName)
{
    return QMimeDatabase().mimeTypeForFile(fileName, QMimeDatabase::MatchExtension).name();
}

QString attachmentRefusal(const QString& fileName, qint64 size, const QByteArray& head)
{
    if (size > kAttachmentSizeLimit)
        return QStringLiteral("Tệp \"") + fileName + QStringLiteral("\" lớn ") + sizeText(size) +
               QStringLiteral(", quá giới hạn 100 MB của một tệp đính kèm. Không có gì được đính kèm.");
    const QString extension = QFileInfo(fileName).suffix().toLower();
    for (const Signature& s : signatures()) {
        if (!s.extensions.contains(extension))
            continue;
        for (const QByteArray& h : s.heads) {
            if (head.startsWith(h))
                return QString();
        }
        return QStringLiteral("Tệp \"") + fileName + QStringLiteral("\" mang tên tệp ") + s.kind +
               QStringLiteral(" nhưng nội dung không phải ") + s.kind +
               QStringLiteral(" (tệp hỏng hoặc đặt sai tên). Không có gì được đính kèm.");
    }
    return QString();
}

QString checkAttachment(const QString& path)
{
    const QFileInfo info(path);
    QFile f(path);
    if (!info.isFile() || !f.open(QIODevice::ReadOnly))
        return unreadableRefusal(path);
    return attachmentRefusal(info.fileName(), info.size(), f.read(16));
}

QString sizeText(qint64 bytes)
{
    const QLocale vi(QLocale::Vietnamese, QLocale::Vietnam);
    if (bytes < 1024)
        return QString::number(bytes) + QStringLiteral(" byte");
    if (bytes < 1024 * 1024)
        return vi.toString(bytes / 1024.0, 'f', 1) + QStringLiteral(" KB");
    return vi.toString(bytes / (1024.0 * 1024.0), 'f', 1) + QStringLiteral(" MB");
}

} // namespace datafiles
