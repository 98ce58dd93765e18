#pragma once

// Documents the tests make for themselves: PDFs of Vietnamese text written by Qt's PDF writer,
// scans and scanners' PDFs, images, and files that are bad on purpose.

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>

namespace test {

// Writes a PDF at path with one A4 page per text (real text, as an office program prints it).
bool writeTextPdf(const QString& path, const QStringList& pageTexts);
// A scan of lines of text at 300 dpi, black on white.
QImage scanOf(const QStringList& lines);
// A PDF at path whose only page is an image (a scanner's PDF): no text of its own.
void writeScannedPdf(const QString& path, const QImage& scan);
// A scanned-looking page: text on white, in format ("png", "jpeg", "tiff").
QByteArray imageBytes(const QByteArray& format, const QSize& size = QSize(420, 594));
// A PDF protected by a password the test does not know (an RC4 Standard security handler whose
// user key the empty password does not open).
QByteArray encryptedPdf();
// A JPEG whose header says it is width x height pixels (its data is that of a small image).
QByteArray jpegClaiming(int width, int height);

} // namespace test
