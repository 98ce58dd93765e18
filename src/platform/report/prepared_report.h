#pragma once

#include "formula.h"
#include "report_file.h"
#include "report_rows.h"

#include <QList>
#include <QPageLayout>
#include <QString>

namespace report {

// Everything needed to paint one report, read once: the layout, the rows, the heading and
// closing with the formulas filled in, and the page. Painting it again (the preview window
// redraws after a change of zoom or page setup) shows the same content even when the data
// source has changed since.
struct PreparedReport
{
    ReportFile file;
    QList<ReportRow> rows;
    QString coverHtml;
    QString headingHtml;
    QString closingHtml;
    QPageLayout pageLayout;

    // Builds the report from its file and rows. The cover, heading and closing receive every formula by
    // its name (formulas not given print nothing) and {{row_count}}; a later formula of the same
    // name replaces an earlier one. The page layout is the file's, with margins taken from
    // marginsPt where an entry is not negative (points: left, top, right, bottom).
    static PreparedReport make(ReportFile file, QList<ReportRow> rows, const QList<Formula>& formulas,
                               const QMarginsF& marginsPt = QMarginsF(-1, -1, -1, -1));

    // The document name: the file's title, or its file name when it declares none.
    QString title() const;
};

} // namespace report
