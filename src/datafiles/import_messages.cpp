#include "import_messages.h"

#include "app/core/data_file_messages.h"

namespace datafiles {

QString importClosingMessage(const QString& kind)
{
    if (kind == QLatin1String("tk"))
        return QStringLiteral("Đã nhập xong các bảng tham khảo!");
    return kind == QLatin1String("cv") ? QStringLiteral("Đã nhập xong dữ liệu công văn cũ!")
                                       : QStringLiteral("Đã nhập xong dữ liệu về kế hoạch, lịch công tác cũ!");
}

QString importOutsideMessage(const QString& programFolder)
{
    return QStringLiteral("Chỉ được phép nhập dữ liệu vào file dữ liệu đang dùng nằm trong thư mục ") +
           app::shownDataFolder(programFolder) + QStringLiteral(" của máy tính này.");
}

QString importUnusableMessage()
{
    return QStringLiteral("File vừa chọn bị lỗi không dùng được.") +
           QStringLiteral("Cần chọn lại file khác hoặc bấm nút Cancel để kết thúc");
}

QString importFailedMessage()
{
    return QStringLiteral("Gặp lỗi khi đang ghép dữ liệu!") + QStringLiteral("\r\n") +
           QStringLiteral("Cần kiểm tra và thực hiện lại nếu cần!");
}

} // namespace datafiles
