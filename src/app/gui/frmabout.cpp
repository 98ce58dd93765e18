#include "frmabout.h"

#include "window_placement.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace app {
namespace {

QPointer<AboutDialog> g_open; // the about box while it is open

} // namespace

AboutDialog::AboutDialog(QWidget* mainWindow) : ui::FormBase(mainWindow, ui::kFixedDialog), m_mainWindow(mainWindow)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("chương trình quản lý Selvaro"));
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    auto* name = new QLabel(QStringLiteral("chương trình quản lý Selvaro"), this);
    name->setObjectName(QStringLiteral("lblTitle"));
    QFont big = font();
    big.setPointSize(big.pointSize() + 6);
    big.setBold(true);
    name->setFont(big);
    layout->addWidget(name, 0, Qt::AlignCenter);

    auto* version = new QLabel(QStringLiteral("Phiên bản V2007.8"), this);
    version->setObjectName(QStringLiteral("lblVersion"));
    layout->addWidget(version, 0, Qt::AlignCenter);

    auto* makers = new QLabel(QStringLiteral("Quản lý công văn đến, công văn đi, kế hoạch và lịch công tác.\n"
                                             "Chương trình do nhóm phát triển Selvaro thực hiện,\n"
                                             "viết lại bằng C++ và Qt, dữ liệu lưu trong các file SQLite."),
                              this);
    makers->setObjectName(QStringLiteral("lblDescription"));
    makers->setAlignment(Qt::AlignCenter);
    layout->addWidget(makers);

    cmdok = new QPushButton(QStringLiteral("&Kết thúc"), this);
    cmdok->setObjectName(QStringLiteral("cmdok"));
    connect(cmdok, &QPushButton::clicked, this, &ui::FormBase::unload);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdok);
    buttons->addStretch();
    layout->addLayout(buttons);
}

AboutDialog* AboutDialog::showAbout(QWidget* mainWindow)
{
    if (g_open && g_open->isLoaded()) {
        g_open->showModeless();
        return g_open;
    }
    auto* box = new AboutDialog(mainWindow);
    connect(box, &ui::FormBase::unloaded, box, &QObject::deleteLater);
    centreWindow(box, mainWindow);
    g_open = box;
    box->showModeless();
    return box;
}

void AboutDialog::Form_Load()
{
    ui::setInitialFocus(cmdok);
}

ui::UnloadResult AboutDialog::Form_Unload()
{
    if (m_mainWindow)
        m_mainWindow->show();
    return ui::UnloadResult::Unload;
}

} // namespace app
