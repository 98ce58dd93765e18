#pragma once

#include <QString>

// The messages of the import of old data, shared by the import command and the import of old Jet
// files.
namespace datafiles {

// The closing message of a finished import: "Đã nhập xong dữ liệu công văn cũ!" ("cv"), "Đã nhập
// xong dữ liệu về kế hoạch, lịch công tác cũ!" ("lich"), "Đã nhập xong các bảng tham khảo!" ("tk").
QString importClosingMessage(const QString& kind);
// "Chỉ được phép nhập dữ liệu vào file dữ liệu đang dùng nằm trong thư mục <data folder> của máy
// tính này.": the program's real data folder, with this platform's separators.
QString importOutsideMessage(const QString& programFolder);
// "File vừa chọn bị lỗi không dùng được.Cần chọn lại file khác hoặc bấm nút Cancel để kết thúc"
QString importUnusableMessage();
// "Gặp lỗi khi đang ghép dữ liệu!" CR LF "Cần kiểm tra và thực hiện lại nếu cần!"
QString importFailedMessage();

} // namespace datafiles
