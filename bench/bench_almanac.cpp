#include "astro/Ephemeris.h"
#include "presentation/Places.h"
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

} // namespace
