#include "register_book_dialog.h"

#include "ui_frmsodangky.h"

#include "registers/form_support.h"
#include "registers/letters_list_form.h"

#include "app/core/messenger.h"
#include "app/core/run_time_error.h"
#include "platform/db/db_error.h"
#include "platform/db/recordset.h"
#include "platform/ui/hourglass.h"
#include "platform/ui/silence.h"

namespace registers {

namespace {

const QString kAllTypes = QStringLiteral("Tất cả các loại");

} // namespace

RegisterBookDialog::RegisterBookDialog(QWidget* parent)
    : ui::FormBase(parent, ui::kFixedDialog), m_ui(std::make_unique<Ui::frmsodangky>())
{
    m_ui->setupUi(this);
    setObjectName(QStringLiteral("frmsodangky"));
    m_caption = m_ui->Label1->text();
    nameControlsFromLabels(this);
    connect(m_ui->optkhoangso, &QRadioButton::toggled, m_ui->mtuso, &QWidget::setEnabled);
    connect(m_ui->optkhoangso, &QRadioButton::toggled, m_ui->mdenso, &QWidget::setEnabled);
    connect(m_ui->cmdOK, &QPushButton::clicked, this, &RegisterBookDialog::cmdok_Click);
    connect(m_ui->cmdxemin, &QPushButton::clicked, this, &RegisterBookDialog::cmdxemin_Click);
    connect(m_ui->cmdCancel, &QPushButton::clicked, this, &RegisterBookDialog::cmdCancel_Click);
}

RegisterBookDialog::~RegisterBookDialog()
{
    ui::silenceControls(this);
}

void RegisterBookDialog::prepare(bool incoming, const QString& table, SessionPtr visit, const QRect& callerGeometry)
{
    m_incoming = incoming;
    m_table = table;
    m_visit = std::move(visit);
    m_callerGeometry = callerGeometry;
}

void RegisterBookDialog::Form_Load()
{
    m_outcome = BookOutcome();
    m_ui->Label1->setText(m_caption + (m_incoming ? QStringLiteral(" đến năm ") : QStringLiteral(" đi năm ")) +
                          bookYear(m_table));
    m_ui->optcanam->setChecked(true);
    m_ui->mtuso->setEnabled(false);
    m_ui->mdenso->setEnabled(false);
    m_ui->mtuso->setValue(1);
    m_ui->mdenso->setValue(1);
    m_ui->mquyenso->clear();
    m_ui->lblloai->setVisible(!m_incoming);
    m_ui->cboloai->setVisible(!m_incoming);
    m_ui->cboloai->clear();
    m_ui->cboloai->addItem(kAllTypes);
    offerRange();
    ui::setInitialFocus(m_ui->optcanam);
}

void RegisterBookDialog::offerRange()
{
    const SessionPtr held = m_visit.lock();
    if (!held)
        return;
    try {
        db::Database& letters = held->database();
        db::Recordset highest =
            letters.openRecordset(QStringLiteral("SELECT Max(stt) AS hi FROM ") + m_table, db::RecordsetType::Snapshot);
        m_ui->mdenso->setValue(qMax(1, highest.value(0).toInt()));
        if (m_incoming)
            return;
        db::Recordset types = letters.openRecordset(QStringLiteral("SELECT DISTINCT loai FROM ") + m_table +
                                                        QStringLiteral(" WHERE loai Is Not Null ORDER BY loai"),
                                                    db::RecordsetType::Snapshot);
        for (; !types.eof(); types.moveNext()) {
            const QString type = types.value(0).toString().trimmed();
            if (!type.isEmpty())
                m_ui->cboloai->addItem(type);
        }
    } catch (const db::DbError& e) {
        // The boxes keep their defaults; printing meets the same error and tells it.
        app::recordRunTimeError(e);
    }
}

void RegisterBookDialog::cmdxemin_Click()
{
    print(report::Destination::Window);
}

void RegisterBookDialog::cmdok_Click()
{
    print(report::Destination::Printer);
}

void RegisterBookDialog::cmdCancel_Click()
{
    unload();
}

void RegisterBookDialog::print(report::Destination destination)
{
    const SessionPtr held = m_visit.lock();
    if (!held) {
        unload(); // the list's visit has ended: nothing to print from
        return;
    }
    BookRequest request;
    request.incoming = m_incoming;
    request.table = m_table;
    if (m_ui->optkhoangso->isChecked()) {
        request.from = m_ui->mtuso->value();
        request.to = m_ui->mdenso->value();
    }
    request.volume = m_ui->mquyenso->text();
    if (!m_incoming && m_ui->cboloai->currentIndex() > 0)
        request.letterType = m_ui->cboloai->currentText();

    m_outcome = BookOutcome();
    try {
        ui::HourglassPointer hourglass;
        m_outcome = printRegisterBook(held->context(), CrystalReport1, held->database(), request, destination,
                                      m_callerGeometry);
    } catch (const db::DbError& e) {
        app::recordRunTimeError(e);
        hide();
        app::tell(QStringLiteral("Gặp lỗi khi đang chuẩn bị in sổ đăng ký !"));
        return;
    }
    if (!m_outcome.refusal.isEmpty()) {
        // The dialog stays, so another range or type can be chosen.
        app::tell(m_outcome.refusal);
        (request.wholeYear() ? static_cast<QWidget*>(m_ui->optcanam) : m_ui->mtuso)->setFocus();
        return;
    }
    hide();
    if (!m_outcome.result.ok())
        app::tell(m_outcome.result.message);
}

void printRegisterBookFrom(LettersListForm& list, bool incoming)
{
    RegisterBookDialog dialog(&list);
    dialog.prepare(incoming, list.table(), list.sharedSession(), list.geometry());
    dialog.showModal();
}

} // namespace registers
