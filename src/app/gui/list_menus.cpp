#include "list_menus.h"

#include "app/core/data_files.h"
#include "app/core/messenger.h"
#include "app/core/module1.h"
#include "app/core/run_time_error.h"
#include "platform/db/sql_quote.h"
#include "rights.h"

#include <QWidget>

namespace app {

FormRequest listMenuRequest(const Module1& m, const QString& menu, const QString& rights)
{
    FormRequest r;
    r.command = menu;
    r.confirmedRights = rights;
    const QString name = menu.toLower();
    if (name == QLatin1String("mnunapdonvi")) {
        r.dataFile = DataFile::ScheduleReference;
        r.recordSource = QStringLiteral("select * from donvi order by matt");
    } else if (name == QLatin1String("mnunapbophan")) {
        r.dataFile = DataFile::ScheduleReference;
        r.recordSource = QStringLiteral("select * from bophan order by donvi, phong");
        r.lookups = {QStringLiteral("select * from donvi order by matt")};
    } else if (name == QLatin1String("mnunapnoigui")) {
        r.dataFile = DataFile::LettersReference;
        r.recordSource = QStringLiteral("select * from noigui order by matt");
        r.title = QStringLiteral("Nạp sửa danh sách các cơ quan thường xuyên trao đổi công văn");
    } else if (name == QLatin1String("mnunapchutat")) {
        r.dataFile = DataFile::Reference;
        r.recordSource = QStringLiteral("select * from chutat order by matt");
    } else if (name == QLatin1String("mnunaploaicv")) {
        r.dataFile = DataFile::LettersReference;
        r.recordSource = QStringLiteral("select * from loaicv order by matt");
    } else if (name == QLatin1String("mnutendonvi")) {
        r.dataFile = DataFile::LettersReference; // the form reads its table itself
    } else if (name == QLatin1String("mnunguoidung")) {
        r.dataFile = DataFile::ScheduleReference;
        if (beginsWithQ(rights)) {
            r.recordSource = QStringLiteral("select * from nguoidung");
        } else {
            r.recordSource = QStringLiteral("select * from nguoidung where ") + QStringLiteral("hoten=") +
                             db::quoteLiteral(m.userFullName) + QStringLiteral(" or tentrenmang =") +
                             db::quoteLiteral(m.userFullName);
            r.title = QStringLiteral("Đổi mật khẩu");
        }
    }
    return r;
}

void runListMenu(Module1& m, const QString& menu, QWidget* mainWindow)
{
    const QString name = menu.toLower();
    const bool administratorOnly = name == QLatin1String("mnunapdonvi") || name == QLatin1String("mnunapbophan");
    if (administratorOnly && !beginsWithQ(m.userRights)) {
        tell(kNeedAdministrator);
        return;
    }
    if (!hasFormOpener(menu)) {
        tell(kNotAvailable);
        return;
    }
    QString rights;
    if (name == QLatin1String("mnunguoidung")) {
        rights = confirmRights(m, QStringLiteral("mk"));
        if (rights.isEmpty())
            return;
    }
    const FormRequest request = listMenuRequest(m, menu, rights);
    const bool hideMain = name == QLatin1String("mnunapdonvi") || name == QLatin1String("mnunguoidung");
    if (hideMain && mainWindow)
        mainWindow->hide();
    try {
        openForm(request, mainWindow);
        if (name == QLatin1String("mnunapdonvi") || name == QLatin1String("mnunapnoigui") ||
            name == QLatin1String("mnunapchutat") || name == QLatin1String("mnunaploaicv"))
            openReferenceRecordsets(m);
    } catch (const std::exception& e) {
        recordRunTimeError(e);
        tell(QStringLiteral("Gặp lỗi khi đang mở danh sách tham khảo !"));
    }
    if (hideMain && mainWindow)
        mainWindow->show();
}

} // namespace app
