// The command line: parsing, and the program answering --help, --version and a display it cannot
// open without needing (or crashing on) a display.
#include "app/core/command_line.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

using Action = app::CommandLine::Action;

struct ParseCase
{
    const char* name;
    QStringList arguments;
    Action action;
    QString home;
    QStringList others;
    QString connection = {};
};

// The program itself, started without a display (or with one that does not exist).
struct ProgramRun
{
    int exitCode = -1;
    bool crashed = false;
    QString out;
    QString err;
};

ProgramRun runProgram(const QStringList& arguments, const QString& display)
{
    QTemporaryDir home; // never the build's own folder, should the program start after all
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QString::fromLatin1(name));
    if (!display.isEmpty())
        env.insert(u"DISPLAY"_s, display);
    env.insert(u"SELVARO_HOME"_s, home.path());
    QProcess program;
    program.setProcessEnvironment(env);
    program.start(QStringLiteral(SELVARO_PROGRAM), arguments);
    ProgramRun r;
    if (!program.waitForFinished(30000)) {
        program.kill();
        program.waitForFinished();
        r.crashed = true;
        return r;
    }
    r.exitCode = program.exitCode();
    r.crashed = program.exitStatus() != QProcess::NormalExit;
    r.out = QString::fromLocal8Bit(program.readAllStandardOutput());
    r.err = QString::fromLocal8Bit(program.readAllStandardError());
    return r;
}

// The command line is parsed; then help, version, a wrong option, a program folder that cannot be
// used and a display that cannot be opened: each ends with its answer, before any window and
// without a crash.
TEST(CommandLine, IsParsedAndTheProgramAnswersWithoutADisplayAndEndsBeforeAnyWindow)
{
    // clang-format off
    const ParseCase parses[] = {
        {"NothingRuns", {}, Action::Run, {}, {}},
        {"HomeWithAFolder", {"--home", "/srv/vanthu"}, Action::Run, "/srv/vanthu", {}},
        {"HomeWithEquals", {"--home=/srv/vanthu"}, Action::Run, "/srv/vanthu", {}},
        {"HomeWithoutAFolderIsAnError", {"--home"}, Action::Error, {}, {}},
        {"HomeWithEmptyEqualsIsAnError", {"--home="}, Action::Error, {}, {}},
        {"HelpWinsOverAnything", {"--home", "/x", "--help", "--bogus"}, Action::Help, "/x", {}},
        {"ShortHelp", {"-h"}, Action::Help, {}, {}},
        {"Version", {"--version"}, Action::Version, {}, {}},
        {"FirstOfHelpAndVersionCounts", {"--version", "--help"}, Action::Version, {}, {}},
        {"QtOptionsAreLeftForQt", {"-platform", "offscreen", "--home", "/x"}, Action::Run, "/x", {"-platform", "offscreen"}},
        {"MoveToServer", {"--home", "/x", "--move-to-server", "service=vanthu"}, Action::MoveToServer, "/x", {}, "service=vanthu"},
        {"MoveFromServer", {"--move-from-server", "host=/run/pg dbname=vt"}, Action::MoveFromServer, {}, {}, "host=/run/pg dbname=vt"},
        {"MoveWithoutAConnectionIsAnError", {"--move-to-server"}, Action::Error, {}, {}},
        {"MoveWithABlankConnectionIsAnError", {"--move-from-server", " "}, Action::Error, {}, {}},
        {"BothMovesAreAnError", {"--move-to-server", "a", "--move-from-server", "b"}, Action::Error, {}, {}, "a"},
        {"HelpWinsOverAMove", {"--move-to-server", "a", "--help"}, Action::Help, {}, {}, "a"},
    };
    // clang-format on
    for (const ParseCase& c : parses) {
        SCOPED_TRACE(c.name);
        const app::CommandLine line = app::parseCommandLine(c.arguments);
        EXPECT_EQ(std::tuple(line.action, line.home, line.others, line.connection, line.error.isEmpty()),
                  std::tuple(c.action, c.home, c.others, c.connection, c.action != Action::Error));
    }
    // What Qt leaves unknown is an error.
    const app::CommandLine line = app::rejectUnknown(app::parseCommandLine({u"--hom"_s, u"x"_s}));
    EXPECT_EQ(line.action, Action::Error);
    EXPECT_EQ(line.error, u"unknown argument: --hom"_s);
    EXPECT_EQ(app::rejectUnknown(app::parseCommandLine({})).action, Action::Run);

    QTemporaryDir scratch;
    const QString file = scratch.filePath(u"afile"_s);
    QFile(file).open(QIODevice::WriteOnly);
    struct Case
    {
        const char* name;
        QStringList arguments;
        QString display;
        int exitCode;
        QString outStart;   // what the standard output begins with (all of it when nothing more is said)
        QStringList says;   // what the standard output (exit code 0) or error output holds
        bool beforeDisplay; // told before the display is looked for
    };
    const Case cases[] = {
        {"Help", {"--help"}, {}, 0, "Usage: ", {"--home DIR"}, true},
        {"Version", {"--version"}, {}, 0, "Selvaro " + app::kProgramVersion + "\n", {}, true},
        {"HomeWithoutAFolder", {"--home"}, {}, 2, {}, {"--home needs a folder"}, true},
        {"MissingFolder", {"--home", scratch.filePath("nowhere")}, {}, 2, {}, {"(--home) does not exist"}, true},
        {"AFile", {"--home=" + file}, {}, 2, {}, {"(--home) is a file, not a folder"}, true},
        {"NoDisplayNamed", {}, {}, 2, {}, {"neither DISPLAY nor WAYLAND_DISPLAY is set", "xvfb-run"}, false},
        {"NoServerAtTheNamedDisplay", {}, ":237", 2, {}, {"the display \":237\" cannot be opened", "xvfb-run"}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ProgramRun r = runProgram(c.arguments, c.display);
        EXPECT_FALSE(r.crashed) << "no abort, no core dump";
        EXPECT_EQ(r.exitCode, c.exitCode) << r.err.toStdString();
        EXPECT_TRUE(c.says.isEmpty() ? r.out == c.outStart : r.out.startsWith(c.outStart)) << r.out.toStdString();
        const QString& told = c.exitCode == 0 ? r.out : r.err;
        for (const QString& part : c.says)
            EXPECT_TRUE(told.contains(part)) << told.toStdString();
        EXPECT_FALSE(r.err.contains(u"qt.qpa"_s)) << "only the program's own message";
        if (c.beforeDisplay) {
            EXPECT_FALSE(r.err.contains(u"display"_s)) << r.err.toStdString();
        }
    }
}

} // namespace
