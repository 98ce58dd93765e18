#include "accessibility_check.h"
#include "app/core/messenger.h"
#include "app/core/module1.h"
#include "app/gui/frmlogin.h"
#include "platform/sys/logon_name.h"
#include "scripted_responder.h"
#include "users_fixture.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

namespace {

class LoginFormTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        app::resetModule1();
        fx.addUser(QStringLiteral("Nguyễn Văn An"), QStringLiteral("an"), QStringLiteral("matkhau1"),
                   QStringLiteral("QT"));
        fx.addUser(QStringLiteral("Trần Thị Bình"), QStringLiteral("binh"), QStringLiteral("pw"), QStringLiteral("CB"));
        app::module1().scheduleReferencePath = fx.path();
        app::module1().scheduleReference = fx.db();
    }
    void TearDown() override { app::resetModule1(); }

    UsersFixture fx;
    test::ScriptedResponder responder; // answers and records the message boxes
};

// The login dialog's controls, typed.
struct LoginPage
{
    explicit LoginPage(bool shown = true) : form(app::module1(), app::LoginCheck::kModeStartup, QString())
    {
        if (shown)
            form.showModeless();
        else
            form.load();
    }
    QLineEdit* box(const char* name) { return form.control<QLineEdit>(QString::fromLatin1(name)); }
    QPushButton* button(const char* name) { return form.control<QPushButton>(QString::fromLatin1(name)); }
    QLineEdit* name() { return box("txtUserName"); }
    QLineEdit* password() { return box("txtPassword"); }
    QComboBox* names() { return form.control<QComboBox>(QStringLiteral("Combotenbangthamkhao")); }

    app::LoginForm form;
};

TEST_F(LoginFormTest, ShowsCaptionsAndNamesAndTakesTheKeys)
{
    LoginPage page;
    ASSERT_EQ(page.names()->count(), 2);
    EXPECT_EQ(page.names()->itemText(0), QStringLiteral("Nguyễn Văn An"));
    EXPECT_EQ(page.form.control<QLabel>(QStringLiteral("Label1"))->text(), QStringLiteral("Kiểm tra tên và mật khẩu "));
    EXPECT_EQ(page.button("cmdok")->text(), QStringLiteral("&Tiếp tục"));
    EXPECT_EQ(page.button("cmdCancel")->text(), QStringLiteral("&Kết thúc"));
    EXPECT_EQ(page.box("Txtchedologin")->text(), QStringLiteral("ktranguoidung"));
    EXPECT_FALSE(page.box("Txtchedologin")->isVisibleTo(&page.form));
    EXPECT_TRUE(test::isAccessible(&page.form));
    EXPECT_FALSE(page.form.windowFlags() & Qt::WindowMaximizeButtonHint);

    emit page.names()->activated(1); // choosing a name copies it into the name box
    EXPECT_EQ(page.name()->text(), QStringLiteral("Trần Thị Bình"));
    page.name()->setFocus(); // F4 (on release) empties the box with the focus
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_F4, Qt::NoModifier);
    QCoreApplication::sendEvent(page.name(), &release);
    EXPECT_EQ(page.name()->text(), QString());
}

TEST_F(LoginFormTest, PrefillsTheLogonNameOnlyWhenItIsAUser)
{
    const QString logon = sys::logonName();
    ASSERT_FALSE(logon.isEmpty());
    EXPECT_EQ(LoginPage(false).name()->text(), QString());
    fx.addUser(QStringLiteral("Người Dùng Máy"), logon, QStringLiteral("pw"), QStringLiteral("CB"));
    EXPECT_EQ(LoginPage(false).name()->text(), logon);
}

TEST_F(LoginFormTest, WrongPasswordShowsLoginMessageAndStaysOpen)
{
    LoginPage page;
    page.name()->setText(QStringLiteral("an"));
    page.password()->setText(QStringLiteral("sai"));
    page.form.cmdok_Click();
    EXPECT_EQ(responder.messageBoxes(), QStringList{"Mat khau sai! Can nhap lai mat khau! "});
    EXPECT_EQ(responder.shown().value(0).mode, QStringLiteral("Login"));
    EXPECT_TRUE(page.form.isVisible());
    EXPECT_TRUE(app::module1().userRights.isEmpty());

    page.password()->setText(QStringLiteral("matkhau1"));
    page.form.cmdok_Click();
    EXPECT_FALSE(page.form.isVisible());
    EXPECT_EQ(app::module1().userRights, QStringLiteral("QT"));
    EXPECT_FALSE(page.form.gaveUp());
}

TEST_F(LoginFormTest, GivingUpClosingTheWindowOrEscGivesUp)
{
    const std::function<void(LoginPage&)> ways[] = {
        [](LoginPage& p) { p.button("cmdCancel")->click(); },
        [](LoginPage& p) { p.form.close(); },
        [](LoginPage& p) { QTest::keyClick(p.form.focusWidget(), Qt::Key_Escape); },
    };
    for (const auto& giveUp : ways) {
        LoginPage page;
        EXPECT_FALSE(page.form.gaveUp());
        giveUp(page);
        EXPECT_FALSE(page.form.isVisible());
        EXPECT_TRUE(page.form.gaveUp());
    }
}

TEST_F(LoginFormTest, UnreadableUsersFileGivesUpAfterItsMessage)
{
    app::module1().scheduleReferencePath = fx.path() + QStringLiteral(".missing");
    app::module1().scheduleReference = db::Database(); // the file could not be opened
    EXPECT_TRUE(app::LoginForm::run(app::module1(), app::LoginCheck::kModeStartup, QString()).gaveUp);
    EXPECT_EQ(responder.messages(), QStringList{"Gặp lỗi khi đang mở danh sách người dùng !"});
    EXPECT_TRUE(responder.modalForms().isEmpty()) << "the dialog is not shown";
    EXPECT_TRUE(app::module1().userRights.isEmpty());
}

} // namespace
