#pragma once

#include "astro/Ephemeris.h"

#include <vector>

namespace vkt::astro {

// A new (full) moon is the instant at which the Moon's apparent geocentric ecliptic longitude
// equals the Sun's (differs from it by 180°), as in the almanacs.
std::vector<JulianDay> newMoons(const Ephemeris& ephemeris, JulianDay fromUt, JulianDay untilUt);
// The last new moon at or before ut.
JulianDay newMoonBefore(const Ephemeris& ephemeris, JulianDay ut);
std::vector<JulianDay> fullMoons(const Ephemeris& ephemeris, JulianDay fromUt, JulianDay untilUt);

// The instant in TT near approximateTt at which Moon − Sun longitude equals angle (degrees).
double lunarPhaseTt(const Ephemeris& ephemeris, double angle, double approximateTt);

} // namespace vkt::astro
