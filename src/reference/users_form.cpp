#include "users_form.h"

#include "platform/ui/label_names.h"
#include "reference_rules.h"
#include "ui_frmloaitien.h"

#include "app/core/messenger.h"
#include "app/core/run_time_error.h"
#include "app/gui/rights.h"
#include "app/gui/window_placement.h"
#include "common/user_password.h"
#include "datafiles/forms/list_export.h"
#include "platform/db/sql_quote.h"
#include "platform/ui/hourglass.h"
#include "platform/ui/key_codes.h"
#include "platform/ui/status_style.h"

#include <QLineEdit>

namespace reference {
namespace {

const QString kViewList = QStringLiteral("Xem danh sách người dùng");
const QString kChangePassword = QStringLiteral("Đổi mật khẩu");
const QString kAddCaption = QStringLiteral("&Nạp mới");
const QString kCancelAdd = QStringLiteral("&Huỷ nạp");
const QString kEditCaption = QStringLiteral("&Sửa");
const QString kCancelEdit = QStringLiteral("&Huỷ sửa");

} // namespace

UsersForm::UsersForm(QWidget* parent) : ui::FormBase(parent), m_ui(std::make_unique<Ui::frmloaitien>())
{
    m_ui->setupUi(this);
    Data1 = m_ui->Data1;
    DBGrid2 = m_ui->DBGrid2;
    fullNameBox = m_ui->Mloaitien;
    loginNameBox = m_ui->mchutat;
    rightsBox = m_ui->Mmatt;
    passwordBox = m_ui->Mstygia;
    administratorCheck = m_ui->Checkquantri;
    leaderCheck = m_ui->Checkxemketoan;
    rightsFrame = m_ui->Framequyenhan;
    lbltrangthai = m_ui->lbltrangthai;
    boundFullName = m_ui->txtloaitien;
    boundLoginName = m_ui->txtchutat;
    boundRights = m_ui->txtmatt;
    boundPassword = m_ui->txtStygia;
    boundEditable = m_ui->Txtcothesua;
    txtid = m_ui->txtid;
    formKind = m_ui->Txtkieuform;
    cmdAdd = m_ui->cmdAdd;
    Cmdsua = m_ui->Cmdsua;
    cmdDelete = m_ui->cmdDelete;
    cmdUpdate = m_ui->cmdUpdate;
    cmdclose = m_ui->cmdclose;

    fullNameBox->setMaxLength(100);
    if (auto* line = qobject_cast<QLineEdit*>(passwordBox->editor()))
        line->setEchoMode(QLineEdit::Password);
    boundFullName->bind(Data1, QStringLiteral("hoten"));
    boundLoginName->bind(Data1, QStringLiteral("tentrenmang"));
    boundRights->bind(Data1, QStringLiteral("quyenhan"));
    boundPassword->bind(Data1, QStringLiteral("matkhau"));
    boundEditable->bind(Data1, QStringLiteral("cothesua"));
    txtid->bind(Data1, QStringLiteral("ID"));
    for (ui::TextBox* hidden :
         {boundFullName, boundLoginName, boundRights, boundPassword, boundEditable, txtid, formKind})
        hidden->hide();
    DBGrid2->setDataSource(Data1);
    // The password column stays out of the grid.
    DBGrid2->addColumn(QStringLiteral("Họ tên người dùng"), QStringLiteral("hoten"), 260);
    DBGrid2->addColumn(QStringLiteral("Tên trên mạng"), QStringLiteral("tentrenmang"), 160);
    DBGrid2->addColumn(QStringLiteral("Quyền hạn"), QStringLiteral("quyenhan"), 140);
    Data1->setRecordsetType(db::RecordsetType::Dynaset);
    ui::nameControlsFromLabels(this);

    connect(Data1, &ui::DataControl::Reposition, this, &UsersForm::Data1_Reposition);
    Data1->setValidateHandler([](ui::DataAction, bool) { return ui::ValidateResult::DontSave; });
    Data1->setErrorHandler([](int, const QString& description) {
        app::tell(QStringLiteral("Lỗi dữ liệu:") + description);
        return ui::ErrorResponse::Handled;
    });
    connect(administratorCheck, &QCheckBox::clicked, this, &UsersForm::buildRights);
    connect(leaderCheck, &QCheckBox::clicked, this, &UsersForm::buildRights);
    for (QPushButton* b : {cmdAdd, Cmdsua, cmdDelete, cmdUpdate, cmdclose})
        b->setAutoDefault(false);
    connect(cmdAdd, &QPushButton::clicked, this, &UsersForm::cmdAdd_Click);
    connect(Cmdsua, &QPushButton::clicked, this, &UsersForm::Cmdsua_Click);
    connect(cmdUpdate, &QPushButton::clicked, this, &UsersForm::cmdUpdate_Click);
    connect(cmdDelete, &QPushButton::clicked, this, &UsersForm::cmdDelete_Click);
    connect(cmdclose, &QPushButton::clicked, this, &UsersForm::cmdclose_Click);
    datafiles::connectExportButton(m_ui->cmdxuatexcel, DBGrid2, {QString(), {QStringLiteral("matkhau")}});
}

UsersForm::~UsersForm() = default;

void UsersForm::prepare(const app::FormRequest& request, const LoggedInUser& user)
{
    ui::HourglassPointer hourglass;
    load();
    m_mode.clear();
    m_closing = false;
    m_user = user;
    m_administrator = app::beginsWithQ(m_user.confirmedRights);
    formKind->setText(QStringLiteral("nguoidung"));
    if (!request.title.isEmpty())
        setWindowTitle(request.title);
    Data1->setDatabase(request.database());
    Data1->setRecordSource(request.recordSource);
    if (Data1->refresh() && Data1->recordset().recordCount() > 0) {
        Data1->moveLast();
        Data1->moveFirst();
    }
    backToView();
}

void UsersForm::openFor(const app::FormRequest& request, const LoggedInUser& user)
{
    prepare(request, user);
    app::centreWindow(this);
    showModal();
}

void UsersForm::viewStatus()
{
    lbltrangthai->setText(m_administrator ? kViewList : kChangePassword);
    ui::setStatusStyle(lbltrangthai, ui::StatusStyle::Viewing);
}

void UsersForm::lockBoxes()
{
    for (ui::TextBox* box : {fullNameBox, loginNameBox, rightsBox, passwordBox})
        box->setLocked(true);
}

void UsersForm::refill()
{
    const bool current = Data1->hasCurrentRecord();
    fullNameBox->setText(current ? boundFullName->text() : QString());
    loginNameBox->setText(current ? boundLoginName->text() : QString());
    rightsBox->setText(current ? boundRights->text() : QString());
    passwordBox->setText(QString()); // a password is never shown
}

void UsersForm::showRights()
{
    administratorCheck->setChecked(rightsAdministrator(rightsBox->text()));
    leaderCheck->setChecked(rightsHead(rightsBox->text()));
    rightsFrame->setEnabled(false);
}

void UsersForm::buildRights()
{
    if (editing())
        rightsBox->setText(rightsString(administratorCheck->isChecked(), leaderCheck->isChecked()));
}

void UsersForm::Data1_Reposition()
{
    const db::Recordset rs = Data1->recordset();
    const int count = rs.isNull() ? 0 : rs.recordCount();
    Data1->setCaption((Data1->hasCurrentRecord() ? QString::number(rs.absolutePosition() + 1) : QStringLiteral("0")) +
                      QLatin1Char('/') + QString::number(count));
    rightsFrame->show();
    if (!editing()) {
        refill();
        showRights();
    }
}

void UsersForm::backToView()
{
    m_mode.clear();
    lockBoxes();
    refill();
    showRights();
    cmdAdd->setText(kAddCaption);
    Cmdsua->setText(kEditCaption);
    cmdUpdate->setEnabled(false);
    cmdclose->setEnabled(true);
    Cmdsua->setEnabled(true);
    cmdAdd->setEnabled(m_administrator);
    cmdDelete->setEnabled(m_administrator);
    viewStatus();
    DBGrid2->setEnabled(true);
    Data1->setEnabled(true);
    fullNameBox->setFocus();
}

void UsersForm::cmdAdd_Click()
{
    if (!m_administrator)
        return;
    if (cmdAdd->text() == kCancelAdd) {
        Data1->cancelUpdate();
        backToView();
        return;
    }
    m_mode = QStringLiteral("nap");
    for (ui::TextBox* box : {fullNameBox, loginNameBox, passwordBox})
        box->setLocked(false);
    rightsBox->setLocked(true); // rights change only through the check boxes
    lbltrangthai->setText(QStringLiteral("Nhập tên, quyền hạn người dùng mới"));
    ui::setStatusStyle(lbltrangthai, ui::StatusStyle::Editing);
    // The first user gets both rights; any other starts as ordinary staff.
    const bool first = Data1->recordset().isNull() || Data1->recordset().recordCount() == 0;
    administratorCheck->setChecked(first);
    leaderCheck->setChecked(first);
    rightsFrame->setEnabled(true);
    buildRights();
    fullNameBox->setText(QString());
    loginNameBox->setText(QString());
    passwordBox->setText(QString());
    fullNameBox->setFocus();
    Data1->setEnabled(false);
    DBGrid2->setEnabled(false);
    cmdAdd->setText(kCancelAdd);
    cmdUpdate->setEnabled(true);
    for (QPushButton* b : {Cmdsua, cmdclose, cmdDelete})
        b->setEnabled(false);
}

void UsersForm::Cmdsua_Click()
{
    if (Cmdsua->text() == kCancelEdit) {
        backToView();
        return;
    }
    if (!Data1->hasCurrentRecord()) {
        fullNameBox->setFocus();
        return;
    }
    m_mode = QStringLiteral("sua");
    fullNameBox->setLocked(!m_administrator);
    loginNameBox->setLocked(!m_administrator);
    passwordBox->setLocked(false);
    rightsBox->setLocked(true);
    rightsFrame->setEnabled(m_administrator);
    lbltrangthai->setText(m_administrator ? QStringLiteral("Sửa tên, quyền hạn người dùng") : kChangePassword);
    ui::setStatusStyle(lbltrangthai, ui::StatusStyle::Editing);
    fullNameBox->setFocus();
    Data1->setEnabled(false);
    DBGrid2->setEnabled(false);
    Cmdsua->setText(kCancelEdit);
    cmdUpdate->setEnabled(true);
    for (QPushButton* b : {cmdAdd, cmdclose, cmdDelete})
        b->setEnabled(false);
}

QString UsersForm::duplicateMessage(const QString& name, const QString& login)
{
    const bool isEdit = m_mode == QLatin1String("sua");
    const QString notSelf = isEdit ? QStringLiteral(" and id<>") + txtid->text() : QString();
    db::Recordset all =
        Data1->database().openRecordset(QStringLiteral("select * from nguoidung"), db::RecordsetType::Dynaset);
    all.findFirst(QStringLiteral("hoten=") + db::quoteLiteral(name) + notSelf);
    if (!all.noMatch()) {
        const QString tail =
            QStringLiteral(" vì họ tên này đã được dùng! ") +
            QStringLiteral("Phải đặt lại họ tên khác (Thêm chữ A, B hoặc chữ tắt tên phòng ban v.v..).");
        if (isEdit)
            return QStringLiteral("Không được sửa họ tên người này thành ") + name + tail;
        return QStringLiteral("Không được nhập họ tên mới là '") + name + QLatin1Char('\'') + tail;
    }
    if (!login.isEmpty()) {
        all.findFirst(QStringLiteral("tentrenmang=") + db::quoteLiteral(login) + notSelf);
        if (!all.noMatch())
            return QStringLiteral("Không được đặt tên trên mạng là ") + login +
                   QStringLiteral(" vì tên này đã được dùng! Phải đặt lại tên khác.");
    }
    return QString();
}

bool UsersForm::otherAdministrator(const QString& id)
{
    db::Recordset all =
        Data1->database().openRecordset(QStringLiteral("select * from nguoidung"), db::RecordsetType::Snapshot);
    for (all.findFirst(QStringLiteral("quyenhan like '*q*'")); !all.noMatch();
         all.findNext(QStringLiteral("quyenhan like '*q*'"))) {
        if (all.value(QStringLiteral("ID")).toString() != id)
            return true;
    }
    return false;
}

bool UsersForm::currentIsLoggedIn() const
{
    return Data1->hasCurrentRecord() && boundFullName->text() == m_user.fullName;
}

void UsersForm::cmdUpdate_Click()
{
    if (!editing())
        return;
    const bool isEdit = m_mode == QLatin1String("sua");
    const QString name = fullNameBox->text().trimmed();
    const QString login = loginNameBox->text().trimmed();
    const QString password = passwordBox->text();
    QString message;
    try {
        if (name.isEmpty()) {
            message = QStringLiteral("Phải nhập đầy đủ họ tên người dùng!");
        } else {
            message = duplicateMessage(name, login);
            if (!passwordAllowed(password))
                message = kPasswordRule;
            if (message.isEmpty() && isEdit && currentIsLoggedIn() && countsAsAdministrator(boundRights->text()) &&
                !countsAsAdministrator(rightsBox->text()) && !otherAdministrator(txtid->text()))
                message = kNeedOneAdministrator; // the logged-in user would take away the last rights
        }
    } catch (const std::exception& e) {
        app::recordRunTimeError(e);
        message = QStringLiteral("Lỗi dữ liệu:") + app::runTimeErrorText(e);
    }
    if (!message.isEmpty()) {
        app::tell(message);
        fullNameBox->setFocus();
        return;
    }

    if (!isEdit && !Data1->addNew())
        return;
    const bool ownRow = isEdit && currentIsLoggedIn();
    boundFullName->setText(name);
    boundLoginName->setText(login);
    boundRights->setText(rightsBox->text());
    if (!password.isEmpty())
        boundPassword->setText(common::makePasswordVerifier(password));
    else if (!isEdit)
        boundPassword->setText(QString()); // a new user without a password
    if (!isEdit)
        boundEditable->setText(QStringLiteral("C"));
    if (!Data1->updateRecord()) {
        Data1->cancelUpdate(); // the engine's message has been shown; the typed values stay
        fullNameBox->setFocus();
        return;
    }
    if (ownRow) { // the person logged in keeps being found by his new name
        m_user.fullName = name;
        emit loggedInUserRenamed(name);
    }
    if (!isEdit)
        Data1->setBookmark(Data1->recordset().lastModified());
    const QString returnTo = QStringLiteral("id = ") + txtid->text();
    Data1->refresh();
    Data1->findFirst(returnTo);
    backToView();
}

void UsersForm::cmdDelete_Click()
{
    if (!m_administrator || editing())
        return;
    const db::Recordset rs = Data1->recordset();
    if (!Data1->hasCurrentRecord() || rs.recordCount() == 0)
        return;
    try {
        // Deleting the logged-in user is refused while others would stay without an administrator.
        if (currentIsLoggedIn() && rs.recordCount() > 1 && !otherAdministrator(txtid->text())) {
            app::tell(kNeedOneAdministrator);
            fullNameBox->setFocus();
            return;
        }
    } catch (const std::exception& e) {
        app::recordRunTimeError(e);
    }
    if (Data1->deleteRecord()) {
        Data1->moveNext();
        if (Data1->recordset().eof() && Data1->recordset().recordCount() > 0)
            Data1->moveLast();
        const QString returnTo = Data1->hasCurrentRecord() ? QStringLiteral("id = ") + txtid->text() : QString();
        Data1->refresh();
        if (!returnTo.isEmpty())
            Data1->findFirst(returnTo);
        Data1_Reposition();
    }
    fullNameBox->setFocus();
}

bool UsersForm::closeCheck()
{
    try {
        db::Recordset all =
            Data1->database().openRecordset(QStringLiteral("select * from nguoidung"), db::RecordsetType::Snapshot);
        if (all.recordCount() == 0) {
            emit closingWithoutUsers();
            return true;
        }
        all.findFirst(QStringLiteral("quyenhan like '*q*'"));
        if (all.noMatch()) {
            app::tell(kNeedOneAdministrator);
            fullNameBox->setFocus();
            return false;
        }
    } catch (const std::exception& e) {
        app::recordRunTimeError(e); // the table cannot be read: nothing to hold the form for
    }
    return true;
}

void UsersForm::cmdclose_Click()
{
    if (editing())
        return;
    if (!closeCheck())
        return;
    m_closing = true;
    unload();
    m_closing = false;
}

ui::UnloadResult UsersForm::Form_Unload()
{
    // The close box: nothing typed is dropped, and the administrator check holds as for "&Kết thúc".
    if (editing() || (!m_closing && !closeCheck()))
        return ui::UnloadResult::Stay;
    ui::setDefaultPointer();
    return ui::UnloadResult::Unload;
}

void UsersForm::Form_KeyUp(int keyCode, int shift)
{
    Q_UNUSED(shift)
    if (keyCode == ui::key::F4) {
        if (auto* box = qobject_cast<ui::TextBox*>(activeControl()); box && !box->isLocked())
            box->setText(QString());
        return;
    }
    if (editing() || activeControl() == DBGrid2)
        return;
    const db::Recordset rs = Data1->recordset();
    if (rs.isNull() || !Data1->hasCurrentRecord())
        return;
    if (keyCode == ui::key::Up && rs.absolutePosition() > 0)
        Data1->movePrevious();
    else if (keyCode == ui::key::Down && rs.absolutePosition() < rs.recordCount() - 1)
        Data1->moveNext();
}

} // namespace reference
