#include "astro/Ephemeris.h"
#include "astro/YearAhead.h"
#include "presentation/CrescentCalendar.h"
#include "presentation/Places.h"
#include "presentation/YearAheadRow.h"
#include "tools/almanac/AlmanacLists.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// Every almanac file for 2000–2100 at Budapest, computed and written: the tool's longest usual run.
void Almanac2000To2100(benchmark::State& state)
{
    QTemporaryDir dir;
    vkt::astro::Ephemeris ephemeris;
    for (auto _ : state) {
        const auto almanac = vkt::almanac::computeAlmanac(ephemeris, 2000, 2100, vkt::presentation::budapest());
        vkt::almanac::writeAlmanac(dir.path(), almanac);
        benchmark::DoNotOptimize(almanac.crescents.size());
    }
    state.SetItemsProcessed(state.iterations() * 101);  // years
}
BENCHMARK(Almanac2000To2100)->Unit(benchmark::kSecond)->Iterations(3);

// The next 12 new moons, each with its first evenings and last mornings, as the table's rows.
void YearAheadTable(benchmark::State& state)
{
    vkt::astro::Ephemeris ephemeris;
    const vkt::astro::Place place = vkt::presentation::budapest();
    const vkt::astro::CivilZone zone(place.timeZone);
    double from = vkt::astro::julianDay(2026, 1, 1);
    for (auto _ : state) {
        for (const auto& outlook : vkt::astro::yearAhead(ephemeris, place, from))
            benchmark::DoNotOptimize(vkt::presentation::yearAheadFields(outlook, zone));
        from += 29.5;  // a month on, so no two runs ask the same
    }
}
BENCHMARK(YearAheadTable)->Unit(benchmark::kMillisecond);

// The same months computed and written as the iCalendar file.
void YearAheadCalendar(benchmark::State& state)
{
    QTemporaryDir dir;
    vkt::astro::Ephemeris ephemeris;
    const vkt::astro::Place place = vkt::presentation::budapest();
    double from = vkt::astro::julianDay(2026, 1, 1);
    for (auto _ : state) {
        vkt::presentation::writeCrescentCalendar(dir.filePath(QStringLiteral("holdsarlo.ics")),
                                                 vkt::astro::yearAhead(ephemeris, place, from), place);
        from += 29.5;
    }
}
BENCHMARK(YearAheadCalendar)->Unit(benchmark::kMillisecond);

} // namespace
