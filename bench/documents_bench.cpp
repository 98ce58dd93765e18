// The words of attached documents: a word search over an index of 100,000 documents (target:
// under 50 ms, and within twice a bare FTS5 query on the same index in the same run), the index
// size per document, the text of a 20-page text PDF (target: under 1 s) and OCR of an A4 page
// scanned at 300 dpi (pages per second on this machine).
//
// The index is built once per run from generated Vietnamese-like text: 120 words a document from
// a vocabulary of syllable pairs, common words far more frequent than rare ones, and a marker
// word in every 10,000th document.
#include "bench_main.h"
#include "documents/fulltext_index.h"
#include "documents/ocr_reader.h"
#include "documents/text_extraction.h"
#include "platform/db/index_file.h"
#include "platform/db/statement.h"

#include <QCryptographicHash>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

namespace {

constexpr int kDocuments = 100000;

const QStringList& syllables()
{
    static const QStringList list =
        QStringLiteral("công văn quyết định ủy ban nhân dân tỉnh huyện xã phòng sở ban hành kế hoạch "
                       "báo cáo tình hình thực hiện nhiệm vụ năm tháng ngày đề nghị tờ trình thông "
                       "tư hướng dẫn chỉ thị lúa gạo giống mùa vụ đông xuân hè thu nước thủy lợi "
                       "đường giao thông trường học y tế bệnh viện thuế ngân sách tài chính đất "
                       "đai xây dựng môi trường lao động thương binh xã hội văn hóa thể thao du lịch")
            .split(QLatin1Char(' '));
    return list;
}

struct Corpus
{
    QTemporaryDir dir;
    QString path;
    qint64 bytes = 0;
};

Corpus& corpus()
{
    static Corpus* c = [] {
        auto* made = new Corpus;
        made->path = made->dir.filePath(QStringLiteral("vemocv_chimuc.db"));
        {
            documents::FullTextIndex index(made->path, false);
        }
        auto file = db::IndexFile::open(made->path, false);
        file->exec(QStringLiteral("PRAGMA synchronous = OFF"));
        db::IndexTransaction t(*file);
        db::Statement row(file->handle(),
                          QStringLiteral("INSERT INTO noidungtep (id, bam, trangthai, solan) VALUES (?1, ?2, 1, 1)"));

        db::Statement text(file->handle(), QStringLiteral("INSERT INTO timtu (rowid, noidung) VALUES (?1, ?2)"));
        QRandomGenerator random(26);
        const QStringList& s = syllables();
        for (int i = 1; i <= kDocuments; ++i) {
            QString body;
            for (int w = 0; w < 120; ++w) {
                // Skewed: low indexes (common words) are drawn far more often.
                const int a = int(random.bounded(s.size()) * random.bounded(1.0));
                const int b = int(random.bounded(s.size()));
                body += s.at(a) + QLatin1Char(' ') + s.at(b) + QStringLiteral(", ");
            }
            if (i % 10000 == 0)
                body += QStringLiteral(" Hợp tác xã Đồng Tâm");
            const QString hash = QString::fromLatin1(
                QCryptographicHash::hash(QByteArray::number(i), QCryptographicHash::Sha256).toHex());
            const qint64 id = documents::FullTextIndex::documentId(hash);
            row.bindInt64(1, id);
            row.bindText(2, hash);
            row.run();
            text.bindInt64(1, id);
            text.bindText(2, body);
            text.run();
        }
        t.commit();
        file.reset();
        made->bytes = QFileInfo(made->path).size();
        return made;
    }();
    return *c;
}

// The documents holding the words, as the letters search asks the index for them.
void BM_WordSearch(benchmark::State& state, const QString& words)
{
    Corpus& c = corpus();
    documents::FullTextIndex index(c.path, true);
    qsizetype hits = 0;
    for (auto _ : state)
        hits = index.search(words).size();
    state.counters["hits"] = double(hits);
    state.counters["index_bytes_per_document"] = double(c.bytes) / kDocuments;
}
BENCHMARK_CAPTURE(BM_WordSearch, rare, QStringLiteral("Đồng tâm"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_WordSearch, common, QStringLiteral("lúa"))->Unit(benchmark::kMillisecond);

// The floor: the bare FTS5 query counting its rows.
void BM_WordSearchBareFts5(benchmark::State& state, const QString& match)
{
    Corpus& c = corpus();
    auto file = db::IndexFile::open(c.path, true);
    int hits = 0;
    for (auto _ : state) {
        hits = 0;
        db::Statement q(file->handle(), QStringLiteral("SELECT rowid FROM timtu WHERE timtu MATCH ?1"));
        q.bindText(1, match);
        while (q.step())
            ++hits;
    }
    state.counters["hits"] = hits;
}
BENCHMARK_CAPTURE(BM_WordSearchBareFts5, rare, QStringLiteral("\"đồng\" \"tâm\""))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_WordSearchBareFts5, common, QStringLiteral("\"lúa\""))->Unit(benchmark::kMillisecond);

void BM_TwentyPageTextPdf(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("20 trang.pdf"));
    {
        QPdfWriter writer(path);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setResolution(300);
        QPainter p(&writer);
        p.setFont(QFont(QStringLiteral("Liberation Serif"), 12));
        QString page;
        for (int line = 0; line < 45; ++line)
            page += QStringLiteral("Điều %1. Ủy ban nhân dân các xã, thị trấn tổ chức thực hiện kế hoạch này.\n")
                        .arg(line + 1);
        for (int i = 0; i < 20; ++i) {
            if (i > 0)
                writer.newPage();
            p.drawText(QRect(150, 150, 2200, 3300), Qt::TextWordWrap, page);
        }
    }
    int pages = 0;
    for (auto _ : state)
        pages = documents::extractText(path, documents::DocumentKind::Pdf, {}, nullptr, nullptr).pages;
    state.counters["pages"] = pages;
}
BENCHMARK(BM_TwentyPageTextPdf)->Unit(benchmark::kMillisecond);

void BM_OcrA4PageAt300Dpi(benchmark::State& state)
{
    QImage page(2480, 3508, QImage::Format_Grayscale8);
    page.setDotsPerMeterX(11811);
    page.setDotsPerMeterY(11811);
    page.fill(Qt::white);
    {
        QPainter p(&page);
        p.setFont(QFont(QStringLiteral("Liberation Serif"), 12));
        for (int line = 0; line < 50; ++line)
            p.drawText(QPoint(240, 300 + line * 60),
                       QStringLiteral("Ủy ban nhân dân huyện đề nghị các phòng, ban báo cáo tình hình thực hiện."));
    }
    documents::OcrReader ocr;
    if (!ocr.ready()) {
        state.SkipWithError("no Vietnamese OCR data");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(ocr.read(page, 300, 600000, nullptr).text);
    state.counters["pages_per_second"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_OcrA4PageAt300Dpi)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    return bench_support::runBenchmarks<QGuiApplication>(argc, argv);
}
