#pragma once

// The text of an attached document, for the words index: a PDF's own text (Poppler), its pages
// without text and scanned images read by OCR (ocr_reader.h). Reading stays within limits of
// pages, time and memory, so one huge or hostile file can neither hang the reader nor exhaust
// the machine; what is left unread is said in the result's note.

#include <QString>

#include <atomic>

namespace documents {

class OcrReader;

struct ExtractionLimits
{
    int maxPages = 1000;                        // pages of a PDF read for their text
    int maxOcrPages = 40;                       // pages (or images of a TIFF) read by OCR
    qint64 maxImagePixels = 50LL * 1000 * 1000; // an image or rendered page larger is refused / rendered smaller
    int imageMemoryMb = 256;                    // what Qt's image readers may allocate for one image
    int secondsPerFile = 300;                   // time for one file, OCR included
    int maxTextChars = 2 * 1000 * 1000;         // text kept of one file
    int ocrDpi = 300;                           // resolution pages without text are rendered at
};

// The kinds of file whose text is read; other attachments (office documents) are kept, not read.
enum class DocumentKind
{
    None,
    Pdf,
    Image
};

// The kind of an attachment of type (the type the attachments table keeps: "application/pdf",
// "image/png", "image/jpeg", "image/tiff").
DocumentKind documentKind(const QString& type);

struct ExtractedText
{
    QString text;
    int pages = 0;        // pages (or images) read
    int ocrPages = 0;     // of them, read by OCR
    QString note;         // what was left unread ("" when all was read)
    QString failure;      // why nothing could be read ("" when the text is good); a sentence for the user
    bool stopped = false; // stopped on purpose before the end: nothing is to be recorded
};

// Reads the text of the file at path of kind. ocr may be null (pages without text then stay
// unread, said in the note). Never raises: a damaged, encrypted or unreadable file gives failure.
ExtractedText extractText(const QString& path, DocumentKind kind, const ExtractionLimits& limits, OcrReader* ocr,
                          const std::atomic<bool>* stop);

} // namespace documents
