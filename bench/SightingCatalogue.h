#pragma once

#include "presentation/Places.h"
#include "sightings/Sighting.h"

#include <vector>

namespace vkt::bench {

// Evenings and mornings round the new moons of 1990–2030, at the Hungarian places and at four
// places of other zones, every third with a clock time: as varied as a real catalogue.
inline std::vector<sightings::Sighting> catalogue(int count)
{
    std::vector<astro::Place> places = presentation::observingPlaces();
    places.push_back({QStringLiteral("Amman"), 31.95, 35.93, 900, QByteArrayLiteral("Asia/Amman")});
    places.push_back({QStringLiteral("Cape Town"), -33.93, 18.42, 10, QByteArrayLiteral("Africa/Johannesburg")});
    places.push_back({QStringLiteral("Tucson"), 32.22, -110.97, 730, QByteArrayLiteral("America/Phoenix")});
    places.push_back({QStringLiteral("Tromso"), 69.65, 18.96, 10, {}});  // local mean time; ø has no Windows-1250 byte
    std::vector<sightings::Sighting> records;
    const QDate first(1990, 1, 26);  // a new moon
    for (int i = 0; i < count; ++i) {
        sightings::Sighting s;
        s.place = places[std::size_t(i) % places.size()];
        s.session = i % 4 == 3 ? astro::Twilight::Morning : astro::Twilight::Evening;
        const int lunation = i * 7 % 490;
        const int offset = s.session == astro::Twilight::Evening ? 1 + i % 3 : -1 - i % 2;
        s.date = first.addDays(qint64(lunation * 29.530589) + offset);
        if (i % 3 == 0)
            s.time = s.session == astro::Twilight::Evening ? QTime(18, 30) : QTime(5, 15);
        s.outcomes[0] = i % 2 ? sightings::Outcome::Seen : sightings::Outcome::NotSeen;
        records.push_back(s);
    }
    return records;
}

} // namespace vkt::bench
