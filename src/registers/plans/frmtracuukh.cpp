#include "frmtracuukh.h"

#include "frmgridcongviec.h"
#include "plan_lists.h"
#include "ui_frmtracuukh.h"

#include "registers/form_registry.h"
#include "registers/form_support.h"

#include "app/core/kiemtra_query.h"
#include "common/criteria.h"
#include "platform/ui/data_combo.h"
#include "platform/ui/hourglass.h"

namespace registers {

SearchConfig plansSearchConfig(const Ui::frmtracuukh& ui)
{
    SearchConfig c;
    c.controls = searchControls(ui);
    c.tablePrefix = QStringLiteral("kehoach");
    c.numberBox = ui.txtid;
    c.numberColumn = QStringLiteral("[id]");
    const QString badDate = QStringLiteral("Bạn cần nạp lại ngày tháng năm cho đúng !");
    c.ranges = {{ui.mtgianbdau1, ui.mtgianbdau2, QStringLiteral("[tgianbdauchuan]"), QString(), QString(), badDate,
                 QStringLiteral("Bạn cần nạp lại ngày tháng năm cho đúng!")},
                {ui.mtgiankthuc1, ui.mtgiankthuc2, QStringLiteral("[tgiankthucchuan]"), QString(), QString(), badDate,
                 badDate}};
    c.textBoxes = {{ui.mban, QStringLiteral("[tendonvi]")},    {ui.mphong, QStringLiteral("[bophan]")},
                   {ui.mndungtt, QStringLiteral("[ndungtt]")}, {ui.mndungct, QStringLiteral("[ndungct]")},
                   {ui.mloai, QStringLiteral("[loai]")},       {ui.mnguoichidao, QStringLiteral("[nguoichidao]")},
                   {ui.mcanbo, QStringLiteral("[canbo]")},     {ui.mchidao, QStringLiteral("[chidao]")},
                   {ui.mketqua, QStringLiteral("[ketqua]")}};
    c.clearBoxes = {ui.mphong,      ui.mcanbo,      ui.txtid,        ui.mban,         ui.mchidao,
                    ui.mketqua,     ui.mndungtt,    ui.mndungct,     ui.mnguoichidao, ui.mloai,
                    ui.mtgianbdau1, ui.mtgianbdau2, ui.mtgiankthuc1, ui.mtgiankthuc2};
    const QString chudu = QStringLiteral("chudu");
    for (ui::TextBox* box : {ui.mcanbo, ui.mnguoichidao, ui.mchidao, ui.mketqua, ui.mndungct, ui.mndungtt, ui.mphong})
        c.abbreviations << AbbreviationRule{box, ReferenceList::Abbreviations, chudu, QString()};
    c.abbreviations << AbbreviationRule{ui.mban, ReferenceList::Units, QStringLiteral("Tendonvi"), QString()};
    c.stepsDates = false;
    c.guide =
        QStringLiteral("Hướng dẫn:   F4 : xoá cả ô   ") +
        QStringLiteral(
            " Cách dùng các dấu:      Dấu phảy : a,b (có a hoặc b)        Dấu + : a+b (phải có cả a và b)    ") +
        QStringLiteral(" Dấu chấm than : !a (không có a)        Dấu trừ (cho ô số) :  10-45 (các số từ 10 đến 45) ") +
        QStringLiteral(" Các dấu >,< (cho ô số) : >3 (lớn hơn 3)  <15 (nhỏ hơn 15)");
    c.listForm = QStringLiteral("frmgridcongviec");
    c.which = Register::Plans;
    c.unloadsOnClose = true;
    c.engineErrorsTold = true;
    return c;
}

PlansSearchForm::PlansSearchForm(QWidget* parent) : SearchForm(parent), m_ui(std::make_unique<Ui::frmtracuukh>())
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
    attachControls(plansSearchConfig(*m_ui));
}

PlansSearchForm::~PlansSearchForm() = default;

void PlansSearchForm::Form_Load()
{
    SearchForm::Form_Load();
    bindYearLists();
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

void PlansSearchForm::appendOwnCriteria(QString& condition, qint16& count) const
{
    if (m_ui->chkkhan->isChecked())
        common::appendEquals(QStringLiteral("True"), QStringLiteral("[khan]"), condition, count++);
    if (m_ui->chkhthanh->isChecked())
        common::appendEquals(QStringLiteral("True"), QStringLiteral("[ketthuc]"), condition, count++);
    else if (m_ui->chkchuahthanh->isChecked())
        common::appendEquals(QStringLiteral("False"), QStringLiteral("[ketthuc]"), condition, count++);
}

void PlansSearchForm::clearOwnCriteria()
{
    m_ui->chkkhan->setChecked(false);
    m_ui->chkhthanh->setChecked(false);
    m_ui->chkchuahthanh->setChecked(false);
}

// Plans carry no print marks: the hits become the stored query Qrtracuu, which the list shows.
bool PlansSearchForm::showHits(const QString& table, const QString& condition)
{
    const QString where = condition.isEmpty() ? QString() : QStringLiteral(" WHERE ") + condition;
    const QString statement =
        QStringLiteral("SELECT * FROM ") + table + where + QStringLiteral(" order by tgianbdauchuan+tgiankthucchuan");
    // A search without hits leaves the stored query and the list as they were.
    const QString firstHit = QStringLiteral("SELECT TOP 1 id FROM ") + table + where;
    if (session().database().openRecordset(firstHit, db::RecordsetType::Snapshot).eof()) {
        refuseSearch(QStringLiteral("Không có công việc nào thoả mãn điều kiện tìm kiếm !"));
        return false;
    }
    if (app::KiemtraQuery(QStringLiteral("Qrtracuu"), session().database()))
        session().database().setQuerySql(QStringLiteral("Qrtracuu"), statement);
    else
        session().database().createQueryDef(QStringLiteral("Qrtracuu"), statement);
    auto* list = form<PlansListForm>(m_config.listForm);
    if (!list)
        return false;
    hide();
    list->setSession(sharedSession());
    list->openList(table, QStringLiteral("Qrtracuu"));
    return true;
}

} // namespace registers
