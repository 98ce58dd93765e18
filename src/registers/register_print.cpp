#include "register_print.h"

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
