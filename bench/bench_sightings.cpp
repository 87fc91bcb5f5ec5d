// Sightings as a researcher's catalogue brings them: 1,000 records read from the exchange CSV and
// their skies computed (on one core), the export written; and the observer's file of 10,000
// records read and written again.
#include "astro/Ephemeris.h"
#include "bench/SightingCatalogue.h"
#include "sightings/SightingBook.h"
#include "sightings/SightingCsv.h"
#include "sightings/SightingSky.h"

#include <benchmark/benchmark.h>

namespace {

using namespace vkt;
using bench::catalogue;

void ImportAndCompute1000(benchmark::State& state)
{
    const std::vector<sightings::Sighting> records = catalogue(1000);
    const QByteArray csv = sightings::exportCsv(records, std::vector<astro::SightingGeometry>(records.size()));
    astro::Ephemeris ephemeris;
    for (auto _ : state) {
        const sightings::CsvImport read = sightings::readCsv(csv);
        std::vector<sightings::Sighting> imported;
        for (const sightings::CsvRow& row : read.rows)
            imported.push_back(row.sighting);
        const auto skies = sightings::skiesOf(ephemeris, imported);
        benchmark::DoNotOptimize(sightings::exportCsv(imported, skies).size());
    }
    state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(ImportAndCompute1000)->Unit(benchmark::kMillisecond)->Iterations(5);

void Compute1000(benchmark::State& state)
{
    const std::vector<sightings::Sighting> records = catalogue(1000);
    astro::Ephemeris ephemeris;
    for (auto _ : state)
        benchmark::DoNotOptimize(sightings::skiesOf(ephemeris, records).size());
    state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(Compute1000)->Unit(benchmark::kMillisecond)->Iterations(5);

QByteArray dataFile(int count)
{
    sightings::SightingBook book;
    for (const sightings::Sighting& s : catalogue(count))
        book.add(s);
    return book.fileBytes();
}

// What a window opening the file waits for before its table can be filled.
void ReadDataFile10000(benchmark::State& state)
{
    const QByteArray bytes = dataFile(10000);
    for (auto _ : state)
        benchmark::DoNotOptimize(sightings::SightingBook::fromBytes(bytes).records().size());
    state.SetItemsProcessed(state.iterations() * 10000);
}
BENCHMARK(ReadDataFile10000)->Unit(benchmark::kMillisecond)->Iterations(5);

// A save: the file laid out and read back before it is written.
void SaveDataFile10000(benchmark::State& state)
{
    const sightings::SightingBook book = sightings::SightingBook::fromBytes(dataFile(10000));
    for (auto _ : state)
        benchmark::DoNotOptimize(book.fileBytes().size());
    state.SetItemsProcessed(state.iterations() * 10000);
}
BENCHMARK(SaveDataFile10000)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

BENCHMARK_MAIN();
