#include "frmgridcongviec.h"

#include "plan_entry_config.h"
#include "plan_lists.h"
#include "ui_frmgridcongviec.h"

#include "registers/register_print.h"
#include "registers/task_record.h"

#include "app/core/kiemtra_query.h"
#include "app/core/messenger.h"
#include "common/clock.h"
#include "common/dates.h"
#include "datafiles/forms/list_export.h"
#include "platform/db/db_error.h"

#include <QFile>

namespace registers {
namespace {

EntryConfig planListConfig(const Ui::frmgridcongviec& ui)
{
    EntryConfig c = planEntryTexts();
    c.viewStatus = QStringLiteral("xem, sửa nội dung công việc");
    c.editStatus = QStringLiteral("sửa nội dung công việc");
    c.boxFields = {{ui.Txttendonvi, QStringLiteral("Tendonvi")},
                   {ui.txtbophan, QStringLiteral("bophan")},
                   {ui.txtndungtt, QStringLiteral("ndungtt")},
                   {ui.txtndungct, QStringLiteral("ndungct")},
                   {ui.txtloai, QStringLiteral("loai")},
                   {ui.Txttgianbdau, QStringLiteral("Tgianbdau")},
                   {ui.Txttgiankthuc, QStringLiteral("Tgiankthuc")},
                   {ui.txtnguoichidao, QStringLiteral("nguoichidao")},
                   {ui.txtchidao, QStringLiteral("chidao")},
                   {ui.txtcanbo, QStringLiteral("canbo")},
                   {ui.txtketqua, QStringLiteral("ketqua")},
                   {ui.Check1, QStringLiteral("khan")},
                   {ui.Check2, QStringLiteral("ketthuc")}};
    c = listConfig(c, ui);
    c.dataBoxes = {ui.txtid,        ui.Txttendonvi,   ui.txtbophan,      ui.txtndungtt, ui.txtndungct, ui.txtloai,
                   ui.Txttgianbdau, ui.Txttgiankthuc, ui.txtnguoichidao, ui.txtchidao,  ui.txtcanbo,   ui.txtketqua};
    c.editableBoxes = c.dataBoxes.mid(1);
    c.checkBoxes = {ui.Check1, ui.Check2};
    c.checkBoxesFollowRights = false; // here they change only while editing
    c.required = planRequired(ui.Txttendonvi, ui.txtndungtt, ui.Txttgianbdau, ui.Txttgiankthuc);
    c.requiredFocus = ui.txtndungtt;
    c.editFocus = ui.txtndungtt;
    c.dateBoxes = {ui.Txttgianbdau, ui.Txttgiankthuc};
    c.editButton = ui.Cmdsua;
    c.rememberedFields.clear(); // no adding here and F6 does nothing
    const QString chudu = QStringLiteral("chudu");
    c.abbreviations = {{ui.txtcanbo, ReferenceList::Abbreviations, chudu, QString()},
                       {ui.txtchidao, ReferenceList::Abbreviations, chudu, QString()},
                       {ui.txtketqua, ReferenceList::Abbreviations, chudu, QString()},
                       {ui.txtndungct, ReferenceList::Abbreviations, chudu, QString()},
                       {ui.txtnguoichidao, ReferenceList::Abbreviations, chudu, QString()},
                       {ui.Txttendonvi, ReferenceList::Units, QStringLiteral("Tendonvi"), QString()}};
    c.cancelAddCaption.clear();
    c.viewOnlyButtons = {ui.cmdin, ui.cmdclose, ui.cmdxuatexcel};
    c.homeBox = ui.DBGrid1;
    c.positionFocus = ui.DBGrid1;
    return c;
}

} // namespace

QString planListSource(const QString& table)
{
    return QStringLiteral("SELECT * FROM ") + table + QStringLiteral(" ORDER BY tgianbdauchuan+tgiankthucchuan ");
}

QString planPrintStatement(const QString& source)
{
    const int from = source.indexOf(QStringLiteral("from"), 0, Qt::CaseInsensitive);
    if (from < 0)
        return QString();
    return QStringLiteral("select Tendonvi,ndungtt,Tgianbdau,tgianbdauchuan,Tgiankthuc,ketthuc,chidao,nguoichidao,") +
           QStringLiteral("tgiankthucchuan,canbo,left(ketqua,250) as nhomcongviec ") + source.mid(from);
}

PlansListForm::PlansListForm(QWidget* parent) : RecordGridForm(parent), m_ui(std::make_unique<Ui::frmgridcongviec>())
{
    m_ui->setupUi(this);
    setObjectName(QStringLiteral("frmgridcongviec"));
    Datadonvi = makeListControl(this, "Datadonvi");
    Databophan = makeListControl(this, "Databophan");
    Dataloai = makeListControl(this, "Dataloai");
    setUpListCombo(m_ui->DBCombodonvi, Datadonvi, QStringLiteral("tendonvi"), QStringLiteral("Chọn đơn vị"));
    setUpListCombo(m_ui->DBCombophong, Databophan, QStringLiteral("phong"), QStringLiteral("Chọn bộ phận"));
    setUpListCombo(m_ui->DBComboloai, Dataloai, QStringLiteral("loai"), QStringLiteral("Chọn loại"));
    connect(m_ui->DBCombodonvi, &ui::DataCombo::Click, this,
            [this](int area) { comboClick(m_ui->DBCombodonvi, m_ui->Txttendonvi, area); });
    connect(m_ui->DBCombophong, &ui::DataCombo::Click, this,
            [this](int area) { comboClick(m_ui->DBCombophong, m_ui->txtbophan, area); });
    connect(m_ui->DBComboloai, &ui::DataCombo::Click, this,
            [this](int area) { comboClick(m_ui->DBComboloai, m_ui->txtloai, area); });
    connect(m_ui->cmdin, &QPushButton::clicked, this, &PlansListForm::cmdin_Click);
    attachGrid(m_ui->DBGrid1, QStringLiteral("Danh sách công việc"),
               {{QStringLiteral("Tên hay tóm tắt công việc"), QStringLiteral("ndungtt"), 800}}, m_ui->txtle,
               planListConfig(*m_ui));
    datafiles::connectExportButton(m_ui->cmdxuatexcel, m_ui->DBGrid1,
                                   {QString(), {}, datafiles::labelledBoxes(config().dataBoxes)});
}

PlansListForm::~PlansListForm() = default;

void PlansListForm::Form_Load()
{
    EntryForm::Form_Load();
    bindPlanLists(session(), Datadonvi, Databophan, Dataloai);
    m_ui->DBCombodonvi->reloadItems();
    m_ui->DBCombophong->reloadItems();
    m_ui->DBComboloai->reloadItems();
}

void PlansListForm::writeRecord(db::Recordset& rs)
{
    for (const ui::TextBox* b : std::as_const(m_config.dateBoxes))
        rs.setValue(fieldOf(b) + QStringLiteral("chuan"), common::normaliseDate(b->text()));
    stampSaved(rs, common::clock().today(), session().context().userFullName);
    rs.update();
}

void PlansListForm::comboClick(ui::DataCombo* combo, ui::TextBox* box, int area)
{
    // Only the text changes here: the unit's and department's identifiers stay as they were.
    if (area != ui::area::List || !editing())
        return;
    box->setText(combo->text());
}

bool PlansListForm::dateRefused(const ui::TextBox* box, const QString& date)
{
    return box == m_ui->Txttgiankthuc && refuseEndBeforeStart(m_ui->Txttgianbdau, m_ui->Txttgiankthuc, date);
}

void PlansListForm::cmdin_Click()
{
    if (!Data1->hasRecordset() || Data1->recordset().recordCount() == 0) {
        app::tell(QStringLiteral("Chưa có công việc nào được nhập!"));
        return;
    }
    try {
        QString source = Data1->recordSource();
        if (source.compare(QStringLiteral("Qrtracuu"), Qt::CaseInsensitive) == 0)
            source = database().querySql(QStringLiteral("Qrtracuu"));
        const QString statement = planPrintStatement(source);
        if (!statement.isEmpty()) {
            if (app::KiemtraQuery(QStringLiteral("QrIn"), database()))
                database().setQuerySql(QStringLiteral("QrIn"), statement);
            else
                database().createQueryDef(QStringLiteral("QrIn"), statement);
        }
    } catch (const db::DbError& e) {
        app::tell(e.description()); // the print goes on with the query as it was
    }
    const report::Destination destination = app::ask(QStringLiteral("Có muốn xem trước khi in không ?"))
                                                ? report::Destination::Window
                                                : report::Destination::Printer;
    const QString path = reportPath(session().context(), QStringLiteral("brkehoach.rpt"));
    if (!QFile::exists(path)) {
        app::tell(QStringLiteral("Không tìm thấy file ") + path + QStringLiteral("\r\n") +
                  QStringLiteral("Cần copy file này từ đĩa Chương trình gốc vào thư mục Data."));
        return;
    }
    try {
        const report::ReportResult r =
            printReport(session().context(), CrystalReport1, destination, QStringLiteral("brkehoach.rpt"), geometry(),
                        m_ui->txtle->text(), QString(), &database());
        if (!r.ok())
            app::tell(r.message);
    } catch (const db::DbError& e) {
        app::tell(e.description());
    }
}

} // namespace registers
