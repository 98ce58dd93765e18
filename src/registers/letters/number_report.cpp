#include "number_report.h"

#include "register_book.h"

#include "registers/register_print.h"

#include "platform/db/row_reader.h"
#include "platform/db/transaction.h"

namespace registers {

namespace {

const QString kPrintTable = QStringLiteral("inkiemtraso");

QString problemText(const NumberFinding& f)
{
    switch (f.problem) {
    case NumberProblem::Missing:
        return QStringLiteral("Thiếu số");
    case NumberProblem::Repeated:
        return QStringLiteral("Trùng số");
    case NumberProblem::DateBackwards:
        return QStringLiteral("Ngày sau số ") + QString::number(f.nextNumber) + QStringLiteral(" (") +
               shownDate(f.nextDate) + u')';
    }
    return {};
}

QString numberText(const NumberFinding& f)
{
    if (f.problem == NumberProblem::Missing && f.lastNumber > f.number)
        return QString::number(f.number) + QStringLiteral(" - ") + QString::number(f.lastNumber);
    return QString::number(f.number);
}

// The print table, made on a scratch file from before the check could be printed.
void ensurePrintTable(db::Database& scratch)
{
    if (scratch.hasTable(kPrintTable))
        return;
    db::TableDef def;
    def.name = kPrintTable;
    const auto text = [](const QString& name, int size) { return db::FieldDef{name, db::FieldType::Text, size}; };
    def.fields = {{QStringLiteral("thutu"), db::FieldType::Long, 4},
                  text(QStringLiteral("loai"), 255),
                  text(QStringLiteral("so"), 30),
                  text(QStringLiteral("vande"), 255),
                  text(QStringLiteral("ngay"), 10),
                  {QStringLiteral("trichyeu"), db::FieldType::Memo, 0}};
    scratch.appendTableDef(def);
}

} // namespace

QStringList findingCells(const NumberFinding& f, const QHash<qint64, QString>& summaries)
{
    return {f.letterType, numberText(f), problemText(f), shownDate(f.date), f.id ? summaries.value(f.id) : QString()};
}

QHash<qint64, QString> letterSummaries(db::Database& letters, const QString& table)
{
    QHash<qint64, QString> byId;
    db::RowReader rows(letters,
                       QStringLiteral("SELECT id, tt_ndung FROM ") + table + QStringLiteral(" WHERE stt >= 1"));
    while (rows.next())
        byId.insert(rows.value(0).toLongLong(), rows.value(1).toString().simplified());
    return byId;
}

exporting::Table findingsTable(const QList<NumberFinding>& findings, const QHash<qint64, QString>& summaries,
                               bool incoming)
{
    using exporting::ColumnKind;
    exporting::Table table;
    const int first = incoming ? FindingNumber : FindingType;
    const QList<exporting::Column> columns = {{QStringLiteral("Loại"), ColumnKind::Text},
                                              {QStringLiteral("Số"), ColumnKind::Number},
                                              {QStringLiteral("Vấn đề"), ColumnKind::Text},
                                              {QStringLiteral("Ngày"), ColumnKind::Date},
                                              {QStringLiteral("Trích yếu"), ColumnKind::Text}};
    table.columns = columns.mid(first);
    for (const NumberFinding& f : findings) {
        const QStringList cells = findingCells(f, summaries);
        QVariantList row;
        for (int c = first; c < cells.size(); ++c) {
            const bool single = c == FindingNumber && cells[c] == QString::number(f.number);
            row.append(single ? QVariant(f.number) : QVariant(cells[c]));
        }
        table.rows.append(row);
    }
    return table;
}

report::ReportResult printFindings(const ProgramContext& context, report::ReportControl& control,
                                   const QList<NumberFinding>& findings, const QHash<qint64, QString>& summaries,
                                   bool incoming, const QString& table, report::Destination destination,
                                   const QRect& formGeometry)
{
    db::Database scratch = context.scratch;
    ensurePrintTable(scratch);
    {
        db::Transaction fill(scratch, QStringLiteral("filling the print table of the number check"));
        scratch.execute(QStringLiteral("DELETE * FROM ") + kPrintTable);
        db::Recordset rows = scratch.openRecordset(kPrintTable);
        for (qsizetype i = 0; i < findings.size(); ++i) {
            const QStringList cells = findingCells(findings[i], summaries);
            rows.addNew();
            rows.setValue(QStringLiteral("thutu"), int(i + 1));
            rows.setValue(QStringLiteral("loai"), cells[FindingType]);
            rows.setValue(QStringLiteral("so"), cells[FindingNumber]);
            rows.setValue(QStringLiteral("vande"), cells[FindingProblem]);
            rows.setValue(QStringLiteral("ngay"), cells[FindingDate]);
            rows.setValue(QStringLiteral("trichyeu"), cells[FindingSummary]);
            rows.update();
        }
        fill.commit();
    }
    const QString title = QStringLiteral("KIỂM TRA SỐ ĐĂNG KÝ CÔNG VĂN ") +
                          (incoming ? QStringLiteral("ĐẾN") : QStringLiteral("ĐI")) + QStringLiteral(" NĂM ") +
                          bookYear(table);
    return printReport(context, control, destination, QStringLiteral("kiemtraso.rpt"), formGeometry, QString(),
                       QString(), nullptr, {{QStringLiteral("tieude"), title}});
}

} // namespace registers
