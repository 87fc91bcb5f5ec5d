#pragma once

#include "astro/SightingGeometry.h"
#include "sightings/Sighting.h"

#include <QByteArray>
#include <map>
#include <vector>

namespace vkt::sightings {

// The record's sky, computed by astro/. Pure but for the ephemeris, which belongs to the calling
// thread: a window computes its records in the background with an ephemeris of that thread.
// Throws astro::Error (an unknown zone, a refusal of the ephemeris library).
astro::SightingGeometry skyOf(astro::Ephemeris& ephemeris, const Sighting& s);
// The civil zones of many records, each built once: building a time zone costs more than a
// crescent's searches.
class ZoneCache {
public:
    const astro::CivilZone& of(const astro::Place& place);

private:
    std::map<QByteArray, astro::CivilZone> zones_;
};

// Every record's, in order.
std::vector<astro::SightingGeometry> skiesOf(astro::Ephemeris& ephemeris, const std::vector<Sighting>& records);

} // namespace vkt::sightings
