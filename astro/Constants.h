#pragma once

#include <numbers>

namespace vkt::astro {

inline constexpr double kDegree = std::numbers::pi / 180;
inline constexpr double kAuKm = 149597870.7;
inline constexpr double kMoonRadiusKm = 1737.4;
inline constexpr double kSunRadiusKm = 696000;

} // namespace vkt::astro
