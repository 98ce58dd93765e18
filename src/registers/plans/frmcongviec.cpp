#include "frmcongviec.h"

#include "ui_frmcongviec.h"

#include "frmgridcongviec.h"
#include "frmtracuukh.h"
#include "frmtxt.h"
#include "plan_lists.h"

#include "registers/form_registry.h"
#include "registers/task_record.h"

#include "app/core/messenger.h"
#include "app/gui/form_commands.h"
#include "common/clock.h"
#include "common/dates.h"
#include "platform/ui/key_codes.h"

namespace registers {

EntryConfig planEntryConfig()
{
    EntryConfig c;
    c.which = Register::Plans;
    c.viewStatus = QStringLiteral("Xem công việc");
    c.addStatus = QStringLiteral("Nạp công việc");
    c.editStatus = QStringLiteral("sửa nội dung công việc");
    c.boxFields = {{QStringLiteral("txtid"), QStringLiteral("ID")},
                   {QStringLiteral("txtban"), QStringLiteral("Tendonvi")},
                   {QStringLiteral("txtiddonvi"), QStringLiteral("iddonvi")},
                   {QStringLiteral("txtphong"), QStringLiteral("bophan")},
                   {QStringLiteral("txtidbophan"), QStringLiteral("idbophan")},
                   {QStringLiteral("txtndungtt"), QStringLiteral("ndungtt")},
                   {QStringLiteral("txtndungct"), QStringLiteral("ndungct")},
                   {QStringLiteral("txtloai"), QStringLiteral("loai")},
                   {QStringLiteral("Txttgianbdau"), QStringLiteral("Tgianbdau")},
                   {QStringLiteral("Txttgiankthuc"), QStringLiteral("Tgiankthuc")},
                   {QStringLiteral("txtchidao"), QStringLiteral("nguoichidao")},
                   {QStringLiteral("txtykien"), QStringLiteral("chidao")},
                   {QStringLiteral("txtcanbo"), QStringLiteral("canbo")},
                   {QStringLiteral("txtketqua"), QStringLiteral("ketqua")},
                   {QStringLiteral("chkkhan"), QStringLiteral("khan")},
                   {QStringLiteral("chkketthuc"), QStringLiteral("ketthuc")}};
    c.dataBoxes = {QStringLiteral("txtid"),         QStringLiteral("txtban"),      QStringLiteral("txtiddonvi"),
                   QStringLiteral("txtphong"),      QStringLiteral("txtidbophan"), QStringLiteral("txtndungtt"),
                   QStringLiteral("txtndungct"),    QStringLiteral("txtloai"),     QStringLiteral("Txttgianbdau"),
                   QStringLiteral("Txttgiankthuc"), QStringLiteral("txtchidao"),   QStringLiteral("txtykien"),
                   QStringLiteral("txtcanbo"),      QStringLiteral("txtketqua")};
    // The unit and department boxes are locked while viewing too: a record changes only in
    // adding or editing, so the rights rule cannot be passed by typing into a viewed record.
    c.editableBoxes = c.dataBoxes.mid(1);
    c.checkBoxes = {QStringLiteral("chkkhan"), QStringLiteral("chkketthuc")};
    // Urgent and finished are marked while viewing too, on a plan the user may change.
    c.checkBoxesFollowRights = true;
    c.required = {{QStringLiteral("txtban"), QStringLiteral("Ban")},
                  {QStringLiteral("txtndungtt"), QStringLiteral("tên hay tóm tắt nội dung công việc")},
                  {QStringLiteral("Txttgianbdau"), QStringLiteral("thời gian bắt đầu")},
                  {QStringLiteral("Txttgiankthuc"), QStringLiteral("thời gian kết thúc")}};
    c.requiredFocus = QStringLiteral("txtndungtt");
    c.rememberedFields = {QStringLiteral("Tendonvi"), QStringLiteral("canbo"),     QStringLiteral("nguoichidao"),
                          QStringLiteral("ketqua"),   QStringLiteral("loai"),      QStringLiteral("ndungct"),
                          QStringLiteral("ndungtt"),  QStringLiteral("Tgianbdau"), QStringLiteral("Tgiankthuc"),
                          QStringLiteral("bophan"),   QStringLiteral("chidao")};
    c.numberField.clear();
    c.homeBox = QStringLiteral("txtndungtt");
    c.editFocus = QStringLiteral("txtndungtt");
    c.positionFocus = QStringLiteral("txtndungtt");
    c.lockPositionWhileEditing = true;
    c.dateBoxes = {QStringLiteral("Txttgianbdau"), QStringLiteral("Txttgiankthuc")};
    c.invalidDateMessage = QStringLiteral("Bạn cần nạp lại ngày tháng năm cho đúng !");
    c.f5FillsToday = true;
    const QString chudu = QStringLiteral("chudu");
    c.abbreviations = {{QStringLiteral("txtndungtt"), ReferenceList::Abbreviations, QString(), chudu},
                       {QStringLiteral("txtcanbo"), ReferenceList::Abbreviations, chudu, chudu},
                       {QStringLiteral("txtchidao"), ReferenceList::Abbreviations, chudu, chudu},
                       {QStringLiteral("txtketqua"), ReferenceList::Abbreviations, chudu, chudu},
                       {QStringLiteral("txtndungct"), ReferenceList::Abbreviations, chudu, chudu},
                       {QStringLiteral("txtykien"), ReferenceList::Abbreviations, chudu, chudu},
                       {QStringLiteral("txtban"), ReferenceList::Units, QStringLiteral("Tendonvi"), QString()}};
    c.editButton = QStringLiteral("Cmdsua");
    c.cancelEditCaption = QStringLiteral("&Huỷ sửa");
    c.cancelAddCaption = QStringLiteral("&Huỷ nạp");
    c.deleteButton = QStringLiteral("cmdDelete");
    c.deleteQuestion = QStringLiteral("Có thực sự muốn xoá bản ghi này không ?");
    c.deleteWhileAdding = QStringLiteral("Bạn phải nạp xong mới xoá được !");
    c.ownerField = QStringLiteral("nguoicapnhat");
    c.searchWhileEditing = QStringLiteral("Bạn phải nạp xong mới có thể tìm kiếm được !");
    c.dataErrorPrefix = QStringLiteral("Data error event hit err:");
    c.viewOnlyButtons = {QStringLiteral("cmdGrid"), QStringLiteral("cmdclose")};
    c.searchForm = QStringLiteral("frmtracuukh");
    c.guide = QStringLiteral("Hướng dẫn : F4 : xoá cả ô    F5: tự điền ngày    F6 : Sao chép nội dung trang trước   "
                             "PgUp, Pgdn : chuyển trang ");
    return c;
}

PlansEntryForm::PlansEntryForm(QWidget* parent)
    : EntryForm(planEntryConfig(), parent), m_ui(std::make_unique<Ui::frmcongviec>())
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
    attachControls();
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
    for (const QString& name : m_config.dateBoxes) {
        if (ui::TextBox* b = box(name))
            rs.setValue(fieldOf(name) + QStringLiteral("chuan"), common::normaliseDate(b->text()));
    }
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
    focusBox(QStringLiteral("txtndungtt"));
}

