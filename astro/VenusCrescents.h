#pragma once

#include "Ephemeris.h"

#include <optional>
#include <vector>

namespace vkt::astro {

// Venus shows a crescent when less than a quarter of its disc is lit, and it can be seen
// when it stands at least ten degrees from the Sun.
constexpr double kCrescentLit = 0.25;
constexpr double kLeastElongation = 10.0;

struct VenusSpan {
    JulianDay first = 0, last = 0;  // the evenings (mornings) that open and close the span
    double thinnest = 0;            // least lit fraction on those days
};

struct VenusCrescents {
    JulianDay conjunction = 0;  // inferior conjunction in ecliptic longitude
    std::optional<VenusSpan> evening;  // before it, Venus east of the Sun
    std::optional<VenusSpan> morning;  // after it, west of the Sun
};

// Inferior conjunctions of Venus in [fromUt, untilUt).
std::vector<JulianDay> inferiorConjunctions(const Ephemeris& ephemeris, JulianDay fromUt, JulianDay untilUt);
// Each day is judged at 18:00 (evening) or 6:00 (morning) local mean time of the place.
std::vector<VenusCrescents> venusCrescents(const Ephemeris& ephemeris, JulianDay fromUt, JulianDay untilUt,
                                           const Place& place);

} // namespace vkt::astro
