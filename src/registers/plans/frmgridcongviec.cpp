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
#include "platform/db/db_error.h"

#include <QFile>

namespace registers {
namespace {

EntryConfig planListConfig(const Ui::frmgridcongviec& ui)
{
    EntryConfig c = listConfig(planEntryTexts());
    c.viewStatus = QStringLiteral("xem, sửa nội dung công việc");
    c.editStatus = QStringLiteral("sửa nội dung công việc");
    c.boxFields = {{QStringLiteral("txtid"), QStringLiteral("ID")},
                   {QStringLiteral("Txttendonvi"), QStringLiteral("Tendonvi")},
                   {QStringLiteral("txtbophan"), QStringLiteral("bophan")},
                   {QStringLiteral("txtndungtt"), QStringLiteral("ndungtt")},
                   {QStringLiteral("txtndungct"), QStringLiteral("ndungct")},
                   {QStringLiteral("txtloai"), QStringLiteral("loai")},
                   {QStringLiteral("Txttgianbdau"), QStringLiteral("Tgianbdau")},
                   {QStringLiteral("Txttgiankthuc"), QStringLiteral("Tgiankthuc")},
                   {QStringLiteral("txtnguoichidao"), QStringLiteral("nguoichidao")},
                   {QStringLiteral("txtchidao"), QStringLiteral("chidao")},
                   {QStringLiteral("txtcanbo"), QStringLiteral("canbo")},
                   {QStringLiteral("txtketqua"), QStringLiteral("ketqua")},
                   {QStringLiteral("Check1"), QStringLiteral("khan")},
                   {QStringLiteral("Check2"), QStringLiteral("ketthuc")}};
    c.dataBoxes = {QStringLiteral("txtid"),        QStringLiteral("Txttendonvi"),   QStringLiteral("txtbophan"),
                   QStringLiteral("txtndungtt"),   QStringLiteral("txtndungct"),    QStringLiteral("txtloai"),
                   QStringLiteral("Txttgianbdau"), QStringLiteral("Txttgiankthuc"), QStringLiteral("txtnguoichidao"),
                   QStringLiteral("txtchidao"),    QStringLiteral("txtcanbo"),      QStringLiteral("txtketqua")};
    c.editableBoxes = c.dataBoxes.mid(1);
    c.checkBoxes = {QStringLiteral("Check1"), QStringLiteral("Check2")};
    c.checkBoxesFollowRights = false; // here they change only while editing
    c.required = planRequired(ui.Txttendonvi, ui.txtndungtt, ui.Txttgianbdau, ui.Txttgiankthuc);
    c.rememberedFields.clear(); // no adding here and F6 does nothing
    const QString chudu = QStringLiteral("chudu");
    c.abbreviations = {{ui.txtcanbo, ReferenceList::Abbreviations, chudu, QString()},
                       {ui.txtchidao, ReferenceList::Abbreviations, chudu, QString()},
                       {ui.txtketqua, ReferenceList::Abbreviations, chudu, QString()},
                       {ui.txtndungct, ReferenceList::Abbreviations, chudu, QString()},
                       {ui.txtnguoichidao, ReferenceList::Abbreviations, chudu, QString()},
                       {ui.Txttendonvi, ReferenceList::Units, QStringLiteral("Tendonvi"), QString()}};
    c.cancelAddCaption.clear();
    c.viewOnlyButtons = {QStringLiteral("cmdin"), QStringLiteral("cmdclose")};
    c.homeBox = QStringLiteral("DBGrid1");
    c.positionFocus = QStringLiteral("DBGrid1");
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
            [this](int area) { comboClick(m_ui->DBCombodonvi, QStringLiteral("Txttendonvi"), area); });
    connect(m_ui->DBCombophong, &ui::DataCombo::Click, this,
            [this](int area) { comboClick(m_ui->DBCombophong, QStringLiteral("txtbophan"), area); });
    connect(m_ui->DBComboloai, &ui::DataCombo::Click, this,
            [this](int area) { comboClick(m_ui->DBComboloai, QStringLiteral("txtloai"), area); });
    connect(m_ui->cmdin, &QPushButton::clicked, this, &PlansListForm::cmdin_Click);
    attachGrid(m_ui->DBGrid1, QStringLiteral("Danh sách công việc"),
               {{QStringLiteral("Tên hay tóm tắt công việc"), QStringLiteral("ndungtt"), 800}}, m_ui->txtle,
               planListConfig(*m_ui));
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
    for (const QString& name : m_config.dateBoxes) {
        if (ui::TextBox* b = box(name))
            rs.setValue(fieldOf(name) + QStringLiteral("chuan"), common::normaliseDate(b->text()));
    }
    stampSaved(rs, common::clock().today(), session().context().userFullName);
    rs.update();
}

void PlansListForm::comboClick(ui::DataCombo* combo, const QString& boxName, int area)
{
    // Only the text changes here: the unit's and department's identifiers stay as they were.
    if (area != ui::area::List || !editing())
        return;
    box(boxName)->setText(combo->text());
}

bool PlansListForm::dateRefused(const QString& boxName, const QString& date)
{
    return boxName == QLatin1String("Txttgiankthuc") &&
           refuseEndBeforeStart(m_ui->Txttgianbdau, m_ui->Txttgiankthuc, date);
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
