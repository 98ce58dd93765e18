#pragma once

#include "platform/ui/form_base.h"

namespace app {

// The about box: the program's name, its version line and its makers, and one button
// "&Kết thúc" that closes it. Shown without waiting; closing it shows the main window again.
class frmAbout : public ui::FormBase
{
    Q_OBJECT

public:
    explicit frmAbout(QWidget* mainWindow);

    // Opens a new about box over mainWindow; the box deletes itself once it is unloaded.
    static frmAbout* showAbout(QWidget* mainWindow);

protected:
    void Form_Unload(int& cancel) override;

private:
    QWidget* m_mainWindow;
};

} // namespace app
