#include "qt_translation.h"

#include "data_paths.h"
#include "logging.h"
#include "program_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTranslator>
#include <memory>

namespace app {
namespace {

struct Installed
{
    std::unique_ptr<QTranslator> translator;
    QString file;
};

Installed& installed()
{
    static Installed i;
    return i;
}

} // namespace

QStringList qtTranslationFolders(const QString& programFolder)
{
    const QString executable = QCoreApplication::applicationDirPath();
    QStringList folders;
    for (const QString& folder : {dataFolder(programFolder), QDir(executable).filePath(QStringLiteral("data")),
                                  installedDataFolder(executable)}) {
        const QString clean = QDir::cleanPath(folder);
        if (!folders.contains(clean))
            folders << clean;
    }
    return folders;
}

QString installQtTranslation(const QStringList& folders)
{
    Installed& now = installed();
    for (const QString& folder : folders) {
        const QString file = QDir(folder).filePath(kQtTranslationFile);
        if (!QFileInfo(file).isFile())
            continue;
        if (file == now.file)
            return file;
        auto translator = std::make_unique<QTranslator>();
        if (!translator->load(file)) {
            qCWarning(lcApp) << "cannot read the translation of Qt's dialogs" << file;
            continue;
        }
        if (now.translator)
            QCoreApplication::removeTranslator(now.translator.get());
        QCoreApplication::installTranslator(translator.get());
        now.translator = std::move(translator);
        now.file = file;
        return file;
    }
    if (now.file.isEmpty())
        qCWarning(lcApp) << "no translation of Qt's dialogs in" << folders << "- they speak English";
    return now.file;
}

} // namespace app
