#include "frmlich.h"

#include "ui_frmlich.h"

#include "frmGridlich.h"
#include "frmgridtuan.h"
#include "schedule_entry.h"
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

ScheduleEntryForm::ScheduleEntryForm(QWidget* parent) : EntryForm(parent), m_ui(std::make_unique<Ui::frmlich>())
{
    m_ui->setupUi(this);
    setObjectName(QStringLiteral("frmlich"));
    connect(m_ui->cmdbang, &QPushButton::clicked, this, &ScheduleEntryForm::cmdbang_Click);
    connect(m_ui->cmdGrid, &QPushButton::clicked, this, &ScheduleEntryForm::cmdGrid_Click);
    EntryConfig config = scheduleEntryConfig(scheduleBoxes(*m_ui), m_ui->txtFields);
    config.controls = entryControls(*m_ui);
    config.editButton = m_ui->Cmdsua;
    config.deleteButton = m_ui->cmdDelete;
    config.viewOnlyButtons = {m_ui->cmdbang, m_ui->cmdGrid, m_ui->cmdclose};
    attachControls(config);
    attachScheduleBoxes(*this, scheduleBoxes(*m_ui));
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
    scheduleKeyUp(*this, scheduleBoxes(*m_ui), keyCode);
}

void ScheduleEntryForm::fillNewRecord()
{
    m_ui->mngay->setText(common::dateToText(common::clock().today()));
    m_ui->mthu->setText(weekdayOf(m_ui->mngay->text()));
}

void ScheduleEntryForm::writeRecord(db::Recordset& rs)
{
    writeScheduleRecord(*this, scheduleBoxes(*m_ui), rs);
}

bool ScheduleEntryForm::saveConfirmed()
{
    return confirmNoClash(*this, scheduleBoxes(*m_ui));
}

void ScheduleEntryForm::aboutToDelete()
{
    m_deletedDay = m_ui->mngay->text();
}

void ScheduleEntryForm::recordWritten()
{
    const QString day = m_deletedDay.isEmpty() ? m_ui->mngay->text() : m_deletedDay;
    m_deletedDay.clear();
    republishAfterChange(*this, day);
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
    focusBox(m_ui->mngay);
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
        focusBox(m_ui->mngay);
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
    focusBox(m_ui->mngay);
}

} // namespace registers
