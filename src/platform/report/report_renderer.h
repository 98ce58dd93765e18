#pragma once

#include "prepared_report.h"

class QIODevice;
class QPagedPaintDevice;

namespace report {

// Paints a prepared report on a paged device (a PDF writer, a printer, the preview window's
// printer): the cover alone on the first page when the report has one (no page number; the page
// numbers count the pages after it), the heading on the next page, then the table with its header
// row (and the row of column numbers) repeated at the top of every page, group rows where a group
// starts (repeated with the continuation text when a group goes on over a page break), the closing
// after the last row and the page number at the bottom of every page. A row that does not fit in
// the rest of a page goes to the next page; a row taller than a whole page is made smaller to fit
// (keep_rows) or split between pages line by line, so no text is lost. Sizes follow the device's
// resolution: the table's text is laid out for the device it is drawn on.
class ReportRenderer
{
public:
    explicit ReportRenderer(const PreparedReport& report);

    // Paints every page with the device's current page layout, beginning on its current page.
    // Returns the number of pages painted, or 0 when the device cannot be painted on (a PDF file
    // that cannot be created, a printer that refuses the job).
    int paint(QPagedPaintDevice* device) const;

    // Writes the report to out as PDF with the program's own writer, laid out as on a PDF writer
    // of Qt's with the report's page layout. Returns the number of pages, or 0 when the report
    // draws what that writer cannot (then nothing is written: Qt's writer serves).
    int writeOwnPdf(QIODevice* out) const;

    // The number of pages the report takes on device, painting nothing.
    int countPages(QPagedPaintDevice* device) const;

    // The font family the report is printed in: the file's when installed, else the first
    // installed of Liberation Serif, Noto Serif and Noto Sans (all have every Vietnamese letter).
    // (printFontFamily, which the page composer uses.)
    static QString fontFamily(const QString& wanted);

private:
    const PreparedReport& m_report;
};

} // namespace report
