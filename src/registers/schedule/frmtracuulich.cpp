#include "frmtracuulich.h"

#include "ui_frmtracuulich.h"

#include "frmGridlich.h"

#include "registers/form_registry.h"
#include "registers/form_support.h"
#include "registers/register_data.h"
#include "registers/register_opener.h"
#include "registers/search_form.h"

#include "app/core/messenger.h"
#include "common/abbreviation.h"
#include "common/criteria.h"
#include "common/date_field.h"
#include "platform/db/db_error.h"
#include "platform/ui/hourglass.h"
#include "platform/ui/key_codes.h"
#include "platform/ui/silence.h"

namespace registers {
namespace {

const QString kInvalidDate = QStringLiteral("Bạn cần nạp lại ngày tháng năm cho đúng !");

// The text boxes after the date range, in the order their conditions are appended.
const QList<QPair<QString, QString>>& laterTexts()
{
    static const QList<QPair<QString, QString>> boxes = {{QStringLiteral("mndung"), QStringLiteral("[ndung]")},
                                                         {QStringLiteral("mthu"), QStringLiteral("[thu]")},
                                                         {QStringLiteral("mchutri"), QStringLiteral("[nguoictri]")},
                                                         {QStringLiteral("mchuanbi"), QStringLiteral("[nguoicbi]")},
                                                         {QStringLiteral("mdiadiem"), QStringLiteral("[diadiem]")},
                                                         {QStringLiteral("mthanhphan"), QStringLiteral("[thanhphan]")},
                                                         {QStringLiteral("mghichu"), QStringLiteral("[ghichu]")}};
    return boxes;
}

const QStringList kAbbreviated = {QStringLiteral("mchuanbi"), QStringLiteral("mchutri"), QStringLiteral("mdiadiem"),
                                  QStringLiteral("mndung")};

} // namespace

ScheduleCondition scheduleCondition(const std::function<QString(const QString&)>& boxText)
{
    ScheduleCondition r;
    qint16 count = 0;
    QString status;
    common::appendNumberCriterion(boxText(QStringLiteral("txtid")), QStringLiteral("[id]"), r.condition, count, status);
    if (status == common::kStatusSai) {
        r.refusedBox = QStringLiteral("txtid");
        return r;
    }
    const auto text = [&](const QString& name, const QString& column) {
        if (common::appendTextCriterion(boxText(name), column, r.condition, count))
            return true;
        r.refusedBox = name;
        return false;
    };
    if (!text(QStringLiteral("mgio"), QStringLiteral("[gio]")))
        return r;
    common::appendDateRange(boxText(QStringLiteral("mngay1")), boxText(QStringLiteral("mngay2")),
                            QStringLiteral("[ngaychuan]"), r.condition, count);
    for (const auto& [name, column] : laterTexts()) {
        if (!text(name, column))
            return r;
    }
    return r;
}

QString scheduleSearchStatement(const QString& table, const QString& condition)
{
    if (condition.isEmpty())
        return QStringLiteral("select * from [") + table + QStringLiteral("] order by [ngaychuan]");
    return QStringLiteral("SELECT * FROM ") + table + QStringLiteral(" WHERE ") + condition +
           QStringLiteral(" order by [ngaychuan]");
}

ScheduleSearchForm::ScheduleSearchForm(QWidget* parent)
    : ui::FormBase(parent), m_ui(std::make_unique<Ui::frmtracuulich>())
{
    m_ui->setupUi(this);
    setObjectName(QStringLiteral("frmtracuulich"));
    m_ui->Combonamlamviec->setEditable(false); // only the years the file holds
    for (const char* name : {"mngay1", "mngay2"}) {
        ui::TextBox* b = box(QString::fromLatin1(name));
        ui::TextBox* from = b == m_ui->mngay2 ? m_ui->mngay1 : nullptr;
        connect(b, &ui::TextBox::LostFocus, this, [this, b, from] {
            if (isVisible())
                leaveSearchDate(*b, from, kInvalidDate);
        });
    }
    for (const QString& name : kAbbreviated) {
        ui::TextBox* b = box(name);
        connect(b, &ui::TextBox::LostFocus, this, [this, b] {
            expandFrom(session().context(), *b, common::expandkey::LeaveField, ReferenceList::Abbreviations,
                       QStringLiteral("chudu"));
        });
    }
    connect(m_ui->cmdtracuu, &QPushButton::clicked, this, &ScheduleSearchForm::cmdtracuu_Click);
    connect(m_ui->cmdxoa, &QPushButton::clicked, this, &ScheduleSearchForm::cmdxoa_Click);
    connect(m_ui->cmdclose, &QPushButton::clicked, this, &ScheduleSearchForm::cmdclose_Click);
    nameControlsFromLabels(this);
    setAccessibleCaption(m_ui->Label3, QStringLiteral("Tra cứu thông tin về lịch làm việc hàng tuần"));
}

ScheduleSearchForm::~ScheduleSearchForm()
{
    ui::silenceControls(this);
}

QComboBox* ScheduleSearchForm::yearList() const
{
    return m_ui->Combonamlamviec;
}

void ScheduleSearchForm::Form_Load()
{
    const ProgramContext& m = session().context();
    const QStringList years = tableYears(session().database(), QStringLiteral("lich"));
    m_ui->Combonamlamviec->clear();
    m_ui->Combonamlamviec->addItems(years);
    m_ui->Combonamlamviec->setCurrentIndex(years.indexOf(m.workingYear));
    m_ui->Label1->setText(
        QStringLiteral("Hướng dẫn:   F4 : xoá cả ô     F5 và Shift-F5:tăng giảm ô ngày ") + QChar(10) +
        QStringLiteral(
            " Cách dùng các dấu:      Dấu phảy : a,b (có a hoặc b)        Dấu + : a+b (phải có cả a và b) ") +
        QChar(10) +
        QStringLiteral(" Dấu chấm than : !a (không có a)        Dấu trừ (cho ô số) :  10-45 (các số từ 10 đến 45) ") +
        QChar(10) + QStringLiteral(" Các dấu >,< (cho ô số) : >3 (lớn hơn 3)  <15 (nhỏ hơn 15)"));
}

void ScheduleSearchForm::open()
{
    load();
    showModeless();
    m_ui->txtid->setFocus();
}

void ScheduleSearchForm::cmdtracuu_Click()
{
    // An engine error is told in its own words; the form stays as it was, ready for another try.
    try {
        search();
    } catch (const db::DbError& e) {
        refuseSearch(*this, e.description());
    }
}

void ScheduleSearchForm::search()
{
    const QString year = m_ui->Combonamlamviec->currentText().trimmed();
    if (year.isEmpty()) {
        refuseSearch(*this, QStringLiteral("Cần chọn năm để tra cứu trước !"));
        return;
    }
    const QString table = QStringLiteral("lich") + year;
    // Dates typed and not yet left are checked as leaving would check them.
    if (!recheckDateBox(*m_ui->mngay1, kInvalidDate) || !recheckDateBox(*m_ui->mngay2, kInvalidDate))
        return;
    ui::setHourglass();
    const ScheduleCondition c = scheduleCondition([this](const QString& name) { return box(name)->text(); });
    if (!c.refusedBox.isEmpty()) {
        refuseSearch(*this, common::invalidCriterionMessage(box(c.refusedBox)->text()), c.refusedBox);
        return;
    }
    session().setLastSearch({table, c.condition});
    // Marks belong to the last search; a file that may only be read keeps its marks.
    if (isWritable(session().database(), table))
        session().database().execute(QStringLiteral("UPDATE ") + table +
                                     QStringLiteral(" SET chonin = '' where [chonin]= 'X' ;"));
    auto* list = form<ScheduleListForm>(QStringLiteral("frmGridlich"));
    if (!list)
        return;
    list->setSession(sharedSession());
    if (list->openList(table, scheduleSearchStatement(table, c.condition), true))
        hide();
    ui::setDefaultPointer();
}

void ScheduleSearchForm::cmdxoa_Click()
{
    for (const char* name : {"txtid", "mngay1", "mngay2", "mgio", "mthu", "mndung", "mchuanbi", "mchutri", "mdiadiem",
                             "mthanhphan", "mghichu"})
        box(QString::fromLatin1(name))->setText(QString());
}

void ScheduleSearchForm::cmdclose_Click()
{
    unload();
}

ui::UnloadResult ScheduleSearchForm::Form_Unload()
{
    ui::setDefaultPointer();
    session().finished(FormRole::Search);
    return ui::UnloadResult::Unload;
}

SessionPtr ScheduleSearchForm::makeOwnSession() const
{
    return programSession(Register::Schedule, Start::Search);
}

void ScheduleSearchForm::joined(RegisterSession& session)
{
    session.setReturn(FormRole::Search, this, [this](long long) { showModeless(); });
}

void ScheduleSearchForm::Form_KeyUp(int keyCode, int shift)
{
    const QString focus = activeControlName();
    ui::TextBox* b = box(focus);
    if (!b)
        return;
    if (keyCode == ui::key::F4) {
        b->setText(QString());
    } else if (keyCode == ui::key::F5) {
        if (b == m_ui->mngay1 || b == m_ui->mngay2) {
            const QString stepped = common::stepDateField(b->text(), shift == ui::shift::Shift ? -1 : 1);
            if (!stepped.isEmpty())
                b->setText(stepped);
        }
    } else if (kAbbreviated.contains(focus)) {
        expandFrom(session().context(), *b, keyCode, ReferenceList::Abbreviations, QStringLiteral("chudu"));
    }
}

} // namespace registers
