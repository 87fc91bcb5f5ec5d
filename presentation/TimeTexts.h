#pragma once

#include "astro/CivilTime.h"

#include <QString>

namespace vkt::presentation {

// An instant in a zone's civil time as the lists and windows show it, rounded to the minute.
QString dateTimeText(const astro::CivilZone& zone, astro::JulianDay ut);  // "yyyy.MM.dd HH:mm"
QString dateText(const astro::CivilZone& zone, astro::JulianDay ut);      // "yyyy.MM.dd"
QString timeText(const astro::CivilZone& zone, astro::JulianDay ut);      // "HH:mm"
QString monthDayText(const astro::CivilZone& zone, astro::JulianDay ut);  // "MM.dd"

// A crescent's age in whole minutes as "23 óra 5 perc", negative ones (mornings) with a minus.
QString ageText(qint64 minutes);

} // namespace vkt::presentation
