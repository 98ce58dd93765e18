#include "data_file_messages.h"

#include "data_paths.h"

#include <QDir>

namespace app {

QString fileProblemText(FileCheck check, const QString& path)
{
    const QString shown = QDir::toNativeSeparators(path);
    const QString network = QStringLiteral("\r\n") +
                            QStringLiteral("Cần kiểm tra lại việc nối mạng và các thư mục mạng chứa file dữ liệu. ");
    switch (check) {
    case FileCheck::Sound:
        return QString();
    case FileCheck::Busy:
        return QStringLiteral("File dữ liệu ") + shown +
               QStringLiteral(" đang bị chương trình khác giữ, chưa mở được !") + network;
    case FileCheck::Damaged:
        return QStringLiteral("File dữ liệu ") + shown + QStringLiteral(" bị hỏng, không đọc được !");
    case FileCheck::NotADataFile:
        return QStringLiteral("File ") + shown +
               QStringLiteral(" không phải là file dữ liệu của chương trình (hoặc đã bị hỏng) !");
    case FileCheck::WrongPassword:
        return QStringLiteral("File dữ liệu ") + shown +
               QStringLiteral(" có mật khẩu khác, không phải của chương trình này !");
    case FileCheck::MissingTables:
        return QStringLiteral("File dữ liệu ") + shown +
               QStringLiteral(" thiếu bảng dữ liệu cần có, không dùng được !");
    case FileCheck::NeedsRecovery:
        return QStringLiteral("File dữ liệu ") + shown +
               QStringLiteral(" cần được phục hồi sau lần chương trình bị ngắt đột ngột, nhưng file hoặc thư mục "
                              "chứa nó không ghi được !");
    case FileCheck::Unusable:
        return QStringLiteral("File dữ liệu ") + shown +
               QStringLiteral(" chỉ được phép đọc và chương trình không sửa được tính chất này !");
    case FileCheck::Missing:
        break;
    }
    return QStringLiteral("Không tìm thấy file dữ liệu ") + shown + QStringLiteral(" !") + network;
}

QString shownDataFolder(const QString& programFolder)
{
    return QDir::toNativeSeparators(dataFolder(programFolder));
}

} // namespace app
