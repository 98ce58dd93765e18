#include "accessibility_check.h"
#include "app/frmlogin.h"
#include "app/messenger.h"
#include "app/module1.h"
#include "platform/sys/logon_name.h"
#include "platform/ui/msg_box.h"
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

class FrmLoginTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        app::resetModule1();
        fx.addUser(QStringLiteral("Nguyễn Văn An"), QStringLiteral("an"), QStringLiteral("matkhau1"),
                   QStringLiteral("QT"));
        fx.addUser(QStringLiteral("Trần Thị Bình"), QStringLiteral("binh"), QStringLiteral("pw"), QStringLiteral("CB"));
        app::module1().filethamkhaolich = fx.path();
        app::module1().dbthamkhaolich = fx.database();
        m_previous = ui::setMsgBoxHandler([this](const QString& prompt, int, const QString& title) {
            boxes << title + QStringLiteral(": ") + prompt;
            return ui::msgbox::Ok;
        });
    }
    void TearDown() override
    {
        ui::setMsgBoxHandler(m_previous);
        app::resetModule1();
    }

    QLineEdit* box(app::LoginForm& form, const char* name)
    {
        return form.control<QLineEdit>(QString::fromLatin1(name));
    }

    UsersFixture fx;
    QStringList boxes;
    ui::MsgBoxHandler m_previous;
};

TEST_F(FrmLoginTest, LoadsNamesAndShowsCaptions)
{
    app::LoginForm form(app::LoginCheck::kModeStartup, QString());
    form.load();
    auto* names = form.control<QComboBox>(QStringLiteral("Combotenbangthamkhao"));
    ASSERT_EQ(names->count(), 2);
    EXPECT_EQ(names->itemText(0), QStringLiteral("Nguyễn Văn An"));
    EXPECT_EQ(form.control<QLabel>(QStringLiteral("Label1"))->text(), QStringLiteral("Kiểm tra tên và mật khẩu "));
    EXPECT_EQ(form.control<QPushButton>(QStringLiteral("cmdok"))->text(), QStringLiteral("&Tiếp tục"));
    EXPECT_EQ(form.control<QPushButton>(QStringLiteral("cmdCancel"))->text(), QStringLiteral("&Kết thúc"));
    EXPECT_EQ(box(form, "Txtchedologin")->text(), QStringLiteral("ktranguoidung"));
    EXPECT_FALSE(box(form, "Txtchedologin")->isVisibleTo(&form));
}

TEST_F(FrmLoginTest, PrefillsTheLogonNameOnlyWhenItIsAUser)
{
    const QString logon = sys::logonName();
    ASSERT_FALSE(logon.isEmpty());
    {
        app::LoginForm form(app::LoginCheck::kModeStartup, QString());
        form.load();
        EXPECT_EQ(box(form, "txtUserName")->text(), QString());
    }
    fx.addUser(QStringLiteral("Người Dùng Máy"), logon, QStringLiteral("pw"), QStringLiteral("CB"));
    app::LoginForm form(app::LoginCheck::kModeStartup, QString());
    form.load();
    EXPECT_EQ(box(form, "txtUserName")->text(), logon);
}

TEST_F(FrmLoginTest, ChoosingANameCopiesItIntoTheNameBox)
{
    app::LoginForm form(app::LoginCheck::kModeStartup, QString());
    form.load();
    auto* names = form.control<QComboBox>(QStringLiteral("Combotenbangthamkhao"));
    emit names->activated(1);
    EXPECT_EQ(box(form, "txtUserName")->text(), QStringLiteral("Trần Thị Bình"));
}

TEST_F(FrmLoginTest, WrongPasswordShowsLoginMessageAndStaysOpen)
{
    app::LoginForm form(app::LoginCheck::kModeStartup, QString());
    form.showModeless();
    box(form, "txtUserName")->setText(QStringLiteral("an"));
    box(form, "txtPassword")->setText(QStringLiteral("sai"));
    form.cmdok_Click();
    EXPECT_EQ(boxes, QStringList{QStringLiteral("Login: Mat khau sai! Can nhap lai mat khau! ")});
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(app::module1().quyendangnhap.isEmpty());

    box(form, "txtPassword")->setText(QStringLiteral("matkhau1"));
    form.cmdok_Click();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(app::module1().quyendangnhap, QStringLiteral("QT"));
    EXPECT_NE(app::module1().thongbao, QStringLiteral("thoi"));
}

TEST_F(FrmLoginTest, GivingUpClosingTheWindowOrEscSetsThoi)
{
    const std::function<void(app::LoginForm&)> ways[] = {
        [](app::LoginForm& f) { f.control<QPushButton>(QStringLiteral("cmdCancel"))->click(); },
        [](app::LoginForm& f) { f.close(); },
        [](app::LoginForm& f) { QTest::keyClick(f.focusWidget(), Qt::Key_Escape); },
    };
    for (const auto& giveUp : ways) {
        app::module1().thongbao.clear();
        app::LoginForm form(app::LoginCheck::kModeStartup, QString());
        form.showModeless();
        giveUp(form);
        EXPECT_FALSE(form.isVisible());
        EXPECT_EQ(app::module1().thongbao, QStringLiteral("thoi"));
    }
}

TEST_F(FrmLoginTest, IsAnAccessibleFixedDialogWithNamedBoxes)
{
    app::LoginForm form(app::LoginCheck::kModeStartup, QString());
    form.showModeless();
    EXPECT_TRUE(test::isAccessible(&form));
    EXPECT_FALSE(form.windowFlags() & Qt::WindowMaximizeButtonHint);
}

TEST_F(FrmLoginTest, F4EmptiesTheFocusedTextBox)
{
    app::LoginForm form(app::LoginCheck::kModeStartup, QString());
    form.showModeless();
    QLineEdit* name = box(form, "txtUserName");
    name->setText(QStringLiteral("an"));
    name->setFocus();
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_F4, Qt::NoModifier);
    QCoreApplication::sendEvent(name, &release);
    EXPECT_EQ(name->text(), QString());
}

TEST_F(FrmLoginTest, UnreadableUsersFileGivesUpAfterItsMessage)
{
    app::module1().filethamkhaolich = fx.path() + QStringLiteral(".missing");
    app::module1().dbthamkhaolich = db::Database(); // the file could not be opened
    test::ScriptedResponder responder;
    app::LoginForm::run(app::LoginCheck::kModeStartup, QString());
    EXPECT_EQ(responder.messages(), QStringList{QStringLiteral("Gặp lỗi khi đang mở danh sách người dùng !")});
    EXPECT_TRUE(responder.modalForms().isEmpty()) << "the dialog is not shown";
    EXPECT_EQ(app::module1().thongbao, QStringLiteral("thoi"));
    EXPECT_TRUE(app::module1().quyendangnhap.isEmpty());
}

} // namespace
