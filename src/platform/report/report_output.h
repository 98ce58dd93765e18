#pragma once

#include "prepared_report.h"

#include <QString>

namespace report {

// Raises ReportError(BadPageLayout) when the report's margins leave less than 50 mm of width or
// 30 mm of height for its content.
void checkPageLayout(const PreparedReport& report);

// Writes the report to a PDF file at path (replacing a file there) and returns its page count.
// Raises ReportError(OutputFailed) naming the path when the file cannot be written.
int writePdf(const PreparedReport& report, const QString& path);

// Prints the report on the default printer and returns its page count. Raises
// ReportError(NoPrinter) when no printer is installed, OutputFailed when the printer refuses the job.
int printOnDefaultPrinter(const PreparedReport& report);

// A new file name in folder for a report: "<baseName>-001.pdf", or the next number not yet used.
QString nextPdfPath(const QString& folder, const QString& baseName);

} // namespace report
