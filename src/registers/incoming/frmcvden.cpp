#include "frmcvden.h"

#include "ui_frmcvden.h"

#include "common/clock.h"
#include "common/dates.h"
#include "letter_handling.h"

#include "app/core/letters_schema.h"
#include "app/core/messenger.h"
#include "app/core/run_time_error.h"
#include "platform/db/db_error.h"
#include "platform/ui/key_codes.h"
#include "registers/letters/letter_attachments.h"

namespace registers {

EntryConfig incomingEntryConfig(const Ui::frmcvden& ui)
{
    EntryConfig c;
    c.controls = letterEntryControls(ui);
    c.editButton = ui.cmdsua;
    c.viewStatus = QStringLiteral("Xem công văn đến");
    c.addStatus = QStringLiteral("Nạp công văn đến");
    c.editStatus = QStringLiteral("sửa công văn đang xem");
    c.dataBoxes = {ui.mstt,     ui.mng_den, ui.mnoigui,   ui.mso_cv, ui.mng_cv,   ui.mloai,    ui.mdv_nhan,
                   ui.mcd_dang, ui.mmat,    ui.mtt_ndung, ui.mhanxl, ui.mnguoixl, ui.mtime_xl, ui.mcv_traloi};
    c.editableBoxes = c.dataBoxes.mid(1);
    c.checkBox = ui.Checkdaxuly;
    c.required = {{ui.mng_den, QStringLiteral("Ngày đến")},
                  {ui.mnoigui, QStringLiteral("nơi gửi")},
                  {ui.mdv_nhan, QStringLiteral("nơi nhận")},
                  {ui.mtt_ndung, QStringLiteral("tóm tắt nội dung")}};
    c.requiredFocus = ui.mcd_dang;
    c.rememberedFields = {QStringLiteral("ng_den"),  QStringLiteral("noigui"), QStringLiteral("so_cv"),
                          QStringLiteral("ng_cv"),   QStringLiteral("loai"),   QStringLiteral("dv_nhan"),
                          QStringLiteral("cd_dang"), QStringLiteral("mat"),    QStringLiteral("tt_ndung")};
    c.homeBox = ui.mcd_dang;
    c.editFocus = ui.mso_cv;
    c.positionFocus = ui.mcd_dang;
    c.dateBoxes = {ui.mng_den, ui.mng_cv, ui.mhanxl};
    c.invalidDateMessage = QStringLiteral("Cần nhập lại ngày tháng năm cho đúng!");
    const QString chudu = QStringLiteral("chudu");
    c.abbreviations = {
        {ui.mtt_ndung, ReferenceList::Abbreviations, chudu, chudu},
        {ui.mng_den, ReferenceList::Abbreviations, chudu, QString()},
        {ui.mng_cv, ReferenceList::Abbreviations, chudu, QString()},
        {ui.mmat, ReferenceList::Abbreviations, chudu, QString()},
        {ui.mloai, ReferenceList::LetterTypes, QStringLiteral("loai"), QStringLiteral("loai")},
        {ui.mdv_nhan, ReferenceList::Units, QStringLiteral("Tendonvi"), QStringLiteral("tendonvi")},
        {ui.mnguoixl, ReferenceList::Units, QStringLiteral("Tendonvi"), QStringLiteral("tendonvi")},
        {ui.mnoigui, ReferenceList::Correspondents, QStringLiteral("Tendonvi"), QStringLiteral("tendonvi")}};
    c.picks = {{{QStringLiteral("DBGridnoigui"), ui.mnoigui, QStringLiteral("Datanoigui"),
                 QRect(1215, 1845, 4200, 3705), ui.mso_cv, false},
                ReferenceList::Correspondents,
                QStringLiteral("select * from noigui order by matt"),
                {}},
               {{QStringLiteral("DBGriddv_nhan"), ui.mdv_nhan, QStringLiteral("Datadonvi"),
                 QRect(4320, 3825, 4200, 1815), nullptr, true},
                ReferenceList::Units,
                QStringLiteral("select * from donvi order by matt"),
                {}},
               // The person or unit in charge: one name, picked from the units or typed.
               {{QStringLiteral("DBGridnguoixl"), ui.mnguoixl, QStringLiteral("Datanguoixl"),
                 QRect(6975, 3500, 4200, 1815), ui.Checkdaxuly, false},
                ReferenceList::Units,
                QStringLiteral("select * from donvi order by matt"),
                {}}};
    c.renumberButton = ui.cmdsuasocvden;
    c.searchForm = QStringLiteral("frmtracuucvden");
    c.printCaller = QStringLiteral("frmcvden");
    c.printDateField = QStringLiteral("ng_den");
    c.backup = &datafiles::incomingLetters();
    return c;
}

IncomingEntryForm::IncomingEntryForm(QWidget* parent) : EntryForm(parent), m_ui(std::make_unique<Ui::frmcvden>())
{
    m_ui->setupUi(this);
    setObjectName(QStringLiteral("frmcvden"));
    Dataloai = attachLetterTypes(m_ui->DBComboloai);
    attachControls(incomingEntryConfig(*m_ui));
    attachLetterAttachments(*this, m_ui->cmdtepdinhkem, QStringLiteral("Công văn đến"));
    attachLetterInbox(*this, m_ui->cmdhopthu, inboxBoxes());
    connect(m_ui->cmdcvtraloi, &QPushButton::clicked, this, &IncomingEntryForm::cmdcvtraloi_Click);
    // The pick grids open on these boxes above the form.
    m_ui->Frame1->lower();
}

IncomingEntryForm::~IncomingEntryForm() = default;

TakeInBoxes IncomingEntryForm::inboxBoxes() const
{
    return {m_ui->mso_cv, m_ui->mng_cv, m_ui->mnoigui};
}

bool IncomingEntryForm::takeIn(const QString& path)
{
    return takeInFile(*this, inboxBoxes(), path);
}

ui::DataCombo* IncomingEntryForm::comboLoai() const
{
    return m_ui->DBComboloai;
}

void IncomingEntryForm::fillNewRecord()
{
    const int n = rememberedNumber() + 1;
    m_ui->mstt->setText(n >= 0 ? QStringLiteral(" ") + QString::number(n) : QString::number(n));
    m_ui->mng_den->setText(common::dateToText(common::clock().today()));
    m_ui->mcd_dang->setText(remembered(QStringLiteral("cd_dang")));
    m_ui->mloai->setText(remembered(QStringLiteral("loai")));
}

bool IncomingEntryForm::functionKey5(QWidget* box, int shift)
{
    Q_UNUSED(shift)
    if (box != m_ui->mcd_dang)
        return false;
    m_ui->mcd_dang->setText(m_ui->mcd_dang->text() == QStringLiteral("Công đoàn") ? QStringLiteral("Đảng,NN")
                                                                                  : QStringLiteral("Công đoàn"));
    sendTab();
    return true;
}

// A file that could not be upgraded (read-only, busy) has no deadline and handler columns: their
// boxes are left out of the form's configuration, unbound and hidden, and come back with a file
// that has them.
void IncomingEntryForm::tableChosen()
{
    bool present = false;
    try {
        present = app::hasHandlingColumns(database(), table());
    } catch (const db::DbError& e) {
        app::recordRunTimeError(e);
    }
    const QList<QPair<ui::TextBox*, QLabel*>> boxes = {{m_ui->mhanxl, m_ui->lblhanxl},
                                                       {m_ui->mnguoixl, m_ui->lblnguoixl}};
    for (const auto& [box, label] : boxes) {
        m_config.dataBoxes.removeAll(box);
        m_config.editableBoxes.removeAll(box);
        m_config.dateBoxes.removeAll(box);
        if (present) {
            m_config.dataBoxes << box;
            m_config.editableBoxes << box;
            if (box->dataSource() != Data1)
                box->bind(Data1, fieldOf(box));
        } else {
            box->setDataSource(nullptr);
            box->setText(QString());
        }
        box->setVisible(present);
        label->setVisible(present);
    }
    if (present)
        m_config.dateBoxes << m_ui->mhanxl;
}

// Checks of a letter about to be written, after its required boxes: a deadline before the letter
// arrived is asked about once ("no" goes back to the deadline, the typed values stay), and a letter
// marked handled without its handling time gets the time of the save.
bool IncomingEntryForm::saveConfirmed()
{
    if (m_config.dateBoxes.contains(m_ui->mhanxl) &&
        deadlineBeforeArrival(m_ui->mhanxl->text(), m_ui->mng_den->text()) &&
        !app::ask(deadlineBeforeArrivalQuestion(m_ui->mhanxl->text(), m_ui->mng_den->text()))) {
        focusBox(m_ui->mhanxl);
        return false;
    }
    if (m_ui->Checkdaxuly->isChecked() && m_ui->mtime_xl->text().trimmed().isEmpty())
        m_ui->mtime_xl->setText(handlingTimeText(common::clock().now()));
    return true;
}

// The outgoing letter this one was answered with, shown by its number.
void IncomingEntryForm::cmdcvtraloi_Click()
{
    const QString number = m_ui->mcv_traloi->text();
    if (number.trimmed().isEmpty()) {
        app::tell(QStringLiteral("Chưa có số công văn đi trả lời công văn này !"));
        return;
    }
    try {
        app::tell(replyLetterText(findReplyLetter(database(), table(), number), number));
    } catch (const db::DbError& e) {
        app::recordRunTimeError(e);
        app::tell(QStringLiteral("Gặp lỗi khi đang tìm công văn đi trả lời !"));
    }
}

void IncomingEntryForm::DBComboloai_Click(int area)
{
    if (area != ui::area::List || !editing())
        return;
    m_ui->mloai->setText(m_ui->DBComboloai->text());
    m_ui->mnoigui->setFocus();
}

} // namespace registers
