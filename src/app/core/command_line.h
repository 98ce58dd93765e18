#pragma once

#include <QString>
#include <QStringList>

namespace app {

// The program's version, as its main window's caption shows it.
inline const QString kProgramVersion = QStringLiteral("V2010.5");

// What the command line asks for. Read before the application object exists (--help and
// --version need no display) and again after it, when Qt has taken its own options
// (-platform, -style, ...) out of the list.
struct CommandLine
{
    enum class Action
    {
        Run,            // start the program
        Help,           // print usageText() and stop
        Version,        // print versionText() and stop
        MoveToServer,   // copy the program folder's data files to the server `connection`, and stop
        MoveFromServer, // write them back from the server `connection`, and stop
        Error           // print error and usageText() to the error stream and stop
    };
    Action action = Action::Run;
    QString home;       // --home DIR or --home=DIR; empty when not given
    QString connection; // the server of --move-to-server and --move-from-server
    QString error;      // what is wrong, for Action::Error
    QStringList others; // arguments this program does not know (Qt's, before the application exists)
};

// Reads arguments (without the program's name). --help (-h) and --version win over everything
// else, the first of them counting; "--home" without a folder, "--move-to-server" or
// "--move-from-server" without a connection, or both of them, are errors.
CommandLine parseCommandLine(const QStringList& arguments);

// An error for the first of the others, when there is one (used once Qt has taken its options).
CommandLine rejectUnknown(CommandLine line);

QString usageText(const QString& program);
QString versionText();

// The message for a program that has no display: display is the name of the X display that
// could not be opened, or empty when none is named.
QString noDisplayMessage(const QString& program, const QString& display);

} // namespace app
