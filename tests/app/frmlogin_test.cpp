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

// The login dialog reads the users from the program's connection to the schedule's reference file.
class LoginFormTest : public LoginUsersTest
{
protected:
    void SetUp() override
    {
        LoginUsersTest::SetUp();
        app::module1().scheduleReferencePath = fx.path();
        app::module1().scheduleReference = fx.db();
    }

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
    QComboBox* names() { return form.control<QComboBox>(u"Combotenbangthamkhao"_s); }

    app::LoginForm form;
};

// A wrong password shows the login message and the dialog stays open for the next try. The name
// box starts with the logon name only when it is a user's.
TEST_F(LoginFormTest, ShowsCaptionsAndNamesTakesTheKeysAndTriesAndPrefillsTheLogonNameOfAUser)
{
    LoginPage page;
    ASSERT_EQ(page.names()->count(), 6);
    EXPECT_EQ(page.names()->itemText(0), u"Nguyễn Văn An"_s);
    EXPECT_EQ((QStringList{page.form.control<QLabel>(u"Label1"_s)->text(), page.button("cmdok")->text(),
                           page.button("cmdCancel")->text(), page.box("Txtchedologin")->text()}),
              (QStringList{"Kiểm tra tên và mật khẩu ", "&Tiếp tục", "&Kết thúc", "ktranguoidung"}));
    EXPECT_FALSE(page.box("Txtchedologin")->isVisibleTo(&page.form));
    EXPECT_TRUE(test::isAccessible(&page.form));
    EXPECT_FALSE(page.form.windowFlags() & Qt::WindowMaximizeButtonHint);

    emit page.names()->activated(1); // choosing a name copies it into the name box
    EXPECT_EQ(page.name()->text(), u"Trần Thị Bình"_s);
    page.name()->setFocus(); // F4 (on release) empties the box with the focus
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_F4, Qt::NoModifier);
    QCoreApplication::sendEvent(page.name(), &release);
    EXPECT_EQ(page.name()->text(), QString());

    page.name()->setText(u"an"_s);
    page.password()->setText(u"sai"_s);
    page.form.cmdok_Click();
    EXPECT_EQ(responder.messageBoxes(), QStringList{"Mat khau sai! Can nhap lai mat khau! "});
    EXPECT_EQ(responder.shown().value(0).mode, u"Login"_s);
    EXPECT_TRUE(page.form.isVisible());
    EXPECT_TRUE(app::module1().userRights.isEmpty());

    page.password()->setText(u"matkhau1"_s);
    page.form.cmdok_Click();
    EXPECT_FALSE(page.form.isVisible());
    EXPECT_EQ(app::module1().userRights, u"QT"_s);
    EXPECT_FALSE(page.form.gaveUp());

    const QString logon = sys::logonName();
    ASSERT_FALSE(logon.isEmpty());
    EXPECT_EQ(LoginPage(false).name()->text(), QString());
    fx.addUser(u"Người Dùng Máy"_s, logon, u"pw"_s, u"CB"_s);
    EXPECT_EQ(LoginPage(false).name()->text(), logon);
}

// An unreadable users file gives up after its message, without showing the dialog.
TEST_F(LoginFormTest, GivingUpClosingTheWindowEscOrAnUnreadableUsersFileGivesUp)
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

    app::module1().scheduleReferencePath = fx.path() + u".missing"_s;
    app::module1().scheduleReference = db::Database(); // the file could not be opened
    EXPECT_TRUE(app::LoginForm::run(app::module1(), app::LoginCheck::kModeStartup, QString()).gaveUp);
    EXPECT_EQ(responder.messages(), QStringList{"Gặp lỗi khi đang mở danh sách người dùng !"});
    EXPECT_TRUE(responder.modalForms().isEmpty()) << "the dialog is not shown";
    EXPECT_TRUE(app::module1().userRights.isEmpty());
}

} // namespace
