#include "app/core/login_check.h"
#include "app/core/module1.h"
#include "common/user_password.h"
#include "users_fixture.h"

#include <gtest/gtest.h>

using app::LoginCheck;
using Outcome = LoginCheck::Outcome;

namespace {

class LoginCheckTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        app::resetModule1();
        fx.addUser(QStringLiteral("Nguyễn Văn An"), QStringLiteral("an"), QStringLiteral("matkhau1"),
                   QStringLiteral("QT"));
        fx.addUser(QStringLiteral("Trần Thị Bình"), QStringLiteral("binh"), QStringLiteral("bi'nh99"),
                   QStringLiteral("CB"));
        fx.addUser(QStringLiteral("Lê Cường"), QString(), QString(), QStringLiteral("LĐ"));
        fx.addUser(QStringLiteral("Phạm Dũng"), QStringLiteral("dung"), QStringLiteral("   "), QStringLiteral("CB"));
        fx.addUser(QStringLiteral("Hoàng Em"), QStringLiteral("em"), QStringLiteral("xyz"), QString());
        fx.addUser(QStringLiteral("Đỗ Giang"), QStringLiteral("giang"),
                   common::makePasswordVerifier(QStringLiteral("Bi-Mat7")), QStringLiteral("QT - LĐ"));
    }

    LoginCheck startup() { return LoginCheck(app::module1(), fx.users(), LoginCheck::kModeStartup); }

    UsersFixture fx;
};

// The last row uses the rights check's mode: the rights become the rights asked for.
TEST_F(LoginCheckTest, GoodLoginsLogInAndSetNameAndRights)
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
        LoginCheck check(state, fx.users(),
                         rightsCheck ? QStringLiteral("KtraQuyenQuanTri") : LoginCheck::kModeStartup);
        const LoginCheck::Attempt a = check.attempt(QString::fromUtf8(name), QString::fromUtf8(password));
        EXPECT_EQ(a.outcome, Outcome::LoggedIn);
        EXPECT_TRUE(a.messages.isEmpty());
        EXPECT_EQ(state.userFullName, QString::fromUtf8(hoten));
        EXPECT_EQ(state.userRights, QString::fromUtf8(quyen));
        EXPECT_EQ(a.confirmedRights, rightsCheck ? QString::fromUtf8(quyen) : QString());
    }
}

TEST_F(LoginCheckTest, EmptyUsersTableLogsInUnknownAdministrator)
{
    fx.db().execute(QStringLiteral("DELETE * FROM nguoidung"));
    LoginCheck check = startup();
    const LoginCheck::Attempt a = check.attempt(QStringLiteral("ai đó"), QStringLiteral("sai"));
    EXPECT_EQ(a.outcome, Outcome::LoggedIn);
    EXPECT_EQ(app::module1().userFullName, QStringLiteral("Một người không rõ tên"));
    EXPECT_EQ(app::module1().userRights, QStringLiteral("Q"));
    EXPECT_EQ(a.confirmedRights, QStringLiteral("Q"));
}

// Each refused try has its message (a quote typed is an ordinary character); without a hint the
// thirteenth failure ends the tries and logs out whoever was logged in.
TEST_F(LoginCheckTest, RefusedTriesGiveTheirMessagesAndTheThirteenthLogsOut)
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
        ASSERT_EQ(check.attempt(QStringLiteral("nobody"), QStringLiteral("x")).outcome, Outcome::TryAgain) << i;
    app::module1().userFullName = QStringLiteral("earlier user");
    app::module1().userRights = QStringLiteral("QT");
    const LoginCheck::Attempt last = check.attempt(QStringLiteral("nobody"), QStringLiteral("x"));
    EXPECT_EQ(last.outcome, Outcome::OutOfTries);
    EXPECT_TRUE(last.confirmedRights.isEmpty());
    EXPECT_TRUE(app::module1().userFullName.isEmpty());
    EXPECT_TRUE(app::module1().userRights.isEmpty());
}

