// Selvaro: the secretariat's register program. Finds its program folder, runs the start-up
// sequence and then lives in the main window's event loop.
#include "app/frmmain.h"
#include "app/frmtbao.h"
#include "app/sub_main.h"
#include "platform/report/preview/preview_window.h"
#include "registers/form_registry.h"
#include "registers/incoming/incoming_forms.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <cstdio>

namespace {

// True when Qt has somewhere to draw: a platform plugin was chosen, or an X or Wayland display is
// named.
bool haveDisplay()
{
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

// The program folder: --home DIR, else SELVARO_HOME, else the executable's folder.
QString programFolder(const QStringList& args)
{
    QString home = qEnvironmentVariable("SELVARO_HOME");
    const int at = args.indexOf(QStringLiteral("--home"));
    if (at >= 0 && at + 1 < args.size())
        home = args.at(at + 1);
    if (home.isEmpty())
        home = QCoreApplication::applicationDirPath();
    return QDir::cleanPath(QFileInfo(home).absoluteFilePath());
}

} // namespace

int main(int argc, char** argv)
{
    if (!haveDisplay()) {
        std::fprintf(stderr,
                     "Selvaro is a desktop program and needs a display, but neither DISPLAY nor WAYLAND_DISPLAY is "
                     "set.\nOn a machine without a screen, run it under a virtual X server, for example:\n"
                     "    xvfb-run %s\n",
                     argv[0]);
        return 2;
    }
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Selvaro"));
    QApplication::setApplicationName(QStringLiteral("Selvaro"));
    const QStringList args = QApplication::arguments();
    if (args.contains(QStringLiteral("--home")) && args.indexOf(QStringLiteral("--home")) + 1 >= args.size()) {
        std::fprintf(stderr, "usage: %s [--home DIR]\n", argv[0]);
        return 2;
    }

    // Every message and question of the program goes through the message dialog.
    app::frmtbao messageDialog;
    app::setMessenger(&messageDialog);
    struct Uninstall
    {
        ~Uninstall() { app::setMessenger(nullptr); }
    } uninstall;

    // Reports sent to the screen open in the preview window.
    report::PreviewWindow::install();

    // The register forms the main window's buttons open.
    registers::registerIncomingForms();
    struct DestroyForms
    {
        ~DestroyForms() { registers::destroyForms(); }
    } destroyForms;

    app::frmMain mainWindow;
    switch (app::subMain(programFolder(args), mainWindow)) {
    case app::StartupOutcome::Ready:
        return QApplication::exec();
    case app::StartupOutcome::NotLoggedIn:
        return 0;
    case app::StartupOutcome::Stopped:
        break;
    }
    return 1;
}
