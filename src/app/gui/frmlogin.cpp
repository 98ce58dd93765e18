#include "frmlogin.h"

#include "app/core/messenger.h"
#include "app/core/module1.h"
#include "app/core/run_time_error.h"
#include "platform/sys/logon_name.h"
#include "platform/ui/key_codes.h"
#include "platform/ui/msg_box.h"
#include "window_placement.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace app {
namespace {
const QString kLogin = QStringLiteral("Login");
} // namespace

LoginForm::LoginForm(Module1& state, const QString& mode, const QString& title, QWidget* parent)
    : ui::FormBase(parent, ui::kFixedDialog), m_state(state)
{
    setObjectName(QStringLiteral("frmLogin"));
    setWindowTitle(kLogin);

    Label1 = new QLabel(title.isEmpty() ? QStringLiteral("Kiểm tra tên và mật khẩu ") : title, this);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont big = font();
    big.setPointSize(big.pointSize() + 3);
    big.setBold(true);
    Label1->setFont(big);
    Label1->setAlignment(Qt::AlignCenter);

    txtUserName = new QLineEdit(this);
    txtUserName->setObjectName(QStringLiteral("txtUserName"));
    txtUserName->setMaxLength(255);
    txtPassword = new QLineEdit(this);
    txtPassword->setObjectName(QStringLiteral("txtPassword"));
    txtPassword->setEchoMode(QLineEdit::Password);
    Combotenbangthamkhao = new QComboBox(this);
    Combotenbangthamkhao->setObjectName(QStringLiteral("Combotenbangthamkhao"));
    Combotenbangthamkhao->setAccessibleName(QStringLiteral("Danh sách người dùng"));
    Txtchedologin = new QLineEdit(mode, this);
    Txtchedologin->setObjectName(QStringLiteral("Txtchedologin"));
    Txtchedologin->hide();

    cmdok = new QPushButton(QStringLiteral("&Tiếp tục"), this);
    cmdok->setObjectName(QStringLiteral("cmdok"));
    cmdCancel = new QPushButton(QStringLiteral("&Kết thúc"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    // Enter is the form's own key (it presses "&Tiếp tục" except on the list of names).
    cmdok->setAutoDefault(false);
    cmdCancel->setAutoDefault(false);

    auto* nameLabel = new QLabel(QStringLiteral("Tên "), this);
    nameLabel->setBuddy(txtUserName);
    auto* passwordLabel = new QLabel(QStringLiteral("Mật khẩu"), this);
    passwordLabel->setBuddy(txtPassword);
    auto* grid = new QGridLayout;
    grid->addWidget(nameLabel, 0, 0);
    grid->addWidget(txtUserName, 0, 1);
    grid->addWidget(Combotenbangthamkhao, 1, 1);
    grid->addWidget(passwordLabel, 2, 0);
    grid->addWidget(txtPassword, 2, 1);
    grid->setColumnMinimumWidth(1, 280);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdok);
    buttons->addWidget(cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(Label1);
    layout->addLayout(grid);
    layout->addWidget(Txtchedologin);
    layout->addLayout(buttons);

    connect(cmdok, &QPushButton::clicked, this, &LoginForm::cmdok_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &LoginForm::cmdCancel_Click);
    connect(Combotenbangthamkhao, &QComboBox::activated, this,
            [this](int index) { txtUserName->setText(Combotenbangthamkhao->itemText(index)); });
    txtUserName->installEventFilter(this);
    txtPassword->installEventFilter(this);
}

LoginForm::~LoginForm() = default;

void LoginForm::Form_Load()
{
    m_done = false;
    m_gaveUp = false;
    try {
        m_db = m_state.scheduleReference; // the program's one connection to the users' file
        m_users = m_db.openRecordset(QStringLiteral("select * from nguoidung"), db::RecordsetType::Snapshot);
        m_check = std::make_unique<LoginCheck>(m_state, m_users, Txtchedologin->text(), m_db);
        txtUserName->setText(m_check->prefillName(sys::logonName().left(255)));
        Combotenbangthamkhao->clear();
        Combotenbangthamkhao->addItems(m_check->names());
        Combotenbangthamkhao->setCurrentIndex(-1);
    } catch (const std::exception& e) {
        recordRunTimeError(e);
        m_check.reset();
        tell(QStringLiteral("Gặp lỗi khi đang mở danh sách người dùng !"));
        m_gaveUp = true;
        m_done = true;
    }
    ui::setInitialFocus(txtUserName->text().isEmpty() ? txtUserName : txtPassword);
}

LoginForm::Result LoginForm::run(Module1& state, const QString& mode, const QString& title)
{
    LoginForm form(state, mode, title);
    form.load();
    if (form.isUsable()) {
        centreWindow(&form);
        form.showModal();
    }
    return {form.gaveUp(), form.m_confirmedRights};
}

void LoginForm::cmdok_Click()
{
    if (!m_check || m_done)
        return;
    LoginCheck::Attempt attempt;
    try {
        attempt = m_check->attempt(txtUserName->text(), txtPassword->text());
    } catch (const std::exception& e) {
        recordRunTimeError(e);
        ui::msgBox(QString::fromUtf8(e.what()), ui::msgbox::OkOnly, kLogin);
        return;
    }
    for (const QString& message : std::as_const(attempt.messages))
        ui::msgBox(message, ui::msgbox::OkOnly, kLogin);
    if (attempt.outcome != LoginCheck::Outcome::TryAgain) {
        m_confirmedRights = attempt.confirmedRights;
        m_done = true;
        m_users.close();
        unload();
    }
}

void LoginForm::cmdCancel_Click()
{
    unload();
}

ui::UnloadResult LoginForm::Form_Unload()
{
    if (!m_done)
        m_gaveUp = true; // "&Kết thúc" or the close box
    m_done = true;
    return ui::UnloadResult::Unload;
}

ui::KeyResult LoginForm::Form_KeyDown(int keyCode, int shift)
{
    Q_UNUSED(shift)
    if (keyCode == ui::key::Enter && activeControl() != Combotenbangthamkhao) {
        cmdok_Click();
        return ui::KeyResult::Consumed;
    }
    if (keyCode == ui::key::Escape) {
        cmdCancel_Click();
        return ui::KeyResult::Consumed;
    }
    return ui::KeyResult::Pass;
}

void LoginForm::Form_KeyUp(int keyCode, int shift)
{
    Q_UNUSED(shift)
    if (keyCode == ui::key::F4 && activeControlName().startsWith(QLatin1String("txt"))) {
        if (auto* box = qobject_cast<QLineEdit*>(activeControl()))
            box->clear();
    }
}

bool LoginForm::eventFilter(QObject* watched, QEvent* event)
{
    // The whole text is selected when a box gets the focus (after a click has placed the cursor).
    if (event->type() == QEvent::FocusIn) {
        if (auto* box = qobject_cast<QLineEdit*>(watched))
            QTimer::singleShot(0, box, &QLineEdit::selectAll);
    }
    return ui::FormBase::eventFilter(watched, event);
}

} // namespace app
