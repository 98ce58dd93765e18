#include "frmtracuukh.h"

#include "frmgridcongviec.h"
#include "plan_lists.h"
#include "ui_frmtracuukh.h"

#include "registers/form_registry.h"
#include "registers/form_support.h"
#include "registers/register_data.h"
#include "registers/register_opener.h"
#include "registers/search_form.h"

#include "app/core/kiemtra_query.h"
#include "app/core/messenger.h"
#include "common/criteria.h"
#include "common/dates.h"
#include "platform/db/db_error.h"
#include "platform/ui/hourglass.h"
#include "platform/ui/key_codes.h"
#include "platform/ui/msg_box.h"
#include "platform/ui/silence.h"

#include <QRegularExpression>

namespace registers {
namespace {

const QString kInvalidDate = QStringLiteral("Bạn cần nạp lại ngày tháng năm cho đúng !");

// The text boxes, in the order their conditions are appended, with their columns.
const QList<QPair<QString, QString>>& textCriteria()
{
    static const QList<QPair<QString, QString>> boxes = {
        {QStringLiteral("mban"), QStringLiteral("[tendonvi]")},
        {QStringLiteral("mphong"), QStringLiteral("[bophan]")},
        {QStringLiteral("mndungtt"), QStringLiteral("[ndungtt]")},
        {QStringLiteral("mndungct"), QStringLiteral("[ndungct]")},
        {QStringLiteral("mloai"), QStringLiteral("[loai]")},
        {QStringLiteral("mnguoichidao"), QStringLiteral("[nguoichidao]")},
        {QStringLiteral("mcanbo"), QStringLiteral("[canbo]")},
        {QStringLiteral("mchidao"), QStringLiteral("[chidao]")},
        {QStringLiteral("mketqua"), QStringLiteral("[ketqua]")}};
    return boxes;
}

} // namespace

PlansSearchForm::PlansSearchForm(QWidget* parent) : ui::FormBase(parent), m_ui(std::make_unique<Ui::frmtracuukh>())
{
    m_ui->setupUi(this);
    setObjectName(QStringLiteral("frmtracuukh"));
    Datadonvi = makeListControl(this, "Datadonvi");
    Databophan = makeListControl(this, "Databophan");
    Dataloai = makeListControl(this, "Dataloai");
    setUpListCombo(m_ui->DBComboban, Datadonvi, QStringLiteral("tendonvi"), QStringLiteral("Chọn ban, đơn vị"));
    setUpListCombo(m_ui->DBCombobophan, Databophan, QStringLiteral("bophan"), QStringLiteral("Chọn phòng, bộ phận"));
    setUpListCombo(m_ui->DBComboloai, Dataloai, QStringLiteral("loai"), QStringLiteral("Chọn loại công việc"));
    const QList<QPair<ui::DataCombo*, ui::TextBox*>> picks = {
        {m_ui->DBComboban, m_ui->mban}, {m_ui->DBCombobophan, m_ui->mphong}, {m_ui->DBComboloai, m_ui->mloai}};
    for (const auto& pick : picks) {
        // Copies, not the structured bindings: a lambda capturing those is C++20 only in GCC.
        ui::DataCombo* combo = pick.first;
        ui::TextBox* target = pick.second;
        connect(combo, &ui::DataCombo::Click, this, [combo, target](int area) {
            if (area == ui::area::List)
                target->setText(combo->text());
        });
    }
    // The year list offers only the years the file holds.
    m_ui->Combonamlamviec->setEditable(false);
    connect(m_ui->Combonamlamviec, &QComboBox::currentTextChanged, this, [this] {
        if (isLoaded())
            bindYearLists();
    });
    // Finished and not finished exclude each other.
    connect(m_ui->chkhthanh, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            m_ui->chkchuahthanh->setChecked(false);
    });
    connect(m_ui->chkchuahthanh, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            m_ui->chkhthanh->setChecked(false);
    });
    for (const QString& name : {QStringLiteral("mtgianbdau1"), QStringLiteral("mtgianbdau2"),
                                QStringLiteral("mtgiankthuc1"), QStringLiteral("mtgiankthuc2")})
        connect(box(name), &ui::TextBox::LostFocus, this, [this, name] { dateLeft(name); });
    connect(m_ui->txtid, &ui::TextBox::LostFocus, this, &PlansSearchForm::idLeft);
    connect(m_ui->cmdtracuu, &QPushButton::clicked, this, &PlansSearchForm::cmdtracuu_Click);
    connect(m_ui->cmdxoa, &QPushButton::clicked, this, &PlansSearchForm::cmdxoa_Click);
    connect(m_ui->cmdclose, &QPushButton::clicked, this, &PlansSearchForm::cmdclose_Click);
    nameControlsFromLabels(this);
}

