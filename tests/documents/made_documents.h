#pragma once

// Documents the tests make for themselves: PDFs written by Qt's PDF writer with Vietnamese text,
// scans rendered from Vietnamese text, and broken PDFs.

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>

namespace documents_test {

// A PDF at path with one page per text (real text, as an office program prints it).
void writeTextPdf(const QString& path, const QStringList& pages);
// A scan of lines of text at 300 dpi, black on white.
QImage scanOf(const QStringList& lines);
// A PDF at path whose only page is an image (a scanner's PDF): no text of its own.
void writeScannedPdf(const QString& path, const QImage& scan);
// A PDF that asks for a password before it shows anything.
QByteArray encryptedPdf();

} // namespace documents_test
