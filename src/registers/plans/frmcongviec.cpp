#include "frmcongviec.h"

#include "ui_frmcongviec.h"

#include "frmgridcongviec.h"
#include "frmtxt.h"
#include "plan_entry_config.h"
#include "plan_lists.h"

#include "registers/form_registry.h"
#include "registers/task_record.h"

#include "app/core/messenger.h"
#include "app/gui/form_commands.h"
#include "common/clock.h"
#include "common/dates.h"
#include "platform/ui/key_codes.h"

namespace registers {

PlansEntryForm::PlansEntryForm(QWidget* parent) : EntryForm(parent), m_ui(std::make_unique<Ui::frmcongviec>())
{
    m_ui->setupUi(this);
    setObjectName(QStringLiteral("frmcongviec"));
    Datadonvi = makeListControl(this, "Datadonvi");
    Databophan = makeListControl(this, "Databophan");
    Dataloai = makeListControl(this, "Dataloai");
    setUpListCombo(m_ui->DBCombodonvi, Datadonvi, QStringLiteral("tendonvi"), QStringLiteral("Chọn ban, đơn vị"),
                   QStringLiteral("id"));
    setUpListCombo(m_ui->DBCombophong, Databophan, QStringLiteral("phong"), QStringLiteral("Chọn phòng, bộ phận"),
                   QStringLiteral("id"));
    setUpListCombo(m_ui->DBComboloai, Dataloai, QStringLiteral("loai"), QStringLiteral("Chọn loại công việc"));
    connect(m_ui->DBCombodonvi, &ui::DataCombo::Click, this, &PlansEntryForm::DBCombodonvi_Click);
    connect(m_ui->DBCombophong, &ui::DataCombo::Click, this, &PlansEntryForm::DBCombophong_Click);
    connect(m_ui->DBComboloai, &ui::DataCombo::Click, this, &PlansEntryForm::DBComboloai_Click);
    connect(m_ui->cmdxemct, &QPushButton::clicked, this, &PlansEntryForm::cmdxemct_Click);
    connect(m_ui->cmdGrid, &QPushButton::clicked, this, &PlansEntryForm::cmdGrid_Click);
    attachControls(planEntryConfig(*m_ui));
}

PlansEntryForm::~PlansEntryForm() = default;

void PlansEntryForm::Form_Load()
{
    EntryForm::Form_Load();
    bindLists();
}

void PlansEntryForm::bindLists()
{
    bindPlanLists(session(), Datadonvi, Databophan, Dataloai);
    m_ui->DBCombodonvi->reloadItems();
    m_ui->DBCombophong->reloadItems();
    m_ui->DBComboloai->reloadItems();
}

void PlansEntryForm::fillNewRecord()
{
    m_ui->txtban->setText(remembered(QStringLiteral("Tendonvi")));
    m_ui->txtphong->setText(remembered(QStringLiteral("bophan")));
    m_ui->txtloai->setText(remembered(QStringLiteral("loai")));
}

void PlansEntryForm::writeRecord(db::Recordset& rs)
{
    for (const ui::TextBox* b : std::as_const(m_config.dateBoxes))
        rs.setValue(fieldOf(b) + QStringLiteral("chuan"), common::normaliseDate(b->text()));
    stampSaved(rs, common::clock().today(), session().context().userFullName);
    rs.update();
    rs.setBookmark(rs.lastModified());
    // A type typed for the first time is offered at once.
    Dataloai->refresh();
    m_ui->DBComboloai->reloadItems();
}

void PlansEntryForm::DBCombodonvi_Click(int area)
{
    if (area != ui::area::List || !editing())
        return;
    m_ui->txtban->setText(m_ui->DBCombodonvi->text());
    m_ui->txtiddonvi->setText(m_ui->DBCombodonvi->boundText());
    focusBox(m_ui->txtndungtt);
}

void PlansEntryForm::DBCombophong_Click(int area)
{
    if (area != ui::area::List || !editing())
        return;
    m_ui->txtphong->setText(m_ui->DBCombophong->text());
    m_ui->txtidbophan->setText(m_ui->DBCombophong->boundText());
    focusBox(m_ui->txtndungtt);
}

void PlansEntryForm::DBComboloai_Click(int area)
{
    if (area != ui::area::List || !editing())
        return;
    m_ui->txtloai->setText(m_ui->DBComboloai->text());
    focusBox(m_ui->txtndungtt);
}

bool PlansEntryForm::dateRefused(const ui::TextBox* box, const QString& date)
{
    return box == m_ui->Txttgiankthuc && refuseEndBeforeStart(m_ui->Txttgianbdau, m_ui->Txttgiankthuc, date);
}

// The detailed content in a large box: edited while adding or editing, only read while viewing
// (the box is locked then, so the editor cannot change a plan past the rights rule).
void PlansEntryForm::cmdxemct_Click()
{
    auto* editor = form<PlanDetailEditor>(QStringLiteral("frmtxt"));
    if (!editor) {
        app::tell(app::kNotAvailable);
        return;
    }
    focusBox(m_ui->txtndungtt);
    editor->open(m_ui->txtndungct, this, session().context());
}

} // namespace registers

namespace registers {

// The list works on the same table; the entry form waits hidden and shows the list's current plan
// when it comes back.
void PlansEntryForm::cmdGrid_Click()
{
    if (editing())
        return;
    auto* list = form<PlansListForm>(QStringLiteral("frmgridcongviec"));
    if (!list)
        return;
    focusBox(m_ui->txtndungtt);
    hide();
    list->setSession(sharedSession());
    list->openList(table(), planListSource(table()));
    if (!list->Data1->hasRecordset()) {
        // The list could not be opened (its data control told the engine's text): stay here.
        list->hide();
        showModeless();
    }
}

void PlansEntryForm::returnTo(long long id)
{
    Data1->refresh();
    if (Data1->recordset().recordCount() > 0) {
        Data1->moveLast();
        Data1->moveFirst();
    }
    showRecord(id);
    showModeless();
    focusBox(m_ui->txtndungtt);
}

} // namespace registers
