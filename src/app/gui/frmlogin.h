#pragma once

#include "app/core/login_check.h"
#include "platform/db/database.h"
#include "platform/ui/form_base.h"

#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace app {

// The old form frmLogin. The login dialog: the user names himself (typed, or chosen from the list of full names) and
// gives his password, checked against the users table nguoidung of the reference file beside the
// schedule file (scheduleReferencePath). The checks are LoginCheck's; this form shows their messages
// in the platform message box titled "Login".
//
// Modes (the hidden box Txtchedologin): "ktranguoidung" at start-up, "ktraquyenquantri" for the
// administrator-rights check. "&Kết thúc" and the close box give up (gaveUp()).
// When the users table cannot be read the form tells so through the message dialog and gives
// up the same way without showing itself. Enter presses "&Tiếp tục" (except on the list of
// names), Esc "&Kết thúc"; F4 (on key release) empties the text box that has the focus.
class LoginForm : public ui::FormBase
{
    Q_OBJECT

public:
    // state: the program state whose users' file (scheduleReference) is read and whose login is
    // set. title: replaces the designed title "Kiểm tra tên và mật khẩu " when not empty.
    LoginForm(Module1& state, const QString& mode, const QString& title, QWidget* parent = nullptr);
    ~LoginForm() override;

    struct Result
    {
        bool gaveUp = false;     // "&Kết thúc", Esc, the close box, or an unreadable users table
        QString confirmedRights; // what a rights check confirmed (LoginCheck::Attempt)
    };
    // Shows a new login dialog modal and returns when it has closed (at once, after its message,
    // when the users table cannot be read). Unless the user gave up, the program's login state
    // says who logged in (nobody after too many failures).
    [[nodiscard]] static Result run(Module1& state, const QString& mode, const QString& title);

    void cmdok_Click();
    void cmdCancel_Click();

    // False when the users table could not be read (the form has then given up).
    bool isUsable() const { return m_check != nullptr; }
    // True once the user gave up: "&Kết thúc", Esc, the close box, or an unreadable users table.
    bool gaveUp() const { return m_gaveUp; }

protected:
    void Form_Load() override;
    ui::UnloadResult Form_Unload() override;
    ui::KeyResult Form_KeyDown(int keyCode, int shift) override;
    void Form_KeyUp(int keyCode, int shift) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* Label1 = nullptr;
    QLineEdit* txtUserName = nullptr;
    QLineEdit* txtPassword = nullptr;
    QComboBox* Combotenbangthamkhao = nullptr;
    QLineEdit* Txtchedologin = nullptr;
    QPushButton* cmdok = nullptr;
    QPushButton* cmdCancel = nullptr;

    Module1& m_state;
    db::Database m_db;
    db::Recordset m_users;
    std::unique_ptr<LoginCheck> m_check;
    bool m_done = false; // logged in, out of tries or given up: unloading changes nothing more
    bool m_gaveUp = false;
    QString m_confirmedRights;
};

} // namespace app
