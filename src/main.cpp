// Selvaro: starts in its program folder, finds the data folder and reports what it holds.
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QString home = qEnvironmentVariable("SELVARO_HOME");
    const QStringList args = app.arguments();
    const int at = args.indexOf(QStringLiteral("--home"));
    if (at >= 0 && at + 1 < args.size())
        home = args.at(at + 1);
    if (home.isEmpty())
        home = QCoreApplication::applicationDirPath();
    const QDir data(QDir(home).filePath(QStringLiteral("data")));
    std::printf("Selvaro: data folder %s\n", qPrintable(QDir::toNativeSeparators(data.absolutePath())));
    if (!data.exists()) {
        std::printf("  (not found)\n");
        return 1;
    }
    for (const QFileInfo& f : data.entryInfoList(QDir::Files, QDir::Name))
        std::printf("  %-20s %10lld bytes\n", qPrintable(f.fileName()), f.size());
    return 0;
}
