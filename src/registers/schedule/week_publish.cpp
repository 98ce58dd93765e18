#include "week_publish.h"

#include "schedule_item.h"
#include "schedule_record.h"
#include "week_calendar.h"

#include "registers/program_context.h"
#include "registers/registers_log.h"

#include "app/core/messenger.h"
#include "app/core/run_time_error.h"
#include "common/clock.h"
#include "common/dates.h"
#include "platform/db/db_error.h"
#include "platform/db/recordset.h"
#include "platform/sys/file_ops.h"
#include "platform/sys/settings_store.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace registers {
namespace {

bool g_failureTold = false;

sys::FolderSetting& folderSetting()
{
    static sys::FolderSetting setting(QStringLiteral("ThuMucLichTuan"));
    return setting;
}

// One file written whole or not at all; its former content stays when the write fails.
void writeWhole(const QString& path, const QByteArray& content)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size() || !file.commit())
        throw sys::FileError(file.errorString() + QStringLiteral(" : ") + QDir::toNativeSeparators(path));
}

} // namespace

WeekFiles weekFiles(db::Database& db, const QString& workingTable, const common::Week& week,
                    const WeekPageHeading& heading, const QDateTime& written)
{
    const QList<ScheduleItem> items = weekItems(db, weekTables(db, workingTable, week), week);
    const QString name = QStringLiteral("Lịch làm việc tuần từ ") + common::dateToText(week.monday) +
                         QStringLiteral(" đến ") + common::dateToText(week.sunday);
    return {weekCalendar(items, name, written.toUTC()), weekPage(week, items, heading, written)};
}

WeekPageHeading pageHeading(db::Database& lettersReference)
{
    db::Recordset rs = lettersReference.openRecordset(QStringLiteral("tendonvi"), db::RecordsetType::Snapshot);
    if (rs.eof())
        return {};
    return {rs.value(QStringLiteral("tencaptren")).toString(), rs.value(QStringLiteral("tendonvi")).toString()};
}

void writeWeekFiles(const QString& folder, const WeekFiles& files)
{
    if (!QFileInfo(folder).isDir())
        throw sys::FileError(QStringLiteral("Không có thư mục này : ") + QDir::toNativeSeparators(folder));
    const QDir dir(folder);
    writeWhole(dir.filePath(kWeekCalendarFile), files.calendar);
    writeWhole(dir.filePath(kWeekPageFile), files.page.toUtf8());
}

QString publishFailedMessage(const QString& folder, const QString& reason)
{
    return QStringLiteral("Không ghi được lịch tuần vào thư mục ") + QDir::toNativeSeparators(folder) +
           QStringLiteral(" :") + QChar(13) + reason + QChar(13) +
           QStringLiteral("Các tệp lịch tuần đã có trong thư mục đó vẫn giữ nguyên.");
}

QString publishFolder()
{
    return folderSetting().folder();
}

void setPublishFolder(const QString& folder)
{
    folderSetting().setFolder(folder);
    g_failureTold = false; // a failure in the new folder is told anew
}

void setPublishSettingsFile(const QString& path)
{
    folderSetting().useSettingsFile(path);
    g_failureTold = false;
}

bool republishWeek(const ProgramContext& context, db::Database& db, const QString& workingTable, const QDate& day)
{
    const QString folder = publishFolder();
    if (folder.isEmpty() || !day.isValid())
        return true;
    QString reason;
    try {
        db::Database names = context.lettersReference; // tendonvi lives beside the letters
        const WeekPageHeading heading = pageHeading(names);
        writeWeekFiles(folder, weekFiles(db, workingTable, common::weekOf(day), heading, common::clock().now()));
        g_failureTold = false;
        return true;
    } catch (const db::DbError& e) {
        app::recordRunTimeError(e, lcRegisters());
        reason = e.description();
    } catch (const sys::FileError& e) {
        app::recordRunTimeError(e, lcRegisters());
        reason = e.text();
    }
    if (!g_failureTold) {
        g_failureTold = true;
        app::tell(publishFailedMessage(folder, reason));
    }
    return false;
}

} // namespace registers
