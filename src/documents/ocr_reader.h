#pragma once

// Reads the printed Vietnamese text of a scanned page (Tesseract with its Vietnamese language
// data, Debian tesseract-ocr-vie). One reader per thread: Tesseract's engine is not shared.

#include <QImage>
#include <QString>

#include <atomic>
#include <memory>

namespace documents {

class OcrReader
{
public:
    // Loads the Vietnamese data once. ready() is false when the data cannot be found (the reason
    // is then in error()).
    OcrReader();
    ~OcrReader();
    OcrReader(const OcrReader&) = delete;
    OcrReader& operator=(const OcrReader&) = delete;

    bool ready() const { return m_ready; }
    QString error() const { return m_error; }

    // The text of page, scanned at dpi. Gives up (returning what was read, and timedOut or
    // stopped set) when timeoutMs passes or *stop becomes true. An empty page gives "".
    struct Result
    {
        QString text;
        bool timedOut = false;
        bool stopped = false;
    };
    Result read(const QImage& page, int dpi, int timeoutMs, const std::atomic<bool>* stop);

private:
    struct Engine;
    std::unique_ptr<Engine> m_engine;
    bool m_ready = false;
    QString m_error;
};

} // namespace documents
