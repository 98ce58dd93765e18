#include "print_marks.h"

#include "register_data.h"
#include "register_print.h"
#include "registers_log.h"

#include "app/core/messenger.h"
#include "app/core/run_time_error.h"
#include "platform/db/db_error.h"
#include "platform/ui/hourglass.h"
#include "platform/ui/msg_box.h"

namespace registers {

void PrintMarks::tellError(const QString& description) const
{
    ui::msgBox(m_config.dataErrorPrefix + description);
}

bool PrintMarks::refuseReadOnly(const QString& table)
{
    return refuseWhenReadOnly(database(), table);
}

void PrintMarks::toggle(const QString& table)
{
    if (!m_data->hasCurrentRecord() || refuseReadOnly(table))
        return;
    db::Recordset rs = m_data->recordset();
    try {
        rs.edit();
        const bool marked = rs.value(QStringLiteral("chonin")).toString() == QLatin1String("X");
        rs.setValue(QStringLiteral("chonin"), marked ? QString() : QStringLiteral("X"));
        rs.update();
    } catch (const db::DbError& e) {
        try {
            rs.cancelUpdate();
        } catch (const db::DbError& dropped) {
            app::logDroppedError(dropped, lcRegisters(), QStringLiteral("cancelling the mark that failed"));
        }
        tellError(e.description());
        return;
    }
    m_data->notifyDataChanged();
    m_data->updateControls();
}

bool PrintMarks::run(const QString& table, const std::function<bool()>& write, long long id)
{
    ui::HourglassPointer hourglass;
    if (!m_data->hasRecordset() || m_data->recordset().recordCount() == 0)
        return false;
    if (refuseReadOnly(table))
        return false;
    bool readAgain = true;
    try {
        readAgain = write();
    } catch (const db::DbError& e) {
        tellError(e.description());
        return false;
    }
    if (!readAgain) {
        // The same rows, their marks written: shown again as a single mark is.
        m_data->notifyDataChanged();
        m_data->updateControls();
        return true;
    }
    m_data->refresh();
    if (id > 0)
        m_data->findFirst(QStringLiteral("id =") + QString::number(id));
    return true;
}

bool PrintMarks::listShowsHits(const QString& table, const QString& hits) const
{
    const QString source = m_data->recordset().source();
    const QString statement = QStringLiteral("SELECT * FROM ") + table + QStringLiteral(" WHERE ") + hits;
    return source.startsWith(statement) &&
           (source.size() == statement.size() ||
            source.mid(statement.size()).startsWith(QStringLiteral(" order by "), Qt::CaseInsensitive));
}

bool PrintMarks::markAll(const QString& table, const QString& hits, long long id)
{
    return run(
        table,
        [&] {
            // The list read the hits: while the data is as it was then, only the marks that change
            // are written. Otherwise the hits are looked for again.
            if (!hits.isEmpty() && listShowsHits(table, hits) &&
                m_data->recordset().markExactly(table, QStringLiteral("chonin"), QStringLiteral("X")))
                return false;
            QStringList statements;
            if (!hits.isEmpty()) {
                statements << QStringLiteral("UPDATE ") + table +
                                  QStringLiteral(" SET chonin = '' where [chonin]='X' ;")
                           << QStringLiteral("UPDATE ") + table + QStringLiteral(" SET chonin = 'X' where ") + hits +
                                  m_config.markHitsEnd;
            } else {
                // Rows already marked are left alone: marking a whole year twice writes nothing.
                statements << QStringLiteral("UPDATE ") + table +
                                  QStringLiteral(" SET chonin = 'X' where [chonin] is null or [chonin] <> 'X' ;");
            }
            executeAll(database(), statements);
            return true;
        },
        id);
}

bool PrintMarks::clearAll(const QString& table, long long id)
{
    return run(
        table,
        [&] {
            executeAll(database(), {QString(m_config.clearMarks).replace(QStringLiteral("<table>"), table)});
            return true;
        },
        id);
}

void PrintMarks::print(report::ReportControl& control, const QRect& formGeometry, const QString& margin)
{
    ProgramContext& context = m_owner.session().context();
    ui::HourglassPointer hourglass;
    db::Database& data = database();
    try {
        if (m_config.emptyPrintTableFirst)
            context.scratch.execute(QStringLiteral("DELETE * FROM ") + m_config.printTable + QStringLiteral(" ;"));
        if (!m_data->hasRecordset() || m_data->recordset().recordCount() == 0) {
            app::tell(m_config.emptyMessage);
            return;
        }
        // Is any listed record marked? A clone looks, so the list stays where it is.
        db::Recordset look = m_data->recordset().clone();
        look.moveFirst();
        look.findFirst(QStringLiteral("chonin= 'X'"));
        if (look.noMatch()) {
            app::tell(m_config.noneMarkedMessage);
            return;
        }
        storeQuery(data, QStringLiteral("qrdata1"), listStatement(m_data->recordSource(), m_config.tablePrefix));
        fillPrintTable(context, m_config.printTable, data,
                       {PrintFill{QString(), QStringLiteral("Select * from qrdata1"),
                                  QStringLiteral(" where [chonin]= 'X'") + m_config.printOrder}});
    } catch (const db::DbError& e) {
        app::recordRunTimeError(e);
        app::tell(m_config.failedMessage);
        return;
    }
    ui::setDefaultPointer();
    const report::Destination destination = app::ask(QStringLiteral("Có muốn xem trước khi in không ?"))
                                                ? report::Destination::Window
                                                : report::Destination::Printer;
    const report::ReportResult result =
        printReport(context, control, destination, m_config.reportFile, formGeometry, margin, m_config.printTitle);
    if (!result.ok())
        app::tell(result.message);
}

} // namespace registers
