#include "login_check.h"

#include "module1.h"
#include "platform/db/sql_quote.h"

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

LoginCheck::LoginCheck(db::Recordset users, QString mode)
    : m_users(std::move(users)), m_rightsCheck(mode.compare(kModeRightsCheck, Qt::CaseInsensitive) == 0)
{}

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

void LoginCheck::logIn()
{
    Module1& m = module1();
    const QString quyenhan = text(m_users, QStringLiteral("quyenhan"));
    if (m_rightsCheck)
        m.quyenkiemtra = quyenhan;
    m.hotendangnhap = text(m_users, QStringLiteral("hoten"));
    m.quyendangnhap = quyenhan;
}

LoginCheck::Attempt LoginCheck::attempt(const QString& typedName, const QString& typedPassword)
{
    Module1& m = module1();
    Attempt result;
    if (isEmptyTable(m_users)) {
        m.hotendangnhap = kUnknownUser;
        m.quyendangnhap = QStringLiteral("Q");
        m.quyenkiemtra = QStringLiteral("Q");
        result.outcome = Outcome::LoggedIn;
        return result;
    }

    const QString name = typedName.trimmed();
    const QString password = typedPassword.trimmed();
    const QString passwordIs = QStringLiteral(" and matkhau =") + db::quoteLiteral(password);

    bool found = false;
    m_users.findFirst(QStringLiteral("tentrenmang=") + db::quoteLiteral(name) + passwordIs);
    found = !m_users.noMatch();
    if (!found) {
        m_users.findFirst(QStringLiteral("hoten=") + db::quoteLiteral(name) + passwordIs);
        found = !m_users.noMatch();
    }
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
        logIn();
        result.outcome = Outcome::LoggedIn;
        return result;
    }

    ++m_failures;
    if (m_failures == 3 && findUser(name)) {
        const QString matkhau = text(m_users, QStringLiteral("matkhau"));
        result.messages << QStringLiteral("Goi y mat khau:  ") + matkhau.left(2) + QStringLiteral("...") +
                               matkhau.right(2);
        m_failures = 10;
    }
    if (m_failures == 13) {
        m.hotendangnhap.clear();
        m.quyendangnhap.clear();
        m.quyenkiemtra.clear();
        result.outcome = Outcome::OutOfTries;
        return result;
    }
    result.outcome = Outcome::TryAgain;
    return result;
}

} // namespace app
