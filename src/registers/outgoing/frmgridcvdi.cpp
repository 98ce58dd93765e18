#include "frmgridcvdi.h"

#include "datafiles/forms/list_export.h"
#include "ui_frmgridcvdi.h"

#include "registers/letters/number_check_dialog.h"
#include "registers/letters/register_book_dialog.h"

namespace registers {

LettersListConfig outgoingListConfig(const Ui::frmgridcvdi& ui)
{
    LettersListConfig c;
    c.controls = lettersListControls(ui);
    c.which = Register::Outgoing;
    c.boundBoxes = {ui.mstt, ui.mso_cv, ui.mng_cv, ui.mloai, ui.mdv_nhan, ui.mnoiluu, ui.mnguoiky, ui.mtt_ndung};
    c.gridColumns = {{QStringLiteral("In"), QStringLiteral("chonin")},
                     {QStringLiteral("Ngày CV"), QStringLiteral("ng_cv")},
                     {QStringLiteral("Số CV"), QStringLiteral("so_cv")},
                     {QStringLiteral("Nội dung"), QStringLiteral("tt_ndung")}};
    c.clearMarks = QStringLiteral("UPDATE <table> SET chonin = '' where [chonin] = 'X';");
    c.markHitsEnd = QString();
    c.emptyMessage = QStringLiteral("Không có công văn nào!");
    c.emptyPrintTableFirst = true;
    c.printTable = QStringLiteral("incvdi");
    c.reportFile = QStringLiteral("brcvdi.rpt");
    c.printCaller = QStringLiteral("frmgridcvdi");
    c.printDateField = QStringLiteral("ng_cv");
    return c;
}

OutgoingListForm::OutgoingListForm(QWidget* parent) : LettersListForm(parent), m_ui(std::make_unique<Ui::frmgridcvdi>())
{
    m_ui->setupUi(this);
    setObjectName(QStringLiteral("frmgridcvdi"));
    attachControls(outgoingListConfig(*m_ui));
    // The marks are not written; every letter's register data follows the grid's columns.
    datafiles::connectExportButton(
        m_ui->cmdxuatexcel, DBGrid1,
        {QString(), {QStringLiteral("chonin")}, datafiles::labelledBoxes(outgoingListConfig(*m_ui).boundBoxes)});
    connect(m_ui->cmdsodangky, &QPushButton::clicked, this, [this] { printRegisterBookFrom(*this, false); });
    connect(m_ui->cmdkiemtraso, &QPushButton::clicked, this, [this] { checkRegisterNumbersFrom(*this, false); });
}

OutgoingListForm::~OutgoingListForm() = default;

} // namespace registers
