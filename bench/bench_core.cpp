#include "core/Crescent.h"
#include "services/DateTime.h"

#include <benchmark/benchmark.h>

namespace {

void CalculateCrescentAge(benchmark::State& state)
{
    const vkt::DateTime newMoon = *vkt::toDateTime(QStringLiteral("2026.11.20 07:47"));
    vkt::DateTime observation = *vkt::toDateTime(QStringLiteral("2026.11.21 16:30:12"));
    for (auto _ : state) {
        auto r = vkt::CalculateCrescentAge(newMoon, observation, vkt::IlluminationFactor::Now);
        benchmark::DoNotOptimize(r);
        observation += 1.0 / 1440;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(CalculateCrescentAge);

void BuildLogRecord(benchmark::State& state)
{
    const auto r = vkt::CalculateCrescentAge(*vkt::toDateTime(QStringLiteral("2026.11.20 07:47")),
                                             *vkt::toDateTime(QStringLiteral("2026.11.21 16:30:12")),
                                             vkt::IlluminationFactor::LastObservation);
    for (auto _ : state) {
        auto lines = vkt::BuildLogRecord(r, vkt::CrescentPath::LastObservation);
        benchmark::DoNotOptimize(lines);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BuildLogRecord);

void ToDateTime(benchmark::State& state)
{
    const QString texts[] = {QStringLiteral("2026. 12. 06. 22:00:09"), QStringLiteral("2026.12.06 22:00"),
                             QStringLiteral("2026-12-06"), QStringLiteral("7:05\r\n")};
    std::size_t i = 0;
    for (auto _ : state) {
        auto value = vkt::toDateTime(texts[i++ & 3]);
        benchmark::DoNotOptimize(value);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(ToDateTime);

} // namespace
