#include "astro/HorizonCrossing.h"

#include <gtest/gtest.h>
#include <cmath>
#include <numbers>

namespace vkt::astro {
namespace {

// A body's height over a day, in degrees: a daily turn of the given amplitude about a middle
// height, lowest at noon (day 0.5).
double turning(double t, double middle, double amplitude)
{
    return middle + amplitude * std::cos(2 * std::numbers::pi * t);
}

TEST(HorizonCrossingTest, FindsTheFirstFallEvenBetweenSamples)
{
    constexpr double kSecond = 1.0 / 86400;
    const double kDipFall = std::acos(-0.9998) / (2 * std::numbers::pi);  // 0.49682
    const struct {
        const char* name;
        double middle, amplitude, from, to;
        double expected;  // NaN: none
    } cases[] = {
        // Sets at a quarter past, rises again at three quarters.
        {"an ordinary setting", 0, 10, 0, 1, 0.25},
        {"from just after it: the next day's", 0, 10, 0.26, 1.3, 1.25},
        {"not in the span asked", 0, 10, 0.3, 1.2, std::nan("")},
        {"circumpolar", 10.1, 10, 0, 2, std::nan("")},
        // Below the horizon for nine minutes round noon, far less than a sampling step.
        {"a dip between two samples", 9.998, 10, 0, 1, kDipFall},
        {"a dip just inside the span", 9.998, 10, 0.495, 1, kDipFall},
        {"a dip that began before the span", 9.998, 10, 0.4975, 1, std::nan("")},
    };
    for (const auto& c : cases) {
        const auto found = firstFallThroughZero([&](double t) { return turning(t, c.middle, c.amplitude); }, c.from, c.to,
                                                2 * std::numbers::pi * c.amplitude);
        EXPECT_EQ(found.has_value(), !std::isnan(c.expected)) << c.name;
        if (found && !std::isnan(c.expected)) {
            EXPECT_NEAR(*found, c.expected, kSecond) << c.name;
        }
    }
}

} // namespace
} // namespace vkt::astro
