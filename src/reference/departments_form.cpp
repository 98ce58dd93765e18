#include "departments_form.h"

#include "platform/ui/label_names.h"
#include "reference_rules.h"
#include "ui_frmbophan.h"

#include "app/core/messenger.h"
#include "app/gui/window_placement.h"
#include "datafiles/forms/list_export.h"
#include "platform/ui/hourglass.h"
#include "platform/ui/key_codes.h"
#include "platform/ui/silence.h"
#include "platform/ui/status_style.h"

#include <QApplication>

namespace reference {
namespace {

const QString kXem = QStringLiteral("xem");
const QString kNap = QStringLiteral("nap");
const QString kSua = QStringLiteral("sua");

} // namespace

DepartmentsForm::DepartmentsForm(QWidget* parent) : ui::FormBase(parent), m_ui(std::make_unique<Ui::frmbophan>())
{
    m_ui->setupUi(this);
    Data1 = m_ui->Data1;
    DBCombodonvi = m_ui->DBCombodonvi;
    txtdonvi = m_ui->txtdonvi;
    txtdonviid = m_ui->txtdonviid;
    txtphong = m_ui->txtphong;
    txtmatt = m_ui->txtmatt;
    txtid = m_ui->txtid;
    lbltrangthai = m_ui->lbltrangthai;

    Datadonvi = new ui::DataControl(this);
    Datadonvi->setObjectName(QStringLiteral("Datadonvi"));
    Datadonvi->setRecordsetType(db::RecordsetType::Snapshot);
    Datadonvi->hide();
    DBCombodonvi->setRowSource(Datadonvi);
    DBCombodonvi->setListField(QStringLiteral("tendonvi"));
    DBCombodonvi->setBoundColumn(QStringLiteral("ID"));
    DBCombodonvi->setEditable(false);

    txtphong->setMaxLength(50);
    txtmatt->setMaxLength(150);
    txtdonvi->bind(Data1, QStringLiteral("donvi"));
    txtdonviid->bind(Data1, QStringLiteral("donviid"));
    txtphong->bind(Data1, QStringLiteral("phong"));
    txtmatt->bind(Data1, QStringLiteral("matt"));
    txtid->bind(Data1, QStringLiteral("id"));
    txtid->setLocked(true); // the counter
    txtdonviid->hide();
    txtmatt->hide();
    m_ui->DBGrid1->setDataSource(Data1);
    m_ui->DBGrid1->addColumn(QStringLiteral("Ban, đơn vị"), QStringLiteral("donvi"), 260);
    m_ui->DBGrid1->addColumn(QStringLiteral("Tên phòng"), QStringLiteral("phong"), 300);
    Data1->setRecordsetType(db::RecordsetType::Dynaset);
    ui::nameControlsFromLabels(this);

    connect(Data1, &ui::DataControl::Reposition, this, &DepartmentsForm::Data1_Reposition);
    Data1->setValidateHandler([](ui::DataAction, bool) { return ui::ValidateResult::DontSave; });
    for (ui::DataControl* data : {Data1, Datadonvi}) {
        data->setErrorHandler([](int, const QString& description) {
            app::tell(QStringLiteral("Lỗi dữ liệu:") + description);
            return ui::ErrorResponse::Handled;
        });
    }
    connect(DBCombodonvi, &ui::DataCombo::Click, this, &DepartmentsForm::DBCombodonvi_Click);
    connect(txtphong, &ui::TextBox::LostFocus, this, &DepartmentsForm::txtphong_LostFocus);
    for (QPushButton* b : {m_ui->cmdsua, m_ui->cmdAdd, m_ui->cmdDelete, m_ui->cmdUpdate, m_ui->cmdclose})
        b->setAutoDefault(false);
    connect(m_ui->cmdAdd, &QPushButton::clicked, this, &DepartmentsForm::cmdAdd_Click);
    connect(m_ui->cmdsua, &QPushButton::clicked, this, &DepartmentsForm::cmdsua_Click);
    connect(m_ui->cmdUpdate, &QPushButton::clicked, this, &DepartmentsForm::cmdUpdate_Click);
    connect(m_ui->cmdDelete, &QPushButton::clicked, this, &DepartmentsForm::cmdDelete_Click);
    connect(m_ui->cmdclose, &QPushButton::clicked, this, [this] { unload(); });
    datafiles::connectExportButton(m_ui->cmdxuatexcel, m_ui->DBGrid1, {});
}

DepartmentsForm::~DepartmentsForm()
{
    ui::silenceControls(this);
}

void DepartmentsForm::Form_Load()
{
    m_mode = kXem;
}

void DepartmentsForm::prepare(const app::FormRequest& request)
{
    ui::HourglassPointer hourglass;
    load();
    Datadonvi->setDatabase(request.database());
    Datadonvi->setRecordSource(request.lookups.value(0));
    Datadonvi->refresh();
    Data1->setDatabase(request.database());
    Data1->setRecordSource(request.recordSource);
    if (Data1->refresh() && Data1->recordset().recordCount() > 0)
        Data1->moveLast();
    viewState(kXem);
    txtdonvi->setFocus();
}

void DepartmentsForm::openFor(const app::FormRequest& request)
{
    prepare(request);
    app::centreWindow(this);
    showModal();
}

void DepartmentsForm::viewState(const QString& mode)
{
    m_mode = mode;
    if (mode != kXem) {
        m_ui->cmdDelete->setEnabled(false);
    } else {
        m_ui->cmdAdd->setText(QStringLiteral("&Nạp mới"));
        m_ui->cmdAdd->setEnabled(true);
        m_ui->cmdsua->setText(QStringLiteral("&Sửa"));
        m_ui->cmdsua->setEnabled(true);
        Data1_Reposition();
        lbltrangthai->setText(QStringLiteral("Xem danh sách phòng, bộ phận"));
        ui::setStatusStyle(lbltrangthai, ui::StatusStyle::Viewing);
    }
    if (mode == kNap)
        m_ui->cmdsua->setEnabled(false);
    if (mode == kSua)
        m_ui->cmdAdd->setEnabled(false);
    const bool viewing = mode == kXem;
    txtdonvi->setLocked(viewing);
    txtphong->setLocked(viewing);
    DBCombodonvi->setEnabled(!viewing);
    m_ui->cmdUpdate->setEnabled(!viewing);
    m_ui->cmdclose->setEnabled(viewing);
    Data1->setEnabled(viewing);
    m_ui->DBGrid1->setEnabled(viewing);
}

void DepartmentsForm::Data1_Reposition()
{
    const db::Recordset rs = Data1->recordset();
    const int count = rs.isNull() ? 0 : rs.recordCount();
    Data1->setCaption((Data1->hasCurrentRecord() ? QString::number(rs.absolutePosition() + 1) : QStringLiteral("0")) +
                      QLatin1Char('/') + QString::number(count));
    if (m_mode == kXem) {
        m_ui->cmdsua->setEnabled(count > 0);
        m_ui->cmdDelete->setEnabled(count > 0);
    }
}

void DepartmentsForm::cmdAdd_Click()
{
    if (m_mode == kNap) {
        Data1->cancelUpdate();
        viewState(kXem);
        return;
    }
    if (!Data1->addNew())
        return;
    lbltrangthai->setText(QStringLiteral("Nạp tên phòng, bộ phận mới"));
    ui::setStatusStyle(lbltrangthai, ui::StatusStyle::Editing);
    viewState(kNap);
    m_ui->cmdAdd->setText(QStringLiteral("&Huỷ nạp"));
    txtdonvi->setFocus();
}

void DepartmentsForm::cmdsua_Click()
{
    if (m_mode == kSua) {
        Data1->cancelUpdate();
        Data1->updateControls(); // the record as stored, flags cleared
        viewState(kXem);
        return;
    }
    if (m_mode != kXem || !Data1->hasCurrentRecord())
        return;
    viewState(kSua);
    m_ui->cmdsua->setText(QStringLiteral("&Huỷ sửa"));
    lbltrangthai->setText(QStringLiteral("sửa tên phòng, bộ phận"));
    ui::setStatusStyle(lbltrangthai, ui::StatusStyle::Editing);
    txtphong->setFocus();
}

void DepartmentsForm::DBCombodonvi_Click(int area)
{
    if (area != ui::area::List || m_mode == kXem)
        return;
    txtdonvi->setText(DBCombodonvi->text());
    txtdonviid->setText(DBCombodonvi->boundText());
}

void DepartmentsForm::keySortKey()
{
    if (txtphong->dataChanged())
        txtmatt->setText(listSortKey(txtphong->text()));
}

void DepartmentsForm::txtphong_LostFocus()
{
    if (m_mode == kXem || m_reminding)
        return;
    // The reminder comes when the focus moves on inside the form, not when another window takes
    // it (the message itself) nor on the way to the list of units, the way to fill the unit.
    QWidget* next = QApplication::focusWidget();
    if (txtdonvi->text().trimmed().isEmpty() && next && isAncestorOf(next) && next != DBCombodonvi &&
        !DBCombodonvi->isAncestorOf(next)) {
        m_reminding = true;
        app::tell(QStringLiteral("Phải chọn tên ban, đơn vị trong danh mục! OK ?"));
        m_reminding = false;
        txtphong->setFocus();
    }
    keySortKey();
}

void DepartmentsForm::cmdUpdate_Click()
{
    if (m_mode == kXem)
        return;
    keySortKey();
    if (!Data1->updateRecord())
        return; // the engine's message has been shown; the typed values stay
    Data1->setBookmark(Data1->recordset().lastModified());
    viewState(kXem);
    txtdonvi->setFocus();
}

void DepartmentsForm::cmdDelete_Click()
{
    if (m_mode != kXem || !Data1->hasCurrentRecord())
        return;
    if (Data1->recordset().recordCount() > 1) {
        if (Data1->deleteRecord()) {
            Data1->moveNext();
            if (Data1->recordset().eof() && Data1->recordset().recordCount() > 0)
                Data1->moveLast();
        }
    } else {
        // The last department stays, emptied.
        txtdonvi->setText(QString());
        txtdonviid->setText(QString());
        txtphong->setText(QString());
        txtmatt->setText(QString());
        Data1->updateRecord();
    }
    Data1_Reposition();
    txtdonvi->setFocus();
}

ui::UnloadResult DepartmentsForm::Form_Unload()
{
    if (m_mode != kXem) {
        return ui::UnloadResult::Stay; // an addition or edit is saved or cancelled first
    }
    ui::setDefaultPointer();
    return ui::UnloadResult::Unload;
}

void DepartmentsForm::Form_KeyUp(int keyCode, int shift)
{
    Q_UNUSED(shift)
    if (keyCode == ui::key::F4) {
        if (auto* box = qobject_cast<ui::TextBox*>(activeControl()); box && !box->isLocked())
            box->setText(QString());
        return;
    }
    // The grid pages through its rows itself; moving again here would land a row past its page.
    if (m_mode != kXem || !Data1->hasCurrentRecord() || activeControl() == m_ui->DBGrid1)
        return;
    const db::Recordset rs = Data1->recordset();
    if (keyCode == ui::key::PageUp && rs.absolutePosition() > 0)
        Data1->movePrevious();
    else if (keyCode == ui::key::PageDown && rs.absolutePosition() < rs.recordCount() - 1)
        Data1->moveNext();
}

} // namespace reference
