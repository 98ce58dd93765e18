#include "frmlich.h"

#include "ui_frmlich.h"

#include "frmGridlich.h"
#include "frmgridtuan.h"
#include "frmtracuulich.h"
#include "schedule_record.h"

#include "registers/form_registry.h"
#include "registers/register_data.h"
#include "registers/task_record.h"

#include "app/core/messenger.h"
#include "common/clock.h"
#include "common/dates.h"
#include "platform/db/db_error.h"
#include "platform/ui/hourglass.h"
#include "platform/ui/key_codes.h"

namespace registers {
namespace {

QString weekdayOf(const QString& day)
{
    return common::weekdayName(common::weekdayNumber(common::dateFromDisplay(common::parseDate(day))));
}

} // namespace

EntryConfig scheduleEntryConfig()
{
    EntryConfig c;
    c.which = Register::Schedule;
    c.viewStatus = QStringLiteral("Xem lịch làm việc hàng tuần");
    c.addStatus = QStringLiteral("Nạp lịch tuần");
    c.editStatus = QStringLiteral("sửa nội dung lịch làm việc");
    c.boxFields = {{QStringLiteral("txtFields"), QStringLiteral("ID")},
                   {QStringLiteral("mchutri"), QStringLiteral("nguoictri")},
                   {QStringLiteral("mchuanbi"), QStringLiteral("nguoicbi")}};
    c.dataBoxes = {QStringLiteral("txtFields"), QStringLiteral("mngay"),    QStringLiteral("mthu"),
                   QStringLiteral("mgio"),      QStringLiteral("mndung"),   QStringLiteral("mdiadiem"),
                   QStringLiteral("mchutri"),   QStringLiteral("mchuanbi"), QStringLiteral("mthanhphan"),
                   QStringLiteral("mghichu")};
    // The weekday is derived from the day, never typed.
    c.editableBoxes = {QStringLiteral("mngay"),      QStringLiteral("mgio"),    QStringLiteral("mndung"),
                       QStringLiteral("mdiadiem"),   QStringLiteral("mchutri"), QStringLiteral("mchuanbi"),
                       QStringLiteral("mthanhphan"), QStringLiteral("mghichu")};
    c.required = {{QStringLiteral("mngay"), QStringLiteral("Ngày")},
                  {QStringLiteral("mgio"), QStringLiteral("Giờ")},
                  {QStringLiteral("mndung"), QStringLiteral("Tên hoặc tóm tắt nội dung công việc"),
                   QStringLiteral("Tên hoặc tóm tắt nội dung công viẹc")}};
    c.checkedWhenChanged = {QStringLiteral("mchuanbi"), QStringLiteral("mchutri"), QStringLiteral("mdiadiem"),
                            QStringLiteral("mgio"),     QStringLiteral("mndung"),  QStringLiteral("mngay")};
    c.requiredFocus = QStringLiteral("mngay");
    c.rememberedFields = {QStringLiteral("nguoicbi"), QStringLiteral("nguoictri"), QStringLiteral("diadiem"),
                          QStringLiteral("gio"),      QStringLiteral("ndung"),     QStringLiteral("ngay"),
                          QStringLiteral("thu"),      QStringLiteral("thanhphan"), QStringLiteral("ghichu")};
    c.numberField.clear();
    c.homeBox = QStringLiteral("mngay");
    c.editFocus = QStringLiteral("mngay");
    c.positionFocus = QStringLiteral("mngay");
    c.lockPositionWhileEditing = true;
    c.dateBoxes = {QStringLiteral("mngay")};
    c.invalidDateMessage = QStringLiteral("Bạn cần nạp lại ngày tháng năm cho đúng!");
    const QString chudu = QStringLiteral("chudu");
    for (const char* name : {"mchuanbi", "mchutri", "mdiadiem", "mndung"})
        c.abbreviations << AbbreviationRule{QString::fromLatin1(name), ReferenceList::Abbreviations, chudu, chudu};
    c.editButton = QStringLiteral("Cmdsua");
    c.cancelEditCaption = QStringLiteral("&Huỷ sửa");
    c.cancelAddCaption = QStringLiteral("&Huỷ nạp");
    c.deleteButton = QStringLiteral("cmdDelete");
    c.deleteQuestion.clear(); // the entry form deletes at once
    c.deleteWhileAdding = QStringLiteral("Bạn phải nạp hoặc sửa xong mới xoá được !");
    c.ownerField = QStringLiteral("nguoicapnhat");
    c.searchWhileEditing = QStringLiteral("Cần bấm nút Ghi Đĩa hoặc ESC để kết thúc việc nạp sửa trước !");
    c.dataErrorPrefix = QStringLiteral("Data error event hit err:");
    c.viewOnlyButtons = {QStringLiteral("cmdbang"), QStringLiteral("cmdGrid"), QStringLiteral("cmdclose")};
    c.searchForm = QStringLiteral("frmtracuulich");
    return c;
}

void attachScheduleBoxes(EntryForm& form)
{
    ui::TextBox* day = form.box(QStringLiteral("mngay"));
    ui::TextBox* weekday = form.box(QStringLiteral("mthu"));
    // After the date rule of the day box (connected first): an accepted day shows its weekday.
    QObject::connect(day, &ui::TextBox::LostFocus, &form, [&form, day, weekday] {
        if (form.editing() && !common::parseDate(day->text()).isEmpty())
            weekday->setText(weekdayOf(day->text()));
    });
    weekday->setTabStop(false);
    QObject::connect(weekday, &ui::TextBox::GotFocus, &form, [&form] {
        app::tell(QStringLiteral("Không cần nạp ô này ! Chương trình sẽ tự động nạp Thứ sau khi bạn nạp xong ô Ngày"));
        if (QWidget* w = form.control(QStringLiteral("mngay")))
            w->setFocus();
    });
}

void writeScheduleRecord(const EntryForm& form, db::Recordset& rs)
{
    const QString day = form.box(QStringLiteral("mngay"))->text();
    rs.setValue(QStringLiteral("ngaychuan"), common::normaliseDate(day));
    rs.setValue(QStringLiteral("thu"), weekdayOf(day));
    rs.setValue(QStringLiteral("giochuan"), timeKey(form.box(QStringLiteral("mgio"))->text()));
    stampSaved(rs, common::clock().today(), form.session().context().userFullName);
    rs.update();
    rs.setBookmark(rs.lastModified());
}

void scheduleKeyUp(EntryForm& form, int keyCode)
{
    if ((keyCode != ui::key::F5 && keyCode != ui::key::F6) || !form.editing())
        return;
    ui::TextBox* day = form.box(QStringLiteral("mngay"));
    if (form.activeControlName() == QLatin1String("mngay") && !common::parseDate(day->text()).isEmpty())
        form.box(QStringLiteral("mthu"))->setText(weekdayOf(day->text()));
}

ScheduleEntryForm::ScheduleEntryForm(QWidget* parent)
    : EntryForm(scheduleEntryConfig(), parent), m_ui(std::make_unique<Ui::frmlich>())
{
    m_ui->setupUi(this);
    setObjectName(QStringLiteral("frmlich"));
    connect(m_ui->cmdbang, &QPushButton::clicked, this, &ScheduleEntryForm::cmdbang_Click);
    connect(m_ui->cmdGrid, &QPushButton::clicked, this, &ScheduleEntryForm::cmdGrid_Click);
    attachControls();
    attachScheduleBoxes(*this);
}

ScheduleEntryForm::~ScheduleEntryForm() = default;

void ScheduleEntryForm::Form_Load()
{
    EntryForm::Form_Load();
    m_ui->lblhuongdan->setText(QStringLiteral("F4 : xoá cả ô  ***  F5 và Shift-F5 ở ô Ngày : tăng giảm ngày") +
                               QChar(10) + QStringLiteral("F6 :chép nội dung trang trước") + QChar(10) +
                               QStringLiteral("PgUp : Về trang trước *** PgDn : đến trang sau"));
}

void ScheduleEntryForm::Form_KeyUp(int keyCode, int shift)
{
    EntryForm::Form_KeyUp(keyCode, shift);
    scheduleKeyUp(*this, keyCode);
}

void ScheduleEntryForm::fillNewRecord()
{
    m_ui->mngay->setText(common::dateToText(common::clock().today()));
    m_ui->mthu->setText(weekdayOf(m_ui->mngay->text()));
}

void ScheduleEntryForm::writeRecord(db::Recordset& rs)
{
    writeScheduleRecord(*this, rs);
}

// The sorted list with every mark of the year cleared, on the item shown here. An engine error is
// told in its own words and the form stays as it was.
void ScheduleEntryForm::cmdbang_Click()
{
    if (editing())
        return;
    auto* list = form<ScheduleListForm>(QStringLiteral("frmGridlich"));
    if (!list)
        return;
    ui::HourglassPointer hourglass;
    try {
        // A file that may only be read keeps its marks; its list is still shown.
        if (isWritable(database(), table()))
            database().execute(QStringLiteral("UPDATE ") + table() +
                               QStringLiteral(" SET chonin = '' where [chonin]<>'';"));
    } catch (const db::DbError& e) {
        ui::setDefaultPointer();
        app::tell(e.description());
        return;
    }
    session().setCurrentId(Data1->hasCurrentRecord() ? recordset().value(QStringLiteral("id")).toLongLong() : 0);
    focusBox(QStringLiteral("mngay"));
    list->setSession(sharedSession());
    if (!list->openList(table(), scheduleListSource(table()), false))
        return; // the list told why; this form stays
    list->showRecord(session().currentId());
    hide();
}

// The week of the day shown here.
void ScheduleEntryForm::cmdGrid_Click()
{
    if (editing())
        return;
    const QString day = common::monthNameDate(m_ui->mngay->text());
    if (day.isEmpty()) {
        app::tell(QStringLiteral("Công việc này chưa nạp ngày nên không chuyển sang bảng lịch tuần được"));
        focusBox(QStringLiteral("mngay"));
        return;
    }
    auto* week = form<WeekViewForm>(QStringLiteral("frmgridtuan"));
    if (!week)
        return;
    ui::HourglassPointer hourglass;
    week->setSession(sharedSession());
    if (!week->openWeek(common::dateFromDisplay(m_ui->mngay->text())))
        return; // the view told why; this form stays
    hide();
}

void ScheduleEntryForm::returnTo(long long id)
{
    if (id <= 0 && Data1->hasCurrentRecord())
        id = recordset().value(QStringLiteral("id")).toLongLong();
    Data1->refresh();
    if (Data1->recordset().recordCount() > 0) {
        Data1->moveLast();
        Data1->moveFirst();
    }
    showRecord(id);
    showModeless();
    focusBox(QStringLiteral("mngay"));
}

bool ScheduleEntryForm::openOwnSearch()
{
    auto* search = form<ScheduleSearchForm>(QStringLiteral("frmtracuulich"));
    if (!search)
        return false;
    hide();
    search->setSession(sharedSession());
    search->open();
    return true;
}

} // namespace registers
