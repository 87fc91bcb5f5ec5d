#pragma once

#include "astro/CivilTime.h"
#include "astro/YearAhead.h"

#include <QStringList>

namespace vkt::presentation {

// The year-ahead table: the new moon, then its first evening and its last morning by each
// criterion, times in the zone's civil time. A crescent shows as its date and that column's class,
// "2026.01.20 B", and as "–" when none of the evenings (mornings) searched is in reach.
QStringList yearAheadHeaders();
QStringList yearAheadFields(const astro::NewMoonOutlook& outlook, const astro::CivilZone& zone);
// What each of those columns holds, in the headers' order.
QStringList yearAheadHeaderTips();

} // namespace vkt::presentation