PlansSearchForm::~PlansSearchForm()
{
    ui::silenceControls(this);
}

QComboBox* PlansSearchForm::yearList() const
{
    return m_ui->Combonamlamviec;
}

void PlansSearchForm::Form_Load()
{
    const ProgramContext& m = session().context();
    const QStringList years = tableYears(session().database(), QStringLiteral("kehoach"));
    {
        const QSignalBlocker quiet(m_ui->Combonamlamviec);
        m_ui->Combonamlamviec->clear();
        m_ui->Combonamlamviec->addItems(years);
        m_ui->Combonamlamviec->setCurrentIndex(years.indexOf(m.workingYear));
    }
    bindYearLists();
    m_ui->Label1->setText(
        QStringLiteral("Hướng dẫn:   F4 : xoá cả ô   ") +
        QStringLiteral(
            " Cách dùng các dấu:      Dấu phảy : a,b (có a hoặc b)        Dấu + : a+b (phải có cả a và b)    ") +
        QStringLiteral(" Dấu chấm than : !a (không có a)        Dấu trừ (cho ô số) :  10-45 (các số từ 10 đến 45) ") +
        QStringLiteral(" Các dấu >,< (cho ô số) : >3 (lớn hơn 3)  <15 (nhỏ hơn 15)"));
}

// The three lists offer the values already used in the chosen year.
void PlansSearchForm::bindYearLists()
{
    const QString year = m_ui->Combonamlamviec->currentText().trimmed();
    if (year.isEmpty())
        return;
    const QString table = QStringLiteral("kehoach") + year;
    const QList<QPair<ui::DataControl*, QString>> lists = {{Datadonvi, QStringLiteral("tendonvi")},
                                                           {Databophan, QStringLiteral("bophan")},
                                                           {Dataloai, QStringLiteral("loai")}};
    for (const auto& [data, column] : lists) {
        data->setDatabase(session().database());
        data->setRecordSource(QStringLiteral("select distinct ") + column + QStringLiteral(" from ") + table +
                              QStringLiteral(" where len(trim(") + column + QStringLiteral("))>0 order by ") + column);
        data->refresh();
    }
    m_ui->DBComboban->reloadItems();
    m_ui->DBCombobophan->reloadItems();
    m_ui->DBComboloai->reloadItems();
}

void PlansSearchForm::open()
{
    load();
    showModeless();
    m_ui->txtid->setFocus();
}

void PlansSearchForm::cmdtracuu_Click()
{
    // An engine error is told in its own words; the form stays as it was, ready for another try.
    try {
        search();
    } catch (const db::DbError& e) {
        refuseSearch(*this, e.description());
    }
}

bool PlansSearchForm::search()
{
    const QString year = m_ui->Combonamlamviec->currentText().trimmed();
    if (year.isEmpty()) {
        refuseSearch(*this, QStringLiteral("Cần chọn năm để tra cứu trước !"));
        return false;
    }
    const QString table = QStringLiteral("kehoach") + year;
    // Dates typed and not yet left are checked as leaving would check them.
    for (ui::TextBox* date : {m_ui->mtgianbdau1, m_ui->mtgianbdau2, m_ui->mtgiankthuc1, m_ui->mtgiankthuc2}) {
        if (!recheckDateBox(*date, kInvalidDate))
            return false;
    }
    ui::setHourglass();
    QString condition;
    qint16 count = 0;
    QString status;
    common::appendNumberCriterion(m_ui->txtid->text(), QStringLiteral("[id]"), condition, count, status);
    if (status == common::kStatusSai) {
        refuseSearch(*this, common::invalidCriterionMessage(m_ui->txtid->text()), QStringLiteral("txtid"));
        return false;
    }
    common::appendDateRange(m_ui->mtgianbdau1->text(), m_ui->mtgianbdau2->text(), QStringLiteral("[tgianbdauchuan]"),
                            condition, count);
    common::appendDateRange(m_ui->mtgiankthuc1->text(), m_ui->mtgiankthuc2->text(), QStringLiteral("[tgiankthucchuan]"),
                            condition, count);
    for (const auto& [name, column] : textCriteria()) {
        const QString criterion = box(name)->text();
        if (!common::appendTextCriterion(criterion, column, condition, count)) {
            refuseSearch(*this, common::invalidCriterionMessage(criterion), name);
            return false;
        }
    }
    if (m_ui->chkkhan->isChecked())
        common::appendEquals(QStringLiteral("True"), QStringLiteral("[khan]"), condition, count++);
    if (m_ui->chkhthanh->isChecked())
        common::appendEquals(QStringLiteral("True"), QStringLiteral("[ketthuc]"), condition, count++);
    else if (m_ui->chkchuahthanh->isChecked())
        common::appendEquals(QStringLiteral("False"), QStringLiteral("[ketthuc]"), condition, count++);
    const QString order = QStringLiteral(" order by tgianbdauchuan+tgiankthucchuan");
    const QString statement =
        condition.isEmpty() ? QStringLiteral("SELECT * FROM ") + table + order
                            : QStringLiteral("SELECT * FROM ") + table + QStringLiteral(" WHERE ") + condition + order;
    // A search without hits leaves the stored query and the list as they were.
    const QString firstHit = QStringLiteral("SELECT TOP 1 id FROM ") + table +
                             (condition.isEmpty() ? QString() : QStringLiteral(" WHERE ") + condition);
    if (session().database().openRecordset(firstHit, db::RecordsetType::Snapshot).eof()) {
        refuseSearch(*this, QStringLiteral("Không có công việc nào thoả mãn điều kiện tìm kiếm !"));
        return false;
    }
    if (app::KiemtraQuery(QStringLiteral("Qrtracuu"), session().database()))
        session().database().setQuerySql(QStringLiteral("Qrtracuu"), statement);
    else
        session().database().createQueryDef(QStringLiteral("Qrtracuu"), statement);
    auto* list = form<PlansListForm>(QStringLiteral("frmgridcongviec"));
    if (!list)
        return false;
    hide();
    list->setSession(sharedSession());
    list->openList(table, QStringLiteral("Qrtracuu"));
    ui::setDefaultPointer();
    return true;
}

