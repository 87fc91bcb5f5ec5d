#pragma once

#include "astro/Ephemeris.h"
#include "astro/Place.h"

#include <QDateTime>
#include <QTimeZone>

namespace vkt::astro {

// Civil time of one IANA zone, summer time included.
class CivilZone {
public:
    // Throws Error::Kind::UnknownZone when the time-zone database does not know the zone.
    explicit CivilZone(const QByteArray& zoneId);
    static bool known(const QByteArray& zoneId);
    // The local mean time of a longitude: UT + longitude / 15 hours, to the second, all year.
    static CivilZone localMeanTime(double longitude);
    // The place's zone; a place without one keeps the local mean time of its longitude.
    static CivilZone of(const Place& place);

    const QTimeZone& timeZone() const { return zone_; }
    // The instant as the lists show it: rounded to the nearest minute, in the zone's civil time;
    // an invalid date-time for NaN (an event that does not happen).
    QDateTime at(JulianDay ut) const;
    // The first instant of the civil year: local midnight of 1 January.
    JulianDay startOfYear(int year) const;

private:
    explicit CivilZone(QTimeZone zone);

    QTimeZone zone_;
};

JulianDay fromCivil(const QDateTime& civil);
// The instant the lists show: rounded to the nearest minute. Ranges are cut on this value, so
// an event shown as 00:00 on 1 January belongs to the new year.
JulianDay roundedToMinute(JulianDay ut);

} // namespace vkt::astro
