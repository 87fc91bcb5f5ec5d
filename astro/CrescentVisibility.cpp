#include "astro/CrescentVisibility.h"

#include "astro/CivilTime.h"
#include "astro/Constants.h"
#include "astro/MoonPhases.h"

#include <algorithm>
#include <cmath>

namespace vkt::astro {
namespace {

constexpr double kHalfDay = 0.5;

// The last rising of body before ut, NaN when there was none in the preceding day.
JulianDay previousRise(Ephemeris& ephemeris, Body body, JulianDay ut, const Place& place)
{
    JulianDay rise = ephemeris.nextRise(body, ut - 1, place);
    if (std::isnan(rise) || rise >= ut)
        return std::nan("");
    // The Moon can rise twice within a day near the poles.
    for (;;) {
        const JulianDay next = ephemeris.nextRise(body, rise + 0.01, place);
        if (std::isnan(next) || next >= ut)
            return rise;
        rise = next;
    }
}

// The Moon's setting (rising) that belongs to the Sun's: the one within half a day of it,
// after it (before it, mornings) when the Moon is still up at the Sun's event.
std::optional<JulianDay> moonEventNear(Ephemeris& ephemeris, const Place& place, JulianDay sunEvent, Twilight twilight)
{
    // The Moon rises (sets) once in about 24.8 hours, so the day centred on the Sun's event
    // holds one at most.
    const JulianDay from = sunEvent - kHalfDay;
    const JulianDay t = twilight == Twilight::Evening ? ephemeris.nextSet(Body::Moon, from, place)
                                                      : ephemeris.nextRise(Body::Moon, from, place);
    if (std::isnan(t) || t > sunEvent + kHalfDay)
        return std::nullopt;
    return t;
}

double semidiameterMinutes(const SkyPosition& moon)
{
    return std::asin(kMoonRadiusKm / (moon.distance * kAuKm)) / kDegree * 60;
}

// Yallop's frame at an instant: geocentric positions and altitudes without refraction, the
// crescent's width from the Moon's topocentric semidiameter.
struct YallopFrame {
    SkyPosition moon, sun, topoMoon;
    Ephemeris::Horizontal moonHorizontal, sunHorizontal;
    double semidiameter = 0;  // the Moon's, topocentric, arc minutes
    double arcl = 0, arcv = 0, width = 0, q = 0;
};

YallopFrame yallopFrame(Ephemeris& ephemeris, const Place& place, JulianDay ut)
{
    const double tt = ephemeris.toTt(ut);
    YallopFrame f;
    f.moon = ephemeris.equatorial(Body::Moon, tt);
    f.sun = ephemeris.equatorial(Body::Sun, tt);
    f.moonHorizontal = ephemeris.horizontal(ut, place, f.moon);
    f.sunHorizontal = ephemeris.horizontal(ut, place, f.sun);
    f.arcl = separation(f.moon.longitude, f.moon.latitude, f.sun.longitude, f.sun.latitude);
    f.arcv = f.moonHorizontal.altitude - f.sunHorizontal.altitude;
    // Both criteria take the crescent's width from the Moon's topocentric semidiameter SD':
    // W = SD' (1 − cos ARCL), Yallop with the geocentric ARCL, Odeh with the topocentric one.
    f.topoMoon = ephemeris.topocentricEquatorial(Body::Moon, ut, place);
    f.semidiameter = semidiameterMinutes(f.topoMoon);
    f.width = f.semidiameter * (1 - std::cos(f.arcl * kDegree));
    f.q = yallopQ(f.arcv, f.width);
    return f;
}

void atBestTime(Ephemeris& ephemeris, const Place& place, CrescentEvening& c)
{
    const JulianDay ut = c.best;
    c.ageHours = (ut - c.newMoon) * 24;

    const YallopFrame f = yallopFrame(ephemeris, place, ut);
    const SkyPosition& moon = f.moon;
    const SkyPosition& sun = f.sun;
    c.arcl = f.arcl;
    c.arcv = f.arcv;
    c.daz = wrap180(f.sunHorizontal.azimuth - f.moonHorizontal.azimuth);
    c.width = f.width;
    c.q = f.q;
    c.yallop = yallopClass(c.q);

    // Odeh: topocentric positions, ARCV still without refraction.
    const SkyPosition& topoMoon = f.topoMoon;
    const SkyPosition topoSun = ephemeris.topocentricEquatorial(Body::Sun, ut, place);
    const Ephemeris::Horizontal moonTopo = ephemeris.horizontal(ut, place, topoMoon);
    const Ephemeris::Horizontal sunTopo = ephemeris.horizontal(ut, place, topoSun);
    c.topocentricArcl = separation(topoMoon.longitude, topoMoon.latitude, topoSun.longitude, topoSun.latitude);
    c.topocentricArcv = moonTopo.altitude - sunTopo.altitude;
    c.topocentricWidth = f.semidiameter * (1 - std::cos(c.topocentricArcl * kDegree));
    c.v = odehV(c.topocentricArcv, c.topocentricWidth);
    c.odeh = odehClass(c.v);

    // What the observer sees: topocentric, refracted.
    c.moonAltitude = moonTopo.apparentAltitude;
    c.moonAzimuth = moonTopo.azimuth;
    c.sunAltitude = sunTopo.apparentAltitude;
    c.sunAzimuth = sunTopo.azimuth;
    // Illuminated fraction (1 + cos i) / 2, the phase angle i from the triangle Earth–Moon–Sun.
    const double r2 = sun.distance * sun.distance + moon.distance * moon.distance -
                      2 * sun.distance * moon.distance * std::cos(c.arcl * kDegree);
    const double cosPhase = (r2 + moon.distance * moon.distance - sun.distance * sun.distance) /
                            (2 * std::sqrt(r2) * moon.distance);
    c.illuminated = (1 + cosPhase) / 2;
}

CrescentEvening crescentAt(Ephemeris& ephemeris, const Place& place, JulianDay newMoon, Twilight twilight,
                           int day, JulianDay sunEvent, JulianDay moonEvent)
{
    CrescentEvening c;
    c.twilight = twilight;
    c.day = day;
    c.newMoon = newMoon;
    c.dayInstant = sunEvent;
    c.sunEvent = sunEvent;
    c.moonEvent = moonEvent;
    const double lag = twilight == Twilight::Evening ? moonEvent - sunEvent : sunEvent - moonEvent;
    c.lagMinutes = lag * 1440;
    c.moonUp = lag > 0;
    if (!c.moonUp)
        return c;
    // Yallop's best time, sunset + 4/9 lag; its mirror before sunrise.
    c.best = twilight == Twilight::Evening ? sunEvent + 4.0 / 9.0 * lag : sunEvent - 4.0 / 9.0 * lag;
    atBestTime(ephemeris, place, c);
    return c;
}

// The Sun's setting (rising) events walking away from the new moon, one a day, each with an
// instant of the day it was sought in; NaN for a day without one.
struct SunEvent {
    JulianDay event;
    JulianDay dayInstant;
};
std::vector<SunEvent> sunEvents(Ephemeris& ephemeris, const Place& place, JulianDay newMoon, Twilight twilight, int days)
{
    std::vector<SunEvent> events;
    JulianDay from = newMoon;
    for (int day = 0; day < days; ++day) {
        if (twilight == Twilight::Evening) {
            const JulianDay sunset = ephemeris.nextSet(Body::Sun, from, place);
            // A quarter of a day on from where the sunset is sought: a sunset after a new moon
            // late in the day falls on the next date.
            events.push_back({sunset, std::isnan(sunset) ? from + 0.25 : sunset});
            from = std::isnan(sunset) ? from + 1 : sunset + kHalfDay;
        } else {
            // Sunrises lie more than 0.98 day apart outside the polar regions: one call finds
            // the last one before `from`, unless it lies just over that span back.
            JulianDay sunrise = ephemeris.nextRise(Body::Sun, from - 0.98, place);
            if (std::isnan(sunrise) || sunrise >= from)
                sunrise = previousRise(ephemeris, Body::Sun, from, place);
            events.push_back({sunrise, std::isnan(sunrise) ? from - 0.25 : sunrise});
            from = std::isnan(sunrise) ? from - 1 : sunrise - kHalfDay;
        }
    }
    return events;
}

Horizon stays(Ephemeris& ephemeris, Body body, JulianDay ut, const Place& place)
{
    return ephemeris.upperLimbHeight(body, ut, place) > 0 ? Horizon::StaysUp : Horizon::StaysDown;
}

std::optional<CrescentEvening> crescentOn(Ephemeris& ephemeris, const Place& place, JulianDay newMoon,
                                          Twilight twilight, int day, JulianDay sunEvent)
{
    if (std::isnan(sunEvent))
        return std::nullopt;
    const auto moonEvent = moonEventNear(ephemeris, place, sunEvent, twilight);
    if (!moonEvent)
        return std::nullopt;
    return crescentAt(ephemeris, place, newMoon, twilight, day, sunEvent, *moonEvent);
}

} // namespace

YallopClass yallopClass(double q)
{
    int c = 0;
    for (const double bound : kYallopBounds) {
        if (q > bound)
            break;
        ++c;
    }
    return static_cast<YallopClass>(c);
}

OdehClass odehClass(double v)
{
    int c = 0;
    for (const double bound : kOdehBounds) {
        if (v >= bound)
            break;
        ++c;
    }
    return static_cast<OdehClass>(c);
}

// Yallop (1997): q = (ARCV − (11.8371 − 6.3226 W + 0.7319 W² − 0.1018 W³)) / 10.
double yallopQ(double arcv, double w)
{
    return (arcv - (11.8371 - 6.3226 * w + 0.7319 * w * w - 0.1018 * w * w * w)) / 10;
}

// Odeh (2004): V = ARCV − (−0.1018 W³ + 0.7319 W² − 6.3226 W + 7.1651).
double odehV(double arcv, double w)
{
    return arcv - (-0.1018 * w * w * w + 0.7319 * w * w - 6.3226 * w + 7.1651);
}

void quantitiesAt(Ephemeris& ephemeris, const Place& place, JulianDay ut, CrescentEvening& c)
{
    c.best = ut;
    atBestTime(ephemeris, place, c);
}

bool babylonianVisible(const CrescentEvening& c)
{
    return std::abs(c.sunEvent - c.newMoon) * 24 > kBabylonianAgeHours && c.lagMinutes > kBabylonianLagMinutes;
}

std::optional<CrescentEvening> crescentEvening(Ephemeris& ephemeris, const Place& place, const QDate& date,
                                               Twilight twilight)
{
    const std::optional<JulianDay> sunEvent = sunEventOn(ephemeris, place, CivilZone::of(place), date, twilight);
    if (!sunEvent)
        return std::nullopt;
    return crescentAtSunEvent(ephemeris, place, *sunEvent, twilight);
}

std::optional<JulianDay> sunEventOn(Ephemeris& ephemeris, const Place& place, const CivilZone& zone,
                                    const QDate& date, Twilight twilight)
{
    const JulianDay midnight = fromCivil(QDateTime(date, QTime(0, 0), zone.timeZone()));
    const JulianDay sunEvent = twilight == Twilight::Evening ? ephemeris.nextSet(Body::Sun, midnight + kHalfDay, place)
                                                             : ephemeris.nextRise(Body::Sun, midnight, place);
    if (std::isnan(sunEvent) || zone.at(sunEvent).date() != date)
        return std::nullopt;
    return sunEvent;
}

std::optional<CrescentEvening> crescentAtSunEvent(Ephemeris& ephemeris, const Place& place, JulianDay sunEvent,
                                                  Twilight twilight)
{
    JulianDay newMoon = 0;
    if (twilight == Twilight::Evening) {
        newMoon = newMoonBefore(ephemeris, sunEvent);
    } else {
        const std::vector<JulianDay> next = newMoons(ephemeris, sunEvent, sunEvent + 31);
        newMoon = next.front();
    }
    // Whole days between the new moon and the Sun's event: 0 for the first evening after it.
    const int day = static_cast<int>(std::floor(std::abs(sunEvent - newMoon)));
    return crescentOn(ephemeris, place, newMoon, twilight, day, sunEvent);
}

CrescentProfile crescentProfile(Ephemeris& ephemeris, const Place& place, const CrescentEvening& c)
{
    CrescentProfile profile;
    if (!c.moonUp)
        return profile;
    const bool evening = c.twilight == Twilight::Evening;
    const JulianDay start = evening ? c.sunEvent : c.moonEvent;
    const JulianDay end = evening ? c.moonEvent : c.sunEvent;
    std::vector<JulianDay> instants = {start, c.best, end};
    // Whole minutes of UT, which are whole minutes of every civil zone's clock.
    constexpr double kMinutesADay = 1440;
    for (double minute = std::floor((start - 0.5) * kMinutesADay) + 1;; ++minute) {
        const JulianDay ut = 0.5 + minute / kMinutesADay;
        if (ut >= end)
            break;
        instants.push_back(ut);
    }
    std::sort(instants.begin(), instants.end());
    profile.samples.reserve(instants.size());
    for (const JulianDay ut : instants) {
        if (ut == c.best)
            profile.best = profile.samples.size();
        const YallopFrame f = yallopFrame(ephemeris, place, ut);
        profile.samples.push_back({ut, ephemeris.horizontal(ut, place, f.topoMoon).apparentAltitude, f.q});
    }
    return profile;
}

CrescentRun crescentRun(Ephemeris& ephemeris, const Place& place, JulianDay newMoon, int days)
{
    CrescentRun run;
    for (const Twilight twilight : {Twilight::Morning, Twilight::Evening}) {
        const std::vector<SunEvent> events = sunEvents(ephemeris, place, newMoon, twilight, days);
        for (int day = 0; day < days; ++day) {
            const SunEvent& sun = events[std::size_t(day)];
            std::optional<CrescentEvening> c = crescentOn(ephemeris, place, newMoon, twilight, day, sun.event);
            if (!c) {
                // The Sun, or the Moon round the Sun's event, stays up or down.
                c.emplace();
                c->twilight = twilight;
                c->day = day;
                c->newMoon = newMoon;
                c->moonEvent = c->lagMinutes = std::nan("");
                c->sunEvent = sun.event;
                c->dayInstant = sun.dayInstant;
                if (std::isnan(sun.event))
                    c->sun = stays(ephemeris, Body::Sun, sun.dayInstant, place);
                else
                    c->moon = stays(ephemeris, Body::Moon, sun.event, place);
            }
            (twilight == Twilight::Morning ? run.mornings : run.evenings).push_back(*c);
        }
    }
    return run;
}

} // namespace vkt::astro
