// Attaching a 10 MB PDF to a letter: reading and hashing it, copying it into the store (flushed
// to the disk and renamed) and committing its row. Target: under 0.3 s. Each iteration attaches
// a new content, so nothing is found already stored.
#include "app/core/module1.h"
#include "datafiles/attachments.h"
#include "platform/sys/file_ops.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr qint64 kSize = 10LL * 1024 * 1024;

void writeSource(const QString& path, int n)
{
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write("%PDF-1.7\n% " + QByteArray::number(n) + '\n');
    const QByteArray block(1 << 20, static_cast<char>('a' + n % 26));
    for (qint64 written = 0; written < kSize; written += block.size())
        f.write(block);
}

void BM_AttachTenMegabytePdf(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString letters = QDir(dir.path()).filePath(QStringLiteral("vemocv.mdb"));
    sys::copyFile(QDir(QStringLiteral(SELVARO_DATA_DIR)).filePath(QStringLiteral("vemogoc.mdb")), letters);
    db::Database db = db::Database::open(letters, app::kConnect);
    const auto store = datafiles::AttachmentStore::besideLettersFile(letters);
    const QString source = QDir(dir.path()).filePath(QStringLiteral("Công văn số 12.pdf"));
    int n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        writeSource(source, ++n);
        state.ResumeTiming();
        datafiles::attachFile(db, store, QStringLiteral("cvden2026"), n, source, QStringLiteral("Nguyễn Văn An"),
                              QDateTime::currentDateTime());
    }
    state.SetBytesProcessed(state.iterations() * kSize);
}
BENCHMARK(BM_AttachTenMegabytePdf)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
