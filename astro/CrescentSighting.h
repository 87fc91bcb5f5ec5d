#pragma once

#include "Ephemeris.h"

#include <optional>

namespace vkt::astro {

// Yallop's zones for the first sighting of the crescent (NAO Technical Note 69, 1997):
// A easily visible, B visible in perfect conditions, C may need optical aid to find,
// D needs optical aid, E not visible with a telescope, F below the Danjon limit.
enum class YallopZone { A, B, C, D, E, F };

YallopZone yallopZone(double q);
char zoneLetter(YallopZone zone);

struct CrescentSighting {
    JulianDay best = 0;      // Yallop's best time: sunset + 4/9 lag (sunrise − 4/9 lag in the morning)
    JulianDay sunEvent = 0;  // the sunset or sunrise it belongs to
    JulianDay moonEvent = 0; // the moonset or moonrise
    bool evening = true;
    double q = 0;
    YallopZone zone = YallopZone::F;
};

// Yallop's q at an instant: ARCV is geocentric and airless, the crescent width topocentric.
double yallopQ(const Ephemeris& ephemeris, JulianDay ut, const Place& place);

// The first evening after the new moon on which the crescent can be looked for at all,
// i.e. with a telescope or better (zones A–D); the last such morning before it.
// Empty where the Moon stays below the horizon around sunset for days (polar places).
std::optional<CrescentSighting> firstEveningCrescent(const Ephemeris& ephemeris, JulianDay newMoon, const Place& place);
std::optional<CrescentSighting> lastMorningCrescent(const Ephemeris& ephemeris, JulianDay newMoon, const Place& place);

} // namespace vkt::astro
