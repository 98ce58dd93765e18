// Numbering a new outgoing letter of one type in a year of 100,000 letters of 20 types (the
// entry form's dynaset on the whole table), beside the raw SQLite query for the same maximum.
// Target: under 20 ms a number.
#include "app/core/module1.h"
#include "app/core/table_copy.h"
#include "registers/outgoing/letter_numbering.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

namespace {

constexpr int kLetters = 100000;
constexpr int kTypes = 20;

QString typeName(int i)
{
    return QStringLiteral("Loại công văn ") + QString::number(i % kTypes);
}

// A letters file holding the year 2026 with kLetters outgoing letters, numbered per type.
class Year
{
public:
    Year()
    {
        m_path = m_dir.filePath(QStringLiteral("vemocv.mdb"));
        QFile::copy(QStringLiteral(SELVARO_DATA_DIR "/vemogoc.mdb"), m_path);
        QFile::setPermissions(m_path, QFile::permissions(m_path) | QFileDevice::WriteOwner);
        m_db = db::Database::open(m_path, app::kConnect);
        app::copyTableStructure(m_db, m_db, QStringLiteral("cvdimau"), QStringLiteral("cvdi2026"), false);
        db::Recordset rs = m_db.openRecordset(QStringLiteral("cvdi2026"));
        m_db.beginTrans();
        for (int i = 0; i < kLetters; ++i) {
            rs.addNew();
            rs.setValue(QStringLiteral("loai"), typeName(i));
            rs.setValue(QStringLiteral("stt"), i / kTypes + 1);
            rs.setValue(QStringLiteral("so_cv"), QString::number(i / kTypes + 1) + QStringLiteral("/UB"));
            rs.update();
        }
        m_db.commitTrans();
        m_letters = m_db.openRecordset(QStringLiteral("cvdi2026"), db::RecordsetType::Dynaset);
        m_letters.moveLast();
    }
    const db::Recordset& letters() const { return m_letters; }
    QString path() const { return m_path; }

private:
    QTemporaryDir m_dir;
    QString m_path;
    db::Database m_db;
    db::Recordset m_letters;
};

Year& year()
{
    static Year y;
    return y;
}

void BM_NumberNewLetterOfType(benchmark::State& state)
{
    const db::Recordset& rs = year().letters();
    int i = 0;
    for (auto _ : state) {
        const registers::TypeNumber n = registers::numberForType(rs, typeName(i++), -1);
        benchmark::DoNotOptimize(n.number);
    }
}
BENCHMARK(BM_NumberNewLetterOfType)->Unit(benchmark::kMillisecond);

// The same maximum on raw SQLite, the type bound.
void BM_MaximumRawSqlite(benchmark::State& state)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(year().path().toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, "SELECT max(stt) FROM cvdi2026 WHERE loai = ?", -1, &st, nullptr);
    int i = 0;
    for (auto _ : state) {
        const QByteArray type = typeName(i++).toUtf8();
        sqlite3_bind_text(st, 1, type.constData(), int(type.size()), SQLITE_TRANSIENT);
        sqlite3_step(st);
        benchmark::DoNotOptimize(sqlite3_column_int(st, 0));
        sqlite3_reset(st);
    }
    sqlite3_finalize(st);
    sqlite3_close(db);
}
BENCHMARK(BM_MaximumRawSqlite)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
