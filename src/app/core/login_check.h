#pragma once

#include "platform/db/database.h"
#include "platform/db/recordset.h"

#include <QString>
#include <QStringList>

namespace app {

struct Module1;

// The checks behind the login dialog LoginForm, without the window: who may log in, with which
// rights, and how many tries are left. Reads the users table nguoidung (hoten, tentrenmang,
// matkhau, quyenhan) through the recordset it is given and writes the login of the program state
// it is given (userFullName, userRights); a rights check also reports the rights it confirmed.
//
// The typed name is a value in a criterion (single quotes doubled); the typed password never
// enters SQL: each row found by name is asked common::passwordMatches(matkhau, password), which
// checks a salted verifier or, for a row written before verifiers, the clear text. Names compare
// as the engine compares texts, passwords too (letter case ignored).
//
// A row whose password was still clear text gets a verifier in its place after a successful
// login, written through the database given (a failed write is recorded, the login stands).
class LoginCheck
{
public:
    // The dialog's mode box text, Txtchedologin.
    static inline const QString kModeStartup = QStringLiteral("ktranguoidung");
    static inline const QString kModeRightsCheck = QStringLiteral("ktraquyenquantri");
    // The full name given to whoever logs in while the users table is empty.
    static inline const QString kUnknownUser = QStringLiteral("Một người không rõ tên");

    // users: a recordset on "select * from nguoidung" (read only is enough). mode: the mode box
    // text; "ktraquyenquantri" in any letter case marks the rights-check mode. usersFile: the
    // users' file, written to upgrade a clear-text password (a null handle: no upgrade).
    // state: the program state whose login is set or cleared.
    LoginCheck(Module1& state, db::Recordset users, QString mode, db::Database usersFile = db::Database());

    // The name the dialog starts with, from the operating system's logon name: the logon name
    // itself when some row has it as hoten or tentrenmang, otherwise "" (also for an empty
    // logon name or an empty table).
    QString prefillName(const QString& logonName);

    // Full names of every row, in the recordset's order; rows with a null hoten are skipped.
    QStringList names();

    enum class Outcome
    {
        LoggedIn,   // the globals name the user; the dialog closes
        TryAgain,   // the dialog stays open
        OutOfTries, // thirteen failures (ten after a hint): the globals are cleared, the dialog closes
    };
    struct Attempt
    {
        Outcome outcome = Outcome::TryAgain;
        // Texts for the platform message box titled "Login", in the order they are shown
        // (the failure message, then the password hint after the third failure).
        QStringList messages;
        // The rights a rights check confirmed: the user's quyenhan when the check logs him in,
        // "Q" on an empty users table; empty otherwise (and always at start-up's login).
        QString confirmedRights;
    };

    // One press of "&Tiếp tục". name and password are trimmed here.
    // - Empty table: logs in kUnknownUser with rights "Q" (confirmedRights "Q" too).
    // - A row whose tentrenmang or hoten equals the name and whose matkhau keeps the password,
    //   or a row with that name and a null/blank matkhau, logs in: userFullName = hoten,
    //   userRights = quyenhan, and in the rights-check mode confirmedRights = quyenhan.
    // - Otherwise one failure: "Sai ten nguoi dung! ..." for an unknown name, "Mat khau sai! ..."
    //   for a wrong password. The third failure adds the hint "Goi y mat khau:  ab...yz" when the
    //   name is known and its password is still clear text (a verifier has nothing to hint at),
    //   and the count jumps to 10; the thirteenth failure clears userFullName,
    //   userRights and returns OutOfTries.
    Attempt attempt(const QString& name, const QString& password);

    int failures() const { return m_failures; }

    static inline const QString kUnknownName = QStringLiteral("Sai ten nguoi dung! Can nhap lai ten tu danh sach! ");
    static inline const QString kWrongPassword = QStringLiteral("Mat khau sai! Can nhap lai mat khau! ");

private:
    bool findUser(const QString& name);
    bool findWithPassword(const QString& criterion, const QString& password);
    // Logs in the user of the current row; returns his rights.
    QString logIn();
    void upgradePassword(const QString& password);

    Module1& m_state;
    db::Recordset m_users;
    db::Database m_usersFile;
    bool m_rightsCheck = false;
    int m_failures = 0;
};

} // namespace app
