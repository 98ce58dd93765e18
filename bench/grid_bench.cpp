// The bound grid over a year of 30,000 letters: reading one screen of rows at a random place
// (what scrolling costs), moving the data control to a random row with a grid and five boxes
// following it, and opening the grid's rows again after a write.
#include "bench_main.h"
#include "platform/db/database.h"
#include "platform/ui/data_control.h"
#include "platform/ui/grid.h"
#include "platform/ui/text_box.h"

#include <QApplication>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>
#include <stdexcept>

namespace {

constexpr int kRows = 30'000;
constexpr int kScreenRows = 30;

struct Letters
{
    QTemporaryDir dir;
    db::Database db;

    Letters()
    {
        const QString path = dir.filePath(QStringLiteral("vemocv.mdb"));
        if (!QFile::copy(QStringLiteral(SELVARO_DATA_DIR "/vemogoc.mdb"), path))
            throw std::runtime_error("the template file is missing");
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        db = db::Database::open(path, QStringLiteral(";pwd=vorkelmadu"));
        db::TableDef def = db.tableDef(QStringLiteral("cvdenmau"));
        def.name = QStringLiteral("cvden2024");
        for (db::IndexDef& index : def.indexes)
            index.name += QStringLiteral("_2024");
        db.appendTableDef(def);
        db::Recordset rs = db.openRecordset(def.name);
        db.beginTrans();
        for (int i = 1; i <= kRows; ++i) {
            rs.addNew();
            rs.setValue(QStringLiteral("stt"), i);
            rs.setValue(QStringLiteral("ng_den"),
                        QStringLiteral("%1/03/2024").arg(1 + i % 28, 2, 10, QLatin1Char('0')));
            rs.setValue(QStringLiteral("noigui"), QStringLiteral("Ủy ban nhân dân huyện số %1").arg(i));
            rs.setValue(QStringLiteral("tt_ndung"), QStringLiteral("Về việc triển khai kế hoạch số %1").arg(i));
            rs.update();
        }
        db.commitTrans();
    }
};

Letters& letters()
{
    static Letters l;
    return l;
}

struct Form
{
    ui::DataControl data;
    ui::Grid grid;
    std::unique_ptr<ui::TextBox> boxes[5];

    Form()
    {
        data.setDatabase(letters().db);
        data.setRecordSource(QStringLiteral("cvden2024"));
        grid.addColumn(QStringLiteral("In"), QStringLiteral("chonin"));
        grid.addColumn(QStringLiteral("Ngày đến"), QStringLiteral("ng_den"));
        grid.addColumn(QStringLiteral("Nơi gửi"), QStringLiteral("noigui"));
        grid.setDataSource(&data);
        const char* fields[] = {"stt", "ng_den", "noigui", "loai", "tt_ndung"};
        for (int i = 0; i < 5; ++i) {
            boxes[i] = std::make_unique<ui::TextBox>(nullptr, i == 4);
            boxes[i]->bind(&data, QString::fromLatin1(fields[i]));
        }
        if (!data.refresh())
            throw std::runtime_error("refresh failed");
    }
};

void BM_GridReadsAScreenAtRandom(benchmark::State& state)
{
    Form form;
    ui::RecordsetTableModel* model = form.grid.tableModel();
    for (auto _ : state) {
        model->redraw(); // forget what was read: every screen is read from the file
        const int top = QRandomGenerator::global()->bounded(kRows - kScreenRows);
        for (int r = top; r < top + kScreenRows; ++r)
            for (int c = 0; c < model->columnCount(); ++c)
                benchmark::DoNotOptimize(model->text(r, c));
    }
}
BENCHMARK(BM_GridReadsAScreenAtRandom)->Unit(benchmark::kMillisecond);

void BM_DataControlMovesWithGridAndBoxes(benchmark::State& state)
{
    Form form;
    for (auto _ : state)
        form.data.moveTo(QRandomGenerator::global()->bounded(kRows));
}
BENCHMARK(BM_DataControlMovesWithGridAndBoxes)->Unit(benchmark::kMillisecond);

void BM_GridRowsReopenedAfterAWrite(benchmark::State& state)
{
    Form form;
    for (auto _ : state) {
        form.grid.refresh();
        benchmark::DoNotOptimize(form.grid.tableModel()->text(0, 2));
    }
}
BENCHMARK(BM_GridRowsReopenedAfterAWrite)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return bench_support::runBenchmarks<QApplication>(argc, argv, [] { letters(); });
}
