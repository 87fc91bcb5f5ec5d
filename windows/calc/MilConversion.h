#pragma once

#include <cmath>
#include <optional>

namespace vkt {

// Mils of the artillery circle (6000 to the turn) per degree. The program has always used
// this rounded constant rather than 6000/360; two decimals hide the difference.
inline constexpr double MilsPerDegree = 16.66667;

// Nothing when the result leaves the double range (9e307 degrees, say).
inline std::optional<double> DegreesToMils(double degrees)
{
    const double mils = degrees * MilsPerDegree;
    return std::isfinite(mils) ? std::optional<double>(mils) : std::nullopt;
}

inline std::optional<double> MilsToDegrees(double mils)
{
    const double degrees = mils / MilsPerDegree;
    return std::isfinite(degrees) ? std::optional<double>(degrees) : std::nullopt;
}

} // namespace vkt
