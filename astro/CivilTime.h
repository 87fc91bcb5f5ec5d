#pragma once

#include "Ephemeris.h"

#include <QDateTime>
#include <QString>

namespace vkt::astro {

// Hungarian civil time: the IANA rules of Europe/Budapest, summer time included.
// Throws vkt::Failure when the time-zone database does not know the zone.
QDateTime civilTime(JulianDay ut);  // to the nearest minute
QString civilText(JulianDay ut);    // "yyyy.MM.dd HH:mm"
QString civilDateText(JulianDay ut);  // "yyyy.MM.dd"

JulianDay fromCivil(const QDateTime& civil);
// The instant the lists show: rounded to the nearest minute. Ranges are cut on this value, so
// an event shown as 00:00 on 1 January belongs to the new year.
JulianDay roundedToMinute(JulianDay ut);
// The first instant of the civil year: local midnight of 1 January.
JulianDay startOfCivilYear(int year);

} // namespace vkt::astro
