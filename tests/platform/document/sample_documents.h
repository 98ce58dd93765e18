#pragma once

// Documents the viewer and printing tests make for themselves: PDFs of Vietnamese text written by
// Qt's PDF writer, images, and files that are bad on purpose.

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>

namespace test {

// Writes a PDF at path with one A4 page per text, each text drawn in large Vietnamese letters.
bool writeTextPdf(const QString& path, const QStringList& pageTexts);
// A PDF of pageCount pages, each saying its number: the long document.
bool writeLongPdf(const QString& path, int pageCount);
// A scanned-looking page: text on white, in format ("png", "jpeg", "tiff").
QByteArray imageBytes(const QByteArray& format, const QSize& size = QSize(420, 594));
// A PDF protected by a password the test does not know (an RC4 Standard security handler whose
// user key the empty password does not open).
QByteArray encryptedPdf();
// A JPEG whose header says it is width x height pixels (its data is that of a small image).
QByteArray jpegClaiming(int width, int height);
bool writeBytes(const QString& path, const QByteArray& bytes);

} // namespace test
