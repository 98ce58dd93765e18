#include "document_source.h"

#include <QFileInfo>
#include <QImageReader>
#include <QPdfDocument>

namespace document {
namespace {

QString quoted(const QString& name)
{
    return QStringLiteral("\"") + name + QStringLiteral("\"");
}

QString goneRefusal(const QString& name)
{
    return QStringLiteral("Không tìm thấy tệp ") + quoted(name) +
           QStringLiteral(": tệp đã bị xoá hoặc di chuyển khỏi kho, nên không xem hoặc in được.");
}

// The reader format a name's extension stands for, "" for a name that is not an image's.
QByteArray imageFormatOf(const QString& fileName)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == QLatin1String("png"))
        return "png";
    if (suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg"))
        return "jpeg";
    if (suffix == QLatin1String("tif") || suffix == QLatin1String("tiff"))
        return "tiff";
    return {};
}

QString formatWord(const QByteArray& format)
{
    return QString::fromLatin1(format).toUpper();
}

} // namespace

DocumentError::DocumentError(const QString& message) : std::runtime_error(message.toStdString()), m_message(message) {}

DocumentKind documentKind(const QString& fileName)
{
    if (QFileInfo(fileName).suffix().compare(QLatin1String("pdf"), Qt::CaseInsensitive) == 0)
        return DocumentKind::Pdf;
    return imageFormatOf(fileName).isEmpty() ? DocumentKind::Other : DocumentKind::Image;
}

void loadPdf(QPdfDocument& doc, const QString& path, const QString& name)
{
    if (!QFileInfo(path).isFile())
        throw DocumentError(goneRefusal(name));
    switch (doc.load(path)) {
    case QPdfDocument::Error::None:
        break;
    case QPdfDocument::Error::IncorrectPassword:
    case QPdfDocument::Error::UnsupportedSecurityScheme:
        throw DocumentError(QStringLiteral("Tệp ") + quoted(name) +
                            QStringLiteral(" được bảo vệ bằng mật khẩu nên không xem hoặc in được trong chương "
                                           "trình. Hãy mở tệp bằng chương trình đọc PDF của máy."));
    case QPdfDocument::Error::FileNotFound:
        throw DocumentError(goneRefusal(name));
    default:
        throw DocumentError(QStringLiteral("Tệp ") + quoted(name) +
                            QStringLiteral(" không phải là tệp PDF hoặc đã bị hỏng, không xem hoặc in được."));
    }
    if (doc.pageCount() < 1)
        throw DocumentError(QStringLiteral("Tệp ") + quoted(name) + QStringLiteral(" không có trang nào để xem."));
}

ImagePages::ImagePages(const QString& path, const QString& name)
    : m_path(path), m_name(name), m_format(imageFormatOf(name))
{
    if (!QFileInfo(path).isFile())
        throw DocumentError(goneRefusal(name));
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    const QByteArray found = reader.format();
    if (m_format.isEmpty() || found != m_format) {
        throw DocumentError(QStringLiteral("Tệp ") + quoted(name) + QStringLiteral(" không phải là ảnh ") +
                            formatWord(m_format.isEmpty() ? QByteArray("PNG, JPEG, TIFF") : m_format) +
                            QStringLiteral(" như tên tệp cho biết") +
                            (found.isEmpty()
                                 ? QStringLiteral(" (tệp bị hỏng hoặc không phải là ảnh)")
                                 : QStringLiteral(" (nội dung là ảnh ") + formatWord(found) + QStringLiteral(")")) +
                            QStringLiteral(", nên không xem hoặc in được."));
    }
    m_size = reader.size();
    if (!m_size.isValid() || m_size.isEmpty())
        throw DocumentError(QStringLiteral("Ảnh ") + quoted(name) +
                            QStringLiteral(" bị hỏng (không đọc được kích thước), không xem hoặc in được."));
    // Qt refuses to allocate an image above its limit (in MB); say so before trying, at four
    // bytes a pixel as the decoded page takes.
    const qint64 limitPixels = qint64(QImageReader::allocationLimit()) * 1024 * 1024 / 4;
    if (QImageReader::allocationLimit() > 0 && qint64(m_size.width()) * m_size.height() > limitPixels) {
        throw DocumentError(QStringLiteral("Ảnh ") + quoted(name) + QStringLiteral(" quá lớn (") +
                            QString::number(m_size.width()) + QStringLiteral(" × ") + QString::number(m_size.height()) +
                            QStringLiteral(" điểm ảnh) để xem hoặc in trong chương trình: chỉ xem được ảnh đến ") +
                            QString::number(limitPixels / 1000000) +
                            QStringLiteral(" triệu điểm ảnh. Hãy mở ảnh bằng chương trình xem ảnh của máy."));
    }
    m_pages = qMax(1, reader.imageCount());
    page(0); // a first page that does not decode is a damaged file, told now
}

QImage ImagePages::page(int index) const
{
    QImageReader reader(m_path, m_format);
    if (index > 0 && !reader.jumpToImage(index))
        throw DocumentError(QStringLiteral("Không đọc được trang ") + QString::number(index + 1) +
                            QStringLiteral(" của ảnh ") + quoted(m_name) + QStringLiteral("."));
    QImage image = reader.read();
    if (image.isNull())
        throw DocumentError(QStringLiteral("Ảnh ") + quoted(m_name) + QStringLiteral(" bị hỏng, không đọc được") +
                            (index > 0 ? QStringLiteral(" trang ") + QString::number(index + 1) : QString()) +
                            QStringLiteral("."));
    return image;
}

} // namespace document
