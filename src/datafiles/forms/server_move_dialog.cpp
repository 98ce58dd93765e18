#include "server_move_dialog.h"

#include "ui_frmmaychu.h"

#include "app/core/data_file_messages.h"
#include "app/core/messenger.h"
#include "app/core/module1.h"
#include "app/core/server_setting.h"
#include "datafiles/server_move.h"
#include "platform/ui/hourglass.h"
#include "platform/ui/label_names.h"

#include <QApplication>
#include <QDir>

namespace datafiles {

ServerMoveDialog::ServerMoveDialog(std::function<void()> refreshWindow, QWidget* parent)
    : ui::FormBase(parent, ui::kFixedDialog), m_ui(std::make_unique<Ui::frmmaychu>()),
      m_refreshWindow(std::move(refreshWindow))
{
    m_ui->setupUi(this);
    setObjectName(QStringLiteral("frmmaychu"));
    ui::nameControlsFromLabels(this); // each box is named by its label, as a screen reader reads it
    connect(m_ui->cmdchuyen, &QPushButton::clicked, this, &ServerMoveDialog::cmdchuyen_Click);
    connect(m_ui->cmddong, &QPushButton::clicked, this, &ServerMoveDialog::cmddong_Click);
}

ServerMoveDialog::~ServerMoveDialog() = default;

bool ServerMoveDialog::toServer() const
{
    return app::module1().serverConnection.isEmpty();
}

void ServerMoveDialog::Form_Load()
{
    const QString title = toServer() ? QStringLiteral("Chuyển dữ liệu lên máy chủ")
                                     : QStringLiteral("Chép dữ liệu từ máy chủ về thư mục");
    m_ui->lbltieude->setText(title);
    setWindowTitle(title);
    // Back from a server: the server in use, which cannot be another.
    m_ui->txtmaychu->setText(toServer() ? QString() : app::module1().serverConnection);
    m_ui->txtmaychu->setReadOnly(!toServer());
    m_ui->lstketqua->clear();
    ui::setInitialFocus(toServer() ? static_cast<QWidget*>(m_ui->txtmaychu) : m_ui->cmdchuyen);
}

void ServerMoveDialog::cmdchuyen_Click()
{
    app::Module1& m = app::module1();
    const QString connection = m_ui->txtmaychu->text().trimmed();
    if (connection.isEmpty()) {
        app::tell(QStringLiteral("Cần gõ tên máy chủ dữ liệu (chuỗi kết nối hoặc service=tên)!"));
        m_ui->txtmaychu->setFocus();
        return;
    }
    const QString folder = app::shownDataFolder(m.programFolder);
    const QString shown = app::shownConnection(connection);
    if (!app::ask(toServer() ? QStringLiteral("Chép toàn bộ dữ liệu của thư mục ") + folder +
                                   QStringLiteral(" lên máy chủ ") + shown + QStringLiteral(" ?")
                             : QStringLiteral("Chép toàn bộ dữ liệu của máy chủ ") + shown +
                                   QStringLiteral(" về thư mục ") + folder + QStringLiteral(" ?")))
        return;
    m_ui->lstketqua->clear();
    QString failure;
    {
        ui::HourglassPointer hourglass;
        const MoveReport report = [this](const QString& line) {
            m_ui->lstketqua->addItem(line);
            m_ui->lstketqua->scrollToBottom();
            QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        };
        failure = toServer() ? moveToServer(m.programFolder, connection, report)
                             : moveFromServer(m.programFolder, connection, report);
    }
    if (!failure.isEmpty()) {
        app::tell(failure);
        return;
    }
    // The data now live elsewhere: what this run writes would not follow them.
    m.readOnly = true;
    if (m_refreshWindow)
        m_refreshWindow();
    app::tell(toServer() ? QStringLiteral("Đã chép dữ liệu lên máy chủ ") + shown +
                               QStringLiteral(". Cần khởi động lại chương trình để làm việc trên máy chủ; đến lúc "
                                              "đó dữ liệu chỉ được xem.")
                         : QStringLiteral("Đã chép dữ liệu từ máy chủ về thư mục ") + folder +
                               QStringLiteral(". Cần khởi động lại chương trình để làm việc trên các file này; "
                                              "đến lúc đó dữ liệu chỉ được xem."));
    unload();
}

void ServerMoveDialog::cmddong_Click()
{
    unload();
}

} // namespace datafiles
