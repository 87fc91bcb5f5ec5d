#include "sightings/SightingSky.h"

#include <cmath>

namespace vkt::sightings {

astro::SightingGeometry skyOf(astro::Ephemeris& ephemeris, const Sighting& s)
{
    return astro::sightingGeometry(ephemeris, s.place, astro::CivilZone::of(s.place), s.date, s.session, s.time);
}

const astro::CivilZone& ZoneCache::of(const astro::Place& place)
{
    // A place without a zone keeps the mean time of its longitude, whole seconds apart.
    const QByteArray key = place.timeZone.isEmpty() ? QByteArray::number(std::lround(place.longitude * 240))
                                                    : place.timeZone;
    auto zone = zones_.find(key);
    if (zone == zones_.end())
        zone = zones_.emplace(key, astro::CivilZone::of(place)).first;
    return zone->second;
}

std::vector<astro::SightingGeometry> skiesOf(astro::Ephemeris& ephemeris, const std::vector<Sighting>& records)
{
    ZoneCache zones;
    std::vector<astro::SightingGeometry> skies;
    skies.reserve(records.size());
    for (const Sighting& s : records)
        skies.push_back(astro::sightingGeometry(ephemeris, s.place, zones.of(s.place), s.date, s.session, s.time));
    return skies;
}

} // namespace vkt::sightings
