#include "data_file_commands.h"

#include "data_file_choice_dialog.h"
#include "file_dialog.h"
#include "server_move_dialog.h"

#include "app/core/login_check.h"
#include "app/core/module1.h"
#include "app/gui/form_commands.h"
#include "app/gui/frmlogin.h"
#include "app/gui/frmnamlamviec.h"
#include "app/gui/rights.h"
#include "app/gui/sub_main.h"
#include "datafiles/data_import.h"
#include "platform/ui/hourglass.h"
#include "platform/ui/progress_window.h"

#include <QWidget>
#include <memory>

namespace datafiles {
namespace {

ChoiceHooks windowHooks(QWidget* mainWindow)
{
    auto* window = dynamic_cast<app::StartupWindow*>(mainWindow);
    app::Module1& m = app::module1();
    ChoiceHooks hooks;
    hooks.logIn = [&m] { return app::LoginForm::run(m, app::LoginCheck::kModeStartup, QString()).gaveUp; };
    hooks.chooseWorkingYear = [window, mainWindow] { app::WorkingYearDialog::run(window, mainWindow); };
    hooks.refreshWindow = [window, &m] {
        if (!window)
            return;
        window->showDataLabels();
        window->setLetterEntryEnabled(app::letterEntryAllowed(m));
        window->repaintNow();
    };
    return hooks;
}

void chooseDataFile(const QString& lenhchon, QWidget* mainWindow)
{
    if (mainWindow)
        mainWindow->hide();
    DataFileChoiceDialog::run(lenhchon, windowHooks(mainWindow), mainWindow);
    if (mainWindow)
        mainWindow->show();
}

// The caption of the import command of kind, the title of its progress window.
QString importCaption(const QString& kind)
{
    if (kind == QLatin1String("lich"))
        return QStringLiteral("Nhập dữ liệu kế hoạch, lịch công tác cũ");
    if (kind == QLatin1String("tk"))
        return QStringLiteral("Nhập các danh sách tham khảo cũ");
    return QStringLiteral("Nhập dữ liệu công văn cũ");
}

void runImport(const QString& kind, QWidget* mainWindow)
{
    ImportHooks hooks;
    hooks.administrator = [] { return !app::confirmRights(app::module1(), QStringLiteral("q")).isEmpty(); };
    hooks.chooseFile = fileChooser(mainWindow);
    std::unique_ptr<ui::HourglassPointer> hourglass;
    std::unique_ptr<ui::ProgressWindow> progress;
    hooks.working = [&hourglass, &progress](bool on) {
        if (on) {
            hourglass = std::make_unique<ui::HourglassPointer>();
        } else {
            progress.reset();
            hourglass.reset();
        }
    };
    // An old Jet file's import shows its progress, with a cancel button, from its first step.
    hooks.progress = [&progress, kind, mainWindow](const QString& step, int done, int total) {
        if (!progress)
            progress = std::make_unique<ui::ProgressWindow>(importCaption(kind), mainWindow);
        return progress->step(step, done, total);
    };
    importOldData(kind, hooks);
}

} // namespace

void registerDataFileCommands()
{
    app::registerFormOpener(QStringLiteral("mnuchondulieucongvan"), [](const app::FormRequest&, QWidget* main) {
        chooseDataFile(QStringLiteral("chonfiledulieucongvan"), main);
    });
    app::registerFormOpener(QStringLiteral("mnuchondulieulich"), [](const app::FormRequest&, QWidget* main) {
        chooseDataFile(QStringLiteral("chonfiledulieulich"), main);
    });
    // A backup file is chosen only on the machine whose letters file lies in the program folder.
    app::registerFormOpener(QStringLiteral("mnubackup"), [](const app::FormRequest&, QWidget* main) {
        const app::Module1& m = app::module1();
        if (m.lettersPath.contains(m.programFolder, Qt::CaseInsensitive))
            chooseDataFile(QStringLiteral("chonfiledulieubackup"), main);
    });
    // Moving the office's data to a server or back: an administrator's command.
    app::registerFormOpener(QStringLiteral("mnuchuyenmaychu"), [](const app::FormRequest&, QWidget* main) {
        if (app::confirmRights(app::module1(), QStringLiteral("q")).isEmpty())
            return;
        ServerMoveDialog form(windowHooks(main).refreshWindow, main);
        form.showModal();
    });
    for (const char* command : {"mnunhapdulieucv", "mnunhapdulieulich", "mnunhapbangthamkhao"}) {
        app::registerFormOpener(QString::fromLatin1(command),
                                [](const app::FormRequest& request, QWidget* main) { runImport(request.kind, main); });
    }
}

} // namespace datafiles