void PlansEntryForm::DBCombophong_Click(int area)
{
    if (area != ui::area::List || !editing())
        return;
    m_ui->txtphong->setText(m_ui->DBCombophong->text());
    m_ui->txtidbophan->setText(m_ui->DBCombophong->boundText());
    focusBox(QStringLiteral("txtndungtt"));
}

void PlansEntryForm::DBComboloai_Click(int area)
{
    if (area != ui::area::List || !editing())
        return;
    m_ui->txtloai->setText(m_ui->DBComboloai->text());
    focusBox(QStringLiteral("txtndungtt"));
}

bool PlansEntryForm::dateRefused(const QString& boxName, const QString& date)
{
    return boxName == QLatin1String("Txttgiankthuc") &&
           refuseEndBeforeStart(m_ui->Txttgianbdau, m_ui->Txttgiankthuc, date);
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
    focusBox(QStringLiteral("txtndungtt"));
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
    focusBox(QStringLiteral("txtndungtt"));
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
    focusBox(QStringLiteral("txtndungtt"));
}

} // namespace registers

namespace registers {

bool PlansEntryForm::openOwnSearch()
{
    auto* search = form<PlansSearchForm>(QStringLiteral("frmtracuukh"));
    if (!search)
        return false;
    hide();
    search->setSession(sharedSession());
    search->open();
    return true;
}

} // namespace registers
