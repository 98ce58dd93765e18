#include "reference_fixture.h"

#include "app/core/login_check.h"
#include "app/gui/list_menus.h"
#include "common/user_password.h"
#include "datafiles/forms/file_dialog.h"
#include "files.h"
#include "reference/reference_rules.h"
#include "reference/users_form.h"

#include <QDir>
#include <QLineEdit>
#include <QTemporaryDir>

namespace reference_test {
namespace {

class UsersFormTest : public ReferenceTest
{
protected:
    db::Database& users() { return app::module1().scheduleReference; }
    void addUser(const char* hoten, const char* login, const char* password, const char* quyenhan)
    {
        test::insertRow(users(), u"nguoidung"_s,
                        {{u"hoten"_s, QString::fromUtf8(hoten)},
                         {u"tentrenmang"_s, QString::fromUtf8(login)},
                         {u"matkhau"_s, common::makePasswordVerifier(QString::fromUtf8(password))},
                         {u"quyenhan"_s, QString::fromUtf8(quyenhan)}});
    }
    // Opens the users list through its menu, logged in again as name/password.
    void openAs(const char* name, const char* password, std::function<void(reference::UsersForm&)> script)
    {
        home.loginName = QString::fromUtf8(name);
        home.loginPassword = QString::fromUtf8(password);
        home.queueLogin();
        home.responder.onModal(u"frmloaitien"_s,
                               [script](ui::FormBase& form) { script(static_cast<reference::UsersForm&>(form)); });
        app::runListMenu(app::module1(), u"mnunguoidung"_s, &mainWindow);
    }
    bool logsIn(const char* name, const char* password)
    {
        app::LoginCheck check(app::module1(),
                              users().openRecordset(u"select * from nguoidung"_s, db::RecordsetType::Snapshot),
                              app::LoginCheck::kModeStartup);
        return check.attempt(QString::fromUtf8(name), QString::fromUtf8(password)).outcome ==
               app::LoginCheck::Outcome::LoggedIn;
    }
    static void fill(reference::UsersForm& form, const char* name, const char* login, const char* password)
    {
        form.fullNameBox->setText(QString::fromUtf8(name));
        form.loginNameBox->setText(QString::fromUtf8(login));
        form.passwordBox->setText(QString::fromUtf8(password));
    }
};

TEST_F(UsersFormTest, AdministratorAddsUsersWithHiddenPasswordsAndCannotCloseWithoutAnAdministrator)
{
    QStringList expected;
    QString anPassword;
    openAs("ai", "", [&](reference::UsersForm& form) {
        EXPECT_TRUE(test::isAccessible(&form));
        EXPECT_EQ(qobject_cast<QLineEdit*>(form.passwordBox->editor())->echoMode(), QLineEdit::Password);
        for (int i = 0; i < form.DBGrid2->columns(); ++i)
            EXPECT_NE(form.DBGrid2->columnField(i), u"matkhau"_s);

        click(form.ui().cmdAdd);
        EXPECT_TRUE(form.administratorCheck->isChecked() && form.leaderCheck->isChecked()) << "the first user";
        EXPECT_EQ(form.rightsBox->text(), u"QT - LĐ"_s);
        fill(form, "Nguyễn Văn An", "an", "MatKhau1");
        click(form.ui().cmdUpdate);
        anPassword = test::tableRows(users(), u"nguoidung"_s, u"matkhau"_s).value(0);

        click(form.ui().cmdAdd);
        EXPECT_EQ(form.rightsBox->text(), u"CB"_s);
        fill(form, "Nguyễn Văn An", "an2", "x");
        click(form.ui().cmdUpdate);
        expected << u"Không được nhập họ tên mới là 'Nguyễn Văn An' vì họ tên này đã được dùng! Phải đặt "
                    "lại họ tên khác (Thêm chữ A, B hoặc chữ tắt tên phòng ban v.v..)."_s;
        fill(form, "Trần Bình", "AN", "x");
        click(form.ui().cmdUpdate);
        expected << u"Không được đặt tên trên mạng là AN vì tên này đã được dùng! Phải đặt lại tên khác."_s;
        for (const char* bad : {"mat khau", "mậtkhẩu", "đ", "ẠBC", "ưu"}) {
            fill(form, "Trần Bình", "", bad);
            click(form.ui().cmdUpdate);
            expected << reference::kPasswordRule;
        }
        fill(form, "Trần Bình", "", "Binh-2026!");
        click(form.ui().cmdUpdate);
        EXPECT_EQ(form.ui().cmdAdd->text(), u"&Nạp mới"_s) << "saved, back to view";

        // Editing without changing the name finds no conflict with the row itself; An loses the
        // administrator rights (the person logged in is not in the list).
        ASSERT_TRUE(form.Data1->findFirst(u"hoten = 'Nguyễn Văn An'"_s));
        click(form.ui().Cmdsua);
        EXPECT_TRUE(form.passwordBox->text().isEmpty()) << "a password is never shown";
        form.administratorCheck->click();
        EXPECT_EQ(form.rightsBox->text(), u"LĐ"_s);
        click(form.ui().cmdUpdate);
        click(form.ui().cmdclose);
        expected << reference::kNeedOneAdministrator;
        EXPECT_TRUE(form.isVisible()) << "no administrator left: the form stays open";

        click(form.ui().cmdDelete);
        click(form.ui().cmdDelete);
        click(form.ui().cmdclose);
        EXPECT_FALSE(form.isVisible());
    });
    EXPECT_EQ(home.messages(), expected);
    EXPECT_TRUE(common::isPasswordVerifier(anPassword)) << anPassword.toStdString();
    EXPECT_FALSE(anPassword.contains(u"MatKhau1"_s, Qt::CaseInsensitive));
    EXPECT_TRUE(test::tableRows(users(), u"nguoidung"_s, u"hoten"_s).isEmpty());
    EXPECT_EQ(app::module1().userFullName, u"Một người không rõ tên"_s);
    EXPECT_EQ(app::module1().userRights, u"QT"_s);
}

TEST_F(UsersFormTest, OrdinaryUserChangesOnlyHisOwnPassword)
{
    addUser("Quản Trị", "qt", "admin", "QT");
    addUser("Lê Cường", "cuong", "cu", "CB");
    openAs("cuong", "CU", [](reference::UsersForm& form) {
        EXPECT_EQ(
            std::tuple(form.lbltrangthai->text(), form.Data1->recordset().recordCount(), form.fullNameBox->text()),
            std::tuple(u"Đổi mật khẩu"_s, 1, u"Lê Cường"_s));
        EXPECT_EQ(std::pair(form.ui().cmdAdd->isEnabled(), form.ui().cmdDelete->isEnabled()), std::pair(false, false));
        click(form.ui().Cmdsua);
        // Name and login name locked, rights closed, password open.
        EXPECT_EQ((QList<bool>{form.fullNameBox->isLocked(), form.loginNameBox->isLocked(),
                               form.rightsFrame->isEnabled(), form.passwordBox->isLocked()}),
                  (QList<bool>{true, true, false, false}));
        form.passwordBox->setText(u"Moi123"_s);
        click(form.ui().cmdUpdate);
        click(form.ui().cmdclose);
    });
    EXPECT_TRUE(home.messages().isEmpty()) << home.messageText();
    EXPECT_EQ(test::tableRows(users(), u"nguoidung"_s, u"hoten, tentrenmang, quyenhan"_s),
              (QStringList{"Quản Trị|qt|QT", "Lê Cường|cuong|CB"}));
    EXPECT_TRUE(logsIn("cuong", "moi123"));
    EXPECT_FALSE(logsIn("cuong", "cu"));
    EXPECT_TRUE(logsIn("qt", "admin"));

    // In an old list that lost its administrators only closing is held up: by the button, then by
    // the close box.
    users().execute(u"DELETE * FROM nguoidung WHERE tentrenmang = 'qt'"_s);
    home.responder.clear();
    openAs("cuong", "moi123", [](reference::UsersForm& form) {
        click(form.ui().Cmdsua);
        form.passwordBox->setText(u"moi"_s);
        click(form.ui().cmdUpdate);
        click(form.ui().cmdclose);
        EXPECT_TRUE(form.isVisible());
    });
    EXPECT_EQ(home.messages(), QStringList(2, reference::kNeedOneAdministrator));
    EXPECT_TRUE(logsIn("cuong", "moi"));
}

TEST_F(UsersFormTest, LoggedInUserIsNeitherDeletedNorDemotedWhenNoAdministratorWouldRemain)
{
    addUser("Quản Trị", "qt", "admin", "QT");
    addUser("Phó Giám Đốc", "pho", "p", "QT - LĐ");
    addUser("Cán Bộ", "cb", "c", "CB");
    openAs("qt", "admin", [](reference::UsersForm& form) {
        ASSERT_TRUE(form.Data1->findFirst(u"hoten = 'Phó Giám Đốc'"_s));
        click(form.ui().cmdDelete); // another administrator may go while the one logged in stays
        ASSERT_TRUE(form.Data1->findFirst(u"hoten = 'Quản Trị'"_s));
        click(form.ui().cmdDelete);
        click(form.ui().Cmdsua);
        form.administratorCheck->click();
        click(form.ui().cmdUpdate);
        click(form.ui().Cmdsua); // "&Huỷ sửa"
        // Renamed, he is still the one logged in: the form and the program know him by the new name.
        click(form.ui().Cmdsua);
        form.fullNameBox->setText(u"Quản Trị Viên"_s);
        click(form.ui().cmdUpdate);
        click(form.ui().cmdDelete);
        click(form.ui().cmdclose);
    });
    EXPECT_EQ(home.messages(), QStringList(3, reference::kNeedOneAdministrator));
    EXPECT_EQ(test::tableRows(users(), u"nguoidung"_s, u"hoten, quyenhan"_s),
              (QStringList{"Quản Trị Viên|QT", "Cán Bộ|CB"}));
    EXPECT_EQ(app::module1().userFullName, u"Quản Trị Viên"_s);
}

// The users list is exported without its passwords; a file held open by another program is
// refused with a message and kept.
TEST_F(UsersFormTest, ExportLeavesThePasswordsOutAndKeepsAFileInUse)
{
    addUser("Nguyễn Văn An", "an", "MatKhau1", "QT - LĐ");
    addUser("Trần \"Bình\", =1+1", "binh", "x", "CB");
    QTemporaryDir dir;
    const QString file = dir.filePath(u"Người dùng.csv"_s);
    const datafiles::FileChooser previous =
        datafiles::setSaveFileChooser([&](const datafiles::OpenFileRequest&) { return file; });
    ASSERT_TRUE(test::writeFile(file, "old"));
    ASSERT_TRUE(test::writeFile(dir.filePath(u".~lock.Người dùng.csv#"_s), "x"));
    QStringList messages;
    openAs("an", "MatKhau1", [&](reference::UsersForm& form) {
        EXPECT_TRUE(test::isAccessible(&form));
        if (const QString shots = qEnvironmentVariable("SELVARO_SHOTS_DIR"); !shots.isEmpty())
            form.grab().save(QDir(shots).filePath(u"frmloaitien_export.png"_s));
        home.responder.clear();
        click(form.ui().cmdxuatexcel);
        EXPECT_EQ(test::readFile(file), QByteArray("old"));
        QFile::remove(dir.filePath(u".~lock.Người dùng.csv#"_s));
        click(form.ui().cmdxuatexcel);
        messages = home.messages();
        click(form.ui().cmdclose);
    });
    datafiles::setSaveFileChooser(previous);
    ASSERT_EQ(messages.size(), 2);
    EXPECT_TRUE(messages.at(0).startsWith(u"File "_s + file + u" đang được mở trong chương trình khác !"_s));
    EXPECT_EQ(test::readFile(file), u"\uFEFFHọ tên người dùng,Tên trên mạng,Quyền hạn\r\n"
                                    "Nguyễn Văn An,an,QT - LĐ\r\n"
                                    "\"Trần \"\"Bình\"\", =1+1\",binh,CB\r\n"_s.toUtf8());
}

} // namespace
} // namespace reference_test
