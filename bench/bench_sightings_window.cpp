// The sightings window opened on an observer's file of 10,000 records until its table is usable
// (shown, sorted by the place, scrolled to the end), and until every record's sky has been
// computed in the background (Qt's offscreen platform unless QT_QPA_PLATFORM says otherwise):
//   build/bench/vkt_bench_sightings_window
#include "bench/SightingCatalogue.h"
#include "services/FileBytes.h"
#include "services/Settings.h"
#include "sightings/SightingBook.h"
#include "windows/common/WindowLook.h"
#include "windows/sightings/SightingTable.h"
#include "windows/sightings/SightingsWindow.h"

#include <QApplication>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

using namespace vkt;

void openOn10000UntilUsable(benchmark::State& state)
{
    for (auto _ : state) {
        SightingsWindow window;
        window.show();
        window.recordTable->sortByColumn(SightingTable::Place, Qt::AscendingOrder);
        window.recordTable->verticalScrollBar()->setValue(window.recordTable->verticalScrollBar()->maximum());
        QApplication::processEvents();
        if (window.model()->rowCount() != 10000)
            state.SkipWithError("records missing");
        state.PauseTiming();
        window.close();  // the background computation is cancelled, not measured
        state.ResumeTiming();
    }
}
BENCHMARK(openOn10000UntilUsable)->Unit(benchmark::kMillisecond)->Iterations(5);

void openOn10000UntilEverySkyComputed(benchmark::State& state)
{
    for (auto _ : state) {
        SightingsWindow window;
        window.show();
        window.finishComputing();
        benchmark::DoNotOptimize(window.model()->skies().size());
    }
}
BENCHMARK(openOn10000UntilEverySkyComputed)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    applyProgramLook(app);
    const QTemporaryDir folder;  // the data folder and the settings, the user's own left alone
    setConfigurationFolder(folder.path());
    qputenv("VKT_DATA_DIR", folder.path().toLocal8Bit());
    sightings::SightingBook book;
    for (const sightings::Sighting& s : bench::catalogue(10000))
        book.add(s);
    book.save(folder.filePath(QStringLiteral("eszlelesek.txt")));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
