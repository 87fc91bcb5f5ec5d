#pragma once

#include "astro/CivilTime.h"
#include "astro/CrescentVisibility.h"

#include <QDate>
#include <QTime>
#include <optional>

namespace vkt::astro {

// What leaves a sighting's evening (morning) without crescent quantities.
enum class SightingGap {
    None,
    NoSunEvent,   // the Sun does not set (rise) on that date at the place
    NoMoonEvent,  // the Moon does not set (rise) within half a day of the Sun
};

// The sky of one sighting. Angles in degrees, azimuths from north through east.
struct SightingGeometry {
    SightingGap gap = SightingGap::NoSunEvent;
    // Unless there is a gap: the evening (morning) as the almanac's detailed file has it, its new
    // moon the last before the sunset (the first after the sunrise). When crescent.moonUp is false
    // the Moon set before the Sun (rose after it) and nothing is defined at a best time.
    CrescentEvening crescent;
    // The instant of the sighting: its clock time on the day nearest the Sun's event, or without a
    // time the best time. The three quantities at it are defined only when `observed`.
    bool timeGiven = false;
    bool observed = false;
    JulianDay observation = 0;
    double observationAgeHours = 0;      // from the new moon; negative in the morning
    double observationMoonAltitude = 0;  // apparent (refracted), topocentric
    double observationMoonAzimuth = 0;
};

// Everything computed for one sighting, each search done once: the Sun's event, the new moon, the
// Moon's event, the best time and the instant of the sighting. Pure but for the ephemeris, which
// belongs to the calling thread.
SightingGeometry sightingGeometry(Ephemeris& ephemeris, const Place& place, const CivilZone& zone, const QDate& date,
                                  Twilight twilight, const std::optional<QTime>& time);

} // namespace vkt::astro
