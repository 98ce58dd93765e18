#include "command_line.h"

namespace app {

CommandLine parseCommandLine(const QStringList& arguments)
{
    CommandLine line;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments.at(i);
        if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            line.action = CommandLine::Action::Help;
            return line;
        }
        if (a == QLatin1String("--version")) {
            line.action = CommandLine::Action::Version;
            return line;
        }
        if (a == QLatin1String("--home")) {
            if (i + 1 >= arguments.size() || arguments.at(i + 1).isEmpty()) {
                line.action = CommandLine::Action::Error;
                line.error = QStringLiteral("--home needs a folder");
            } else {
                line.home = arguments.at(++i);
            }
        } else if (a.startsWith(QLatin1String("--home="))) {
            line.home = a.mid(7);
            if (line.home.isEmpty()) {
                line.action = CommandLine::Action::Error;
                line.error = QStringLiteral("--home needs a folder");
            }
        } else if (a == QLatin1String("--move-to-server") || a == QLatin1String("--move-from-server")) {
            const auto action = a == QLatin1String("--move-to-server") ? CommandLine::Action::MoveToServer
                                                                       : CommandLine::Action::MoveFromServer;
            if (line.action == CommandLine::Action::Error)
                continue;
            if (line.action != CommandLine::Action::Run) {
                line.action = CommandLine::Action::Error;
                line.error = QStringLiteral("--move-to-server and --move-from-server cannot go together");
                if (i + 1 < arguments.size())
                    ++i; // its connection is no argument of its own
            } else if (i + 1 >= arguments.size() || arguments.at(i + 1).trimmed().isEmpty()) {
                line.action = CommandLine::Action::Error;
                line.error =
                    a + QStringLiteral(" needs a server connection (\"host=... dbname=...\" or \"service=NAME\")");
                if (i + 1 < arguments.size())
                    ++i; // the blank connection
            } else {
                line.action = action;
                line.connection = arguments.at(++i);
            }
        } else {
            line.others << a;
        }
    }
    return line;
}

CommandLine rejectUnknown(CommandLine line)
{
    if (line.action == CommandLine::Action::Run && !line.others.isEmpty()) {
        line.action = CommandLine::Action::Error;
        line.error = QStringLiteral("unknown argument: ") + line.others.first();
    }
    return line;
}

QString usageText(const QString& program)
{
    return QStringLiteral("Usage: %1 [--home DIR] [--move-to-server CONNECTION | --move-from-server CONNECTION]\n"
                          "Selvaro keeps the secretariat's registers: incoming and outgoing letters, work plans\n"
                          "and the weekly work schedule.\n"
                          "\n"
                          "Options:\n"
                          "  --home DIR   use DIR as the program folder; its data folder is DIR/data\n"
                          "               (SELVARO_HOME does the same); DIR must be a folder this user can\n"
                          "               write. By default, the program's own folder; for an installed\n"
                          "               program, the user's folder ~/.local/share/selvaro, whose data\n"
                          "               folder is filled from /usr/share/selvaro/data on first start\n"
                          "  --move-to-server CONNECTION\n"
                          "               copy the program folder's data files to new data sets on a\n"
                          "               PostgreSQL server (CONNECTION: \"host=... dbname=... user=...\" or\n"
                          "               \"service=NAME\" from pg_service.conf; the password from ~/.pgpass),\n"
                          "               check every table by count and checksum, and stop\n"
                          "  --move-from-server CONNECTION\n"
                          "               write the program folder's data files back from the server, and stop\n"
                          "  --help       print this help and stop\n"
                          "  --version    print the version and stop\n"
                          "\n"
                          "Qt's own options (-platform NAME, -style NAME, ...) are accepted too.\n")
        .arg(program);
}

QString versionText()
{
    return QStringLiteral("Selvaro ") + kProgramVersion + QLatin1Char('\n');
}

QString noDisplayMessage(const QString& program, const QString& display)
{
    const QString reason =
        display.isEmpty()
            ? QStringLiteral("neither DISPLAY nor WAYLAND_DISPLAY is set")
            : QStringLiteral("the display \"%1\" cannot be opened (no display server answers there)").arg(display);
    return QStringLiteral("Selvaro is a desktop program and needs a display, but %1.\n"
                          "On a machine without a screen, run it under a virtual X server, for example:\n"
                          "    xvfb-run %2\n")
        .arg(reason, program);
}

} // namespace app
