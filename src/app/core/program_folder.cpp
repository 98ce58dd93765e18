#include "program_folder.h"

#include "data_paths.h"
#include "platform/sys/file_ops.h"
#include "read_only_mode.h"
#include "run_time_error.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace app {

namespace {

QString cleanAbsolute(const QString& folder)
{
    return QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
}

// The reason a folder named by the user cannot be the program folder; empty when it can.
QString namedFolderProblem(const QString& folder, const QString& namedBy,
                           const std::function<bool(const QString&)>& canWrite)
{
    const QString what = QStringLiteral("the program folder ") + QDir::toNativeSeparators(folder) +
                         QStringLiteral(" (") + namedBy + QStringLiteral(") ");
    const QFileInfo info(folder);
    if (!info.exists())
        return what + QStringLiteral("does not exist");
    if (!info.isDir())
        return what + QStringLiteral("is a file, not a folder");
    if (!canWrite(folder))
        return what + QStringLiteral("cannot be written by this user");
    return {};
}

QString cannotCreateMessage(const QString& folder)
{
    return QStringLiteral("Không tạo được thư mục dữ liệu ") + QDir::toNativeSeparators(folder) + QStringLiteral(" !") +
           QStringLiteral("\r") +
           QStringLiteral("Cần kiểm tra quyền ghi vào thư mục này, hoặc chạy chương trình với "
                          "--home hay SELVARO_HOME chỉ thư mục chương trình khác !");
}

} // namespace

ProgramFolderChoice chooseProgramFolder(const ProgramFolderFacts& facts)
{
    using Source = ProgramFolderChoice::Source;
    ProgramFolderChoice choice;
    if (!facts.homeOption.isEmpty() || !facts.homeVariable.isEmpty()) {
        const bool option = !facts.homeOption.isEmpty();
        choice.source = option ? Source::HomeOption : Source::HomeVariable;
        choice.folder = cleanAbsolute(option ? facts.homeOption : facts.homeVariable);
        choice.error = namedFolderProblem(
            choice.folder, option ? QStringLiteral("--home") : QStringLiteral("SELVARO_HOME"), facts.canWrite);
        return choice;
    }
    if (facts.executableFolder.isEmpty())
        return choice; // not known yet: nothing to check
    const QString executable = cleanAbsolute(facts.executableFolder);
    const bool ownDataFolder = QFileInfo(dataFolder(executable)).isDir();
    const bool installed = QFileInfo(installedDataFolder(executable)).isDir();
    if (facts.canWrite(executable) && (ownDataFolder || !installed)) {
        choice.source = Source::Executable;
        choice.folder = executable;
    } else {
        choice.source = Source::UserData;
        choice.folder = cleanAbsolute(facts.userDataLocation);
    }
    return choice;
}

ProgramFolderChoice chooseProgramFolder(const QString& homeOption)
{
    // Before the application object exists only a named folder can be checked.
    const QString executable = QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QString();
    return chooseProgramFolder(
        {homeOption, qEnvironmentVariable("SELVARO_HOME"), executable, userDataLocation(), canWriteFolder});
}

QString installedDataFolder(const QString& executableFolder)
{
    return QDir::cleanPath(executableFolder + QStringLiteral("/../share/selvaro/data"));
}

QString userDataLocation()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
        .filePath(QStringLiteral("selvaro"));
}

QString prepareUserDataFolder(const QString& programFolder, const QString& sharedFolder)
{
    const QString target = dataFolder(programFolder);
    if (!QDir().mkpath(target) || !canWriteFolder(target))
        return cannotCreateMessage(target);
    const QStringList names = QDir(sharedFolder).entryList(QDir::Files | QDir::Readable, QDir::Name);
    for (const QString& name : names) {
        const QString destination = QDir(target).filePath(name);
        if (QFileInfo::exists(matchNameCase(destination)))
            continue;
        try {
            sys::copyFile(QDir(sharedFolder).filePath(name), destination);
        } catch (const sys::FileError& e) {
            recordRunTimeError(e);
            return QStringLiteral("Không chép được file ") + name + QStringLiteral(" từ thư mục ") +
                   QDir::toNativeSeparators(sharedFolder) + QStringLiteral(" vào thư mục dữ liệu ") +
                   QDir::toNativeSeparators(target) + QStringLiteral(" !") + QStringLiteral("\r") +
                   QStringLiteral("Cần kiểm tra chỗ trống trên đĩa và quyền ghi vào thư mục này !");
        }
    }
    return {};
}

} // namespace app
