#pragma once

#include "text_template.h"

#include <QList>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QString>
#include <QStringList>

namespace report {

// One column of a report's table, from a line of the [columns] section.
struct ReportColumn
{
    QString field;     // column of the data source printed as it is; empty for a template column
    TextTemplate cell; // the cell's text built from the row's columns (set when field is empty)
    QString caption;   // the header cell
    double width = 1;  // relative to the other columns' widths
    Qt::Alignment align = Qt::AlignLeft;
    int line = 0; // line of the report file, for messages
};

// A report file (.rpt): our own text format, described in docs/report_format.md. It declares the
// page, the data source, the table's columns, optional grouping, page numbers and up to three
// HTML blocks (a cover page of its own, the heading above the table on the first page after it
// and the closing after the table's last row).
// Every setting has a default except source and columns.
struct ReportFile
{
    QString path;   // the file it was read from ("" when parsed from text)
    QString title;  // document name: the PDF's title, the preview window's caption
    QString source; // print table or stored query of the database the print command hands over
    int sourceLine = 0;
    QStringList order; // columns the rows are sorted by; empty: the source's own order
    int orderLine = 0;

    QPageSize::PageSizeId pageSize = QPageSize::A4;
    QPageLayout::Orientation orientation = QPageLayout::Landscape;
    QMarginsF margins{15, 12, 12, 12}; // millimetres: left, top, right, bottom

    QString fontFamily = QStringLiteral("Liberation Serif");
    double fontSize = 10; // points

    TextTemplate pageNumber; // {{page}} and {{pages}}; empty: no page numbers
    Qt::Alignment pageNumberAlign = Qt::AlignHCenter;

    QStringList groupBy; // a new group starts where the values of these columns change
    int groupLine = 0;
    TextTemplate groupCaption; // the group row's text, from the group's first row
    int groupCaptionLine = 0;
    QString groupContinued = QStringLiteral("(tiếp theo)"); // after the caption repeated on a new page

    // A row of column numbers "(1)", "(2)", ... under the header, repeated with it on every page.
    bool columnNumbers = false;
    // Rows are never split across pages: a row taller than an empty page is printed in a smaller
    // type (down to half the report's size) so that it fits on one; only a row taller still is split.
    bool keepRows = false;

    TextTemplate cover;   // HTML alone on the first page, with no page number; empty: no cover
    TextTemplate heading; // HTML, with the formulas and {{row_count}}
    TextTemplate closing; // HTML, same values
    QList<ReportColumn> columns;

    // Reads and parses the file at path. Backslashes count as folder separators, and when the
    // path does not exist as written each of its parts is matched without regard to letter case
    // ("\data\BRCVDEN.RPT" finds data/brcvden.rpt). Raises ReportError: FileNotFound when there is
    // no such file, FileUnreadable when it cannot be read or is not UTF-8 text, FileSyntax (with
    // the file name and line) for a line that is not understood.
    static ReportFile load(const QString& path);

    // Parses report text; fileName only serves the messages. Raises ReportError(FileSyntax) for an
    // unknown section or setting, a bad value, a malformed template, a missing source or no column.
    static ReportFile parse(const QString& text, const QString& fileName);
};

// The path of an existing file that path names, matching each part without regard to letter case
// when the exact path does not exist; "" when there is none.
QString resolveFilePath(const QString& path);

} // namespace report
