#include "frmcvdi.h"

#include "letter_numbering.h"
#include "ui_frmcvdi.h"

#include "app/core/messenger.h"
#include "app/core/run_time_error.h"
#include "common/clock.h"
#include "common/dates.h"
#include "platform/db/db_error.h"
#include "platform/ui/hourglass.h"
#include "platform/ui/key_codes.h"
#include "registers/letters/letter_attachments.h"

namespace registers {

EntryConfig outgoingEntryConfig(const Ui::frmcvdi& ui)
{
    EntryConfig c;
    c.controls = letterEntryControls(ui);
    c.editButton = ui.cmdsua;
    c.viewStatus = QStringLiteral("Xem công văn đi");
    c.addStatus = QStringLiteral("Nạp công văn đi");
    c.editStatus = QStringLiteral("sửa công văn đang xem");
    c.dataBoxes = {ui.mstt, ui.mnoiluu, ui.mso_cv, ui.mng_cv, ui.mloai, ui.mdv_nhan, ui.mtt_ndung, ui.mnguoiky};
    c.editableBoxes = c.dataBoxes;
    c.required = {{ui.mdv_nhan, QStringLiteral("nơi nhận")},
                  {ui.mnoiluu, QStringLiteral("nơi lưu")},
                  {ui.mnguoiky, QStringLiteral("người ký")},
                  {ui.mtt_ndung, QStringLiteral("tóm tắt nội dung")}};
    c.requiredFocus = ui.mso_cv;
    c.rememberedFields = {QStringLiteral("noiluu"), QStringLiteral("so_cv"),   QStringLiteral("ng_cv"),
                          QStringLiteral("loai"),   QStringLiteral("dv_nhan"), QStringLiteral("tt_ndung"),
                          QStringLiteral("nguoiky")};
    c.homeBox = ui.mloai;
    c.editFocus = ui.mso_cv;
    c.positionFocus = ui.mso_cv;
    c.dateBoxes = {ui.mng_cv};
    c.invalidDateMessage = QStringLiteral("Bạn cần nạp lại ngày tháng năm cho đúng !");
    const QString chudu = QStringLiteral("chudu");
    c.abbreviations = {
        {ui.mtt_ndung, ReferenceList::Abbreviations, chudu, QString()},
        {ui.mnguoiky, ReferenceList::Abbreviations, chudu, chudu},
        {ui.mng_cv, ReferenceList::Abbreviations, chudu, QString()},
        {ui.mloai, ReferenceList::LetterTypes, QStringLiteral("loai"), QStringLiteral("loai")},
        {ui.mdv_nhan, ReferenceList::Correspondents, QStringLiteral("tendonvi"), QStringLiteral("tendonvi")},
        {ui.mnoiluu, ReferenceList::Units, QStringLiteral("tendonvi"), QStringLiteral("tendonvi")}};
    c.picks = {{{QStringLiteral("DBGridnoinhan"), ui.mdv_nhan, QStringLiteral("Datanoigui"),
                 QRect(2115, 2070, 4200, 3525), nullptr, false},
                ReferenceList::Correspondents,
                QStringLiteral("select * from noigui order by matt"),
                {}},
               {{QStringLiteral("DBGridnoiluu"), ui.mnoiluu, QStringLiteral("Datadonvi"), QRect(4545, 1575, 4200, 2220),
                 nullptr, false},
                ReferenceList::Units,
                QStringLiteral("select * from donvi order by matt"),
                {}}};
    c.renumberButton = ui.cmdsuasocvdi;
    c.searchForm = QStringLiteral("frmtracuucvdi");
    c.which = Register::Outgoing;
    c.printCaller = QStringLiteral("frmcvdi");
    c.printDateField = QStringLiteral("ng_cv");
    c.backup = &datafiles::outgoingLetters();
    c.alwaysReturnToView = true;
    return c;
}

OutgoingEntryForm::OutgoingEntryForm(QWidget* parent) : EntryForm(parent), m_ui(std::make_unique<Ui::frmcvdi>())
{
    m_ui->setupUi(this);
    setObjectName(QStringLiteral("frmcvdi"));
    Dataloai = attachLetterTypes(m_ui->DBComboloai);
    attachControls(outgoingEntryConfig(*m_ui));
    attachLetterAttachments(*this, m_ui->cmdtepdinhkem, QStringLiteral("Công văn đi"));
    // After the shared leaving steps (completion from the letter types), so the completed type counts.
    connect(m_ui->mloai, &ui::TextBox::GotFocus, this, [this] { m_typeOnFocus = m_ui->mloai->text(); });
    connect(m_ui->mloai, &ui::TextBox::LostFocus, this, &OutgoingEntryForm::mloai_LostFocus);
    m_ui->Frame1->lower();
}

OutgoingEntryForm::~OutgoingEntryForm() = default;

ui::DataCombo* OutgoingEntryForm::comboLoai() const
{
    return m_ui->DBComboloai;
}

void OutgoingEntryForm::fillNewRecord()
{
    const QString type = remembered(QStringLiteral("loai"));
    m_ui->mloai->setText(type.trimmed().isEmpty() ? QStringLiteral("Công văn") : type);
    m_ui->mng_cv->setText(common::dateToText(common::clock().today()));
    m_proposed = 0;
    numberByType(m_ui->mloai->text());
}

void OutgoingEntryForm::editStarted()
{
    m_startType = m_ui->mloai->text();
    m_startNumber = m_ui->mstt->text();
}

bool OutgoingEntryForm::numberTypedByHand() const
{
    return EntryForm::numberTypedByHand() || m_proposed == 0 || m_ui->mstt->text().trimmed().toInt() != m_proposed;
}

QString OutgoingEntryForm::numberScope(const db::Recordset& rs) const
{
    return typeCriterion(rs.value(QStringLiteral("loai")).toString());
}

void OutgoingEntryForm::numberByType(const QString& type)
{
    if (!editing())
        return;
    const db::Recordset rs = recordset();
    if (rs.isNull())
        return;
    const bool adding = mode() == EntryMode::Adding;
    TypeNumber result;
    {
        ui::HourglassPointer hourglass;
        try {
            result = numberForType(rs, type, adding ? -1 : rs.absolutePosition());
        } catch (const db::DbError& e) {
            app::recordRunTimeError(e);
            app::tell(QStringLiteral("Lỗi dữ liệu : ") + e.description());
            return;
        }
    }
    switch (result.outcome) {
    case TypeNumber::Outcome::NoType:
        app::tell(QStringLiteral("Cần phải xác định loại công văn trước!") + QChar(13) +
                  QStringLiteral("Cần chọn loại công văn từ danh sách") +
                  QStringLiteral(" để đảm bảo việc cho số được chính xác!"));
        focusBox(m_ui->mloai);
        return;
    case TypeNumber::Outcome::Taken:
        app::tell(QStringLiteral("Số công văn : ") + QStringLiteral(" ") + QString::number(result.number) +
                  QStringLiteral(" cho loại '") + m_ui->mloai->text() + QStringLiteral("' đã được dùng !") +
                  QStringLiteral("Không thể sửa ô Loại CV về loại này được !"));
        m_ui->mloai->setText(m_startType);
        m_ui->mstt->setText(m_startNumber);
        m_typeOnFocus = m_startType;
        focusBox(m_ui->mso_cv);
        return;
    case TypeNumber::Outcome::Numbered:
        m_ui->mstt->setText(QString::number(result.number));
        m_proposed = result.number;
        return;
    }
}

bool OutgoingEntryForm::functionKey5(QWidget* box, int shift)
{
    Q_UNUSED(shift)
    if (box == m_ui->mstt) {
        numberByType(m_ui->mloai->text());
        return true;
    }
    if (box == m_ui->mso_cv) {
        m_ui->mso_cv->setText(letterNumberPrefix(m_ui->mstt->text()));
        m_ui->mso_cv->setSelStart(m_ui->mso_cv->text().size());
        return true;
    }
    return false;
}

void OutgoingEntryForm::mloai_LostFocus()
{
    if (!editing() || m_ui->mloai->text() == m_typeOnFocus)
        return;
    m_typeOnFocus = m_ui->mloai->text();
    numberByType(m_ui->mloai->text());
}

void OutgoingEntryForm::DBComboloai_Click(int area)
{
    if (area != ui::area::List || !editing())
        return;
    const QString type = m_ui->DBComboloai->text();
    const bool changed = type != m_ui->mloai->text();
    m_ui->mloai->setText(type);
    m_typeOnFocus = type;
    m_ui->mso_cv->setFocus();
    if (changed)
        numberByType(type);
}

} // namespace registers