// The third failure on a known name brings the password's hint (a verifier gives none) and
// leaves three more tries.
TEST_F(LoginCheckTest, HintAfterThirdFailureThenThreeMoreTries)
{
    for (const char* name : {"an", "giang"}) {
        LoginCheck check = startup();
        for (int i = 1; i <= 2; ++i)
            EXPECT_EQ(check.attempt(QString::fromLatin1(name), QStringLiteral("no")).messages.size(), 1);
        const LoginCheck::Attempt third = check.attempt(QString::fromLatin1(name), QStringLiteral("no"));
        EXPECT_EQ(third.outcome, Outcome::TryAgain);
        EXPECT_EQ(third.messages.value(1), name[0] == 'a' ? QStringLiteral("Goi y mat khau:  ma...u1") : QString());
        EXPECT_EQ(third.messages.size(), name[0] == 'a' ? 2 : 1) << name;
        for (int i = 0; i < 2; ++i)
            EXPECT_EQ(check.attempt(QString::fromLatin1(name), QStringLiteral("no")).outcome, Outcome::TryAgain);
        EXPECT_EQ(check.attempt(QString::fromLatin1(name), QStringLiteral("no")).outcome, Outcome::OutOfTries);
    }
    LoginCheck afterHint = startup(); // the right password after the hint still logs in
    for (int i = 0; i < 3; ++i)
        afterHint.attempt(QStringLiteral("an"), QStringLiteral("no"));
    EXPECT_EQ(afterHint.attempt(QStringLiteral("an"), QStringLiteral("matkhau1")).outcome, Outcome::LoggedIn);
}

TEST_F(LoginCheckTest, PrefillKeepsOnlyAKnownLogonNameAndTheListHasEveryFullName)
{
    LoginCheck check = startup();
    EXPECT_EQ(check.prefillName(QStringLiteral("an")), QStringLiteral("an"));
    EXPECT_EQ(check.prefillName(QStringLiteral("Lê Cường")), QStringLiteral("Lê Cường"));
    EXPECT_EQ(check.prefillName(QStringLiteral("root")), QString());
    EXPECT_EQ(check.prefillName(QStringLiteral("o'neil")), QString());
    EXPECT_EQ(check.prefillName(QString()), QString());
    fx.addUser(QString(), QStringLiteral("ghost"), QStringLiteral("g"), QStringLiteral("CB"));
    const QStringList names = startup().names(); // a user without a full name is not listed
    EXPECT_EQ(names.size(), 6);
    EXPECT_TRUE(names.contains(QStringLiteral("Lê Cường")));
    EXPECT_FALSE(names.contains(QString()));

    fx.db().execute(QStringLiteral("DELETE * FROM nguoidung"));
    LoginCheck empty = startup();
    EXPECT_EQ(empty.prefillName(QStringLiteral("an")), QString());
}

TEST_F(LoginCheckTest, ClearTextRowIsUpgradedAtItsFirstLoginOnly)
{
    auto stored = [this] {
        db::Recordset rs = fx.db().openRecordset(QStringLiteral("select * from nguoidung where hoten='Nguyễn Văn An'"),
                                                 db::RecordsetType::Snapshot);
        return rs.value(QStringLiteral("matkhau")).toString();
    };
    // Each login on a fresh check, as each start of the program makes one.
    const auto login = [this](const QString& password) {
        return LoginCheck(app::module1(), fx.users(), LoginCheck::kModeStartup, fx.db())
            .attempt(QStringLiteral("an"), password)
            .outcome;
    };
    EXPECT_EQ(login(QStringLiteral("nope")), Outcome::TryAgain);
    EXPECT_EQ(stored(), QStringLiteral("matkhau1")) << "a failed login changes nothing";
    EXPECT_EQ(login(QStringLiteral("MatKhau1")), Outcome::LoggedIn);
    const QString upgraded = stored();
    EXPECT_TRUE(common::isPasswordVerifier(upgraded)) << upgraded.toStdString();
    EXPECT_EQ(login(QStringLiteral("matkhau1")), Outcome::LoggedIn);
    EXPECT_EQ(stored(), upgraded) << "a verifier is not rewritten";
    EXPECT_EQ(login(QStringLiteral("' or '1'='1")), Outcome::TryAgain);
}

} // namespace
