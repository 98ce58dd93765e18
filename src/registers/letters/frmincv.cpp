#include "frmincv.h"

#include "ui_frmincv.h"

#include "registers/form_registry.h"
#include "registers/form_support.h"
#include "registers/register_data.h"
#include "registers/register_print.h"

#include "app/core/data_paths.h"
#include "app/core/messenger.h"
#include "app/core/run_time_error.h"
#include "common/clock.h"
#include "common/dates.h"
#include "platform/db/db_error.h"
#include "platform/ui/hourglass.h"
#include "platform/ui/key_codes.h"
#include "platform/ui/silence.h"

#include <QApplication>
#include <QFile>

namespace registers {
namespace {

const QString kFirstBad = QStringLiteral(" Bạn cần nạp lại ngày tháng năm cho đúng! ");
const QString kSecondBad = QStringLiteral(" Bạn cần nạp lại ngày tháng năm cho đúng!  ");

} // namespace

DatePrintDialog::DatePrintDialog(QWidget* parent) : ui::FormBase(parent), m_ui(std::make_unique<Ui::frmincv>())
{
    m_ui->setupUi(this);
    setWindowFlag(Qt::Dialog);
    m_caption = m_ui->Label1->text();
    nameControlsFromLabels(this);
    connect(m_ui->cmdOK, &QPushButton::clicked, this, &DatePrintDialog::cmdok_Click);
    connect(m_ui->cmdxemin, &QPushButton::clicked, this, &DatePrintDialog::cmdxemin_Click);
    connect(m_ui->cmdCancel, &QPushButton::clicked, this, &DatePrintDialog::cmdCancel_Click);
    connect(m_ui->mngay1, &ui::TextBox::LostFocus, this, [this] { leaveDate(m_ui->mngay1, kFirstBad); });
    connect(m_ui->mngay2, &ui::TextBox::LostFocus, this, [this] { leaveDate(m_ui->mngay2, kSecondBad); });
}

DatePrintDialog::~DatePrintDialog()
{
    ui::silenceControls(this);
}

void DatePrintDialog::setCaller(const QString& caller, SessionPtr visit)
{
    m_caller = caller;
    m_visit = std::move(visit);
}

void DatePrintDialog::proposeFirstDate(const QString& date)
{
    m_ui->mngay1->setText(date);
}

void DatePrintDialog::Form_Load()
{
    m_lastTold.clear();
    m_incoming = m_caller == QLatin1String("frmcvden") || m_caller == QLatin1String("frmgridcvden");
    m_ui->Label1->setText(m_caption + QStringLiteral(" ") +
                          (m_incoming ? QStringLiteral("đến") : QStringLiteral("đi")));
    m_ui->mngay1->setText(QString());
    m_ui->mngay2->setText(QString());
    m_destination.clear();
}

void DatePrintDialog::Form_KeyUp(int keyCode, int shift)
{
    Q_UNUSED(shift)
    auto* box = qobject_cast<ui::TextBox*>(activeControl());
    if (!box)
        return;
    if (keyCode == ui::key::F4)
        box->setText(QString());
    else if (keyCode == ui::key::F5)
        box->setText(common::dateToText(common::clock().today()));
}

// The date rule of the dialog, run when a date box is left: not when the user is leaving for
// "&Không in", and not again while this box's message is the one last shown.
void DatePrintDialog::leaveDate(ui::TextBox* box, const QString& message)
{
    if (!isVisible() || QApplication::focusWidget() == m_ui->cmdCancel || m_lastTold == message)
        return;
    checkDate(box, message);
}

// A non-blank text is completed, or refused: the box is emptied and refocused, the dialog hidden
// and message shown. False when refused.
bool DatePrintDialog::checkDate(ui::TextBox* box, const QString& message)
{
    if (box->text().trimmed().isEmpty())
        return true;
    const QString parsed = common::parseDate(box->text());
    if (!parsed.isEmpty()) {
        if (parsed != box->text())
            box->setText(parsed);
        return true;
    }
    box->setText(QString());
    box->setFocus();
    hide();
    tell(message);
    return false;
}

void DatePrintDialog::tell(const QString& message)
{
    m_lastTold = message;
    app::tell(message);
}

void DatePrintDialog::cmdxemin_Click()
{
    m_destination = QStringLiteral("window");
    cmdok_Click();
}

void DatePrintDialog::cmdCancel_Click()
{
    unload();
}

void DatePrintDialog::cmdok_Click()
{
    const SessionPtr held = m_visit.lock();
    if (!held) {
        unload(); // the caller's visit has ended (or none was told): nothing to print from
        return;
    }
    RegisterSession& visit = *held;
    ProgramContext& m = visit.context();
    db::Database& letters = visit.database();
    if (m_destination != QLatin1String("window"))
        m_destination = QStringLiteral("printer");
    const report::Destination destination =
        m_destination == QLatin1String("window") ? report::Destination::Window : report::Destination::Printer;
    CrystalReport1.reset();
    CrystalReport1.setDestination(destination);
    // Dates typed and not yet left (a keyboard shortcut) are checked as leaving would check them.
    if (!checkDate(m_ui->mngay1, kFirstBad) || !checkDate(m_ui->mngay2, kSecondBad))
        return;
    if (m_ui->mngay1->text().trimmed().isEmpty()) {
        tell(QStringLiteral("Phải nạp ngày định in vào ô 'Từ ngày'"));
        m_ui->mngay1->setFocus();
        return;
    }
    if (m_ui->mngay2->text().trimmed().isEmpty())
        m_ui->mngay2->setText(m_ui->mngay1->text());
    const QString d1 = common::normaliseDate(m_ui->mngay1->text());
    const QString d2 = common::normaliseDate(m_ui->mngay2->text());
    const QString table = (m_incoming ? QStringLiteral("cvden") : QStringLiteral("cvdi")) + m.workingYear;
    const QString column = m_incoming ? QStringLiteral("[ng_denchuan]") : QStringLiteral("[ng_cvchuan]");
    const QString range = QStringLiteral(" where ") + column + QStringLiteral(">= '") + d1 + QStringLiteral("' and ") +
                          column + QStringLiteral("<= '") + d2 + QStringLiteral("'");
    const QString printTable = m_incoming ? QStringLiteral("incvden") : QStringLiteral("incvdi");
    try {
        ui::HourglassPointer hourglass;
        db::Recordset found = letters.openRecordset(
            QStringLiteral("Select * from ") + table + range + QStringLiteral(";"), db::RecordsetType::Snapshot);
        if (found.eof()) {
            hide();
            tell(QStringLiteral("Không tìm thấy công văn nào trong khoảng thời gian này!"));
            return;
        }
        fillPrintTable(
            m, printTable, letters,
            {PrintFill{QString(), QStringLiteral("Select * from ") + table, range + QStringLiteral(" order by [id]")}});
    } catch (const db::DbError& e) {
        app::recordRunTimeError(e);
        hide();
        tell(QStringLiteral("Gặp lỗi khi đang chuẩn bị in công văn !"));
        return;
    }
    const QString title = dateRangeTitle(m_ui->mngay1->text(), m_ui->mngay2->text());
    hide();
    CrystalReport1.reset();
    const QString reportName = m_incoming ? QStringLiteral("brcvden.rpt") : QStringLiteral("brcvdi.rpt");
    if (!QFile::exists(app::dataFilePath(m.programFolder, reportName))) {
        tell(QStringLiteral("Không tìm thấy file report (brcvden.rpt,brcvdi.rpt). ") + QStringLiteral("\r\n\r\n") +
             QStringLiteral("Cần copy các file này từ đĩa gốc vào thư mục ") + m.programFolder +
             QStringLiteral("\\Data."));
        return;
    }
    QWidget* caller = existingForm(m_caller);
    const report::ReportResult result =
        printReport(m, CrystalReport1, destination, reportName, caller ? caller->geometry() : geometry(),
                    m_ui->txtle->text(), title);
    if (!result.ok())
        tell(result.message);
}

void registerDatePrintDialog()
{
    addForm(QStringLiteral("frmincv"), [] { return new DatePrintDialog; });
}

} // namespace registers
