#pragma once

#include "sub_main.h"

#include <QMainWindow>
#include <QString>

class QLabel;
class QPushButton;
class QAction;
class QGroupBox;

namespace app {

class ElidedPathLabel;
struct Module1;
struct RegisterDescriptor;

// The old form frmMain. The main window, the hub of the program: shows the working year and the data files in use,
// offers three buttons per register and the menus of the reference lists, the data-file
// commands, the working year and help. Child widgets and menu actions carry the old control
// names as object names (Cmdxemcvden, mnunapdonvi, ...).
class MainWindow : public QMainWindow, public StartupWindow
{
    Q_OBJECT

public:
    // state: the program state the window's commands read and change, made by start-up.
    explicit MainWindow(Module1& state, QWidget* parent = nullptr);
    ~MainWindow() override;

    // StartupWindow. Shown centred and within the screen's available area (long data paths are
    // elided in the middle, never widening the window).
    void showAtStart() override;
    void repaintNow() override;
    void showDataLabels() override;
    void setLetterEntryEnabled(bool enabled) override;
    void focusViewIncoming() override;

    // A register button: runs its command (runRegisterCommand) and hides this window when the
    // form has opened.
    void registerButton_Click(const QString& name);
    // The working-year dialog WorkingYearDialog (also a double-click on Lblnamlamviec).
    void mnuchonnamlamviec_Click();
    void mnuHelpContents_Click();
    void mnuHelpAbout_Click();

    // The program ends when this window closes (its closing steps run first), not when the last
    // visible window closes: this window is hidden while a register's forms are open, and a form
    // closed by its close box brings back the form the user came from. Should no window be left
    // visible all the same, this window comes back. Called once the event loop is about to run.
    void endProgramOnClose();

    // The settings store file that closing writes the window position to; empty (the default)
    // means the user's own store. Tests point it at a file of their own.
    static void setSettingsStoreFile(const QString& path);

protected:
    // Closing (Cmdclose, mnunapkthuc or the close box): writes the settings file data/sysmem,
    // closes every other window, most recent first, and, unless minimised, saves the window's
    // left, top, width and height in the settings store (section "Settings", keys "MainLeft",
    // "MainTop", "MainWidth", "MainHeight").
    void closeEvent(QCloseEvent* event) override;
    // Coming back (a register form has closed) shows the due counts as they are now.
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildContent();
    void buildMenus();
    QGroupBox* buildFrame(const RegisterDescriptor& descriptor);
    QAction* addMenuAction(class QMenu* menu, const QString& name, const QString& caption);
    void dataFileMenu(const QString& name);
    // lblcvdenhan: the counts of incoming letters overdue and due soon, shown only when there are any.
    void showDueCounts();

    QLabel* Lblnamlamviec = nullptr;
    ElidedPathLabel* Lblfiledulieu = nullptr;
    QLabel* lblcvdenhan = nullptr;
    QPushButton* Cmdclose = nullptr;
    Module1& m_state;
    bool m_closed = false; // the closing steps have run
};

} // namespace app
