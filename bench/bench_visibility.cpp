// The crescent-visibility window from its construction to the table filled and the chart drawn,
// a step to another new moon, the year ahead (Qt's offscreen platform unless QT_QPA_PLATFORM says
// otherwise), the world map of an evening, coarse and at one degree, a resize redrawn and the
// observing sheet made into a PDF:
//   build/bench/vkt_bench_visibility
#include "astro/VisibilityMap.h"
#include "services/Settings.h"
#include "windows/common/WindowLook.h"
#include "windows/visibility/CrescentTablePanel.h"
#include "windows/visibility/HorizonChartPanel.h"
#include "windows/visibility/MapPanel.h"
#include "windows/visibility/ObservingSheet.h"
#include "windows/visibility/VisibilityWindow.h"
#include "windows/visibility/YearAheadPanel.h"
#include "presentation/Places.h"

#include <QApplication>
#include <QTabWidget>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// Opened on a fixed new moon, at the first start (Budapest): the eight rows computed, the chart
// of the first evening drawn and the window shown.
void openToTableAndChart(benchmark::State& state)
{
    for (auto _ : state) {
        vkt::VisibilityWindow window(QStringLiteral("2026.03.19 02:23"));
        window.show();
        QApplication::processEvents();
        if (window.chartPicture->pixmap().isNull())
            state.SkipWithError("no chart");
        benchmark::DoNotOptimize(window.crescentTable->evenings().size());
    }
}
BENCHMARK(openToTableAndChart)->Unit(benchmark::kMillisecond);

// From "Következő újhold ▶" (Page Down) to the next new moon's table, chart and minute plot drawn
// and the window painted; back and forth, so every step is to a new moon not shown before it.
void stepToAnotherNewMoon(benchmark::State& state)
{
    vkt::VisibilityWindow window(QStringLiteral("2026.03.19 02:23"));
    window.show();
    QApplication::processEvents();
    int step = 0;
    for (auto _ : state) {
        window.stepNewMoon(step++ % 8 < 4 ? 1 : -1);
        QApplication::processEvents();
        if (window.chartPicture->pixmap().isNull())
            state.SkipWithError("no chart");
        benchmark::DoNotOptimize(window.crescentTable->evenings().size());
    }
}
BENCHMARK(stepToAnotherNewMoon)->Unit(benchmark::kMillisecond);

// The year ahead of another place, from the request to its twelve rows shown; computed away from
// the window's thread, so stepping does not wait for it.
void yearAheadShown(benchmark::State& state)
{
    vkt::VisibilityWindow window(QStringLiteral("2026.03.19 02:23"));
    const vkt::astro::Place places[] = {vkt::presentation::budapest(), vkt::presentation::observingPlaces()[1]};
    int step = 0;
    for (auto _ : state) {
        window.yearTable->compute(places[step++ % 2], vkt::astro::julianDay(2026, 3, 15));
        window.yearTable->finished();
        benchmark::DoNotOptimize(window.yearTable->rowCount());
    }
}
BENCHMARK(yearAheadShown)->Unit(benchmark::kMillisecond);

// From a click on another evening to its map shown: coarse (range 4) or fine (range 1), the
// positions sampled, the background computation and the drawing included.
void mapShownAfterSelection(benchmark::State& state)
{
    vkt::VisibilityWindow window(QStringLiteral("2026.03.19 02:23"));
    window.show();
    const vkt::MapPanel& map = *window.mapPicture;
    const int first = window.crescentTable->currentRow();
    int step = 0;
    for (auto _ : state) {
        window.crescentTable->selectRow(first + 1 + step++ % 3);
        const vkt::astro::MapEvening evening = map.shown() ? map.shown()->evening : vkt::astro::MapEvening{};
        while (!map.shown() || map.shown()->evening == evening || map.shown()->cellDegrees > double(state.range(0)))
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
}
BENCHMARK(mapShownAfterSelection)->Arg(4)->Arg(1)->Unit(benchmark::kMillisecond);

// A resize of the window to the page shown painted again: the chart and the minute plot (range
// 0) or the map (range 1), which shows the picture it drew last, scaled, until the size settles.
void resizeRedrawn(benchmark::State& state)
{
    vkt::VisibilityWindow window(QStringLiteral("2026.03.19 02:23"));
    window.resize(1200, 740);
    window.show();
    window.tabs->setCurrentIndex(int(state.range(0)));
    window.mapPicture->fineMap();
    QApplication::processEvents();
    int step = 0;
    for (auto _ : state) {
        window.resize(1200 - step % 40, 740 - step % 30);
        ++step;
        benchmark::DoNotOptimize(window.grab().cacheKey());
    }
}
BENCHMARK(resizeRedrawn)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The observing sheet of the selected evening, its fine map already there, as a one-page A4 PDF.
void sheetToPdf(benchmark::State& state)
{
    vkt::VisibilityWindow window(QStringLiteral("2026.03.19 02:23"));
    const vkt::ObservingSheet sheet = window.sheet();
    for (auto _ : state)
        benchmark::DoNotOptimize(sheet.pdf().size());
}
BENCHMARK(sheetToPdf)->Unit(benchmark::kMillisecond);

const vkt::astro::MapEvening kEvening{QDate(2026, 3, 19), vkt::astro::Twilight::Evening};

// The positions sampled from the ephemeris: done on the window's thread before the map starts.
void sampleEvening(benchmark::State& state)
{
    vkt::astro::Ephemeris ephemeris;
    for (auto _ : state)
        benchmark::DoNotOptimize(vkt::astro::skyTrackFor(ephemeris, kEvening).moon(kEvening.date.toJulianDay()));
}
BENCHMARK(sampleEvening)->Unit(benchmark::kMillisecond);

// One thread's map, cells of the given degrees.
void mapOfEvening(benchmark::State& state)
{
    vkt::astro::Ephemeris ephemeris;
    const vkt::astro::SkyTrack track = vkt::astro::skyTrackFor(ephemeris, kEvening);
    for (auto _ : state)
        benchmark::DoNotOptimize(vkt::astro::visibilityMap(track, kEvening, double(state.range(0))).zones.data());
}
BENCHMARK(mapOfEvening)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    vkt::applyProgramLook(app);
    const QTemporaryDir settings;  // the user's own place stays out of the measurement
    vkt::setConfigurationFolder(settings.path());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
