#include "astro/SightingGeometry.h"

#include <cmath>

namespace vkt::astro {
namespace {

// The clock time on the day before, of or after the date, whichever lies nearest the Sun's event:
// an evening's sighting after midnight keeps the evening's date.
JulianDay nearestInstant(const CivilZone& zone, const QDate& date, const QTime& time, JulianDay sunEvent)
{
    JulianDay best = 0;
    for (int shift = -1; shift <= 1; ++shift) {
        const JulianDay t = fromCivil(QDateTime(date.addDays(shift), time, zone.timeZone()));
        if (shift == -1 || std::abs(t - sunEvent) < std::abs(best - sunEvent))
            best = t;
    }
    return best;
}

} // namespace

SightingGeometry sightingGeometry(Ephemeris& ephemeris, const Place& place, const CivilZone& zone, const QDate& date,
                                  Twilight twilight, const std::optional<QTime>& time)
{
    SightingGeometry g;
    g.timeGiven = time.has_value();
    const std::optional<JulianDay> sunEvent = sunEventOn(ephemeris, place, zone, date, twilight);
    if (!sunEvent)
        return g;
    const std::optional<CrescentEvening> crescent = crescentAtSunEvent(ephemeris, place, *sunEvent, twilight);
    if (!crescent) {
        g.gap = SightingGap::NoMoonEvent;
        return g;
    }
    g.gap = SightingGap::None;
    g.crescent = *crescent;
    if (!time) {
        // The best time's quantities are computed already.
        g.observed = crescent->moonUp;
        g.observation = crescent->best;
        g.observationAgeHours = crescent->ageHours;
        g.observationMoonAltitude = crescent->moonAltitude;
        g.observationMoonAzimuth = crescent->moonAzimuth;
        return g;
    }
    g.observed = true;
    g.observation = nearestInstant(zone, date, *time, *sunEvent);
    g.observationAgeHours = (g.observation - crescent->newMoon) * 24;
    const SkyPosition moon = ephemeris.topocentricEquatorial(Body::Moon, g.observation, place);
    const Ephemeris::Horizontal seen = ephemeris.horizontal(g.observation, place, moon);
    g.observationMoonAltitude = seen.apparentAltitude;
    g.observationMoonAzimuth = seen.azimuth;
    return g;
}

} // namespace vkt::astro
