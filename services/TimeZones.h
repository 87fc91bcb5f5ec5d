#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <vector>

namespace vkt {

// A time zone and the place it is named after (its principal city), in degrees, north and east
// positive.
struct ZoneLocation {
    QByteArray zone;
    double latitude = 0;
    double longitude = 0;
};

// The zones of a tzdata zone1970.tab text (country codes, ISO 6709 coordinates, zone, comment; tab
// separated, '#' comments); lines that do not read so are passed over.
std::vector<ZoneLocation> readZoneTable(QByteArrayView text);
// The system's tables ($TZDIR, else /usr/share/zoneinfo), read once: zone1970.tab, and zone.tab,
// which names a zone for every country (Africa/Dakar, where zone1970.tab has only Abidjan's).
// Empty when neither is there as a regular file.
const std::vector<ZoneLocation>& systemZoneLocations();

// The zone of the location nearest the place along the Earth's surface; empty when there is none.
QByteArray nearestZone(const std::vector<ZoneLocation>& locations, double latitude, double longitude);

} // namespace vkt
