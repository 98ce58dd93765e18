#include "schedule_entry.h"

#include "schedule_clash.h"
#include "schedule_record.h"
#include "week_publish.h"

#include "registers/task_record.h"

#include "registers/registers_log.h"

#include "app/core/messenger.h"
#include "app/core/run_time_error.h"
#include "common/clock.h"
#include "common/dates.h"
#include "common/weeks.h"
#include "platform/db/db_error.h"
#include "platform/ui/key_codes.h"

namespace registers {
QString weekdayOf(const QString& day)
{
    return common::weekdayName(common::weekdayNumber(common::dateFromDisplay(common::parseDate(day))));
}

EntryConfig scheduleEntryConfig(const ScheduleBoxes& b, ui::TextBox* id)
{
    EntryConfig c;
    c.which = Register::Schedule;
    c.viewStatus = QStringLiteral("Xem lịch làm việc hàng tuần");
    c.addStatus = QStringLiteral("Nạp lịch tuần");
    c.editStatus = QStringLiteral("sửa nội dung lịch làm việc");
    c.boxFields = {
        {id, QStringLiteral("ID")}, {b.chair, QStringLiteral("nguoictri")}, {b.preparer, QStringLiteral("nguoicbi")}};
    c.dataBoxes = {id, b.day, b.weekday, b.time, b.content, b.place, b.chair, b.preparer, b.participants, b.note};
    // The weekday is derived from the day, never typed.
    c.editableBoxes = {b.day, b.time, b.content, b.place, b.chair, b.preparer, b.participants, b.note};
    c.required = {{b.day, QStringLiteral("Ngày")},
                  {b.time, QStringLiteral("Giờ")},
                  {b.content, QStringLiteral("Tên hoặc tóm tắt nội dung công việc"),
                   QStringLiteral("Tên hoặc tóm tắt nội dung công viẹc")}};
    c.checkedWhenChanged = {b.preparer, b.chair, b.place, b.time, b.content, b.day};
    c.requiredFocus = b.day;
    c.rememberedFields = {QStringLiteral("nguoicbi"), QStringLiteral("nguoictri"), QStringLiteral("diadiem"),
                          QStringLiteral("gio"),      QStringLiteral("ndung"),     QStringLiteral("ngay"),
                          QStringLiteral("thu"),      QStringLiteral("thanhphan"), QStringLiteral("ghichu")};
    c.numberField.clear();
    c.homeBox = b.day;
    c.editFocus = b.day;
    c.positionFocus = b.day;
    c.lockPositionWhileEditing = true;
    c.dateBoxes = {b.day};
    c.invalidDateMessage = QStringLiteral("Bạn cần nạp lại ngày tháng năm cho đúng!");
    const QString chudu = QStringLiteral("chudu");
    for (ui::TextBox* box : {b.preparer, b.chair, b.place, b.content})
        c.abbreviations << AbbreviationRule{box, ReferenceList::Abbreviations, chudu, chudu};
    c.cancelEditCaption = QStringLiteral("&Huỷ sửa");
    c.cancelAddCaption = QStringLiteral("&Huỷ nạp");
    c.deleteQuestion.clear(); // the entry form deletes at once
    c.deleteWhileAdding = QStringLiteral("Bạn phải nạp hoặc sửa xong mới xoá được !");
    c.ownerField = QStringLiteral("nguoicapnhat");
    c.searchWhileEditing = QStringLiteral("Cần bấm nút Ghi Đĩa hoặc ESC để kết thúc việc nạp sửa trước !");
    c.dataErrorPrefix = QStringLiteral("Data error event hit err:");
    c.searchForm = QStringLiteral("frmtracuulich");
    c.searchStartsAtNumber = true;
    return c;
}

void attachScheduleBoxes(EntryForm& form, const ScheduleBoxes& boxes)
{
    ui::TextBox* day = boxes.day;
    ui::TextBox* weekday = boxes.weekday;
    // After the date rule of the day box (connected first): an accepted day shows its weekday.
    QObject::connect(day, &ui::TextBox::LostFocus, &form, [&form, day, weekday] {
        if (form.editing() && !common::parseDate(day->text()).isEmpty())
            weekday->setText(weekdayOf(day->text()));
    });
    weekday->setTabStop(false);
    QObject::connect(weekday, &ui::TextBox::GotFocus, &form, [day] {
        app::tell(QStringLiteral("Không cần nạp ô này ! Chương trình sẽ tự động nạp Thứ sau khi bạn nạp xong ô Ngày"));
        day->setFocus();
    });
}

void writeScheduleRecord(const EntryForm& form, const ScheduleBoxes& boxes, db::Recordset& rs)
{
    const QString day = boxes.day->text();
    rs.setValue(QStringLiteral("ngaychuan"), common::normaliseDate(day));
    rs.setValue(QStringLiteral("thu"), weekdayOf(day));
    rs.setValue(QStringLiteral("giochuan"), timeKey(boxes.time->text()));
    stampSaved(rs, common::clock().today(), form.session().context().userFullName);
    rs.update();
    rs.setBookmark(rs.lastModified());
}

void scheduleKeyUp(EntryForm& form, const ScheduleBoxes& boxes, int keyCode)
{
    if ((keyCode != ui::key::F5 && keyCode != ui::key::F6) || !form.editing())
        return;
    ui::TextBox* day = boxes.day;
    if (form.activeControl() == day && !common::parseDate(day->text()).isEmpty())
        boxes.weekday->setText(weekdayOf(day->text()));
}

bool confirmNoClash(const EntryForm& form, const ScheduleBoxes& b)
{
    ScheduleItem item;
    item.table = form.table();
    item.day = b.day->text();
    item.dayKey = common::normaliseDate(item.day);
    item.time = b.time->text();
    item.content = b.content->text();
    item.place = b.place->text();
    item.chair = b.chair->text();
    const QDate day = QDate::fromString(item.dayKey, QStringLiteral("yyyyMMdd"));
    if (!day.isValid())
        return true;
    std::optional<ScheduleClash> clash;
    try {
        if (form.mode() == EntryMode::Editing && form.Data1->hasCurrentRecord())
            item.id = form.Data1->recordset().value(QStringLiteral("ID")).toLongLong();
        db::Database& db = form.database();
        clash = findClash(item, dayItems(db, weekTables(db, form.table(), common::weekOf(day)), item.dayKey));
    } catch (const db::DbError& e) {
        app::recordRunTimeError(e, lcRegisters());
        return true;
    }
    return !clash || app::ask(clashQuestion(*clash));
}

void republishAfterChange(const EntryForm& form, const QString& day)
{
    republishWeek(form.session().context(), form.database(), form.table(),
                  common::dateFromDisplay(common::parseDate(day)));
}

} // namespace registers
