#include "app/core/login_check.h"
#include "app/core/module1.h"
#include "common/user_password.h"
#include "users_fixture.h"

#include <gtest/gtest.h>

using app::LoginCheck;
using Outcome = LoginCheck::Outcome;

namespace {

class LoginCheckTest : public LoginUsersTest
{
protected:
    LoginCheck startup() { return LoginCheck(app::module1(), fx.users(), LoginCheck::kModeStartup); }
};

// The last row uses the rights check's mode: the rights become the rights asked for. The logon
// name is prefilled when it is a user's; users without a full name are not listed; an empty users
// table prefills nothing and lets anyone in as an unknown administrator.
TEST_F(LoginCheckTest, GoodLoginsSetNameAndRightsThePrefillAndAnEmptyUsersTableLetsAnyoneIn)
{
    const std::tuple<const char*, const char*, const char*, const char*, const char*> cases[] = {
        {"by login name", "an", "matkhau1", "Nguyễn Văn An", "QT"},
        {"by full name", "Nguyễn Văn An", "matkhau1", "Nguyễn Văn An", "QT"},
        {"typed text is trimmed", "  an ", " matkhau1  ", "Nguyễn Văn An", "QT"},
        {"quote in the stored password", "binh", "bi'nh99", "Trần Thị Bình", "CB"},
        {"null password lets in any password", "Lê Cường", "whatever", "Lê Cường", "LĐ"},
        {"blank password lets in any password", "dung", "", "Phạm Dũng", "CB"},
        {"empty rights still pass the password check", "em", "xyz", "Hoàng Em", ""},
        {"verifier, password in another case", "giang", "bI-mAT7", "Đỗ Giang", "QT - LĐ"},
        {"rights check", "binh", "bi'nh99", "Trần Thị Bình", "CB"},
    };
    for (const auto& [what, name, password, hoten, quyen] : cases) {
        SCOPED_TRACE(what);
        app::Module1 state; // the login is written to the state handed in
        const bool rightsCheck = what[0] == 'r';
        LoginCheck check(state, fx.users(), rightsCheck ? u"KtraQuyenQuanTri"_s : LoginCheck::kModeStartup);
        const LoginCheck::Attempt a = check.attempt(QString::fromUtf8(name), QString::fromUtf8(password));
        EXPECT_EQ(a.outcome, Outcome::LoggedIn);
        // Full name, rights and the rights confirmed, then the messages (none).
        EXPECT_EQ((QStringList{state.userFullName, state.userRights, a.confirmedRights} + a.messages),
                  (QStringList{QString::fromUtf8(hoten), QString::fromUtf8(quyen),
                               rightsCheck ? QString::fromUtf8(quyen) : QString()}));
    }

    LoginCheck check = startup();
    QStringList prefilled;
    for (const QString& logon : {u"an"_s, u"Lê Cường"_s, u"root"_s, u"o'neil"_s, QString()})
        prefilled << check.prefillName(logon);
    EXPECT_EQ(prefilled, (QStringList{"an", "Lê Cường", "", "", ""}));
    fx.addUser(QString(), u"ghost"_s, u"g"_s, u"CB"_s);
    // A user without a full name is not listed.
    EXPECT_EQ(startup().names(),
              (QStringList{"Nguyễn Văn An", "Trần Thị Bình", "Lê Cường", "Phạm Dũng", "Hoàng Em", "Đỗ Giang"}));

    // An empty users table prefills nothing and lets anyone in as an unknown administrator.
    fx.db().execute(u"DELETE * FROM nguoidung"_s);
    LoginCheck empty = startup();
    EXPECT_EQ(empty.prefillName(u"an"_s), QString());
    const LoginCheck::Attempt a = empty.attempt(u"ai đó"_s, u"sai"_s);
    EXPECT_EQ(a.outcome, Outcome::LoggedIn);
    EXPECT_EQ((QStringList{app::module1().userFullName, app::module1().userRights, a.confirmedRights}),
              (QStringList{"Một người không rõ tên", "Q", "Q"}));
}

// Each refused try has its message (a quote typed is an ordinary character); without a hint the
// thirteenth failure ends the tries and logs out whoever was logged in. The third failure on a
// known name brings the password's hint (a verifier gives none) and leaves three more tries.
TEST_F(LoginCheckTest, RefusedTriesGiveTheirMessagesTheHintAfterTheThirdAndThenEndTheTries)
{
    const QList<std::tuple<const char*, const char*, QString>> tries = {
        {"nobody", "x", LoginCheck::kUnknownName},
        {"an", "xyz", LoginCheck::kWrongPassword}, // another user's password
        {"' or '1'='1", "' or '1'='1", LoginCheck::kUnknownName},
        {"an", "' or '1'='1", LoginCheck::kWrongPassword},
        {"giang", "wrong", LoginCheck::kWrongPassword},
        {"giang", "", LoginCheck::kWrongPassword},
        {"giang", "' or '1'='1", LoginCheck::kWrongPassword},
    };
    LoginCheck check = startup();
    for (const auto& [name, password, message] : tries) {
        const LoginCheck::Attempt a = check.attempt(QString::fromUtf8(name), QString::fromUtf8(password));
        EXPECT_EQ(a.outcome, Outcome::TryAgain) << name << " / " << password;
        EXPECT_EQ(a.messages, QStringList{message}) << name << " / " << password;
    }
    EXPECT_EQ(check.failures(), 7) << "an unknown name and a wrong password count alike";
    EXPECT_TRUE(app::module1().userRights.isEmpty());
    for (int i = 8; i <= 12; ++i)
        ASSERT_EQ(check.attempt(u"nobody"_s, u"x"_s).outcome, Outcome::TryAgain) << i;
    app::module1().userFullName = u"earlier user"_s;
    app::module1().userRights = u"QT"_s;
    const LoginCheck::Attempt last = check.attempt(u"nobody"_s, u"x"_s);
    EXPECT_EQ(last.outcome, Outcome::OutOfTries);
    EXPECT_EQ(last.confirmedRights + app::module1().userFullName + app::module1().userRights, QString());

    for (const char* name : {"an", "giang"}) {
        LoginCheck check = startup();
        for (int i = 1; i <= 2; ++i)
            EXPECT_EQ(check.attempt(QString::fromLatin1(name), u"no"_s).messages.size(), 1);
        const LoginCheck::Attempt third = check.attempt(QString::fromLatin1(name), u"no"_s);
        EXPECT_EQ(third.outcome, Outcome::TryAgain);
        EXPECT_EQ(third.messages.value(1), name[0] == 'a' ? u"Goi y mat khau:  ma...u1"_s : QString());
        EXPECT_EQ(third.messages.size(), name[0] == 'a' ? 2 : 1) << name;
        for (int i = 0; i < 2; ++i)
            EXPECT_EQ(check.attempt(QString::fromLatin1(name), u"no"_s).outcome, Outcome::TryAgain);
        EXPECT_EQ(check.attempt(QString::fromLatin1(name), u"no"_s).outcome, Outcome::OutOfTries);
    }
    LoginCheck afterHint = startup(); // the right password after the hint still logs in
    for (int i = 0; i < 3; ++i)
        afterHint.attempt(u"an"_s, u"no"_s);
    EXPECT_EQ(afterHint.attempt(u"an"_s, u"matkhau1"_s).outcome, Outcome::LoggedIn);
}

TEST_F(LoginCheckTest, ClearTextRowIsUpgradedAtItsFirstLoginOnly)
{
    auto stored = [this] {
        db::Recordset rs = fx.db().openRecordset(u"select * from nguoidung where hoten='Nguyễn Văn An'"_s,
                                                 db::RecordsetType::Snapshot);
        return rs.value(u"matkhau"_s).toString();
    };
    // Each login on a fresh check, as each start of the program makes one.
    const auto login = [this](const QString& password) {
        return LoginCheck(app::module1(), fx.users(), LoginCheck::kModeStartup, fx.db())
            .attempt(u"an"_s, password)
            .outcome;
    };
    EXPECT_EQ(login(u"nope"_s), Outcome::TryAgain);
    EXPECT_EQ(stored(), u"matkhau1"_s) << "a failed login changes nothing";
    EXPECT_EQ(login(u"MatKhau1"_s), Outcome::LoggedIn);
    const QString upgraded = stored();
    EXPECT_TRUE(common::isPasswordVerifier(upgraded)) << upgraded.toStdString();
    EXPECT_EQ(login(u"matkhau1"_s), Outcome::LoggedIn);
    EXPECT_EQ(stored(), upgraded) << "a verifier is not rewritten";
    EXPECT_EQ(login(u"' or '1'='1"_s), Outcome::TryAgain);
}

} // namespace
