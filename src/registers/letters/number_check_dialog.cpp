#include "number_check_dialog.h"

#include "ui_frmkiemtraso.h"

#include "number_report.h"
#include "register_book.h"

#include "registers/form_support.h"
#include "registers/letters_list_form.h"

#include "app/core/messenger.h"
#include "app/core/run_time_error.h"
#include "datafiles/forms/list_export.h"
#include "platform/db/db_error.h"
#include "platform/ui/data_control.h"
#include "platform/ui/hourglass.h"
#include "platform/ui/silence.h"

#include <QHash>
#include <QHeaderView>

namespace registers {

NumberCheckDialog::NumberCheckDialog(QWidget* parent)
    : ui::FormBase(parent, ui::kFixedDialog), m_ui(std::make_unique<Ui::frmkiemtraso>())
{
    m_ui->setupUi(this);
    setObjectName(QStringLiteral("frmkiemtraso"));
    m_caption = m_ui->lbltieude->text();
    nameControlsFromLabels(this);
    m_ui->grdsaisot->horizontalHeader()->setStretchLastSection(true);
    connect(m_ui->grdsaisot, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { grdsaisot_DblClick(row); });
    connect(m_ui->cmdin, &QPushButton::clicked, this, &NumberCheckDialog::cmdin_Click);
    connect(m_ui->cmdxuatexcel, &QPushButton::clicked, this, &NumberCheckDialog::cmdxuatexcel_Click);
    connect(m_ui->cmddong, &QPushButton::clicked, this, &NumberCheckDialog::cmddong_Click);
    for (QPushButton* button : {m_ui->cmdin, m_ui->cmdxuatexcel})
        button->setAutoDefault(false);
}

NumberCheckDialog::~NumberCheckDialog()
{
    ui::silenceControls(this);
}

void NumberCheckDialog::prepare(bool incoming, const QString& table, SessionPtr visit, LettersListForm* list)
{
    m_incoming = incoming;
    m_table = table;
    m_visit = std::move(visit);
    m_list = list;
}

void NumberCheckDialog::Form_Load()
{
    m_ui->lbltieude->setText(m_caption + (m_incoming ? QStringLiteral(" đến năm ") : QStringLiteral(" đi năm ")) +
                             bookYear(m_table));
    m_ui->grdsaisot->setColumnHidden(FindingType, m_incoming);
    fill();
    ui::setInitialFocus(m_findings.isEmpty() ? static_cast<QWidget*>(m_ui->cmddong) : m_ui->grdsaisot);
}

void NumberCheckDialog::fill()
{
    QTableWidget* grid = m_ui->grdsaisot;
    grid->setRowCount(0);
    m_findings.clear();
    const SessionPtr held = m_visit.lock();
    if (!held)
        return;
    m_summaries.clear();
    try {
        ui::HourglassPointer hourglass;
        db::Database& letters = held->database();
        m_findings = checkRegisterNumbers(letters, m_table, m_incoming);
        m_summaries = letterSummaries(letters, m_table);
    } catch (const db::DbError& e) {
        app::recordRunTimeError(e);
        m_findings.clear();
        app::tell(QStringLiteral("Gặp lỗi khi đang kiểm tra số đăng ký !"));
    }
    grid->setRowCount(static_cast<int>(m_findings.size()));
    for (int row = 0; row < grid->rowCount(); ++row) {
        const NumberFinding& f = m_findings[row];
        const QStringList cells = findingCells(f, m_summaries);
        for (int column = 0; column < cells.size(); ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            if (column == FindingSummary || column == FindingProblem)
                item->setToolTip(describeFinding(f));
            grid->setItem(row, column, item);
        }
    }
    grid->resizeColumnsToContents();
    grid->horizontalHeader()->setStretchLastSection(true);
    const bool nothing = m_findings.isEmpty();
    grid->setVisible(!nothing);
    m_ui->lblketqua->setVisible(!nothing);
    m_ui->lblkhongloi->setVisible(nothing);
    m_ui->cmdin->setEnabled(!nothing);
    m_ui->cmdxuatexcel->setEnabled(!nothing);
    m_ui->lblkhongloi->setText(QStringLiteral("Không thấy sai sót nào trong số đăng ký năm ") + bookYear(m_table));
}

void NumberCheckDialog::grdsaisot_DblClick(int row)
{
    if (row < 0 || row >= m_findings.size() || m_findings[row].id == 0 || !m_list || !m_list->Data1)
        return; // a missing number names no letter
    m_list->Data1->findFirst(QStringLiteral("id =") + QString::number(m_findings[row].id));
    unload();
}

void NumberCheckDialog::cmdin_Click()
{
    const SessionPtr held = m_visit.lock();
    if (!held || m_findings.isEmpty())
        return;
    report::ReportResult result;
    try {
        ui::HourglassPointer hourglass;
        result = printFindings(held->context(), CrystalReport1, m_findings, m_summaries, m_incoming, m_table,
                               report::Destination::Window, geometry());
    } catch (const db::DbError& e) {
        app::recordRunTimeError(e);
        app::tell(QStringLiteral("Gặp lỗi khi đang chuẩn bị in kết quả kiểm tra !"));
        return;
    }
    m_lastPrint = result;
    if (!result.ok())
        app::tell(result.message);
}

void NumberCheckDialog::cmdxuatexcel_Click()
{
    if (m_findings.isEmpty())
        return;
    m_lastExport = datafiles::exportTable(this, m_ui->lbltieude->text(), [this](const exporting::Progress&) {
        return findingsTable(m_findings, m_summaries, m_incoming);
    });
}

void NumberCheckDialog::cmddong_Click()
{
    unload();
}

void checkRegisterNumbersFrom(LettersListForm& list, bool incoming)
{
    NumberCheckDialog dialog(&list);
    dialog.prepare(incoming, list.table(), list.sharedSession(), &list);
    dialog.showModal();
}

} // namespace registers
