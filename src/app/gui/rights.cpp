#include "rights.h"

#include "app/core/login_check.h"
#include "app/core/messenger.h"
#include "app/core/module1.h"
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

QString confirmRights(const QString& mode)
{
    Module1& m = module1();
    QString result;
    const bool administrator = mode == QLatin1String("q");
    QString title;
    if (administrator) {
        title = QStringLiteral("Kiểm tra quyền quản trị");
        m.requiredRights.clear();
    } else {
        title = QStringLiteral("Nhập lại tên, mật khẩu đang dùng");
    }
    const bool gaveUp = LoginForm::run(LoginCheck::kModeRightsCheck, title);

    if (!gaveUp && !m.requiredRights.isEmpty()) {
        result = m.requiredRights;
        if (administrator) {
            if (containsQ(m.requiredRights)) {
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
