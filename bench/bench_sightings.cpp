// Sightings as a researcher's catalogue brings them: 1,000 records read from the exchange CSV and
// their skies computed (on one core), the export written; and the observer's file of 10,000
// records read and written again.
#include "astro/Ephemeris.h"
#include "presentation/Places.h"
#include "sightings/SightingBook.h"
#include "sightings/SightingCsv.h"
#include "sightings/SightingSky.h"

#include <benchmark/benchmark.h>

namespace {

using namespace vkt;

// Evenings and mornings round the new moons of 1990–2030, at the Hungarian places and at four
// places of other zones, every third with a clock time: as varied as a real catalogue.
std::vector<sightings::Sighting> catalogue(int count)
{
    std::vector<astro::Place> places = presentation::observingPlaces();
    places.push_back({QStringLiteral("Amman"), 31.95, 35.93, 900, QByteArrayLiteral("Asia/Amman")});
    places.push_back({QStringLiteral("Cape Town"), -33.93, 18.42, 10, QByteArrayLiteral("Africa/Johannesburg")});
    places.push_back({QStringLiteral("Tucson"), 32.22, -110.97, 730, QByteArrayLiteral("America/Phoenix")});
    places.push_back({QStringLiteral("Tromso"), 69.65, 18.96, 10, {}});  // local mean time; ø has no Windows-1250 byte
    std::vector<sightings::Sighting> records;
    const QDate first(1990, 1, 26);  // a new moon
    for (int i = 0; i < count; ++i) {
        sightings::Sighting s;
        s.place = places[std::size_t(i) % places.size()];
        s.session = i % 4 == 3 ? astro::Twilight::Morning : astro::Twilight::Evening;
        const int lunation = i * 7 % 490;
        const int offset = s.session == astro::Twilight::Evening ? 1 + i % 3 : -1 - i % 2;
        s.date = first.addDays(qint64(lunation * 29.530589) + offset);
        if (i % 3 == 0)
            s.time = s.session == astro::Twilight::Evening ? QTime(18, 30) : QTime(5, 15);
        s.outcomes[0] = i % 2 ? sightings::Outcome::Seen : sightings::Outcome::NotSeen;
        records.push_back(s);
    }
    return records;
}

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
