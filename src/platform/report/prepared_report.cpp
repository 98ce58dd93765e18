#include "prepared_report.h"

#include <QFileInfo>

namespace report {

PreparedReport PreparedReport::make(ReportFile file, QList<ReportRow> rows, const QList<Formula>& formulas,
                                    const QMarginsF& marginsPt)
{
    PreparedReport report;
    TemplateValues values;
    for (const Formula& formula : formulas) {
        values.removeIf([&](const auto& entry) { return entry.first == formula.name; });
        values.append({formula.name, formula.value});
    }
    values.append({QStringLiteral("row_count"), QString::number(rows.size())});
    report.coverHtml = file.cover.render(values);
    report.headingHtml = file.heading.render(values);
    report.closingHtml = file.closing.render(values);

    // The file's margins in millimetres, replaced side by side by the command's.
    constexpr double pointsPerMm = 72.0 / 25.4;
    QMarginsF margins = file.margins * pointsPerMm;
    if (marginsPt.left() >= 0)
        margins.setLeft(marginsPt.left());
    if (marginsPt.top() >= 0)
        margins.setTop(marginsPt.top());
    if (marginsPt.right() >= 0)
        margins.setRight(marginsPt.right());
    if (marginsPt.bottom() >= 0)
        margins.setBottom(marginsPt.bottom());
    report.pageLayout = QPageLayout(QPageSize(file.pageSize), file.orientation, margins, QPageLayout::Point);

    report.file = std::move(file);
    report.rows = std::move(rows);
    return report;
}

QString PreparedReport::title() const
{
    return file.title.isEmpty() ? QFileInfo(file.path).completeBaseName() : file.title;
}

} // namespace report
