#include "astro/Eclipses.h"

#include "astro/Constants.h"
#include "astro/MoonPhases.h"

#include <cmath>
#include <functional>
#include <numbers>

namespace vkt::astro {
namespace {

constexpr double kEarthRadiusKm = 6378.137;

// The Earth's shadow at the Moon, in degrees, by Danjon's rule, as the current eclipse canons and
// almanacs draw it: the Earth's radius enlarged by 1/85 for the opaque lower atmosphere and cut by
// 1/594 for its flattening at 45° latitude, together the Moon's parallax × 1.01 (Espenak and
// Meeus, "Enlargement of Earth's Shadows", eclipse.gsfc.nasa.gov/LEcat5/shadow.html, eqs. 1-5
// and 1-6). Both shadows grow by the same angle; Chauvenet's older 1/50 of both radii, which
// NASA's earlier catalogues used, makes the magnitudes about 0.005 (umbral) and 0.026
// (penumbral) larger and the penumbral phase of a grazing eclipse much longer.
constexpr double kDanjonParallax = 1.01;

struct Shadow {
    double distance = 0;  // the Moon's centre from the shadow axis
    double penumbra = 0;
    double umbra = 0;
    double moonRadius = 0;
};

Shadow shadowAt(Ephemeris& ephemeris, double tt)
{
    const SkyPosition moon = ephemeris.equatorial(Body::Moon, tt);
    const SkyPosition sun = ephemeris.equatorial(Body::Sun, tt);
    Shadow s;
    s.distance = separation(moon.longitude, moon.latitude, sun.longitude + 180, -sun.latitude);
    const double moonParallax = std::asin(kEarthRadiusKm / (moon.distance * kAuKm)) / kDegree;
    const double sunParallax = 8.794143 / 3600 / sun.distance;
    const double sunRadius = 959.63 / 3600 / sun.distance;
    s.moonRadius = std::asin(0.272488 * std::sin(moonParallax * kDegree)) / kDegree;
    s.penumbra = kDanjonParallax * moonParallax + sunRadius + sunParallax;
    s.umbra = kDanjonParallax * moonParallax - sunRadius + sunParallax;
    return s;
}

double goldenMinimum(const std::function<double(double)>& f, double a, double b)
{
    const double r = (std::sqrt(5.0) - 1) / 2;
    double c = b - r * (b - a), d = a + r * (b - a);
    double fc = f(c), fd = f(d);
    while (b - a > 1e-7) {  // under 0.01 s
        if (fc < fd) {
            b = d;
            d = c;
            fd = fc;
            c = b - r * (b - a);
            fc = f(c);
        } else {
            a = c;
            c = d;
            fc = fd;
            d = a + r * (b - a);
            fd = f(d);
        }
    }
    return (a + b) / 2;
}

// The root of f between a and b, where f changes sign.
double bisect(const std::function<double(double)>& f, double a, double b)
{
    double fa = f(a);
    while (b - a > 1e-7) {
        const double m = (a + b) / 2;
        const double fm = f(m);
        if ((fm < 0) == (fa < 0)) {
            a = m;
            fa = fm;
        } else {
            b = m;
        }
    }
    return (a + b) / 2;
}

// The contacts at which the Moon's limb touches a shadow edge: radius(shadow) + sign × moon radius.
std::pair<double, double> contacts(Ephemeris& ephemeris, double greatestTt, double halfSpan,
                                   double (*edge)(const Shadow&))
{
    const auto outside = [&](double tt) {
        const Shadow s = shadowAt(ephemeris, tt);
        return s.distance - edge(s);
    };
    return {bisect(outside, greatestTt - halfSpan, greatestTt), bisect(outside, greatestTt, greatestTt + halfSpan)};
}

MoonAbove moonAbove(Ephemeris& ephemeris, JulianDay begin, JulianDay end, const Place& place)
{
    const SkyPosition moon = ephemeris.topocentricEquatorial(Body::Moon, begin, place);
    const double semidiameter = std::asin(kMoonRadiusKm / (moon.distance * kAuKm)) / kDegree;
    // Above the horizon as the rising and setting tables count it: the upper limb in sight.
    if (ephemeris.apparentAltitude(begin, place, moon) + semidiameter > 0) {
        const JulianDay set = ephemeris.nextSet(Body::Moon, begin, place);
        return std::isnan(set) || set >= end ? MoonAbove::Whole : MoonAbove::Partly;
    }
    const JulianDay rise = ephemeris.nextRise(Body::Moon, begin, place);
    return std::isnan(rise) || rise >= end ? MoonAbove::Never : MoonAbove::Partly;
}

// The Sun and the Moon as the place sees them, in degrees.
struct Discs {
    double separation = 0;
    double sunRadius = 0;
    double moonRadius = 0;
    // The fraction of the Sun's diameter covered.
    double magnitude() const { return (sunRadius + moonRadius - separation) / (2 * sunRadius); }
    // The fraction of the Sun's disc covered: the area where two circles overlap.
    double obscuration() const
    {
        const double r = sunRadius, m = moonRadius, d = separation;
        if (d >= r + m)
            return 0;
        if (d <= std::abs(m - r))
            return m >= r ? 1 : (m * m) / (r * r);
        const double a = std::acos((d * d + r * r - m * m) / (2 * d * r));
        const double b = std::acos((d * d + m * m - r * r) / (2 * d * m));
        const double lens = r * r * a + m * m * b - 0.5 * std::sqrt((-d + r + m) * (d + r - m) * (d - r + m) * (d + r + m));
        return lens / (std::numbers::pi * r * r);
    }
};

Discs topocentricDiscs(Ephemeris& ephemeris, JulianDay ut, const Place& place)
{
    const SkyPosition sun = ephemeris.topocentricEquatorial(Body::Sun, ut, place);
    const SkyPosition moon = ephemeris.topocentricEquatorial(Body::Moon, ut, place);
    return {separation(sun.longitude, sun.latitude, moon.longitude, moon.latitude),
            std::asin(kSunRadiusKm / (sun.distance * kAuKm)) / kDegree,
            std::asin(kMoonRadiusKm / (moon.distance * kAuKm)) / kDegree};
}

} // namespace

std::vector<SolarEclipse> solarEclipses(Ephemeris& ephemeris, JulianDay fromUt, JulianDay untilUt)
{
    std::vector<SolarEclipse> result;
    JulianDay start = fromUt - 1;
    for (;;) {
        const Ephemeris::GlobalSolarEclipse found = ephemeris.nextSolarEclipse(start);
        if (found.greatest >= untilUt)
            break;
        start = found.greatest + 1;
        if (found.greatest < fromUt)
            continue;
        result.push_back({found.greatest, found.type, found.magnitude});
    }
    return result;
}

std::optional<LocalSolarEclipse> localSolarEclipse(Ephemeris& ephemeris, const SolarEclipse& eclipse,
                                                   const Place& place)
{
    // Followed here from the topocentric discs, so the contacts exist with the Sun down too.
    const auto discs = [&](JulianDay ut) { return topocentricDiscs(ephemeris, ut, place); };
    const auto overlap = [&](JulianDay ut) {
        const Discs d = discs(ut);
        return d.separation - d.sunRadius - d.moonRadius;
    };
    // Anywhere on the Earth the eclipse lies within about three hours of its greatest.
    const double reach = 0.2;
    const JulianDay maximum = goldenMinimum([&](JulianDay ut) { return discs(ut).separation; },
                                            eclipse.greatest - reach, eclipse.greatest + reach);
    if (overlap(maximum) >= 0)
        return std::nullopt;
    const auto contact = [&](JulianDay ut) {
        const SkyPosition sun = ephemeris.topocentricEquatorial(Body::Sun, ut, place);
        const double altitude = ephemeris.apparentAltitude(ut, place, sun);
        // Up as the rising tables count it: the upper limb in sight.
        return LocalSolarEclipse::Contact{ut, altitude, altitude + discs(ut).sunRadius < 0};
    };
    LocalSolarEclipse local;
    local.first = contact(bisect(overlap, maximum - reach, maximum));
    local.maximum = contact(maximum);
    local.last = contact(bisect(overlap, maximum, maximum + reach));
    const Discs d = discs(maximum);
    local.magnitude = d.magnitude();
    local.obscuration = d.obscuration();
    if (local.maximum.belowHorizon && !local.first.belowHorizon)
        local.horizon = ephemeris.nextSet(Body::Sun, local.first.ut, place);
    else if (local.maximum.belowHorizon && !local.last.belowHorizon)
        local.horizon = ephemeris.nextRise(Body::Sun, local.maximum.ut, place);
    if (!std::isnan(local.horizon))
        local.horizonMagnitude = discs(local.horizon).magnitude();
    return local;
}

std::vector<LunarEclipse> lunarEclipses(Ephemeris& ephemeris, JulianDay fromUt, JulianDay untilUt, const Place& place)
{
    std::vector<LunarEclipse> result;
    // Greatest eclipse lies within an hour of the full moon.
    for (const JulianDay fullMoon : fullMoons(ephemeris, fromUt - 0.5, untilUt + 0.5)) {
        const double fullTt = ephemeris.toTt(fullMoon);
        // Beyond 1.8° of latitude the Moon misses even the penumbra.
        if (std::abs(ephemeris.ecliptic(Body::Moon, fullTt).latitude) > 1.8)
            continue;
        const double greatestTt =
            goldenMinimum([&](double tt) { return shadowAt(ephemeris, tt).distance; }, fullTt - 0.25, fullTt + 0.25);
        const Shadow s = shadowAt(ephemeris, greatestTt);
        LunarEclipse e;
        e.penumbralMagnitude = (s.penumbra + s.moonRadius - s.distance) / (2 * s.moonRadius);
        e.umbralMagnitude = (s.umbra + s.moonRadius - s.distance) / (2 * s.moonRadius);
        e.greatest = ephemeris.toUt(greatestTt);
        if (e.penumbralMagnitude <= 0 || e.greatest < fromUt || e.greatest >= untilUt)
            continue;
        e.type = e.umbralMagnitude >= 1  ? LunarEclipseType::Total
                 : e.umbralMagnitude > 0 ? LunarEclipseType::Partial
                                         : LunarEclipseType::Penumbral;

        // No eclipse phase lasts four hours on either side of greatest.
        const double halfSpan = 0.17;
        const auto toUt = [&](std::pair<double, double> tt) {
            return std::pair{ephemeris.toUt(tt.first), ephemeris.toUt(tt.second)};
        };
        std::tie(e.penumbralBegin, e.penumbralEnd) = toUt(contacts(
            ephemeris, greatestTt, halfSpan, [](const Shadow& x) { return x.penumbra + x.moonRadius; }));
        e.partialBegin = e.partialEnd = e.totalBegin = e.totalEnd = std::nan("");
        if (e.type != LunarEclipseType::Penumbral)
            std::tie(e.partialBegin, e.partialEnd) = toUt(
                contacts(ephemeris, greatestTt, halfSpan, [](const Shadow& x) { return x.umbra + x.moonRadius; }));
        if (e.type == LunarEclipseType::Total)
            std::tie(e.totalBegin, e.totalEnd) = toUt(
                contacts(ephemeris, greatestTt, halfSpan, [](const Shadow& x) { return x.umbra - x.moonRadius; }));

        e.aboveHorizon = e.type == LunarEclipseType::Penumbral
                             ? moonAbove(ephemeris, e.penumbralBegin, e.penumbralEnd, place)
                             : moonAbove(ephemeris, e.partialBegin, e.partialEnd, place);
        const SkyPosition moon = ephemeris.topocentricEquatorial(Body::Moon, e.greatest, place);
        e.moonAltitude = ephemeris.apparentAltitude(e.greatest, place, moon);
        result.push_back(e);
    }
    return result;
}

} // namespace vkt::astro
