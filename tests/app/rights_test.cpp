#include "app/core/module1.h"
#include "app/gui/rights.h"
#include "startup_fixture.h"

#include <gtest/gtest.h>

namespace {

// The rights string as the login test and the list test read it. The check in its two modes: "q"
// wants administrator rights (a lower-case "qt" counts), "mk" returns whoever logged in; each logs
// in the one who answered. Cancelling returns nothing and says nothing.
TEST(ConfirmRightsTest, RightsStringIsReadAndTheModesReturnTheRightsOrRefuseWithTheMessage)
{
    const std::tuple<const char*, bool, bool> strings[] = {
        {"QT", true, true},   {"qt", true, true},   {"QT - LĐ", true, true}, {"LĐ - QT", true, false},
        {"LĐ", false, false}, {"CB", false, false}, {"", false, false}};
    for (const auto& [quyen, containsQ, beginsWithQ] : strings) {
        EXPECT_EQ(app::containsQ(QString::fromUtf8(quyen)), containsQ) << quyen;
        EXPECT_EQ(app::beginsWithQ(QString::fromUtf8(quyen)), beginsWithQ) << quyen;
    }

    // A started program whose users table holds three users.
    ProgramFolder home;
    ASSERT_EQ(home.start(), app::StartupOutcome::Ready);
    db::Database& users = app::module1().scheduleReference;
    users.execute(u"INSERT INTO nguoidung (hoten, tentrenmang, matkhau, quyenhan) "
                  "VALUES ('Nguyễn Quản Trị', 'qtri', 'abc123', 'qt')"_s);
    users.execute(u"INSERT INTO nguoidung (hoten, tentrenmang, matkhau, quyenhan) "
                  "VALUES ('Trần Cán Bộ', 'canbo', 'xyz789', 'CB')"_s);
    home.logins = 0;
    struct Case
    {
        const char* login; // nullptr: the login is cancelled
        const char* password;
        const char* mode;
        QString result, title, fullName;
        QStringList messages;
    };
    const QString administrator = u"Kiểm tra quyền quản trị"_s;
    const QString again = u"Nhập lại tên, mật khẩu đang dùng"_s;
    const Case cases[] = {
        {"qtri", "abc123", "q", u"q"_s, administrator, u"Nguyễn Quản Trị"_s, {}},
        {"canbo", "xyz789", "q", QString(), administrator, QString(), {app::kNeedAdministrator}},
        {"Trần Cán Bộ", "xyz789", "mk", u"CB"_s, again, u"Trần Cán Bộ"_s, {}},
        {nullptr, nullptr, "q", QString(), administrator, QString(), {}},
        {nullptr, nullptr, "mk", QString(), again, QString(), {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.mode) + " " + (c.login ? c.login : "cancelled"));
        home.responder.clear();
        home.cancelLogin = c.login == nullptr;
        home.loginName = QString::fromUtf8(c.login ? c.login : "");
        home.loginPassword = QString::fromUtf8(c.password ? c.password : "");
        home.queueLogin();
        EXPECT_EQ(app::confirmRights(app::module1(), QString::fromLatin1(c.mode)), c.result);
        EXPECT_EQ(home.loginTitle, c.title);
        EXPECT_EQ(home.messages(), c.messages);
        if (!c.result.isEmpty()) {
            EXPECT_EQ(app::module1().userFullName, c.fullName);
        }
    }
    EXPECT_EQ(home.logins, 5);
}

} // namespace
