#include "frmGridlich.h"

#include "ui_frmGridlich.h"

#include "datafiles/forms/list_export.h"
#include "schedule_entry.h"

#include <QLabel>

namespace registers {
namespace {

EntryConfig scheduleListConfig(const Ui::frmGridlich& ui)
{
    EntryConfig c = listConfig(scheduleEntryConfig(scheduleBoxes(ui), ui.txtid), ui);
    c.controls.add = ui.cmdAdd;
    c.controls.print = ui.Cmdin;
    c.editButton = ui.Cmdsua;
    c.invalidDateMessage = QStringLiteral("Bạn cần nạp lại ngày tháng năm cho đúng !");
    // Adding remembers the last item's texts; F6 copies back all but the participants and the note.
    c.rememberedFields = {QStringLiteral("nguoicbi"), QStringLiteral("nguoictri"), QStringLiteral("diadiem"),
                          QStringLiteral("gio"),      QStringLiteral("ndung"),     QStringLiteral("ngay"),
                          QStringLiteral("thu")};
    c.viewOnlyButtons = {ui.Cmdchontat, ui.Cmdhuychon, ui.Cmdin, ui.cmdclose, ui.cmdxuatexcel};
    c.searchForm.clear();
    return c;
}

} // namespace

MarkPrintConfig scheduleMarkConfig()
{
    MarkPrintConfig c;
    c.clearMarks = QStringLiteral("UPDATE <table> SET chonin = '' where chonin='X' ;");
    c.markHitsEnd = QStringLiteral(";");
    c.emptyMessage = QStringLiteral("Không có lịch làm việc nào cả !");
    c.noneMarkedMessage = QStringLiteral("Chưa có lịch làm việc nào được chọn để in !");
    c.failedMessage = QStringLiteral("Gặp lỗi khi đang chuẩn bị in lịch làm việc !");
    c.printTable = QStringLiteral("inlich");
    c.reportFile = QStringLiteral("brlichtuan.rpt");
    c.printTitle = QStringLiteral("(Lịch làm việc được chọn)");
    c.printOrder = QStringLiteral(" order by [ngaychuan],[giochuan]");
    c.tablePrefix = QStringLiteral("lich");
    c.dataErrorPrefix = QStringLiteral("Data error event hit err:");
    return c;
}

ScheduleListForm::ScheduleListForm(QWidget* parent)
    : RecordGridForm(parent), m_ui(std::make_unique<Ui::frmGridlich>()), m_printConfig(scheduleMarkConfig()),
      m_marks(m_printConfig, Data1, *this)
{
    m_ui->setupUi(this);
    setObjectName(QStringLiteral("frmGridlich"));
    attachGrid(m_ui->DBGrid1, QStringLiteral("Danh sách lịch làm việc"),
               {{QStringLiteral("In"), QStringLiteral("chonin"), 30},
                {QStringLiteral("Ngày"), QStringLiteral("ngay"), 90},
                {QStringLiteral("Nội dung"), QStringLiteral("ndung"), 620},
                {QStringLiteral("Giờ"), QStringLiteral("gio"), 80}},
               m_ui->txtle, scheduleListConfig(*m_ui));
    datafiles::connectExportButton(m_ui->cmdxuatexcel, m_ui->DBGrid1, {QString(), {QStringLiteral("chonin")}});
    connect(DBGrid1, &ui::Grid::DblClick, this, &ScheduleListForm::DBGrid1_DblClick);
    DBGrid1->setDoubleClickKeys({Qt::Key_Space}); // Space marks or unmarks the row
    connect(m_ui->Cmdchontat, &QPushButton::clicked, this, &ScheduleListForm::Cmdchontat_Click);
    connect(m_ui->Cmdhuychon, &QPushButton::clicked, this, &ScheduleListForm::Cmdhuychon_Click);
    connect(m_ui->Cmdin, &QPushButton::clicked, this, &ScheduleListForm::Cmdin_Click);
    attachScheduleBoxes(*this, scheduleBoxes(*m_ui));
}

ScheduleListForm::~ScheduleListForm() = default;

void ScheduleListForm::Form_Load()
{
    EntryForm::Form_Load();
    m_ui->Lblhuongdan->setText(QStringLiteral("Nháy đúp vào đầu dòng định in ở bảng trên để chọn ") +
                               QStringLiteral("in (có dấu X) hoặc huỷ chọn dòng đó (bỏ dấu X)"));
}

void ScheduleListForm::Form_KeyUp(int keyCode, int shift)
{
    EntryForm::Form_KeyUp(keyCode, shift);
    scheduleKeyUp(*this, scheduleBoxes(*m_ui), keyCode);
}

bool ScheduleListForm::openList(const QString& table, const QString& source, bool fromSearch)
{
    m_fromSearch = fromSearch;
    if (RecordGridForm::openList(table, source))
        return true;
    hide();
    return false;
}

void ScheduleListForm::writeRecord(db::Recordset& rs)
{
    writeScheduleRecord(*this, scheduleBoxes(*m_ui), rs);
}

bool ScheduleListForm::saveConfirmed()
{
    return confirmNoClash(*this, scheduleBoxes(*m_ui));
}

void ScheduleListForm::aboutToDelete()
{
    m_deletedDay = m_ui->mngay->text();
}

void ScheduleListForm::recordWritten()
{
    const QString day = m_deletedDay.isEmpty() ? m_ui->mngay->text() : m_deletedDay;
    m_deletedDay.clear();
    republishAfterChange(*this, day);
}

void ScheduleListForm::marksRan(bool ran)
{
    Q_UNUSED(ran)
    DBGrid1->setFocus();
}

void ScheduleListForm::DBGrid1_DblClick()
{
    if (!editing())
        m_marks.toggle(table());
}

// A list of a search's hits marks exactly the hits, whoever opened the search; the year's list
// marks every item of the year. Both act on the table the list shows.
void ScheduleListForm::Cmdchontat_Click()
{
    const long long id = keepPosition();
    const SearchCondition& search = session().lastSearch();
    const bool hits = m_fromSearch && !search.isEmpty();
    marksRan(m_marks.markAll(table(), hits ? search.where : QString(), id));
}

void ScheduleListForm::Cmdhuychon_Click()
{
    marksRan(m_marks.clearAll(table(), keepPosition()));
}

void ScheduleListForm::Cmdin_Click()
{
    DBGrid1->setFocus();
    m_marks.print(CrystalReport1, geometry(), m_ui->txtle->text());
}

} // namespace registers
