#include "organisation_name_form.h"

#include "platform/ui/label_names.h"
#include "ui_frmtendonvi.h"

#include "app/core/messenger.h"
#include "app/core/run_time_error.h"
#include "app/gui/window_placement.h"
#include "platform/ui/key_codes.h"
#include "platform/ui/status_style.h"

#include <QPushButton>

namespace reference {
namespace {

const QString kNames = QStringLiteral("select * from tendonvi");

} // namespace

OrganisationNameForm::OrganisationNameForm(QWidget* parent)
    : ui::FormBase(parent), m_ui(std::make_unique<Ui::frmtendonvi>())
{
    m_ui->setupUi(this);
    Txttendonvi = m_ui->Txttendonvi;
    Txttencaptren = m_ui->Txttencaptren;
    Txttendonvi->setMaxLength(200);
    Txttencaptren->setMaxLength(200);
    ui::setStatusStyle(m_ui->lbltrangthai, ui::StatusStyle::Viewing);
    ui::nameControlsFromLabels(this);
    m_ui->cmdclose->setAutoDefault(false);
    connect(m_ui->cmdclose, &QPushButton::clicked, this, [this] { unload(); });
}

OrganisationNameForm::~OrganisationNameForm() = default;

void OrganisationNameForm::prepare(const app::FormRequest& request)
{
    load();
    m_db = request.database();
    Txttendonvi->setText(QString());
    Txttencaptren->setText(QString());
    try {
        db::Recordset rs = m_db.openRecordset(kNames, db::RecordsetType::Snapshot);
        if (!rs.eof()) {
            rs.moveFirst();
            Txttencaptren->setText(rs.value(QStringLiteral("tencaptren")).toString());
            Txttendonvi->setText(rs.value(QStringLiteral("tendonvi")).toString());
        }
    } catch (const std::exception& e) {
        app::recordRunTimeError(e);
        app::tell(QStringLiteral("Lỗi dữ liệu:") + app::runTimeErrorText(e));
    }
    Txttendonvi->setFocus();
}

void OrganisationNameForm::openFor(const app::FormRequest& request)
{
    prepare(request);
    app::centreWindow(this);
    showModal();
}

ui::UnloadResult OrganisationNameForm::Form_Unload()
{
    try {
        db::Recordset rs = m_db.openRecordset(kNames, db::RecordsetType::Dynaset);
        if (!rs.eof()) {
            rs.moveFirst();
            rs.edit();
            rs.setValue(QStringLiteral("tendonvi"), Txttendonvi->text());
            rs.setValue(QStringLiteral("tencaptren"), Txttencaptren->text());
            rs.update();
        }
    } catch (const std::exception& e) {
        // Not saved: the form stays open with what was typed.
        app::recordRunTimeError(e);
        app::tell(QStringLiteral("Lỗi dữ liệu:") + app::runTimeErrorText(e));
        return ui::UnloadResult::Stay;
    }
    return ui::UnloadResult::Unload;
}

void OrganisationNameForm::Form_KeyUp(int keyCode, int shift)
{
    Q_UNUSED(shift)
    if (keyCode == ui::key::F4) {
        if (auto* box = qobject_cast<ui::TextBox*>(activeControl()))
            box->setText(QString());
    }
}

} // namespace reference
