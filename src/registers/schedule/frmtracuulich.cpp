#include "frmtracuulich.h"

#include "ui_frmtracuulich.h"

#include "frmGridlich.h"

#include "registers/form_registry.h"
#include "registers/form_support.h"

namespace registers {

SearchConfig scheduleSearchConfig(const Ui::frmtracuulich& ui)
{
    SearchConfig c;
    c.controls = searchControls(ui);
    c.tablePrefix = QStringLiteral("lich");
    c.numberBox = ui.txtid;
    c.numberColumn = QStringLiteral("[id]");
    c.numberCheckedOnLeave = false;
    c.leadingTextBoxes = {{ui.mgio, QStringLiteral("[gio]")}};
    const QString badDate = QStringLiteral("Bạn cần nạp lại ngày tháng năm cho đúng !");
    c.ranges = {{ui.mngay1, ui.mngay2, QStringLiteral("[ngaychuan]"), QString(), QString(), badDate, badDate}};
    c.textBoxes = {{ui.mndung, QStringLiteral("[ndung]")},      {ui.mthu, QStringLiteral("[thu]")},
                   {ui.mchutri, QStringLiteral("[nguoictri]")}, {ui.mchuanbi, QStringLiteral("[nguoicbi]")},
                   {ui.mdiadiem, QStringLiteral("[diadiem]")},  {ui.mthanhphan, QStringLiteral("[thanhphan]")},
                   {ui.mghichu, QStringLiteral("[ghichu]")}};
    c.clearBoxes = {ui.txtid,    ui.mngay1,  ui.mngay2,   ui.mgio,       ui.mthu,   ui.mndung,
                    ui.mchuanbi, ui.mchutri, ui.mdiadiem, ui.mthanhphan, ui.mghichu};
    const QString chudu = QStringLiteral("chudu");
    for (ui::TextBox* box : {ui.mchuanbi, ui.mchutri, ui.mdiadiem, ui.mndung})
        c.abbreviations << AbbreviationRule{box, ReferenceList::Abbreviations, chudu, chudu};
    c.guide = QStringLiteral("Hướng dẫn:   F4 : xoá cả ô     F5 và Shift-F5:tăng giảm ô ngày ") + searchGuideTail();
    c.listForm = QStringLiteral("frmGridlich");
    c.which = Register::Schedule;
    c.unloadsOnClose = true;
    c.engineErrorsTold = true;
    return c;
}

QString scheduleSearchStatement(const QString& table, const QString& condition)
{
    if (condition.isEmpty())
        return QStringLiteral("select * from [") + table + QStringLiteral("] order by [ngaychuan]");
    return QStringLiteral("SELECT * FROM ") + table + QStringLiteral(" WHERE ") + condition +
           QStringLiteral(" order by [ngaychuan]");
}

ScheduleSearchForm::ScheduleSearchForm(QWidget* parent)
    : SearchForm(parent), m_ui(std::make_unique<Ui::frmtracuulich>())
{
    m_ui->setupUi(this);
    setObjectName(QStringLiteral("frmtracuulich"));
    attachControls(scheduleSearchConfig(*m_ui));
    setAccessibleCaption(m_ui->Label3, QStringLiteral("Tra cứu thông tin về lịch làm việc hàng tuần"));
}

ScheduleSearchForm::~ScheduleSearchForm() = default;

bool ScheduleSearchForm::openList(const QString& table, const QString& condition)
{
    auto* list = form<ScheduleListForm>(m_config.listForm);
    if (!list)
        return false;
    list->setSession(sharedSession());
    return list->openList(table, scheduleSearchStatement(table, condition), true);
}

} // namespace registers