void PlansSearchForm::cmdxoa_Click()
{
    for (const QString& name :
         {QStringLiteral("mphong"), QStringLiteral("mcanbo"), QStringLiteral("txtid"), QStringLiteral("mban"),
          QStringLiteral("mchidao"), QStringLiteral("mketqua"), QStringLiteral("mndungtt"), QStringLiteral("mndungct"),
          QStringLiteral("mnguoichidao"), QStringLiteral("mloai"), QStringLiteral("mtgianbdau1"),
          QStringLiteral("mtgianbdau2"), QStringLiteral("mtgiankthuc1"), QStringLiteral("mtgiankthuc2")})
        box(name)->setText(QString());
    m_ui->chkkhan->setChecked(false);
    m_ui->chkhthanh->setChecked(false);
    m_ui->chkchuahthanh->setChecked(false);
}

void PlansSearchForm::cmdclose_Click()
{
    unload();
}

ui::UnloadResult PlansSearchForm::Form_Unload()
{
    ui::setDefaultPointer();
    session().finished(FormRole::Search);
    return ui::UnloadResult::Unload;
}

SessionPtr PlansSearchForm::makeOwnSession() const
{
    return programSession(Register::Plans, Start::Search);
}

void PlansSearchForm::joined(RegisterSession& session)
{
    session.setReturn(FormRole::Search, this, [this](long long) { showModeless(); });
}

void PlansSearchForm::Form_KeyUp(int keyCode, int shift)
{
    Q_UNUSED(shift)
    const QString focus = activeControlName();
    ui::TextBox* b = box(focus);
    if (!b)
        return;
    if (keyCode == ui::key::F4) {
        b->setText(QString());
        return;
    }
    static const QStringList abbreviated = {QStringLiteral("mcanbo"),   QStringLiteral("mnguoichidao"),
                                            QStringLiteral("mchidao"),  QStringLiteral("mketqua"),
                                            QStringLiteral("mndungct"), QStringLiteral("mndungtt"),
                                            QStringLiteral("mphong")};
    if (abbreviated.contains(focus))
        expandFrom(session().context(), *b, keyCode, ReferenceList::Abbreviations, QStringLiteral("chudu"));
    else if (focus == QLatin1String("mban"))
        expandFrom(session().context(), *b, keyCode, ReferenceList::Units, QStringLiteral("Tendonvi"));
}

void PlansSearchForm::idLeft()
{
    if (!isVisible())
        return;
    QString scratch, status;
    qint16 count = 0;
    common::appendNumberCriterion(m_ui->txtid->text(), QStringLiteral("[id]"), scratch, count, status);
    if (status == common::kStatusSai)
        refuseSearch(*this, common::invalidCriterionMessage(m_ui->txtid->text()), QStringLiteral("txtid"));
}

void PlansSearchForm::dateLeft(const QString& name)
{
    if (!isVisible())
        return;
    ui::TextBox* first = name.endsWith(QLatin1Char('2')) ? box(name.left(name.size() - 1) + QLatin1Char('1')) : nullptr;
    leaveSearchDate(*box(name), first,
                    name == QLatin1String("mtgianbdau1") ? QStringLiteral("Bạn cần nạp lại ngày tháng năm cho đúng!")
                                                         : kInvalidDate);
}

} // namespace registers
