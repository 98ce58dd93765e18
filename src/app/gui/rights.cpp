#include "rights.h"

#include "app/core/login_check.h"
#include "app/core/messenger.h"
#include "frmlogin.h"
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

QString confirmRights(Module1& state, const QString& mode)
{
    QString result;
    const bool administrator = mode == QLatin1String("q");
    const QString title =
        administrator ? QStringLiteral("Kiểm tra quyền quản trị") : QStringLiteral("Nhập lại tên, mật khẩu đang dùng");
    const LoginForm::Result login = LoginForm::run(state, LoginCheck::kModeRightsCheck, title);

    if (!login.gaveUp && !login.confirmedRights.isEmpty()) {
        result = login.confirmedRights;
        if (administrator) {
            if (containsQ(login.confirmedRights)) {
                result = QStringLiteral("q");
            } else {
                tell(kNeedAdministrator);
                ui::setDefaultPointer();
                result.clear();
            }
        }
    }
    return result;
}

} // namespace app
