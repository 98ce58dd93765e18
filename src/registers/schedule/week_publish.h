#pragma once

// The published week: the files lichtuan.ics (week_calendar.h) and lichtuan.html (week_page.h)
// written into a folder, by "Xuất lịch tuần" of the week view and, when a publish folder is set,
// again after every save or deletion of a schedule item, so that an office intranet or a shared
// calendar reading that folder always finds the week as it stands. Widget-free.

#include "week_page.h"

#include "common/weeks.h"
#include "platform/db/database.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>

namespace registers {

struct ProgramContext;

const QString kWeekCalendarFile = QStringLiteral("lichtuan.ics");
const QString kWeekPageFile = QStringLiteral("lichtuan.html");

struct WeekFiles
{
    QByteArray calendar; // lichtuan.ics
    QString page;        // lichtuan.html, UTF-8 when written
};

// The files of week: its items read from workingTable and from the tables of the week's own
// years (weekTables()), so a week across 31 December is whole. Raises db::DbError.
WeekFiles weekFiles(db::Database& db, const QString& workingTable, const common::Week& week,
                    const WeekPageHeading& heading, const QDateTime& written);

// The organisation's names from the first row of tendonvi in the reference file beside the
// letters, as the printed registers head their pages; empty when the table has no row. Raises
// db::DbError.
WeekPageHeading pageHeading(db::Database& lettersReference);

// Writes files into folder, each through a temporary file renamed over the old one, so each file
// there is either the last good one or the new one whole. Raises sys::FileError, its text naming
// the folder or the file and the system's reason, when folder is missing or a file cannot be
// written.
void writeWeekFiles(const QString& folder, const WeekFiles& files);

// "Không ghi được lịch tuần vào thư mục <folder> :" + CR + reason + CR + "Các tệp lịch tuần đã có
// trong thư mục đó vẫn giữ nguyên."
QString publishFailedMessage(const QString& folder, const QString& reason);

// The publish folder kept in the settings store under the key "ThuMucLichTuan"; "" for none.
QString publishFolder();
void setPublishFolder(const QString& folder);
// The settings store file publishFolder() reads (tests); "" for the user's own store.
void setPublishSettingsFile(const QString& path);

// After an item of day was saved or deleted: rewrites the week of day in the publish folder, when
// one is set. A failure never stops the caller: it is recorded (app::recordRunTimeError) and told
// once through the messenger; it is told again only after a publication has succeeded since.
// Returns true when the files were written or there is no publish folder.
bool republishWeek(const ProgramContext& context, db::Database& db, const QString& workingTable, const QDate& day);

} // namespace registers
