#include "export_error.h"

#include <QDir>
#include <QFileInfo>

namespace exporting {

namespace {

QString kindText(ExportError::Kind kind)
{
    switch (kind) {
    case ExportError::Kind::FolderNotWritable:
        return QStringLiteral("folder not writable");
    case ExportError::Kind::FileInUse:
        return QStringLiteral("file in use by another program");
    case ExportError::Kind::FileReadOnly:
        return QStringLiteral("file read-only");
    case ExportError::Kind::WriteFailed:
        return QStringLiteral("write failed");
    case ExportError::Kind::TooManyRows:
        return QStringLiteral("too many rows for a sheet");
    case ExportError::Kind::Cancelled:
        break;
    }
    return QStringLiteral("cancelled");
}

} // namespace

ExportError::ExportError(Kind kind, QString path, QString detail)
    : std::runtime_error(
          (kindText(kind) + QStringLiteral(": ") + path + QStringLiteral(" ") + detail).trimmed().toStdString()),
      m_kind(kind), m_path(std::move(path)), m_detail(std::move(detail))
{}

QString userMessage(const ExportError& error)
{
    const QString crlf = QStringLiteral("\r\n");
    const QString file = QDir::toNativeSeparators(error.path());
    const QString folder = QDir::toNativeSeparators(QFileInfo(error.path()).absolutePath());
    switch (error.kind()) {
    case ExportError::Kind::FolderNotWritable:
        return QStringLiteral("Không ghi được file vào thư mục ") + folder + QStringLiteral(" !") + crlf +
               QStringLiteral("Cần chọn thư mục khác hoặc kiểm tra quyền ghi vào thư mục này!");
    case ExportError::Kind::FileInUse:
        return QStringLiteral("File ") + file + QStringLiteral(" đang được mở trong chương trình khác !") + crlf +
               QStringLiteral("Cần đóng file này rồi xuất lại hoặc đặt tên file khác!");
    case ExportError::Kind::FileReadOnly:
        return QStringLiteral("File ") + file + QStringLiteral(" chỉ được phép đọc, không ghi đè được !") + crlf +
               QStringLiteral("Cần đặt tên file khác!");
    case ExportError::Kind::WriteFailed:
        return QStringLiteral("Gặp lỗi khi ghi file ") + file + QStringLiteral(" : ") + error.detail() + crlf +
               QStringLiteral("File cũ (nếu có) vẫn được giữ nguyên.");
    case ExportError::Kind::TooManyRows:
        return QStringLiteral("Danh sách có quá nhiều dòng, một trang bảng tính không chứa hết !") + crlf +
               QStringLiteral("Cần tra cứu để thu hẹp danh sách rồi xuất lại hoặc xuất ra file CSV!");
    case ExportError::Kind::Cancelled:
        break;
    }
    return QString();
}

} // namespace exporting
