#include "rights.h"

#include "frmlogin.h"
#include "login_check.h"
#include "messenger.h"
#include "module1.h"
#include "platform/ui/hourglass.h"

namespace app {

bool containsQ(const QString& quyen)
{
    return quyen.contains(QLatin1Char('Q'), Qt::CaseInsensitive);
}

bool beginsWithQ(const QString& quyen)
{
    return quyen.toLower().startsWith(QLatin1Char('q'));
}

QString confirmRights(const QString& mode)
{
    Module1& m = module1();
    QString result;
    m.thongbao.clear();
    const bool administrator = mode == QLatin1String("q");
    QString title;
    if (administrator) {
        title = QStringLiteral("Kiểm tra quyền quản trị");
        m.quyenkiemtra.clear();
    } else {
        title = QStringLiteral("Nhập lại tên, mật khẩu đang dùng");
    }
    LoginForm::run(LoginCheck::kModeRightsCheck, title);

    if (m.thongbao != QLatin1String("thoi") && !m.quyenkiemtra.isEmpty()) {
        result = m.quyenkiemtra;
        if (administrator) {
            if (containsQ(m.quyenkiemtra)) {
                result = QStringLiteral("q");
            } else {
                m.thongbao = kNeedAdministrator;
                result.clear();
            }
        }
        if (!m.thongbao.isEmpty()) {
            tell(m.thongbao);
            ui::setDefaultPointer();
        }
    }
    return result;
}

} // namespace app
