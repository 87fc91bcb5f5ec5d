#pragma once

#include "astro/Ephemeris.h"

#include <QDateTime>
#include <QTimeZone>

namespace vkt::astro {

// Civil time of one IANA zone, summer time included.
class CivilZone {
public:
    // Throws Error::Kind::UnknownZone when the time-zone database does not know the zone.
    explicit CivilZone(const QByteArray& zoneId);
    static bool known(const QByteArray& zoneId);

    const QTimeZone& timeZone() const { return zone_; }
    // The instant as the lists show it: rounded to the nearest minute, in the zone's civil time.
    QDateTime at(JulianDay ut) const;
    // The first instant of the civil year: local midnight of 1 January.
    JulianDay startOfYear(int year) const;

private:
    QTimeZone zone_;
};

JulianDay fromCivil(const QDateTime& civil);
// The instant the lists show: rounded to the nearest minute. Ranges are cut on this value, so
// an event shown as 00:00 on 1 January belongs to the new year.
JulianDay roundedToMinute(JulianDay ut);

} // namespace vkt::astro
