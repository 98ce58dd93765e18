#include "frmmain.h"

#include "app/core/command_line.h"
#include "app/core/data_files.h"
#include "app/core/due_letters.h"
#include "app/core/messenger.h"
#include "app/core/module1.h"
#include "app/core/read_only_mode.h"
#include "app/core/run_time_error.h"
#include "common/clock.h"
#include "elided_path_label.h"
#include "form_commands.h"
#include "frmabout.h"
#include "frmnamlamviec.h"
#include "help.h"
#include "list_menus.h"
#include "platform/sys/settings_store.h"
#include "platform/ui/form_base.h"
#include "platform/ui/window_place.h"
#include "register_catalog.h"
#include "window_placement.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGraphicsDropShadowEffect>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace app {
namespace {

QString g_settingsStoreFile;

// Texts built with CR LF show as plain line breaks.
QString forLabel(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

} // namespace

MainWindow::MainWindow(Module1& state, QWidget* parent) : QMainWindow(parent), m_state(state)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Selvaro ") + kProgramVersion);
    setAttribute(Qt::WA_DeleteOnClose, false);
    buildContent();
    buildMenus();
    ui::keepPlaceWhenShownAgain(this); // hidden while a register's forms are open
}

MainWindow::~MainWindow() = default;

void MainWindow::setSettingsStoreFile(const QString& path)
{
    g_settingsStoreFile = path;
}

void MainWindow::buildContent()
{
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setSpacing(8);

    // The system's name with a shadow. The shadow is drawn by an effect, not by a second label,
    // so a screen reader reads the name once.
    QFont big = font();
    big.setPointSize(big.pointSize() + 12);
    big.setBold(true);
    auto* title = new QLabel(QStringLiteral("hệ thống Selvaro"), central);
    title->setObjectName(QStringLiteral("Label1"));
    title->setFont(big);
    title->setStyleSheet(QStringLiteral("color: #8b0000;"));
    title->setAlignment(Qt::AlignCenter);
    title->setFixedHeight(48);
    auto* shadow = new QGraphicsDropShadowEffect(title);
    shadow->setColor(QColor(0x9a, 0x9a, 0x9a));
    shadow->setOffset(3, 3);
    shadow->setBlurRadius(0);
    title->setGraphicsEffect(shadow);
    layout->addWidget(title);

    auto* organisation =
        new QLabel(QStringLiteral("Quản lý công văn đến, công văn đi, kế hoạch và lịch công tác"), central);
    organisation->setObjectName(QStringLiteral("Label3"));
    organisation->setAlignment(Qt::AlignCenter);
    QFont orgFont = font();
    orgFont.setPointSize(orgFont.pointSize() + 2);
    orgFont.setItalic(true);
    organisation->setFont(orgFont);
    layout->addWidget(organisation);

    Lblnamlamviec = new QLabel(central);
    Lblnamlamviec->setObjectName(QStringLiteral("Lblnamlamviec"));
    Lblnamlamviec->setAlignment(Qt::AlignCenter);
    QFont yearFont = font();
    yearFont.setPointSize(yearFont.pointSize() + 4);
    yearFont.setBold(true);
    Lblnamlamviec->setFont(yearFont);
    Lblnamlamviec->setStyleSheet(QStringLiteral("color: #00008b;"));
    Lblnamlamviec->setToolTip(QStringLiteral("Nháy đúp để chọn năm làm việc"));
    Lblnamlamviec->installEventFilter(this);
    layout->addWidget(Lblnamlamviec);

    // Data paths may be long (a network folder): elided in the middle, in full in the tooltip.
    Lblfiledulieu = new ElidedPathLabel(central);
    Lblfiledulieu->setObjectName(QStringLiteral("Lblfiledulieu"));
    Lblfiledulieu->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(Lblfiledulieu);

    auto* frames = new QGridLayout;
    // The registers two by two, in the order they were added.
    const QList<RegisterDescriptor>& registers = registerDescriptors();
    for (int i = 0; i < registers.size(); ++i)
        frames->addWidget(buildFrame(registers.at(i)), i / 2, i % 2);
    layout->addLayout(frames);

    Cmdclose = new QPushButton(QStringLiteral("&Kết thúc"), central);
    Cmdclose->setObjectName(QStringLiteral("Cmdclose"));
    connect(Cmdclose, &QPushButton::clicked, this, &QWidget::close);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(Cmdclose);
    layout->addLayout(bottom);

    setCentralWidget(central);
    resize(760, 520);
}

