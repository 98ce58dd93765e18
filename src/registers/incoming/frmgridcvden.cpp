#include "frmgridcvden.h"

#include "ui_frmgridcvden.h"

namespace registers {

LettersListConfig incomingListConfig()
{
    LettersListConfig c;
    c.boundBoxes = {QStringLiteral("mstt"),     QStringLiteral("mng_den"),  QStringLiteral("mnoigui"),
                    QStringLiteral("mso_cv"),   QStringLiteral("mng_cv"),   QStringLiteral("mloai"),
                    QStringLiteral("mdv_nhan"), QStringLiteral("mcd_dang"), QStringLiteral("mmat"),
                    QStringLiteral("mtt_ndung")};
    c.checkBox = QStringLiteral("Checkdaxuly");
    c.gridColumns = {{QStringLiteral("In"), QStringLiteral("chonin")},
                     {QStringLiteral("Ngày đến"), QStringLiteral("ng_den")},
                     {QStringLiteral("Nơi gửi"), QStringLiteral("noigui")}};
    c.clearMarks = QStringLiteral("UPDATE <table> SET chonin = '' where [chonin]='X';");
    c.markHitsEnd = QStringLiteral(";");
    c.emptyMessage = QStringLiteral("Chưa có công văn nào được nạp !");
    c.printTable = QStringLiteral("incvden");
    c.inKeyword = QStringLiteral(" In '");
    c.reportFile = QStringLiteral("brcvden.rpt");
    c.printCaller = QStringLiteral("frmgridcvden");
    c.printDateField = QStringLiteral("ng_den");
    return c;
}

IncomingListForm::IncomingListForm(QWidget* parent)
    : LettersListForm(incomingListConfig(), parent), m_ui(std::make_unique<Ui::frmgridcvden>())
{
    m_ui->setupUi(this);
    setObjectName(QStringLiteral("frmgridcvden"));
    attachControls();
}

IncomingListForm::~IncomingListForm() = default;

} // namespace registers
