#pragma once

#include "platform/ui/form_base.h"

class QPushButton;

namespace app {

// The old form frmAbout. The about box: the program's name, its version line and its makers, and one button
// "&Kết thúc" that closes it (Esc too). Shown without waiting; closing it shows the main window
// again. A dialog of fixed size; there is at most one.
class AboutDialog : public ui::FormBase
{
    Q_OBJECT

public:
    explicit AboutDialog(QWidget* mainWindow);

    // Opens an about box over mainWindow, or raises the one already open; the box deletes itself
    // once it is unloaded.
    static AboutDialog* showAbout(QWidget* mainWindow);

protected:
    void Form_Load() override;
    ui::UnloadResult Form_Unload() override;

private:
    QWidget* m_mainWindow;
    QPushButton* cmdok = nullptr;
};

} // namespace app
