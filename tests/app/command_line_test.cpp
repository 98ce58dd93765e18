// The command line: parsing, and the program answering --help, --version and a display it cannot
// open without needing (or crashing on) a display.
#include "app/core/command_line.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using Action = app::CommandLine::Action;

struct ParseCase
{
    const char* name;
    QStringList arguments;
    Action action;
    QString home;
    QStringList others;
};

TEST(CommandLine, ParsesHelpVersionAndTheProgramFolder)
{
    const ParseCase cases[] = {
        {"NothingRuns", {}, Action::Run, {}, {}},
        {"HomeWithAFolder", {"--home", "/srv/vanthu"}, Action::Run, "/srv/vanthu", {}},
        {"HomeWithEquals", {"--home=/srv/vanthu"}, Action::Run, "/srv/vanthu", {}},
        {"HomeWithoutAFolderIsAnError", {"--home"}, Action::Error, {}, {}},
        {"HomeWithEmptyEqualsIsAnError", {"--home="}, Action::Error, {}, {}},
        {"HelpWinsOverAnything", {"--home", "/x", "--help", "--bogus"}, Action::Help, "/x", {}},
        {"ShortHelp", {"-h"}, Action::Help, {}, {}},
        {"Version", {"--version"}, Action::Version, {}, {}},
        {"FirstOfHelpAndVersionCounts", {"--version", "--help"}, Action::Version, {}, {}},
        {"QtOptionsAreLeftForQt",
         {"-platform", "offscreen", "--home", "/x"},
         Action::Run,
         "/x",
         {"-platform", "offscreen"}},
    };
    for (const ParseCase& c : cases) {
        SCOPED_TRACE(c.name);
        const app::CommandLine line = app::parseCommandLine(c.arguments);
        EXPECT_EQ(line.action, c.action);
        EXPECT_EQ(line.home, c.home);
        EXPECT_EQ(line.others, c.others);
        EXPECT_EQ(line.error.isEmpty(), c.action != Action::Error);
    }
}

TEST(CommandLine, WhatQtLeavesUnknownIsAnError)
{
    const app::CommandLine line =
        app::rejectUnknown(app::parseCommandLine({QStringLiteral("--hom"), QStringLiteral("x")}));
    EXPECT_EQ(line.action, Action::Error);
    EXPECT_EQ(line.error, QStringLiteral("unknown argument: --hom"));
    EXPECT_EQ(app::rejectUnknown(app::parseCommandLine({})).action, Action::Run);
}

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
        env.insert(QStringLiteral("DISPLAY"), display);
    env.insert(QStringLiteral("SELVARO_HOME"), home.path());
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

TEST(Program, HelpAndVersionNeedNoDisplay)
{
    const ProgramRun help = runProgram({QStringLiteral("--help")}, QString());
    EXPECT_FALSE(help.crashed);
    EXPECT_EQ(help.exitCode, 0) << help.err.toStdString();
    EXPECT_TRUE(help.out.startsWith(QStringLiteral("Usage: "))) << help.out.toStdString();
    EXPECT_TRUE(help.out.contains(QStringLiteral("--home DIR"))) << help.out.toStdString();

    const ProgramRun version = runProgram({QStringLiteral("--version")}, QString());
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, QStringLiteral("Selvaro ") + app::kProgramVersion + QLatin1Char('\n'));

    const ProgramRun wrong = runProgram({QStringLiteral("--home")}, QString());
    EXPECT_EQ(wrong.exitCode, 2);
    EXPECT_TRUE(wrong.err.contains(QStringLiteral("--home needs a folder"))) << wrong.err.toStdString();
}

TEST(Program, ProgramFolderThatCannotBeUsedEndsBeforeAnyWindow)
{
    QTemporaryDir scratch;
    const QString file = scratch.filePath(QStringLiteral("afile"));
    QFile(file).open(QIODevice::WriteOnly);
    struct Case
    {
        const char* name;
        QStringList arguments;
        QString says;
    };
    const Case cases[] = {
        {"MissingFolder", {"--home", scratch.filePath("nowhere")}, "(--home) does not exist"},
        {"AFile", {"--home=" + file}, "(--home) is a file, not a folder"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ProgramRun r = runProgram(c.arguments, QString());
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_TRUE(r.err.contains(c.says)) << r.err.toStdString();
        EXPECT_FALSE(r.err.contains(QStringLiteral("display"))) << "told before the display is looked for";
    }
}

TEST(Program, DisplayThatCannotBeOpenedEndsWithTheNoDisplayMessage)
{
    struct Case
    {
        const char* name;
        QString display;
        QString says;
    };
    const Case cases[] = {
        {"NoDisplayNamed", QString(), QStringLiteral("neither DISPLAY nor WAYLAND_DISPLAY is set")},
        {"NoServerAtTheNamedDisplay", QStringLiteral(":237"), QStringLiteral("the display \":237\" cannot be opened")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ProgramRun r = runProgram({}, c.display);
        EXPECT_FALSE(r.crashed) << "no abort, no core dump";
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_TRUE(r.err.contains(c.says)) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(QStringLiteral("xvfb-run"))) << r.err.toStdString();
        EXPECT_FALSE(r.err.contains(QStringLiteral("qt.qpa"))) << "only the program's own message";
    }
}

} // namespace
