#pragma once

// Marks for printing ("X" in chonin) and the printing of the marked records through the
// register's print table and report: what the letters lists and the schedule list do alike.
// The list form owns the data control and the grid; this works on the records they show.

#include "register_session.h"

#include "platform/report/report_control.h"
#include "platform/ui/data_control.h"

#include <QRect>
#include <QString>
#include <QStringList>
#include <functional>

namespace registers {

struct MarkPrintConfig
{
    QString clearMarks;   // "UPDATE <table> SET chonin = '' where [chonin]='X';" with <table> for the table
    QString markHitsEnd;  // what closes "... SET chonin = 'X' where " + condition: ";" or ""
    QString emptyMessage; // "Chưa có công văn nào được nạp !"
    QString noneMarkedMessage = QStringLiteral("Chưa có công văn nào được chọn để in!");
    QString failedMessage = QStringLiteral("Gặp lỗi khi đang chuẩn bị in công văn !");
    bool emptyPrintTableFirst = false; // the print table is emptied before anything is looked at
    QString printTable;                // "incvden"
    QString reportFile;                // "brcvden.rpt"
    QString printTitle = QStringLiteral("(Những công văn được chọn)");
    QString printOrder = QStringLiteral(" order by [id]"); // the order the print table is filled in
    QString tablePrefix = QStringLiteral("cv");            // a bare record source names a year table
    QString dataErrorPrefix = QStringLiteral("Lỗi dữ liệu : ");
};

// Works on the data file of the owner's visit (the file holding the register's year tables).
class PrintMarks
{
public:
    PrintMarks(const MarkPrintConfig& config, ui::DataControl* data, const SessionMember& owner)
        : m_config(config), m_data(data), m_owner(owner)
    {}

    // Marks the current record, or unmarks it when it is marked; an engine error is told.
    void toggle(const QString& table);
    // Marks every record of table, or with hits given (a search's condition) clears the marks and
    // marks exactly the hits; then the list is read again on record id (the first when 0).
    // False when nothing ran (no record listed, a file that may only be read, an engine error).
    bool markAll(const QString& table, const QString& hits, long long id);
    // Clears every mark of table, in the same frame.
    bool clearAll(const QString& table, long long id);
    // Prints the listed records that are marked, in the print order, on the report: the empty
    // and the nothing-marked messages, the stored query qrdata1 of the list's statement, the print
    // table filled in one transaction, the preview question, the margins typed in margin.
    void print(report::ReportControl& control, const QRect& formGeometry, const QString& margin);

private:
    db::Database& database() const { return m_owner.session().database(); }
    bool refuseReadOnly(const QString& table);
    // Runs write (which answers whether the list must be read again: false when only the marks
    // of its own rows changed), then shows the list again on the letter id.
    bool run(const QString& table, const std::function<bool()>& write, long long id);
    // True when the list's recordset was opened on the statement of the hits.
    bool listShowsHits(const QString& table, const QString& hits) const;
    void tellError(const QString& description) const;

    const MarkPrintConfig& m_config;
    ui::DataControl* m_data;
    const SessionMember& m_owner;
};

} // namespace registers
