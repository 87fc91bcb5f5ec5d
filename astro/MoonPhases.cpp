#include "astro/MoonPhases.h"

#include "astro/Error.h"

#include <cmath>

namespace vkt::astro {
namespace {

constexpr double kSynodicMonth = 29.530588861;
// The mean new moon of 2000 January 6 (Meeus, Astronomical Algorithms, ch. 49), in TT.
constexpr double kMeanNewMoon2000 = 2451550.09766;

// The instant in TT near approximateTt at which Moon − Sun longitude equals angle (degrees).
double lunarPhaseTt(Ephemeris& ephemeris, double angle, double approximateTt)
{
    double tt = approximateTt;
    for (int i = 0; i < 20; ++i) {
        const SkyPosition moon = ephemeris.ecliptic(Body::Moon, tt);
        const SkyPosition sun = ephemeris.ecliptic(Body::Sun, tt);
        const double step = wrap180(moon.longitude - sun.longitude - angle) / (moon.speed - sun.speed);
        tt -= step;
        if (std::abs(step) < 1e-8)  // about a millisecond
            return tt;
    }
    throw Error::notSettled(Error::Kind::PhaseNotSettled, approximateTt);
}

std::vector<JulianDay> phasesBetween(Ephemeris& ephemeris, double angle, JulianDay fromUt, JulianDay untilUt)
{
    std::vector<JulianDay> result;
    // The mean phase is within a day of the true one, so starting a lunation early misses none.
    double k = std::floor((fromUt - kMeanNewMoon2000) / kSynodicMonth) - 1;
    for (;; k += 1) {
        const double mean = kMeanNewMoon2000 + (k + angle / 360.0) * kSynodicMonth;
        const JulianDay ut = ephemeris.toUt(lunarPhaseTt(ephemeris, angle, mean));
        if (ut >= untilUt)
            break;
        if (ut >= fromUt)
            result.push_back(ut);
    }
    return result;
}

} // namespace

std::vector<JulianDay> newMoons(Ephemeris& ephemeris, JulianDay fromUt, JulianDay untilUt)
{
    return phasesBetween(ephemeris, 0, fromUt, untilUt);
}

JulianDay newMoonBefore(Ephemeris& ephemeris, JulianDay ut)
{
    // One synodic month back always holds one.
    return newMoons(ephemeris, ut - kSynodicMonth - 1, ut + 1e-9).back();
}

std::vector<JulianDay> fullMoons(Ephemeris& ephemeris, JulianDay fromUt, JulianDay untilUt)
{
    return phasesBetween(ephemeris, 180, fromUt, untilUt);
}

} // namespace vkt::astro
