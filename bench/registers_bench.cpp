// The incoming register on a year of letters built here (100,000, or the first count of
// SELVARO_BENCH_LETTERS: the program is one per process, so run once per count to see growth):
// opening the entry form on its last record (also after another client saved a letter),
// PgUp/PgDn, a search with three text criteria and an
// arrival-date range (beside the same SELECT on raw SQLite), "&Chọn tất" after that search (beside
// its two UPDATEs on raw SQLite), and printing 5,000 marked letters to PDF. The year tables are
// made as start-up makes them (createYearTables), with their index of marked rows.
// Targets: open < 200 ms, page move < 5 ms, search within 1.3x the bare SELECT, mark-all within
// 1.1x its raw UPDATEs, 5,000-letter print < 300 ms.
//
// With SELVARO_BENCH_SERVER naming a PostgreSQL server (a libpq connection string), the letters
// and reference lists are copied there after they are made and the program runs on those data
// sets, as a folder moved to a server does (the raw SQLite floors stay on the file): run once
// without and once with it to set the server's figures beside the file's (target: within 2x).
#include "letter_counts.h"
#include "raw_sqlite.h"

#include "app/core/messenger.h"
#include "app/core/module1.h"
#include "app/core/reference_recordsets.h"
#include "app/core/year_tables.h"
#include "platform/db/pg/data_set.h"
#include "platform/db/pg/data_set_copy.h"
#include "platform/db/pg/program_functions.h"
#include "platform/db/pg/server_connection.h"
#include "platform/db/pg/server_engine.h"
#include "register_program.h"
#include "registers/form_registry.h"
#include "registers/incoming/frmcvden.h"
#include "registers/incoming/frmgridcvden.h"
#include "registers/incoming/frmtracuucvden.h"
#include "registers/incoming/incoming_forms.h"
#include "ui_frmcvden.h"
#include "ui_frmtracuucvden.h"

#include <QApplication>
#include <QEventLoop>
#include <QTest>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <functional>
#include <utility>

namespace {

int letters()
{
    static const int n = bench_support::letterCounts({100000}).first();
    return n;
}

// A program folder whose letters file holds the year 2026 with letters() incoming letters.
class Program : public bench_support::RegisterProgram
{
public:
    Program() : RegisterProgram({"brcvden.rpt", "brcvdi.rpt"})
    {
        app::createYearTables(app::module1());
        fill();
        if (const QString server = qEnvironmentVariable("SELVARO_BENCH_SERVER"); !server.isEmpty())
            moveToServer(server);
        registers::registerIncomingForms();
    }

    QString lettersPath() const { return app::module1().lettersPath; }

private:
    // The letters and reference lists as data sets of the server, in use as on a folder that
    // runs there; the scratch file stays on this machine.
    static void moveToServer(const QString& server)
    {
        app::Module1& m = app::module1();
        auto connection = db::pg::ServerConnection::open(server);
        db::pg::installProgramFunctions(*connection);
        const QString letters = QStringLiteral("bench_vemocv"), reference = QStringLiteral("bench_vemotk");
        for (const auto& [file, dataSet] : {std::pair{m.letters, letters}, std::pair{m.reference, reference}}) {
            db::pg::dataset::drop(*connection, dataSet);
            db::pg::copyFileToServer(file, *connection, dataSet);
        }
        m.letters = db::pg::openDataSet(server, letters);
        m.reference = m.lettersReference = m.scheduleReference = db::pg::openDataSet(server, reference);
        m.serverConnection = server;
        // As the program starts on a server: its year tables checked, with their index of marked
        // rows (a copy leaves the program's own indexes out).
        app::createYearTables(m);
        app::openReferenceRecordsets(m);
        std::fprintf(stderr, "registers_bench: the letters and reference lists are on the server\n");
    }

