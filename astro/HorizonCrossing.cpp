#include "astro/HorizonCrossing.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vkt::astro {
namespace {

constexpr double kStep = 1.0 / 48;
constexpr double kPrecision = 1e-6;  // days
// How far a body's height can sink between half-hourly samples below the lowest of them: its
// altitude turns at most as fast as the sky, (2π)² radians a day², over a step, 0.49°.
constexpr double kLowestBetweenSamples = 0.6;

// The fall through zero between a (above) and b (not above).
double bisect(const std::function<double(double)>& height, double a, double b)
{
    while (b - a > kPrecision) {
        const double m = (a + b) / 2;
        (height(m) > 0 ? a : b) = m;
    }
    return (a + b) / 2;
}

// The lowest point of height between a and b (golden-section search).
double lowestPoint(const std::function<double(double)>& height, double a, double b)
{
    const double r = (std::sqrt(5.0) - 1) / 2;
    double c = b - r * (b - a), d = a + r * (b - a);
    double fc = height(c), fd = height(d);
    while (b - a > 10 * kPrecision) {
        if (fc < fd) {
            b = d, d = c, fd = fc;
            c = b - r * (b - a), fc = height(c);
        } else {
            a = c, c = d, fc = fd;
            d = a + r * (b - a), fd = height(d);
        }
    }
    return (a + b) / 2;
}

} // namespace

std::optional<double> firstFallThroughZero(const std::function<double(double)>& height, double from, double to,
                                           double fastestChange)
{
    // Samples from one step before `from`, so a low point just inside the span is seen as one.
    double t0 = from - kStep, t1 = from;
    double h0 = height(t0), h1 = height(t1);
    while (t1 < to) {
        // Nine tenths of the way that the height could go towards zero, or one step.
        const double t2 = std::min(t1 + std::max(kStep, 0.9 * std::abs(h1) / fastestChange), to);
        const double h2 = height(t2);
        if (h1 > 0 && h2 <= 0)
            return bisect(height, t1, t2);
        if (h1 > 0 && h1 < kLowestBetweenSamples && h1 <= h0 && h1 <= h2) {
            const double low = lowestPoint(height, t0, t2);
            if (height(low) <= 0) {
                const double fall = bisect(height, t0, low);
                if (fall >= from)
                    return fall;
            }
        }
        t0 = t1, h0 = h1, t1 = t2, h1 = h2;
    }
    return std::nullopt;
}

double fastestAltitudeChange(double latitude)
{
    constexpr double kSiderealTurn = 360.986;  // degrees a day
    constexpr double kMoonDeclinationChange = 10;
    return kSiderealTurn * std::cos(latitude * std::numbers::pi / 180) + kMoonDeclinationChange;
}

} // namespace vkt::astro
