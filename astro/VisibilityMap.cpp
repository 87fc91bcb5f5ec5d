#include "astro/VisibilityMap.h"

#include "astro/Constants.h"
#include "astro/HorizonCrossing.h"

#include <algorithm>
#include <cmath>

namespace vkt::astro {
namespace {

constexpr double kEarthRadiusKm = 6378.14;
// The Sun's upper limb on the horizon with the standard refraction of 34′.
constexpr double kSunsetAltitude = -0.8333;
// How fast the hour angles grow, degrees a day: close enough for the iteration below to
// settle in a few steps, as it corrects itself on the true positions every step.
constexpr double kSunHourRate = 360.0;
constexpr double kMoonHourRate = 347.8;

double sinDeg(double d)
{
    return std::sin(d * kDegree);
}
double cosDeg(double d)
{
    return std::cos(d * kDegree);
}

// Greenwich mean sidereal time in degrees (IAU 1982); the equation of the equinoxes, at most a
// second of time, is below what a map shows.
double siderealTime(JulianDay ut)
{
    const double d = ut - 2451545.0;
    const double t = d / 36525;
    return 280.46061837 + 360.98564736629 * d + t * t * (0.000387933 - t / 38710000);
}

double hourAngle(JulianDay ut, double longitude, const SkyPosition& p)
{
    return wrap180(siderealTime(ut) + longitude - p.longitude);
}

// Airless altitude of a geocentric place.
double altitude(JulianDay ut, double latitude, double longitude, const SkyPosition& p)
{
    const double h = sinDeg(latitude) * sinDeg(p.latitude) +
                     cosDeg(latitude) * cosDeg(p.latitude) * cosDeg(hourAngle(ut, longitude, p));
    return std::asin(std::clamp(h, -1.0, 1.0)) / kDegree;
}

double moonParallax(const SkyPosition& moon)
{
    return std::asin(kEarthRadiusKm / (moon.distance * kAuKm)) / kDegree;
}

SkyPosition positionOf(const SkyTrack& track, Body body, JulianDay ut)
{
    return body == Body::Moon ? track.moon(ut) : track.sun(ut);
}

// The altitude at which the body's upper limb touches the horizon. The Moon's: parallax lowers
// it, the semidiameter (0.2725 of the parallax) and the refraction raise it.
double horizonAltitude(Body body, const SkyPosition& p)
{
    return body == Body::Moon ? 0.7275 * moonParallax(p) - 0.5667 : kSunsetAltitude;
}

// Where the body's upper limb stands against the horizon: positive above it, negative below
// (the sine of its altitude less the horizon's).
double aboveHorizon(const SkyTrack& track, Body body, JulianDay ut, double latitude, double longitude)
{
    const SkyPosition p = positionOf(track, body, ut);
    return sinDeg(latitude) * sinDeg(p.latitude) +
           cosDeg(latitude) * cosDeg(p.latitude) * cosDeg(hourAngle(ut, longitude, p)) - sinDeg(horizonAltitude(body, p));
}

// When the body's upper limb touches the horizon, setting or rising, nearest in hour angle to
// `start`, by following the hour angle from the positions of each step's instant: a few steps
// where the body moves well clear of the horizon. Empty when the body looks circumpolar (or
// never up) at some step, or the steps do not settle, as where it only just crosses.
std::optional<JulianDay> followHourAngle(const SkyTrack& track, Body body, JulianDay start, double latitude,
                                         double longitude, bool setting)
{
    JulianDay t = start;
    for (int step = 0; step < 10; ++step) {
        const SkyPosition p = positionOf(track, body, t);
        const double cosH0 = (sinDeg(horizonAltitude(body, p)) - sinDeg(latitude) * sinDeg(p.latitude)) /
                             (cosDeg(latitude) * cosDeg(p.latitude));
        if (std::abs(cosH0) > 1)
            return std::nullopt;
        const double h = std::acos(cosH0) / kDegree;
        const double dt = wrap180((setting ? h : -h) - hourAngle(t, longitude, p)) /
                          (body == Body::Moon ? kMoonHourRate : kSunHourRate);
        t += dt;
        if (std::abs(dt) < 1e-6)
            return t;
    }
    return std::nullopt;
}

// The body's setting (rising) in [from, to]: the one the hour angle settles on from `start`, or
// else the first there is; empty when there is none.
std::optional<JulianDay> horizonCrossing(const SkyTrack& track, Body body, JulianDay start, JulianDay from, JulianDay to,
                                         double latitude, double longitude, bool setting)
{
    if (const auto t = followHourAngle(track, body, start, latitude, longitude, setting); t && *t >= from && *t <= to)
        return t;
    // Near the poles: on the positions themselves, in degrees (near the horizon, where it counts).
    return firstFallThroughZero(
        [&](JulianDay ut) {
            const double above = aboveHorizon(track, body, ut, latitude, longitude) / kDegree;
            return setting ? above : -above;
        },
        from, to, fastestAltitudeChange(latitude));
}

} // namespace

SkyTrack::SkyTrack(Ephemeris& ephemeris, JulianDay from, JulianDay to) : from_(from)
{
    const int count = std::max(4, int(std::ceil((to - from) / kStep)) + 1);
    sun_.reserve(std::size_t(count));
    moon_.reserve(std::size_t(count));
    for (int i = 0; i < count; ++i) {
        const double tt = ephemeris.toTt(from + i * kStep);
        for (const Body body : {Body::Sun, Body::Moon}) {
            std::vector<Sample>& samples = body == Body::Sun ? sun_ : moon_;
            const SkyPosition p = ephemeris.equatorial(body, tt);
            double ra = p.longitude;
            if (!samples.empty())
                ra = samples.back().ra + wrap180(ra - samples.back().ra);
            samples.push_back({ra, p.latitude, p.distance});
        }
    }
}

// Four-point Lagrange interpolation: on hourly samples it is exact to far below an arc second
// even for the Moon.
SkyPosition SkyTrack::at(const std::vector<Sample>& samples, JulianDay ut) const
{
    const double x = (ut - from_) / kStep;
    const int i = std::clamp(int(std::floor(x)), 1, int(samples.size()) - 3);
    const double u = x - i;  // 0 at sample i, 1 at sample i + 1
    const double w[4] = {-u * (u - 1) * (u - 2) / 6, (u + 1) * (u - 1) * (u - 2) / 2, -(u + 1) * u * (u - 2) / 2,
                         (u + 1) * u * (u - 1) / 6};
    SkyPosition p;
    for (int k = 0; k < 4; ++k) {
        const Sample& s = samples[std::size_t(i - 1 + k)];
        p.longitude += w[k] * s.ra;
        p.latitude += w[k] * s.dec;
        p.distance += w[k] * s.distance;
    }
    return p;
}

MapEvening mapEveningOf(const CrescentEvening& crescent, const Place& place)
{
    // Local mean time runs ahead of UT by the longitude; Julian days start at noon.
    const double localMean = crescent.dayInstant + place.longitude / 360 + 0.5;
    return {QDate::fromJulianDay(qint64(std::floor(localMean))), crescent.twilight};
}

SkyTrack skyTrackFor(Ephemeris& ephemeris, const MapEvening& evening)
{
    // Greenwich noon of the date; local noons lie within half a day of it, sunsets (sunrises) up
    // to most of a day after (before) them and the Moon's events within half a day of those.
    const JulianDay noon = double(evening.date.toJulianDay());
    return evening.twilight == Twilight::Evening ? SkyTrack(ephemeris, noon - 1.5, noon + 2.5)
                                                 : SkyTrack(ephemeris, noon - 2.5, noon + 1.5);
}

std::optional<MapCrescent> mapCrescent(const SkyTrack& track, const MapEvening& evening, double latitude,
                                       double longitude)
{
    const bool inEvening = evening.twilight == Twilight::Evening;
    const JulianDay localNoon = double(evening.date.toJulianDay()) - longitude / 360;
    // The Sun sets in the afternoon or evening of the date, rises in its night or morning; six
    // hours from noon is within a quarter turn of its event.
    const auto sun = inEvening ? horizonCrossing(track, Body::Sun, localNoon + 0.25, localNoon, localNoon + 0.5,
                                                 latitude, longitude, true)
                               : horizonCrossing(track, Body::Sun, localNoon - 0.25, localNoon - 0.5, localNoon,
                                                 latitude, longitude, false);
    if (!sun)
        return std::nullopt;
    // The Moon's event within half a day of the Sun's, as for a single place.
    const auto moon = horizonCrossing(track, Body::Moon, *sun, *sun - 0.5, *sun + 0.5, latitude, longitude, inEvening);
    if (!moon)
        return std::nullopt;

    MapCrescent c;
    c.sunEvent = *sun;
    c.moonEvent = *moon;
    const double lag = inEvening ? c.moonEvent - c.sunEvent : c.sunEvent - c.moonEvent;
    c.moonUp = lag > 0;
    if (!c.moonUp)
        return c;
    c.best = inEvening ? c.sunEvent + 4.0 / 9.0 * lag : c.sunEvent - 4.0 / 9.0 * lag;

    const SkyPosition m = track.moon(c.best);
    const SkyPosition s = track.sun(c.best);
    const double moonAltitude = altitude(c.best, latitude, longitude, m);
    c.arcv = moonAltitude - altitude(c.best, latitude, longitude, s);
    const double arcl = separation(m.longitude, m.latitude, s.longitude, s.latitude);
    // The topocentric semidiameter: larger by the Moon's nearness to the observer above the
    // horizon.
    const double semidiameter = std::asin(kMoonRadiusKm / (m.distance * kAuKm)) / kDegree * 60 *
                                (1 + sinDeg(moonAltitude) * sinDeg(moonParallax(m)));
    c.width = semidiameter * (1 - cosDeg(arcl));
    c.q = yallopQ(c.arcv, c.width);
    c.yallop = yallopClass(c.q);
    return c;
}

MapZone VisibilityMap::at(double latitude, double longitude) const
{
    const int row = std::clamp(int((90 - latitude) / cellDegrees), 0, rows - 1);
    const int column = std::clamp(int((wrap180(longitude) + 180) / cellDegrees), 0, columns - 1);
    return zone(row, column);
}

VisibilityMap visibilityMap(const SkyTrack& track, const MapEvening& evening, double cellDegrees,
                            const std::function<bool()>& cancelled)
{
    VisibilityMap map;
    map.evening = evening;
    map.cellDegrees = cellDegrees;
    map.rows = int(std::lround(180 / cellDegrees));
    map.columns = 2 * map.rows;
    map.zones.assign(std::size_t(map.rows * map.columns), MapZone::None);
    for (int row = 0; row < map.rows; ++row) {
        if (cancelled && cancelled())
            return map;
        const double latitude = map.latitudeOf(row);
        for (int column = 0; column < map.columns; ++column) {
            const auto c = mapCrescent(track, evening, latitude, map.longitudeOf(column));
            if (c && c->moonUp)
                map.zones[std::size_t(row * map.columns + column)] = MapZone(int(c->yallop));
        }
    }
    map.complete = true;
    return map;
}

} // namespace vkt::astro
