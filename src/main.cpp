// Selvaro: the secretariat's register program. Reads its command line, finds its program folder,
// runs the start-up sequence and then lives in the main window's event loop.
#include "app/core/command_line.h"
#include "app/core/messenger.h"
#include "app/core/module1.h"
#include "app/core/program_folder.h"
#include "app/gui/frmmain.h"
#include "app/gui/frmtbao.h"
#include "app/gui/sub_main.h"
#include "datafiles/forms/data_file_commands.h"
#include "datafiles/server_move.h"
#include "documents/text_indexer.h"
#include "platform/report/preview/preview_window.h"
#include "reference/reference_forms.h"
#include "registers/form_registry.h"
#include "registers/incoming/incoming_forms.h"
#include "registers/outgoing/outgoing_forms.h"
#include "registers/plans/plan_forms.h"
#include "registers/schedule/schedule_forms.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>

namespace {

QString g_program;             // the name the program was started by
bool g_openingDisplay = false; // while the application object connects to the display
QtMessageHandler g_qtMessages; // the handler in place before ours (nullptr: Qt's own)

// Qt's messages while it opens the display: shown only when opening succeeds (when it fails, the
// no-display message says it better).
struct HeldMessage
{
    QtMsgType type;
    QByteArray category;
    QString text;
};
QList<HeldMessage> g_held;

void passOn(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (g_qtMessages) {
        g_qtMessages(type, context, message);
    } else {
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
        if (type == QtFatalMsg)
            std::abort();
    }
}

// True when Qt has somewhere to draw: a platform plugin was chosen, or an X or Wayland display is
// named.
bool haveDisplay()
{
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

// Qt ends the program with a fatal message (abort, core dump) when the display it was given
// cannot be opened; while the application object is being made, that becomes our message and a
// plain exit instead.
void startupMessages(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtFatalMsg && g_openingDisplay) {
        QString display = qEnvironmentVariable("DISPLAY");
        if (display.isEmpty())
            display = qEnvironmentVariable("WAYLAND_DISPLAY");
        std::fputs(qPrintable(app::noDisplayMessage(g_program, display)), stderr);
        std::fflush(stderr);
        std::_Exit(2);
    }
    if (g_openingDisplay) {
        g_held.append({type, QByteArray(context.category ? context.category : ""), message});
        return;
    }
    passOn(type, context, message);
}

// Ends the program when the command line asks for help, the version or is wrong; returns the
// exit code, or -1 to go on.
int answerCommandLine(const app::CommandLine& line)
{
    switch (line.action) {
    case app::CommandLine::Action::Run:
    case app::CommandLine::Action::MoveToServer:
    case app::CommandLine::Action::MoveFromServer:
        return -1;
    case app::CommandLine::Action::Help:
        std::fputs(qPrintable(app::usageText(g_program)), stdout);
        return 0;
    case app::CommandLine::Action::Version:
        std::fputs(qPrintable(app::versionText()), stdout);
        return 0;
    case app::CommandLine::Action::Error:
        std::fprintf(stderr, "%s: %s\n", qPrintable(g_program), qPrintable(line.error));
        std::fputs(qPrintable(app::usageText(g_program)), stderr);
        return 2;
    }
    return 2;
}

// Ends the program (exit code 2, before any window) when --home or SELVARO_HOME names a folder
// that cannot be the program folder; returns -1 to go on.
int answerProgramFolder(const app::ProgramFolderChoice& folder)
{
    if (folder.error.isEmpty())
        return -1;
    std::fprintf(stderr, "%s: %s\n", qPrintable(g_program), qPrintable(folder.error));
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    g_program = QString::fromLocal8Bit(argc > 0 ? argv[0] : "selvaro");
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const app::CommandLine first = app::parseCommandLine(arguments);
    if (const int code = answerCommandLine(first); code >= 0)
        return code;
    const app::ProgramFolderChoice chosen = app::chooseProgramFolder(first.home);
    if (const int code = answerProgramFolder(chosen); code >= 0)
        return code;
    if (first.action == app::CommandLine::Action::MoveToServer ||
        first.action == app::CommandLine::Action::MoveFromServer) {
        // Needs no display: it reports on the terminal, a line at a time.
        const auto report = [](const QString& line) { std::fprintf(stdout, "%s\n", qPrintable(line)); };
        const QString failure = first.action == app::CommandLine::Action::MoveToServer
                                    ? datafiles::moveToServer(chosen.folder, first.connection, report)
                                    : datafiles::moveFromServer(chosen.folder, first.connection, report);
        if (failure.isEmpty())
            return 0;
        std::fprintf(stderr, "%s: %s\n", qPrintable(g_program), qPrintable(failure));
        return 1;
    }

    if (!haveDisplay()) {
        std::fputs(qPrintable(app::noDisplayMessage(g_program, QString())), stderr);
        return 2;
    }
    g_qtMessages = qInstallMessageHandler(startupMessages);
    g_openingDisplay = true;
    QApplication application(argc, argv);
    g_openingDisplay = false;
    qInstallMessageHandler(g_qtMessages);
    for (const HeldMessage& held : std::as_const(g_held)) {
        const QMessageLogContext context(nullptr, 0, nullptr, held.category.constData());
        passOn(held.type, context, held.text);
    }
    g_held.clear();
    QApplication::setOrganizationName(QStringLiteral("Selvaro"));
    QApplication::setApplicationName(QStringLiteral("Selvaro"));
    // The desktop file the menu starts the program from (packaging/), for the window's icon and name.
    QApplication::setDesktopFileName(QStringLiteral("org.selvaro.Selvaro"));
    // Qt has taken its own options out: whatever is left and unknown is a mistake.
    const app::CommandLine line = app::rejectUnknown(app::parseCommandLine(QApplication::arguments().mid(1)));
    if (const int code = answerCommandLine(line); code >= 0)
        return code;

    // Every message and question of the program goes through the message dialog.
    app::MessageDialog messageDialog;
    app::setMessenger(&messageDialog);
    struct Uninstall
    {
        ~Uninstall() { app::setMessenger(nullptr); }
    } uninstall;

    // Reports sent to the screen open in the preview window.
    report::PreviewWindow::install();

    // The register forms the main window's buttons open.
    registers::registerIncomingForms();
    registers::registerOutgoingForms();
    registers::registerPlanForms();
    registers::registerScheduleForms();
    datafiles::registerDataFileCommands(); // choosing data files, importing old data
    // The reference-list forms the main window's list menus open.
    reference::registerReferenceForms();
    struct DestroyForms
    {
        ~DestroyForms() { registers::destroyForms(); }
    } destroyForms;

    // An installed program works in the user's data location, filled from the share folder.
    const app::ProgramFolderChoice folder = app::chooseProgramFolder(line.home);
    if (const int code = answerProgramFolder(folder); code >= 0)
        return code;
    if (folder.source == app::ProgramFolderChoice::Source::UserData) {
        const QString problem =
            app::prepareUserDataFolder(folder.folder, app::installedDataFolder(QCoreApplication::applicationDirPath()));
        if (!problem.isEmpty()) {
            app::tell(problem);
            return 1;
        }
    }

    // Reads the words of the attached documents in the background, for the letters' search by words;
    // it stops (leaving the rest for the next start) when the program ends.
    documents::TextIndexer textReader;
    documents::setProgramIndexer(&textReader);

    app::MainWindow mainWindow(app::module1());
    switch (app::subMain(folder.folder, mainWindow)) {
    case app::StartupOutcome::Ready:
        textReader.queueFrom(app::module1().letters); // what the last run left unread, and anything new
        mainWindow.endProgramOnClose();
        return QApplication::exec();
    case app::StartupOutcome::NotLoggedIn:
        return 0;
    case app::StartupOutcome::Stopped:
        break;
    }
    return 1;
}
