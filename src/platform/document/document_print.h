#pragma once

// Printing a document file: a PDF page by page as Qt PDF renders it, an image (each page of a
// TIFF scan) scaled to the printable area, centred, its proportions kept.

#include <QString>

class QPrinter;

namespace document {

// The resolution pages are rendered at for the printer: enough for text and scans, and an A4
// page stays near 35 MB while it is drawn.
constexpr int kPrintDpi = 300;

// Prints the file at path (named name, whose extension says what it is) on printer, the pages
// from printer.fromPage() to toPage() (all when both are 0). Returns the pages printed. Raises
// DocumentError when the file cannot be read (documentKind Other included) or the printer
// refuses the job; the job is then abandoned.
int printDocument(QPrinter& printer, const QString& path, const QString& name);

} // namespace document