QGroupBox* MainWindow::buildFrame(const RegisterDescriptor& descriptor)
{
    auto* frame = new QGroupBox(descriptor.frameTitle);
    auto* column = new QVBoxLayout(frame);
    for (const RegisterCommand* command : descriptor.commands()) {
        auto* button = new QPushButton(command->caption, frame);
        button->setObjectName(command->name);
        button->setMinimumHeight(32);
        const QString name = command->name;
        connect(button, &QPushButton::clicked, this, [this, name] { registerButton_Click(name); });
        column->addWidget(button);
    }
    if (descriptor.showsDueCounts) {
        lblcvdenhan = new QLabel(frame);
        lblcvdenhan->setObjectName(QStringLiteral("lblcvdenhan"));
        lblcvdenhan->setWordWrap(true);
        lblcvdenhan->setStyleSheet(QStringLiteral("color: #8b0000; font-weight: bold;"));
        lblcvdenhan->hide();
        column->addWidget(lblcvdenhan);
    }
    return frame;
}

QAction* MainWindow::addMenuAction(QMenu* menu, const QString& name, const QString& caption)
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    return action;
}

void MainWindow::buildMenus()
{
    QMenu* mnunap = menuBar()->addMenu(QStringLiteral("&Nạp sửa các danh sách"));
    mnunap->setObjectName(QStringLiteral("mnunap"));
    const QList<QPair<QString, QString>> lists = {
        {QStringLiteral("mnutendonvi"), QStringLiteral("Nạp sửa tên đơn vị dùng phần mềm")},
        {QStringLiteral("mnunapdonvi"), QStringLiteral("Nạp sửa danh sách ban, đơn vị trực thuộc")},
        {QStringLiteral("mnunapbophan"), QStringLiteral("Nạp sửa danh sách phòng, bộ phận")},
        {QStringLiteral("mnunapnoigui"), QStringLiteral("Nạp sửa danh sách các đơn vị thường gửi, nhận công văn")},
        {QStringLiteral("mnunguoidung"), QStringLiteral("Nạp sửa danh sách người dùng, mật khẩu, quyền hạn")},
        {QStringLiteral("mnunapchutat"), QStringLiteral("Nạp sửa bảng chữ tắt")},
        {QStringLiteral("mnunaploaicv"), QStringLiteral("Nạp sửa loại công văn")},
    };
    for (const auto& [name, caption] : lists) {
        QAction* action = addMenuAction(mnunap, name, caption);
        const QString menu = name;
        connect(action, &QAction::triggered, this, [this, menu] {
            if (!refuseWhenReadOnly(m_state.readOnly)) // the lists are edited in these forms
                runListMenu(m_state, menu, this);
        });
        if (name == QLatin1String("mnutendonvi") || name == QLatin1String("mnunapnoigui") ||
            name == QLatin1String("mnunguoidung"))
            mnunap->addSeparator();
    }
    mnunap->addSeparator();
    QAction* quit = addMenuAction(mnunap, QStringLiteral("mnunapkthuc"), QStringLiteral("&Kết thúc chương trình"));
    connect(quit, &QAction::triggered, this, &QWidget::close);

    QMenu* mnudlieu = menuBar()->addMenu(QStringLiteral("&Quản lý các file dữ liệu, năm làm việc"));
    mnudlieu->setObjectName(QStringLiteral("mnudlieu"));
    const QList<QPair<QString, QString>> files = {
        {QStringLiteral("mnuchondulieucongvan"), QStringLiteral("Chọn file dữ liệu công văn")},
        {QStringLiteral("mnuchondulieulich"), QStringLiteral("Chọn file dữ liệu kế hoạch và lịch công tác")},
        {QStringLiteral("mnubackup"), QStringLiteral("Chọn file dữ liệu backup")},
        {QStringLiteral("mnunhapdulieucv"), QStringLiteral("Nhập dữ liệu công văn cũ")},
        {QStringLiteral("mnunhapdulieulich"), QStringLiteral("Nhập dữ liệu kế hoạch, lịch công tác cũ")},
        {QStringLiteral("mnunhapbangthamkhao"), QStringLiteral("Nhập các danh sách tham khảo cũ")},
        {QStringLiteral("mnuchuyenmaychu"), QStringLiteral("Chuyển dữ liệu giữa thư mục và máy chủ...")},
    };
    for (const auto& [name, caption] : files) {
        QAction* action = addMenuAction(mnudlieu, name, caption);
        const QString menu = name;
        connect(action, &QAction::triggered, this, [this, menu] { dataFileMenu(menu); });
        if (name == QLatin1String("mnubackup") || name == QLatin1String("mnunhapbangthamkhao") ||
            name == QLatin1String("mnuchuyenmaychu"))
            mnudlieu->addSeparator();
    }
    QAction* year = addMenuAction(mnudlieu, QStringLiteral("mnuchonnamlamviec"), QStringLiteral("Chọn năm làm việc"));
    connect(year, &QAction::triggered, this, &MainWindow::mnuchonnamlamviec_Click);

    QMenu* mnuHelp = menuBar()->addMenu(QStringLiteral("&Trợ giúp"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    QAction* contents =
        addMenuAction(mnuHelp, QStringLiteral("mnuHelpContents"), QStringLiteral("&Hướng dẫn sử dụng chương trình..."));
    connect(contents, &QAction::triggered, this, &MainWindow::mnuHelpContents_Click);
    QAction* about = addMenuAction(mnuHelp, QStringLiteral("mnuHelpAbout"), QStringLiteral("&Về chương trình này..."));
    connect(about, &QAction::triggered, this, &MainWindow::mnuHelpAbout_Click);
}

void MainWindow::showAtStart()
{
    centreWindow(this);
    keepWithinScreen(this);
    show();
    repaintNow();
}

void MainWindow::repaintNow()
{
    repaint();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void MainWindow::showDataLabels()
{
    Lblnamlamviec->setText(workingYearCaption(m_state));
    Lblfiledulieu->setFullText(forLabel(dataFilesCaption(m_state)));
    showDueCounts();
}

void MainWindow::showDueCounts()
{
    if (!lblcvdenhan)
        return;
    QString text;
    try {
        if (m_state.letters.isOpen())
            text = dueCountsText(countDueLetters(m_state.letters, common::clock().today()));
    } catch (const std::exception& e) {
        recordRunTimeError(e); // the counts are left out; the registers still open
    }
    if (text == lblcvdenhan->text() && lblcvdenhan->isVisible() == !text.isEmpty())
        return;
    lblcvdenhan->setText(text);
    // The label's name is what it shows, and a screen reader is told when that changes.
    lblcvdenhan->setAccessibleName(text);
    lblcvdenhan->setVisible(!text.isEmpty());
    QAccessibleEvent changed(lblcvdenhan, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&changed);
}

void MainWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    showDueCounts();
}

void MainWindow::setLetterEntryEnabled(bool enabled)
{
    for (const RegisterDescriptor& d : registerDescriptors()) {
        if (d.dataFile != DataFile::Letters)
            continue;
        if (auto* button = findChild<QPushButton*>(d.entry.name))
            button->setEnabled(enabled);
    }
}

void MainWindow::focusViewIncoming()
{
    if (registerDescriptors().isEmpty())
        return;
    if (auto* button = findChild<QPushButton*>(registerDescriptors().first().list.name))
        button->setFocus();
}

void MainWindow::registerButton_Click(const QString& name)
{
    if (runRegisterCommand(m_state, name, this))
        hide();
}

void MainWindow::dataFileMenu(const QString& name)
{
    // Choosing files, the backup or importing writes the settings file or the data files.
    if (refuseWhenReadOnly(m_state.readOnly))
        return;
    FormRequest request;
    request.command = name;
    if (name == QLatin1String("mnunhapdulieucv"))
        request.kind = QStringLiteral("cv");
    else if (name == QLatin1String("mnunhapdulieulich"))
        request.kind = QStringLiteral("lich");
    else if (name == QLatin1String("mnunhapbangthamkhao"))
        request.kind = QStringLiteral("tk");
    if (!openForm(request, this))
        tell(kNotAvailable);
}

void MainWindow::mnuchonnamlamviec_Click()
{
    WorkingYearDialog::run(this, this);
}

void MainWindow::mnuHelpContents_Click()
{
    showHelpContents(m_state.programFolder, this);
}

void MainWindow::mnuHelpAbout_Click()
{
    AboutDialog::showAbout(this);
}

void MainWindow::endProgramOnClose()
{
    QGuiApplication::setQuitOnLastWindowClosed(false);
    connect(qApp, &QGuiApplication::lastWindowClosed, this, [this] {
        if (!m_closed)
            show();
    });
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Lblnamlamviec && event->type() == QEvent::MouseButtonDblClick) {
        mnuchonnamlamviec_Click();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    try {
        if (!m_state.readOnly)
            writeSysmem(m_state);
    } catch (const std::exception& e) {
        recordRunTimeError(e);
        tell(QStringLiteral("Gặp lỗi khi đang ghi file sysmem."));
    }
    // Every other open form goes, the most recent first: forms of the toolkit are unloaded even
    // while hidden (a register form hides instead of unloading), other windows are closed.
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (auto it = windows.crbegin(); it != windows.crend(); ++it) {
        if (*it == this)
            continue;
        if (auto* form = qobject_cast<ui::FormBase*>(*it)) {
            if (form->isLoaded())
                form->unload();
        } else if ((*it)->isVisible()) {
            (*it)->close();
        }
    }
    m_closed = true;
    if (!isMinimized()) {
        sys::SettingsStore store =
            g_settingsStoreFile.isEmpty() ? sys::SettingsStore() : sys::SettingsStore::onFile(g_settingsStoreFile);
        const QRect frame = frameGeometry();
        store.setValue(QStringLiteral("MainLeft"), frame.left());
        store.setValue(QStringLiteral("MainTop"), frame.top());
        store.setValue(QStringLiteral("MainWidth"), frame.width());
        store.setValue(QStringLiteral("MainHeight"), frame.height());
        store.sync();
    }
    event->accept();
    // Once this window is hidden: a quit while it is still visible would be refused.
    QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
}

} // namespace app
