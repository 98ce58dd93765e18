#pragma once

// The old form frmloaitien. The users form in its users mode: an administrator adds, edits and deletes the
// people who may log in and sets their rights with two check boxes; anyone else sees only his
// own row and may change only his password.
//
// Passwords are never shown: the password box is masked and starts empty, the grid has no
// password column, and a password typed here is stored as a salted verifier
// (common::makePasswordVerifier). While editing, an empty password box keeps the password the
// user has; a new user added with an empty box has none (he gets in with any password).
//
// The form closes only while some user has administrator rights, or the table is empty (the
// program then goes on with "Một người không rõ tên", an administrator). Deleting the logged-in
// user, or taking his administrator rights, is refused when no other user would be left an
// administrator.

#include "app/gui/form_commands.h"
#include "platform/ui/data_control.h"
#include "platform/ui/form_base.h"
#include "platform/ui/grid.h"
#include "platform/ui/text_box.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <memory>

namespace Ui {
class frmloaitien;
}

namespace reference {

// The logged-in user as the users form needs him, told by its opener.
struct LoggedInUser
{
    QString fullName;        // his full name (hoten): his own row is found by it
    QString confirmedRights; // the rights the rights check has just confirmed ("Q…": administrator)
};

class UsersForm : public ui::FormBase
{
    Q_OBJECT

public:
    explicit UsersForm(QWidget* parent = nullptr);
    ~UsersForm() override;
    // The form's controls, for its tests.
    const Ui::frmloaitien& ui() const { return *m_ui; }

    // Loads the form on the request's record source (all users, or the logged-in user's own row);
    // the rights user.confirmedRights decide what may be done.
    void prepare(const app::FormRequest& request, const LoggedInUser& user);
    void openFor(const app::FormRequest& request, const LoggedInUser& user);

    void cmdAdd_Click();
    void Cmdsua_Click();
    void cmdUpdate_Click();
    void cmdDelete_Click();
    void cmdclose_Click();

    ui::DataControl* Data1 = nullptr;
    ui::Grid* DBGrid2 = nullptr;
    ui::TextBox* fullNameBox = nullptr;
    ui::TextBox* loginNameBox = nullptr;
    ui::TextBox* rightsBox = nullptr;
    ui::TextBox* passwordBox = nullptr;
    QCheckBox* administratorCheck = nullptr;
    QCheckBox* leaderCheck = nullptr;
    QGroupBox* rightsFrame = nullptr;
    QLabel* lbltrangthai = nullptr;

signals:
    // The logged-in user saved his own row under a new full name: from now on he is known by it.
    void loggedInUserRenamed(const QString& fullName);
    // The form closes on an empty users table: the program goes on with an unknown user who is
    // an administrator.
    void closingWithoutUsers();

protected:
    ui::UnloadResult Form_Unload() override;
    void Form_KeyUp(int keyCode, int shift) override;

private:
    void Data1_Reposition();
    void buildRights();
    void showRights();
    void refill();
    void lockBoxes();
    void backToView();
    void viewStatus();
    bool editing() const { return !m_mode.isEmpty(); }
    // True when some row other than the one with identifier id counts as an administrator.
    bool otherAdministrator(const QString& id);
    // True when the current row is the user who is logged in.
    bool currentIsLoggedIn() const;
    QString duplicateMessage(const QString& name, const QString& login);
    bool closeCheck();

    std::unique_ptr<Ui::frmloaitien> m_ui;
    ui::TextBox* boundFullName = nullptr;
    ui::TextBox* boundLoginName = nullptr;
    ui::TextBox* boundRights = nullptr;
    ui::TextBox* boundPassword = nullptr;
    ui::TextBox* boundEditable = nullptr;
    ui::TextBox* txtid = nullptr;
    ui::TextBox* formKind = nullptr;
    QPushButton* cmdAdd = nullptr;
    QPushButton* Cmdsua = nullptr;
    QPushButton* cmdDelete = nullptr;
    QPushButton* cmdUpdate = nullptr;
    QPushButton* cmdclose = nullptr;
    LoggedInUser m_user;
    QString m_mode; // "nap", "sua" or "" while viewing
    bool m_administrator = false;
    bool m_closing = false; // the close check has passed
};

} // namespace reference
