#pragma once

// The rules of the reference lists and the users table that need no window: the sort key the
// lists store, the list forms' messages, the users' rights string and password rule.

#include <QString>

namespace reference {

// The sort key matt of a list row: common::sortKey of its name, cut to 150 characters.
QString listSortKey(const QString& name);

// "Chữ tắt  'cv'  đã dùng cho chữ  'Công văn' ." + CR + "Cần phải dùng chữ khác!"
QString duplicateAbbreviationMessage(const QString& abbreviation, const QString& name);

// The rights string of the two check boxes: "QT", "LĐ", "QT - LĐ" or "CB".
QString rightsString(bool administrator, bool head);
// The check boxes of a rights string: administrator when it matches "QT*", head when "*L*"
// (both case-sensitive).
bool rightsAdministrator(const QString& quyenhan);
bool rightsHead(const QString& quyenhan);
// The test the users list makes for "is there an administrator": quyenhan like '*q*'.
bool countsAsAdministrator(const QString& quyenhan);

// A password may hold neither a blank nor a Vietnamese letter (its accent-free form must equal
// it, letter case aside); an empty password is allowed.
bool passwordAllowed(const QString& password);

inline const QString kPasswordRule = QStringLiteral(
    "Phải sửa lại mật khẩu, không được có dấu cách hoặc chữ có dấu tiếng Việt như đ, Đ, ư, á, ă, ê, ô v.v..!");
inline const QString kNeedOneAdministrator =
    QStringLiteral("Bắt buộc phải bổ sung quyền quản trị (QT) cho ít nhất một người trong danh sách!");

} // namespace reference
