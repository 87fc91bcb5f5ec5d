#pragma once

#include "astro/Ephemeris.h"

#include <optional>
#include <vector>

namespace vkt::astro {

// Venus shows a crescent when less than a quarter of its disc is lit; it counts on a day when
// it stands at least ten degrees from the Sun and at least five degrees high (apparent
// altitude) at the end of evening civil twilight, or at the start of morning civil twilight.
constexpr double kCrescentLit = 0.25;
constexpr double kLeastElongation = 10.0;
constexpr double kLeastAltitude = 5.0;

struct VenusSpan {
    JulianDay first = 0, last = 0;  // the civil dusks (dawns) that open and close the span
    double thinnest = 0;            // least lit fraction at those moments
    double greatestAltitude = 0;    // Venus's highest apparent altitude at those moments
};

struct VenusCrescents {
    JulianDay conjunction = 0;  // inferior conjunction in ecliptic longitude
    std::optional<VenusSpan> evening;  // before it, Venus east of the Sun
    std::optional<VenusSpan> morning;  // after it, west of the Sun
};

// Inferior conjunctions of Venus in [fromUt, untilUt).
std::vector<JulianDay> inferiorConjunctions(Ephemeris& ephemeris, JulianDay fromUt, JulianDay untilUt);
// Each day is judged at the end of evening (start of morning) civil twilight at the place.
std::vector<VenusCrescents> venusCrescents(Ephemeris& ephemeris, JulianDay fromUt, JulianDay untilUt,
                                           const Place& place);

} // namespace vkt::astro
