#include "astro/VenusCrescents.h"

#include "astro/Error.h"

#include <algorithm>
#include <cmath>

namespace vkt::astro {
namespace {

// Venus stays a crescent for about five weeks on either side of the conjunction.
constexpr int kDaysToSearch = 120;

double venusMinusSun(Ephemeris& ephemeris, double tt)
{
    return wrap180(ephemeris.ecliptic(Body::Venus, tt).longitude - ephemeris.ecliptic(Body::Sun, tt).longitude);
}

double conjunctionTt(Ephemeris& ephemeris, double tt)
{
    for (int i = 0; i < 30; ++i) {
        const SkyPosition venus = ephemeris.ecliptic(Body::Venus, tt);
        const SkyPosition sun = ephemeris.ecliptic(Body::Sun, tt);
        const double step = wrap180(venus.longitude - sun.longitude) / (venus.speed - sun.speed);
        tt -= step;
        if (std::abs(step) < 1e-7)
            return tt;
    }
    throw Error::notSettled(Error::Kind::ConjunctionNotSettled, tt);
}

// Civil dusk (direction −1) or dawn (+1) of the civil day `i` days from the conjunction's UT
// date, walking away from it; NaN when the Sun does not reach −6° that day.
JulianDay twilightOf(Ephemeris& ephemeris, double dayStart, int direction, int i, const Place& place)
{
    // From local noon for the dusk, from local midnight for the dawn.
    const double localStart = (direction < 0 ? 12.0 : 0.0) - place.longitude / 15.0;
    const JulianDay from = dayStart + direction * i + localStart / 24.0;
    const JulianDay t = direction < 0 ? ephemeris.nextCivilDusk(from, place) : ephemeris.nextCivilDawn(from, place);
    return !std::isnan(t) && t - from < 1 ? t : std::nan("");
}

// The run of days next to the conjunction on which Venus is a crescent, far enough from the Sun
// and high enough on the given side. direction −1 walks back through the evenings, +1 on
// through the mornings.
std::optional<VenusSpan> crescentSpan(Ephemeris& ephemeris, JulianDay conjunction, int direction, const Place& place)
{
    const double dayStart = std::floor(conjunction - 0.5) + 0.5;  // 0h UT of the conjunction's date
    std::optional<VenusSpan> span;
    for (int i = 0; i <= kDaysToSearch; ++i) {
        const JulianDay ut = twilightOf(ephemeris, dayStart, direction, i, place);
        if (std::isnan(ut)) {
            if (span)
                break;
            continue;
        }
        const Ephemeris::Phase p = ephemeris.phase(Body::Venus, ut);
        const bool east = venusMinusSun(ephemeris, ephemeris.toTt(ut)) > 0;
        const bool rightSide = direction < 0 ? east : !east;
        bool counts = rightSide && p.illuminated < kCrescentLit && p.elongation >= kLeastElongation;
        double altitude = 0;
        if (counts) {
            const SkyPosition venus = ephemeris.topocentricEquatorial(Body::Venus, ut, place);
            altitude = ephemeris.apparentAltitude(ut, place, venus);
            counts = altitude >= kLeastAltitude;
        }
        if (!counts) {
            if (span || p.illuminated >= kCrescentLit)
                break;
            continue;
        }
        if (!span)
            span = VenusSpan{ut, ut, p.illuminated, altitude};
        span->first = std::min(span->first, ut);
        span->last = std::max(span->last, ut);
        span->thinnest = std::min(span->thinnest, p.illuminated);
        span->greatestAltitude = std::max(span->greatestAltitude, altitude);
    }
    return span;
}

} // namespace

std::vector<JulianDay> inferiorConjunctions(Ephemeris& ephemeris, JulianDay fromUt, JulianDay untilUt)
{
    std::vector<JulianDay> result;
    constexpr double step = 4;  // Venus gains on the Sun by less than 8° in four days
    double previous = venusMinusSun(ephemeris, ephemeris.toTt(fromUt - step));
    for (JulianDay ut = fromUt - step; ut < untilUt + step; ut += step) {
        const double tt = ephemeris.toTt(ut + step);
        const double next = venusMinusSun(ephemeris, tt);
        // Falling through zero while near the Earth: inferior, not superior, conjunction.
        if (previous > 0 && next <= 0 && ephemeris.ecliptic(Body::Venus, tt).distance < 1) {
            const JulianDay conjunction = ephemeris.toUt(conjunctionTt(ephemeris, tt));
            if (conjunction >= fromUt && conjunction < untilUt)
                result.push_back(conjunction);
        }
        previous = next;
    }
    return result;
}

std::vector<VenusCrescents> venusCrescents(Ephemeris& ephemeris, JulianDay fromUt, JulianDay untilUt,
                                           const Place& place)
{
    std::vector<VenusCrescents> result;
    for (const JulianDay conjunction : inferiorConjunctions(ephemeris, fromUt, untilUt))
        result.push_back({conjunction, crescentSpan(ephemeris, conjunction, -1, place),
                          crescentSpan(ephemeris, conjunction, +1, place)});
    return result;
}

} // namespace vkt::astro
