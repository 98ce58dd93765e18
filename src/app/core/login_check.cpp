#include "login_check.h"

#include "common/user_password.h"
#include "module1.h"
#include "platform/db/sql_quote.h"
#include "run_time_error.h"

namespace app {
namespace {

QString text(const db::Recordset& rs, const QString& field)
{
    return rs.value(field).toString();
}

bool isEmptyTable(const db::Recordset& rs)
{
    return rs.bof() && rs.eof();
}

} // namespace

LoginCheck::LoginCheck(Module1& state, db::Recordset users, QString mode, db::Database usersFile)
    : m_state(state), m_users(std::move(users)), m_usersFile(std::move(usersFile)),
      m_rightsCheck(mode.compare(kModeRightsCheck, Qt::CaseInsensitive) == 0)
{}

bool LoginCheck::findWithPassword(const QString& criterion, const QString& password)
{
    for (m_users.findFirst(criterion); !m_users.noMatch(); m_users.findNext(criterion)) {
        if (common::passwordMatches(text(m_users, QStringLiteral("matkhau")), password))
            return true;
    }
    return false;
}

void LoginCheck::upgradePassword(const QString& password)
{
    const QString stored = text(m_users, QStringLiteral("matkhau"));
    if (!m_usersFile.isOpen() || stored.trimmed().isEmpty() || common::isPasswordVerifier(stored))
        return;
    try {
        db::Recordset row =
            m_usersFile.openRecordset(QStringLiteral("select * from nguoidung where id = ") +
                                          QString::number(m_users.value(QStringLiteral("ID")).toLongLong()),
                                      db::RecordsetType::Dynaset);
        if (row.eof())
            return;
        row.edit();
        row.setValue(QStringLiteral("matkhau"), common::makePasswordVerifier(password));
        row.update();
    } catch (const std::exception& e) {
        recordRunTimeError(e); // the login stands; the next one tries again
    }
}

bool LoginCheck::findUser(const QString& name)
{
    m_users.findFirst(QStringLiteral("hoten=") + db::quoteLiteral(name) + QStringLiteral(" or tentrenmang =") +
                      db::quoteLiteral(name));
    return !m_users.noMatch();
}

QString LoginCheck::prefillName(const QString& logonName)
{
    if (logonName.isEmpty() || isEmptyTable(m_users))
        return QString();
    return findUser(logonName) ? logonName : QString();
}

QStringList LoginCheck::names()
{
    QStringList result;
    if (isEmptyTable(m_users))
        return result;
    for (m_users.moveFirst(); !m_users.eof(); m_users.moveNext()) {
        const QVariant hoten = m_users.value(QStringLiteral("hoten"));
        if (!hoten.isNull())
            result << hoten.toString();
    }
    return result;
}

QString LoginCheck::logIn()
{
    Module1& m = m_state;
    const QString quyenhan = text(m_users, QStringLiteral("quyenhan"));
    m.userFullName = text(m_users, QStringLiteral("hoten"));
    m.userRights = quyenhan;
    return quyenhan;
}

LoginCheck::Attempt LoginCheck::attempt(const QString& typedName, const QString& typedPassword)
{
    Module1& m = m_state;
    Attempt result;
    if (isEmptyTable(m_users)) {
        m.userFullName = kUnknownUser;
        m.userRights = QStringLiteral("Q");
        result.confirmedRights = QStringLiteral("Q");
        result.outcome = Outcome::LoggedIn;
        return result;
    }

    const QString name = typedName.trimmed();
    const QString password = typedPassword.trimmed();
    bool found = findWithPassword(QStringLiteral("tentrenmang=") + db::quoteLiteral(name), password) ||
                 findWithPassword(QStringLiteral("hoten=") + db::quoteLiteral(name), password);
    if (found)
        upgradePassword(password);
    if (!found) {
        if (!findUser(name)) {
            result.messages << kUnknownName;
        } else if (text(m_users, QStringLiteral("matkhau")).trimmed().isEmpty()) {
            found = true; // a user without a password gets in whatever was typed
        } else {
            result.messages << kWrongPassword;
        }
    }

    if (found) {
        const QString rights = logIn();
        if (m_rightsCheck)
            result.confirmedRights = rights;
        result.outcome = Outcome::LoggedIn;
        return result;
    }

    ++m_failures;
    if (m_failures == 3 && findUser(name)) {
        const QString matkhau = text(m_users, QStringLiteral("matkhau"));
        if (!common::isPasswordVerifier(matkhau))
            result.messages << QStringLiteral("Goi y mat khau:  ") + matkhau.left(2) + QStringLiteral("...") +
                                   matkhau.right(2);
        m_failures = 10;
    }
    if (m_failures == 13) {
        m.userFullName.clear();
        m.userRights.clear();
        result.outcome = Outcome::OutOfTries;
        return result;
    }
    result.outcome = Outcome::TryAgain;
    return result;
}

} // namespace app
