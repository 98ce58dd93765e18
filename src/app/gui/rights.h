#pragma once

#include <QString>

namespace app {

struct Module1;

// The two tests made on a rights string quyenhan ("QT", "LĐ", "QT - LĐ", "CB"):
// the login's test, "Q" anywhere in either letter case ...
bool containsQ(const QString& quyen);
// ... and the list menus' and users form's test, the lower-cased string matching "q*".
bool beginsWithQ(const QString& quyen);

inline const QString kNeedAdministrator = QStringLiteral("Phải có quyền quản trị mới được phép sử dụng chức năng này!");

// The administrator-rights check: the user names himself again in the login dialog.
// mode "q": asks for an administrator (title "Kiểm tra quyền quản trị"); returns "q" when the
//   rights of whoever logged in contain "Q" in either case, otherwise shows kNeedAdministrator
//   and returns "".
// any other mode (the users list passes "mk"): title "Nhập lại tên, mật khẩu đang dùng";
//   returns the rights of whoever logged in.
// Cancelling or running out of tries returns "". A successful login also makes that person the
// current user of state (userFullName, userRights); thirteen failures clear the current user.
QString confirmRights(Module1& state, const QString& mode);

} // namespace app
