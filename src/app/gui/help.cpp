#include "help.h"

#include "app/core/data_paths.h"
#include "platform/ui/msg_box.h"

#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QTextBrowser>
#include <QUrl>

namespace app {
namespace {

QPointer<HelpWindow> g_window;

} // namespace

QString helpFile(const QString& programFolder)
{
    return dataFilePath(programFolder, QStringLiteral("huongdan.html"));
}

HelpWindow::HelpWindow(QWidget* parent) : QMainWindow(parent), m_browser(new QTextBrowser(this))
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowFlag(Qt::Window);
    setAttribute(Qt::WA_DeleteOnClose);
    const QString title = QStringLiteral("Hướng dẫn sử dụng chương trình Selvaro");
    setWindowTitle(title);
    m_browser->setObjectName(QStringLiteral("Guide"));
    m_browser->setAccessibleName(title);
    m_browser->setOpenExternalLinks(true);
    setCentralWidget(m_browser);
    resize(820, 640);
}

HelpWindow* HelpWindow::current()
{
    return g_window;
}

void showHelpContents(const QString& programFolder, QWidget* mainWindow)
{
    const QString title = mainWindow ? mainWindow->windowTitle() : QString();
    const QString file = helpFile(programFolder);
    if (programFolder.isEmpty() || !QFileInfo(file).isFile()) {
        ui::msgBox(kNoHelp, ui::msgbox::Information, title);
        return;
    }
    QFile guide(file);
    if (!guide.open(QIODevice::ReadOnly)) {
        ui::msgBox(guide.errorString() + QStringLiteral(": ") + file, ui::msgbox::OkOnly, title);
        return;
    }
    guide.close();
    if (!g_window)
        g_window = new HelpWindow(mainWindow);
    g_window->browser()->setSource(QUrl::fromLocalFile(file));
    g_window->show();
    g_window->raise();
    g_window->activateWindow();
}

} // namespace app
