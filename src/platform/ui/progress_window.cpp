#include "progress_window.h"

#include "form_base.h"

#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

namespace ui {

ProgressWindow::ProgressWindow(const QString& title, QWidget* parent)
    : QProgressDialog(parent, kFixedDialog), lblbuoc(new QLabel(this)), bar(new QProgressBar(this)),
      cmdHuy(new QPushButton(QStringLiteral("&Huỷ"), this))
{
    setObjectName(QStringLiteral("frmtiendo"));
    setWindowTitle(title);
    setAccessibleName(title);
    lblbuoc->setObjectName(QStringLiteral("lblbuoc"));
    lblbuoc->setMinimumWidth(360);
    lblbuoc->setWordWrap(true);
    bar->setObjectName(QStringLiteral("bar"));
    bar->setAccessibleName(QStringLiteral("Số dòng đã nhập"));
    cmdHuy->setObjectName(QStringLiteral("cmdHuy"));
    cmdHuy->setAccessibleName(QStringLiteral("Huỷ"));
    setLabel(lblbuoc);
    setBar(bar);
    // Removing the default button first also removes its Esc shortcut; replacing it directly
    // would leave two Esc shortcuts, and an ambiguous shortcut does nothing.
    setCancelButton(nullptr);
    setCancelButton(cmdHuy);
    setWindowModality(Qt::ApplicationModal);
    setAutoClose(false);
    setAutoReset(false);
    setMinimumDuration(0);
    setRange(0, 0);
    setValue(0);
}

bool ProgressWindow::step(const QString& text, int done, int total)
{
    if (wasCanceled())
        return false;
    if (labelText() != text)
        setLabelText(text);
    if (maximum() != total)
        setRange(0, total);
    setValue(total > 0 ? done : 0);
    if (!isVisible())
        show();
    QCoreApplication::processEvents();
    return !wasCanceled();
}

void ProgressWindow::reject()
{
    cancel();
}

} // namespace ui
