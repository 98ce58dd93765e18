#include "frmgridcvden.h"

#include "datafiles/forms/list_export.h"
#include "ui_frmgridcvden.h"

#include "registers/letters/number_check_dialog.h"
#include "registers/letters/register_book_dialog.h"

namespace registers {

LettersListConfig incomingListConfig(const Ui::frmgridcvden& ui)
{
    LettersListConfig c;
    c.controls = lettersListControls(ui);
    c.boundBoxes = {ui.mstt,  ui.mng_den,  ui.mnoigui,  ui.mso_cv, ui.mng_cv,
                    ui.mloai, ui.mdv_nhan, ui.mcd_dang, ui.mmat,   ui.mtt_ndung};
    c.doneBox = ui.Checkdaxuly;
    c.gridColumns = {{QStringLiteral("In"), QStringLiteral("chonin")},
                     {QStringLiteral("Ngày đến"), QStringLiteral("ng_den")},
                     {QStringLiteral("Nơi gửi"), QStringLiteral("noigui")}};
    c.clearMarks = QStringLiteral("UPDATE <table> SET chonin = '' where [chonin]='X';");
    c.markHitsEnd = QStringLiteral(";");
    c.emptyMessage = QStringLiteral("Chưa có công văn nào được nạp !");
    c.printTable = QStringLiteral("incvden");
    c.reportFile = QStringLiteral("brcvden.rpt");
    c.printCaller = QStringLiteral("frmgridcvden");
    c.printDateField = QStringLiteral("ng_den");
    return c;
}

IncomingListForm::IncomingListForm(QWidget* parent)
    : LettersListForm(parent), m_ui(std::make_unique<Ui::frmgridcvden>())
{
    m_ui->setupUi(this);
    setObjectName(QStringLiteral("frmgridcvden"));
    attachControls(incomingListConfig(*m_ui));
    // The marks are not written; every letter's register data follows the grid's columns.
    datafiles::connectExportButton(
        m_ui->cmdxuatexcel, DBGrid1,
        {QString(), {QStringLiteral("chonin")}, datafiles::labelledBoxes(incomingListConfig(*m_ui).boundBoxes)});
    connect(m_ui->cmdsodangky, &QPushButton::clicked, this, [this] { printRegisterBookFrom(*this, true); });
    connect(m_ui->cmdkiemtraso, &QPushButton::clicked, this, [this] { checkRegisterNumbersFrom(*this, true); });
}

IncomingListForm::~IncomingListForm() = default;

} // namespace registers
