#include "astro/DeltaT.h"

namespace vkt::astro {
namespace {

constexpr double kLowestYear = 1834;
constexpr double kLowest = 2.85;  // s
constexpr double kCurvature = 20.5;  // s per century squared
constexpr double kLastCurvedYear = 2050;
constexpr double kLaterSlope = 0.45;  // s per year

double parabola(double year)
{
    const double u = (year - kLowestYear) / 100;
    return kLowest + kCurvature * u * u;
}

} // namespace

double deltaTSeconds(double year)
{
    if (year <= kLastCurvedYear)
        return parabola(year);
    return parabola(kLastCurvedYear) + kLaterSlope * (year - kLastCurvedYear);
}

} // namespace vkt::astro