    void fill()
    {
        static const QStringList senders = {QStringLiteral("Sở Nội vụ"), QStringLiteral("Bộ Tư pháp"),
                                            QStringLiteral("Sở Tài chính"), QStringLiteral("Uỷ ban nhân dân huyện"),
                                            QStringLiteral("Sở Giáo dục và Đào tạo")};
        static const QStringList types = {QStringLiteral("Công văn"), QStringLiteral("Quyết định"),
                                          QStringLiteral("Báo cáo"), QStringLiteral("Giấy mời")};
        app::Module1& m = app::module1();
        db::Recordset rs = m.letters.openRecordset(m.incomingTable);
        m.letters.beginTrans();
        for (int i = 1; i <= letters(); ++i) {
            const int month = 1 + (i * 12 / (letters() + 1));
            const int day = 1 + i % 28;
            const QString date =
                QStringLiteral("%1/%2/2026").arg(day, 2, 10, QLatin1Char('0')).arg(month, 2, 10, QLatin1Char('0'));
            rs.addNew();
            rs.setValue(QStringLiteral("stt"), i);
            rs.setValue(QStringLiteral("ng_den"), date);
            rs.setValue(QStringLiteral("ng_denchuan"), date.mid(6, 4) + date.mid(3, 2) + date.left(2));
            rs.setValue(QStringLiteral("noigui"), senders.at(i % senders.size()));
            rs.setValue(QStringLiteral("so_cv"), QStringLiteral("%1/VP").arg(i));
            rs.setValue(QStringLiteral("loai"), types.at(i % types.size()));
            rs.setValue(QStringLiteral("dv_nhan"), QStringLiteral("Văn phòng, Phòng Tổ chức cán bộ"));
            rs.setValue(QStringLiteral("cd_dang"), i % 3 ? QStringLiteral("Đảng,NN") : QStringLiteral("Công đoàn"));
            rs.setValue(QStringLiteral("tt_ndung"), (i % 3 ? QStringLiteral("Về việc báo cáo tình hình quý %1")
                                                           : QStringLiteral("Về việc triển khai nhiệm vụ số %1"))
                                                        .arg(i));
            rs.update();
        }
        m.letters.commitTrans();
    }
};

Program& program()
{
    static Program p;
    return p;
}

// Runs a command as a user's click runs it, inside the event loop: what one action read of the
// data is reused within it (decision 12), on a file as on a server.
void inOneAction(const std::function<void()>& command)
{
    QEventLoop loop;
    QTimer::singleShot(0, &loop, [&] {
        command();
        loop.quit();
    });
    loop.exec();
}

registers::IncomingEntryForm* entry()
{
    return registers::form<registers::IncomingEntryForm>(QStringLiteral("frmcvden"));
}
registers::IncomingSearchForm* search()
{
    return registers::form<registers::IncomingSearchForm>(QStringLiteral("frmtracuucvden"));
}
registers::IncomingListForm* list()
{
    return registers::form<registers::IncomingListForm>(QStringLiteral("frmgridcvden"));
}

// Opens the entry form on its last record, as the main window's button does; before each open,
// beforeOpen runs untimed.
void openEntryForm(benchmark::State& state, const std::function<void()>& beforeOpen = {})
{
    for (auto _ : state) {
        if (beforeOpen) {
            state.PauseTiming();
            beforeOpen();
            state.ResumeTiming();
        }
        inOneAction([] { entry()->open(app::module1().incomingTable); });
        benchmark::DoNotOptimize(entry()->Data1->recordset().absolutePosition());
        state.PauseTiming();
        entry()->hide();
        state.ResumeTiming();
    }
}

void BM_OpenEntryFormOnLastRecord(benchmark::State& state)
{
    program();
    openEntryForm(state);
}
BENCHMARK(BM_OpenEntryFormOnLastRecord)->Arg(letters())->Unit(benchmark::kMillisecond)->Iterations(10);

// The same open after another machine saved a letter of the year: nothing read before can be
// reused (a file's pages, a server's keys), as on the first open of a working day.
void BM_OpenEntryFormAfterAnotherClientsSave(benchmark::State& state)
{
    Program& p = program();
    app::Module1& m = app::module1();
    db::Database other = m.serverConnection.isEmpty()
                             ? db::Database::open(p.lettersPath(), app::kConnect)
                             : db::pg::openDataSet(m.serverConnection, QStringLiteral("bench_vemocv"));
    const QString save =
        QStringLiteral("UPDATE [") + m.incomingTable + QStringLiteral("] SET [so_cv] = '1/VP' WHERE [stt] = 1");
    openEntryForm(state, [&] { other.execute(save); });
}
BENCHMARK(BM_OpenEntryFormAfterAnotherClientsSave)->Arg(letters())->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_PageUpPageDown(benchmark::State& state)
{
    program();
    entry()->open(app::module1().incomingTable);
    QApplication::setActiveWindow(entry());
    entry()->ui().mcd_dang->setFocus();
    QWidget* target = QApplication::focusWidget();
    bool up = true;
    for (auto _ : state) {
        inOneAction([&] { QTest::keyClick(target, up ? Qt::Key_PageUp : Qt::Key_PageDown); });
        up = !up;
    }
    entry()->hide();
}
BENCHMARK(BM_PageUpPageDown)->Arg(letters())->Unit(benchmark::kMicrosecond);

void setCriteria()
{
    search()->cmdxoa_Click();
    search()->ui().mnoigui->setText(QStringLiteral("Sở"));
    search()->ui().mtt_ndung->setText(QStringLiteral("báo cáo"));
    search()->ui().mloai->setText(QStringLiteral("Công văn"));
    search()->ui().mng_den1->setText(QStringLiteral("01/01/2026"));
    search()->ui().mng_den2->setText(QStringLiteral("31/03/2026"));
}

void BM_SearchThreeTextsAndDateRange(benchmark::State& state)
{
    program();
    search()->openWithValueLists({});
    setCriteria();
    int hits = 0;
    for (auto _ : state) {
        inOneAction([] { search()->Cmdtracuu_Click(); });
        hits = list()->Data1->recordset().recordCount();
    }
    state.counters["hits"] = hits;
}
BENCHMARK(BM_SearchThreeTextsAndDateRange)->Arg(letters())->Unit(benchmark::kMillisecond)->Iterations(10);

// The same search on raw SQLite: every rowid of the hits (ASCII-only NOCASE LIKE).
void BM_SearchRawSqlite(benchmark::State& state)
{
    program();
    sqlite3* db = nullptr;
    sqlite3_open_v2(program().lettersPath().toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    const char* sql = "SELECT rowid FROM cvden2026 WHERE ng_denchuan BETWEEN '20260101' AND '20260331' "
                      "AND noigui LIKE '%Sở%' AND tt_ndung LIKE '%báo cáo%' AND loai LIKE '%Công văn%' ORDER BY rowid";
    int hits = 0;
    for (auto _ : state) {
        hits = bench_support::countRows(db, sql);
    }
    sqlite3_close(db);
    state.counters["hits"] = hits;
}
BENCHMARK(BM_SearchRawSqlite)->Arg(letters())->Unit(benchmark::kMillisecond)->Iterations(10);

// The search command also clears the marks of the year first (a pass over the table): both
// statements on raw SQLite.
void BM_SearchRawSqliteWithMarkClearing(benchmark::State& state)
{
    program();
    sqlite3* db = nullptr;
    sqlite3_open(program().lettersPath().toUtf8().constData(), &db);
    const char* sql = "SELECT rowid FROM cvden2026 WHERE ng_denchuan BETWEEN '20260101' AND '20260331' "
                      "AND noigui LIKE '%Sở%' AND tt_ndung LIKE '%báo cáo%' AND loai LIKE '%Công văn%' ORDER BY rowid";
    for (auto _ : state) {
        sqlite3_exec(db, "UPDATE cvden2026 SET chonin = '' WHERE chonin = 'X'", nullptr, nullptr, nullptr);
        benchmark::DoNotOptimize(bench_support::countRows(db, sql));
    }
    sqlite3_close(db);
}
BENCHMARK(BM_SearchRawSqliteWithMarkClearing)->Arg(letters())->Unit(benchmark::kMillisecond)->Iterations(10);

// "&Chọn tất" as a user clicks it: right after the search that listed the hits.
void BM_MarkAllAfterSearch(benchmark::State& state)
{
    program();
    search()->openWithValueLists({});
    setCriteria();
    for (auto _ : state) {
        state.PauseTiming();
        inOneAction([] { search()->Cmdtracuu_Click(); });
        state.ResumeTiming();
        inOneAction([] { list()->Cmdchontat_Click(); });
    }
}
BENCHMARK(BM_MarkAllAfterSearch)->Arg(letters())->Unit(benchmark::kMillisecond)->Iterations(10);

// Two floors on raw SQLite: the statements that clear every mark and mark the hits again, and
// those that write only the marks that change (what the product does).
void markAllRaw(benchmark::State& state, const QByteArray& statements)
{
    program();
    sqlite3* db = nullptr;
    sqlite3_open(program().lettersPath().toUtf8().constData(), &db);
    for (auto _ : state)
        sqlite3_exec(db, statements.constData(), nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

const QByteArray kHits = "ng_denchuan BETWEEN '20260101' AND '20260331' AND noigui LIKE '%Sở%' AND tt_ndung LIKE "
                         "'%báo cáo%' AND loai LIKE '%Công văn%'";

void BM_MarkAllRawSqlite(benchmark::State& state)
{
    markAllRaw(state, "BEGIN IMMEDIATE; UPDATE cvden2026 SET chonin = '' WHERE chonin = 'X'; "
                      "UPDATE cvden2026 SET chonin = 'X' WHERE " +
                          kHits + "; COMMIT;");
}
BENCHMARK(BM_MarkAllRawSqlite)->Arg(letters())->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_MarkAllRawSqliteChangedOnly(benchmark::State& state)
{
    markAllRaw(state, "BEGIN IMMEDIATE; UPDATE cvden2026 SET chonin = '' WHERE chonin = 'X' AND NOT coalesce(" + kHits +
                          ", 0); UPDATE cvden2026 SET chonin = 'X' WHERE " + kHits + " AND chonin IS NOT 'X'; COMMIT;");
}
BENCHMARK(BM_MarkAllRawSqliteChangedOnly)->Arg(letters())->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_Print5000MarkedLetters(benchmark::State& state)
{
    program();
    app::Module1& m = app::module1();
    m.letters.execute(QStringLiteral("UPDATE ") + m.incomingTable + QStringLiteral(" SET chonin = ''"));
    m.letters.execute(QStringLiteral("UPDATE ") + m.incomingTable +
                      QStringLiteral(" SET chonin = 'X' WHERE id <= 5000"));
    list()->open(m.incomingTable, m.incomingTable, false);
    int pages = 0;
    for (auto _ : state) {
        inOneAction([] { list()->Cmdin_Click(); });
        pages = list()->CrystalReport1.lastResult().pageCount;
    }
    state.counters["pages"] = pages;
}
BENCHMARK(BM_Print5000MarkedLetters)->Arg(letters())->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace

int main(int argc, char** argv)
{
    return bench_support::runRegisterBenchmarks(argc, argv);
}
