#include "CrescentSighting.h"

#include "Constants.h"
#include <cmath>
#include <numbers>

namespace vkt::astro {
namespace {

// Two days past the new moon the crescent is in zone A or B almost everywhere; five cover
// the places where the ecliptic lies flat at sunset.
constexpr int kDaysToTry = 5;

bool lookable(YallopZone zone)
{
    return zone <= YallopZone::D;
}

// The last rising of body before ut, NaN when there was none in the preceding day.
JulianDay previousRise(const Ephemeris& ephemeris, Body body, JulianDay ut, const Place& place)
{
    JulianDay rise = ephemeris.nextRise(body, ut - 1.2, place);
    if (std::isnan(rise) || rise >= ut)
        return std::nan("");
    for (;;) {
        const JulianDay next = ephemeris.nextRise(body, rise + 0.01, place);
        if (std::isnan(next) || next >= ut)
            return rise;
        rise = next;
    }
}

CrescentSighting sighting(const Ephemeris& ephemeris, JulianDay sunEvent, JulianDay moonEvent, bool evening,
                          const Place& place)
{
    CrescentSighting s;
    s.evening = evening;
    s.sunEvent = sunEvent;
    s.moonEvent = moonEvent;
    s.best = sunEvent + 4.0 / 9.0 * (moonEvent - sunEvent);
    s.q = yallopQ(ephemeris, s.best, place);
    s.zone = yallopZone(s.q);
    return s;
}

} // namespace

YallopZone yallopZone(double q)
{
    if (q > 0.216)
        return YallopZone::A;
    if (q > -0.014)
        return YallopZone::B;
    if (q > -0.160)
        return YallopZone::C;
    if (q > -0.232)
        return YallopZone::D;
    if (q > -0.293)
        return YallopZone::E;
    return YallopZone::F;
}

char zoneLetter(YallopZone zone)
{
    return static_cast<char>('A' + static_cast<int>(zone));
}

double yallopQ(const Ephemeris& ephemeris, JulianDay ut, const Place& place)
{
    const double tt = ephemeris.toTt(ut);
    const SkyPosition moon = ephemeris.equatorial(Body::Moon, tt);
    const SkyPosition sun = ephemeris.equatorial(Body::Sun, tt);
    const double arcv = ephemeris.altitude(ut, place, moon) - ephemeris.altitude(ut, place, sun);
    const double arcl = separation(moon.longitude, moon.latitude, sun.longitude, sun.latitude);
    const SkyPosition topocentric = ephemeris.topocentricEquatorial(Body::Moon, ut, place);
    const double semidiameter = std::asin(kMoonRadiusKm / (topocentric.distance * kAuKm)) / kDegree * 60;
    const double w = semidiameter * (1 - std::cos(arcl * kDegree));  // arc minutes
    return (arcv - (11.8371 - 6.3226 * w + 0.7319 * w * w - 0.1018 * w * w * w)) / 10;
}

std::optional<CrescentSighting> firstEveningCrescent(const Ephemeris& ephemeris, JulianDay newMoon, const Place& place)
{
    JulianDay after = newMoon;
    for (int day = 0; day < kDaysToTry; ++day) {
        const JulianDay sunset = ephemeris.nextSet(Body::Sun, after, place);
        if (std::isnan(sunset)) {
            after += 1;
            continue;
        }
        after = sunset + 0.5;
        const JulianDay moonset = ephemeris.nextSet(Body::Moon, sunset, place);
        // A moonset more than half a day later means the Moon had set before the Sun.
        if (std::isnan(moonset) || moonset - sunset > 0.5)
            continue;
        const CrescentSighting s = sighting(ephemeris, sunset, moonset, true, place);
        if (lookable(s.zone))
            return s;
    }
    return std::nullopt;
}

std::optional<CrescentSighting> lastMorningCrescent(const Ephemeris& ephemeris, JulianDay newMoon, const Place& place)
{
    JulianDay before = newMoon;
    for (int day = 0; day < kDaysToTry; ++day) {
        const JulianDay sunrise = previousRise(ephemeris, Body::Sun, before, place);
        if (std::isnan(sunrise)) {
            before -= 1;
            continue;
        }
        before = sunrise - 0.5;
        const JulianDay moonrise = previousRise(ephemeris, Body::Moon, sunrise, place);
        if (std::isnan(moonrise) || sunrise - moonrise > 0.5)
            continue;
        const CrescentSighting s = sighting(ephemeris, sunrise, moonrise, false, place);
        if (lookable(s.zone))
            return s;
    }
    return std::nullopt;
}

} // namespace vkt::astro
