#pragma once

#include <QProgressDialog>

class QLabel;
class QProgressBar;
class QPushButton;

namespace ui {

// The window shown while a long command runs (an import of thousands of rows): what is being
// done, a bar, and a cancel button ("&Huỷ", also Esc and the close box). It is shown at once,
// modal to the application, and stays until the caller deletes or closes it.
//
// The command calls step() as it goes; step() repaints the window, takes the clicks waiting and
// returns false once the user has cancelled, and from then on. A total of 0 shows a busy bar.
class ProgressWindow : public QProgressDialog
{
    Q_OBJECT

public:
    explicit ProgressWindow(const QString& title, QWidget* parent = nullptr);

    bool step(const QString& text, int done, int total);
    // Esc cancels, as the button and the close box do.
    void reject() override;
    QLabel* lblbuoc;   // what is being done
    QProgressBar* bar; // rows done
    QPushButton* cmdHuy;
};

} // namespace ui
