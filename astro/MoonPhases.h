#pragma once

#include "astro/Ephemeris.h"

#include <vector>

namespace vkt::astro {

// A new (full) moon is the instant at which the Moon's apparent geocentric ecliptic longitude
// equals the Sun's (differs from it by 180°), as in the almanacs.
std::vector<JulianDay> newMoons(Ephemeris& ephemeris, JulianDay fromUt, JulianDay untilUt);
// The last new moon at or before ut.
JulianDay newMoonBefore(Ephemeris& ephemeris, JulianDay ut);
std::vector<JulianDay> fullMoons(Ephemeris& ephemeris, JulianDay fromUt, JulianDay untilUt);

} // namespace vkt::astro
