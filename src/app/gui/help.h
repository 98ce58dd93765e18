#pragma once

#include <QMainWindow>
#include <QString>

class QTextBrowser;

namespace app {

// The help file: the user guide data/huongdan.html in the data folder of the program folder
// programFolder.
QString helpFile(const QString& programFolder);

inline const QString kNoHelp =
    QStringLiteral("Unable to display Help Contents. There is no Help associated with this project.");

// Help contents, from the data folder of programFolder. Without a help file: the platform message box kNoHelp with the
// information icon, titled with mainWindow's caption. Otherwise the guide opens in the help window (one window, raised
// again when already open); a guide that cannot be read shows the reason in a platform message box.
void showHelpContents(const QString& programFolder, QWidget* mainWindow);

// The help window: a window (announced as one) holding a browser over the user guide, with its
// links followed inside it.
class HelpWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit HelpWindow(QWidget* parent = nullptr);
    // The open help window, or nullptr.
    static HelpWindow* current();
    QTextBrowser* browser() const { return m_browser; }

private:
    QTextBrowser* m_browser;
};

} // namespace app
