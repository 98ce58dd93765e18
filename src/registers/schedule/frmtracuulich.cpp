#include "frmtracuulich.h"

#include "ui_frmtracuulich.h"

#include "frmGridlich.h"

#include "registers/form_registry.h"
#include "registers/form_support.h"

namespace registers {

SearchConfig scheduleSearchConfig()
{
    SearchConfig c;
    c.tablePrefix = QStringLiteral("lich");
    c.numberBox = QStringLiteral("txtid");
    c.numberColumn = QStringLiteral("[id]");
    c.numberCheckedOnLeave = false;
    c.leadingTextBoxes = {{QStringLiteral("mgio"), QStringLiteral("[gio]")}};
    const QString badDate = QStringLiteral("Bạn cần nạp lại ngày tháng năm cho đúng !");
    c.ranges = {{QStringLiteral("mngay1"), QStringLiteral("mngay2"), QStringLiteral("[ngaychuan]"), QString(),
                 QString(), badDate, badDate}};
    c.textBoxes = {{QStringLiteral("mndung"), QStringLiteral("[ndung]")},
                   {QStringLiteral("mthu"), QStringLiteral("[thu]")},
                   {QStringLiteral("mchutri"), QStringLiteral("[nguoictri]")},
                   {QStringLiteral("mchuanbi"), QStringLiteral("[nguoicbi]")},
                   {QStringLiteral("mdiadiem"), QStringLiteral("[diadiem]")},
                   {QStringLiteral("mthanhphan"), QStringLiteral("[thanhphan]")},
                   {QStringLiteral("mghichu"), QStringLiteral("[ghichu]")}};
    c.clearBoxes = {QStringLiteral("txtid"),      QStringLiteral("mngay1"),  QStringLiteral("mngay2"),
                    QStringLiteral("mgio"),       QStringLiteral("mthu"),    QStringLiteral("mndung"),
                    QStringLiteral("mchuanbi"),   QStringLiteral("mchutri"), QStringLiteral("mdiadiem"),
                    QStringLiteral("mthanhphan"), QStringLiteral("mghichu")};
    const QString chudu = QStringLiteral("chudu");
    for (const char* name : {"mchuanbi", "mchutri", "mdiadiem", "mndung"})
        c.abbreviations << AbbreviationRule{QString::fromLatin1(name), ReferenceList::Abbreviations, chudu, chudu};
    c.guide = QStringLiteral("Hướng dẫn:   F4 : xoá cả ô     F5 và Shift-F5:tăng giảm ô ngày ") + searchGuideTail();
    c.listForm = QStringLiteral("frmGridlich");
    c.which = Register::Schedule;
    c.returnFocus = QString();
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
    : SearchForm(scheduleSearchConfig(), parent), m_ui(std::make_unique<Ui::frmtracuulich>())
{
    m_ui->setupUi(this);
    setObjectName(QStringLiteral("frmtracuulich"));
    attachControls();
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
