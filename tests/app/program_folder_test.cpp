// The program folder: a folder named by --home or SELVARO_HOME, the executable's folder, or the
// user's data location filled from the installed share folder.
#include "app/core/program_folder.h"
#include "files.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

using Source = app::ProgramFolderChoice::Source;

using test::readFile;
using test::writeFile;

// A machine in a temporary folder: <root>/usr/bin (the executable's folder), a build folder
// bin-build with its data folder, and the user's data location.
struct Machine
{
    QTemporaryDir root;
    QString path(const QString& relative) const { return QDir(root.path()).filePath(relative); }
    Machine()
    {
        for (const char* folder : {"usr/bin", "usr/share/selvaro/data", "build/bin/data", "plain/bin", "office"})
            QDir().mkpath(path(QString::fromLatin1(folder)));
        writeFile(path("afile"), "x");
    }
};

// The folder named, the executable's, or the user's data location, which the first start fills
// from the share folder without ever replacing the user's files, the template there or not.
TEST(ProgramFolder, ChoosesTheNamedFolderTheExecutablesOrTheUsersDataLocationWhichIsFilledOnce)
{
    const Machine m;
    struct Case
    {
        const char* name;
        QString option, variable, executable;
        QSet<QString> unwritable; // folders this user cannot write
        Source source;
        QString folder;
        QString error; // part of the error, empty when none
    };
    const QString user = m.path("home/.local/share/selvaro");
    const QString office = m.path("office"), nowhere = m.path("nowhere"), bin = m.path("usr/bin");
    const QString build = m.path("build/bin"), plain = m.path("plain/bin");
    // clang-format off
    const Case cases[] = {
        {"OptionWinsOverTheVariable", office, build, bin, {}, Source::HomeOption, office, {}},
        {"VariableWhenNoOption", {}, m.path("office/"), bin, {}, Source::HomeVariable, office, {}},
        {"OptionMissingFolder", nowhere, {}, bin, {}, Source::HomeOption, nowhere, "(--home) does not exist"},
        {"OptionAFile", m.path("afile"), {}, bin, {}, Source::HomeOption, m.path("afile"), "(--home) is a file, not a folder"},
        {"OptionNotWritable", office, {}, bin, {office}, Source::HomeOption, office, "(--home) cannot be written by this user"},
        {"VariableMissingFolder", {}, nowhere, bin, {}, Source::HomeVariable, nowhere, "(SELVARO_HOME) does not exist"},
        {"BuildWithItsDataFolder", {}, {}, build, {}, Source::Executable, build, {}},
        {"WritableFolderOfAnUninstalledProgram", {}, {}, plain, {}, Source::Executable, plain, {}},
        {"InstalledForAUser", {}, {}, bin, {bin}, Source::UserData, user, {}},
        {"InstalledForAnAdministratorWhoCanWriteBin", {}, {}, bin, {}, Source::UserData, user, {}},
        {"NothingNamedBeforeTheExecutablesFolderIsKnown", {}, {}, {}, {}, Source::Executable, {}, {}},
        {"ReadOnlyBuild", {}, {}, build, {build}, Source::UserData, user, {}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto choice = app::chooseProgramFolder(
            {c.option, c.variable, c.executable, user, [&](const QString& f) { return !c.unwritable.contains(f); }});
        EXPECT_EQ(std::pair(choice.source, choice.folder), std::pair(c.source, c.folder));
        EXPECT_TRUE(c.error.isEmpty() ? choice.error.isEmpty() : choice.error.contains(c.error))
            << qPrintable(choice.error);
    }
    EXPECT_EQ(app::installedDataFolder(m.path("usr/bin")), m.path("usr/share/selvaro/data"));

    const QString share = m.path("usr/share/selvaro/data");
    writeFile(share + "/vemogoc.mdb", "template");
    writeFile(share + "/brcvden.rpt", "report");
    writeFile(share + "/huongdan.html", "help");

    ASSERT_EQ(app::prepareUserDataFolder(user, share), QString());
    EXPECT_EQ(QDir(user + "/data").entryList(QDir::Files, QDir::Name),
              QStringList({"brcvden.rpt", "huongdan.html", "vemogoc.mdb"}));
    EXPECT_EQ(readFile(user + "/data/vemogoc.mdb"), "template");

    // The user's own files, whatever their letter case, stay; a file the user removed comes back.
    writeFile(user + "/data/BRCVDEN.RPT", "my report");
    writeFile(user + "/data/huongdan.html", "my help");
    QFile::remove(user + "/data/brcvden.rpt");
    QFile::remove(user + "/data/vemogoc.mdb");
    writeFile(share + "/vemogoc.mdb", "newer template");
    ASSERT_EQ(app::prepareUserDataFolder(user, share), QString());
    EXPECT_EQ(QDir(user + "/data").entryList(QDir::Files, QDir::Name),
              QStringList({"BRCVDEN.RPT", "huongdan.html", "vemogoc.mdb"}));
    EXPECT_EQ((QList<QByteArray>{readFile(user + "/data/BRCVDEN.RPT"), readFile(user + "/data/huongdan.html"),
                                 readFile(user + "/data/vemogoc.mdb")}),
              (QList<QByteArray>{"my report", "my help", "newer template"}));

    // No share folder, or one without the template: what there is is copied, nothing fails; the
    // start-up then says that the template is missing.
    writeFile(m.path("office/brcvdi.rpt"), "report");
    EXPECT_EQ(app::prepareUserDataFolder(m.path("u1"), m.path("nowhere")), QString());
    EXPECT_TRUE(QDir(m.path("u1/data")).exists());
    EXPECT_EQ(app::prepareUserDataFolder(m.path("u2"), m.path("office")), QString());
    EXPECT_EQ(QDir(m.path("u2/data")).entryList(QDir::Files), QStringList({"brcvdi.rpt"}));

    // A file where the data location should be: the message names the data folder.
    const QString problem = app::prepareUserDataFolder(m.path("afile/selvaro"), m.path("usr/share/selvaro/data"));
    EXPECT_TRUE(problem.startsWith(u"Không tạo được thư mục dữ liệu "_s +
                                   QDir::toNativeSeparators(m.path("afile/selvaro/data"))))
        << qPrintable(problem);
}

} // namespace
