#include "register_print.h"

#include "platform/db/transaction.h"

#include "register_data.h"

#include "app/core/data_paths.h"
#include "platform/db/recordset.h"

#include <cmath>

namespace registers {

void fillPrintTable(const ProgramContext& context, const QString& printTable, const QString& fillStatement)
{
    fillPrintTable(context, printTable, QStringList{fillStatement});
}

void fillPrintTable(const ProgramContext& context, const QString& printTable, const QStringList& fillStatements)
{
    db::Database scratch = context.scratch; // a handle on the same file
    executeAll(scratch,
               QStringList{QStringLiteral("DELETE * FROM ") + printTable + QStringLiteral(" ;")} + fillStatements);
}

void fillPrintTable(const ProgramContext& context, const QString& printTable, db::Database& source,
                    const QList<PrintFill>& fills)
{
    if (source.isFile()) {
        QStringList statements;
        for (const PrintFill& fill : fills)
            statements << QStringLiteral(" INSERT INTO ") + printTable + QLatin1Char(' ') + fill.into +
                              QLatin1Char(' ') + fill.select + QStringLiteral(" IN '") + inPath(source.path()) +
                              QStringLiteral("'") + fill.rest;
        fillPrintTable(context, printTable, statements);
        return;
    }
    db::Database scratch = context.scratch;
    db::Transaction transaction(scratch, QStringLiteral("rolling back a print table's fill"));
    scratch.execute(QStringLiteral("DELETE * FROM ") + printTable + QStringLiteral(" ;"));
    db::Recordset into = scratch.openRecordset(printTable);
    for (const PrintFill& fill : fills) {
        db::Recordset rows = source.openRecordset(fill.select + fill.rest, db::RecordsetType::Snapshot);
        QStringList columns; // the print table's columns named by into, else the rows' own
        for (const QString& column : QString(fill.into)
                                         .remove(QLatin1Char('('))
                                         .remove(QLatin1Char(')'))
                                         .split(QLatin1Char(','), Qt::SkipEmptyParts))
            columns << column.trimmed();
        if (columns.isEmpty()) {
            // The print table's counter numbers the rows as they come, in the order read.
            for (int i = 0; i < rows.fieldCount(); ++i) {
                const QString name = rows.fieldName(i);
                if (into.hasField(name) && !(into.fieldDef(name).attributes & db::fieldattr::AutoIncrField))
                    columns << name;
            }
        }
        for (; !rows.eof(); rows.moveNext()) {
            into.addNew();
            for (int i = 0; i < columns.size(); ++i)
                into.setValue(columns[i], fill.into.isEmpty() ? rows.value(columns[i]) : rows.value(i));
            into.update();
        }
    }
    transaction.commit();
}

QString inPath(const QString& path)
{
    QString p = path;
    return p.replace(QLatin1Char('\''), QStringLiteral("''"));
}

QString reportPath(const ProgramContext& context, const QString& name)
{
    return app::dataFilePath(context.programFolder, name);
}

int marginTwips(const QString& margin)
{
    bool ok = false;
    const double mm = margin.trimmed().toDouble(&ok);
    if (!ok || mm <= 0 || mm >= 30)
        return -1;
    return static_cast<int>(std::lround(mm / 25 * 1440));
}

report::ReportResult printReport(const ProgramContext& context, report::ReportControl& control,
                                 report::Destination destination, const QString& reportName, const QRect& formGeometry,
                                 const QString& margin, const QString& title, const db::Database* data,
                                 const QList<QPair<QString, QString>>& moreFormulas)
{
    // A form prints through the same control every time: nothing of its last print (a margin
    // the box no longer asks for, an organisation name since removed) carries over.
    control.reset();
    control.setDestination(destination);
    control.setReportFileName(reportPath(context, reportName));
    // The form's place in twips (15 to a pixel), scaled as the old program placed its preview.
    control.setWindowLeft(static_cast<int>(std::lround(formGeometry.left() * 15 * 7 / 100.0)));
    control.setWindowTop(static_cast<int>(std::lround(formGeometry.top() * 15 * 7 / 100.0)));
    control.setWindowHeight(static_cast<int>(std::lround(formGeometry.height() * 15 * 6 / 100.0)));
    control.setWindowWidth(static_cast<int>(std::lround(formGeometry.width() * 15 * 6 / 100.0)));
    if (const int twips = marginTwips(margin); twips >= 0) {
        control.setMarginLeft(twips);
        control.setMarginTop(twips);
    }
    if (!data)
        control.setFormula(0, QStringLiteral("lbltd1 = '") + title + QStringLiteral("'"));
    db::Database names = context.lettersReference; // tendonvi lives beside the letters
    db::Recordset rs = names.openRecordset(QStringLiteral("tendonvi"), db::RecordsetType::Snapshot);
    if (!rs.eof()) {
        control.setFormula(1, QStringLiteral("tencaptren = '") + rs.value(QStringLiteral("tencaptren")).toString() +
                                  QStringLiteral("'"));
        control.setFormula(2, QStringLiteral("tendonvi = '") + rs.value(QStringLiteral("tendonvi")).toString() +
                                  QStringLiteral("'"));
    }
    int index = 3;
    for (const auto& [name, value] : moreFormulas)
        control.setFormula(index++, name + QStringLiteral(" = '") + value + QStringLiteral("'"));
    control.setDatabase(data ? *data : context.scratch);
    return control.setAction(1);
}

} // namespace registers
