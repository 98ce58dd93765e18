#include "ocr_reader.h"

#include <tesseract/baseapi.h>
#include <tesseract/ocrclass.h>

#include <QElapsedTimer>

#include <algorithm>

namespace documents {

struct OcrReader::Engine
{
    tesseract::TessBaseAPI api;
};

namespace {

struct Watch
{
    const std::atomic<bool>* stop = nullptr;
    bool stopped = false;
};

bool cancelled(void* data, int)
{
    auto* watch = static_cast<Watch*>(data);
    if (watch->stop && watch->stop->load())
        watch->stopped = true;
    return watch->stopped;
}

} // namespace

OcrReader::OcrReader() : m_engine(std::make_unique<Engine>())
{
    // Quiet: Tesseract otherwise writes its warnings (missing resolution, empty page) to stderr.
    m_engine->api.SetVariable("debug_file", "/dev/null");
    if (m_engine->api.Init(nullptr, "vie", tesseract::OEM_LSTM_ONLY) != 0) {
        m_error = QStringLiteral("Không tìm thấy dữ liệu tiếng Việt của Tesseract (gói tesseract-ocr-vie).");
        return;
    }
    m_engine->api.SetPageSegMode(tesseract::PSM_AUTO);
    m_ready = true;
}

OcrReader::~OcrReader()
{
    if (m_ready)
        m_engine->api.End();
}

OcrReader::Result OcrReader::read(const QImage& page, int dpi, int timeoutMs, const std::atomic<bool>* stop)
{
    Result r;
    if (!m_ready || page.isNull())
        return r;
    const QImage gray = page.convertToFormat(QImage::Format_Grayscale8);
    tesseract::TessBaseAPI& api = m_engine->api;
    api.SetImage(gray.constBits(), gray.width(), gray.height(), 1, int(gray.bytesPerLine()));
    api.SetSourceResolution(dpi);
    Watch watch{stop};
    tesseract::ETEXT_DESC monitor;
    monitor.cancel = &cancelled;
    monitor.cancel_this = &watch;
    monitor.set_deadline_msecs(std::max(1, timeoutMs));
    QElapsedTimer clock;
    clock.start();
    const int rc = api.Recognize(&monitor);
    r.stopped = watch.stopped;
    r.timedOut = !r.stopped && clock.elapsed() >= timeoutMs;
    // Only after a run that ended: GetUTF8Text would otherwise run the whole recognition again.
    if (rc == 0 && !r.stopped) {
        std::unique_ptr<char[]> text(api.GetUTF8Text());
        if (text)
            r.text = QString::fromUtf8(text.get());
    }
    api.Clear();
    return r;
}

} // namespace documents
