#pragma once

#include "astro/CrescentVisibility.h"
#include "astro/Ephemeris.h"

#include <QDate>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace vkt::astro {

// The Sun's and the Moon's apparent geocentric places (right ascension, declination, distance)
// over a few days, taken from the ephemeris once an hour and interpolated between, so a map of
// tens of thousands of places costs a few hundred ephemeris calls. Plain data: made in the
// ephemeris's thread, it may be copied to another, which the ephemeris itself may not.
class SkyTrack {
public:
    SkyTrack(Ephemeris& ephemeris, JulianDay from, JulianDay to);

    // Right ascension in degrees, unwrapped: it may leave [0, 360) but never jumps.
    SkyPosition sun(JulianDay ut) const { return at(sun_, ut); }
    SkyPosition moon(JulianDay ut) const { return at(moon_, ut); }

private:
    static constexpr double kStep = 1.0 / 24;
    struct Sample {
        double ra = 0, dec = 0, distance = 0;
    };
    SkyPosition at(const std::vector<Sample>& samples, JulianDay ut) const;

    JulianDay from_ = 0;
    std::vector<Sample> sun_;
    std::vector<Sample> moon_;
};

// One date's evening (or morning) round the world: each place's own sunset (sunrise) on that
// date of its local mean time.
struct MapEvening {
    QDate date;
    Twilight twilight = Twilight::Evening;
    bool operator==(const MapEvening&) const = default;
};

// The evening (morning) a crescent of a place belongs to; for a day whose Sun stays up or down,
// the one of that date.
MapEvening mapEveningOf(const CrescentEvening& crescent, const Place& place);

// The positions a map of that evening needs, sunsets and moonsets everywhere included.
SkyTrack skyTrackFor(Ephemeris& ephemeris, const MapEvening& evening);

// Yallop's quantities at one place at sea level, from the track: crescentEvening's numbers
// within the small differences of interpolated positions and a standard horizon.
struct MapCrescent {
    JulianDay sunEvent = 0;
    JulianDay moonEvent = 0;
    bool moonUp = false;  // false: the Moon sets before the Sun (rises after it); nothing below
    JulianDay best = 0;
    double arcv = 0;
    double width = 0;  // arc minutes
    double q = 0;
    YallopClass yallop = YallopClass::F;
};
// Empty where the Sun or the Moon does not cross the horizon that evening (polar places).
std::optional<MapCrescent> mapCrescent(const SkyTrack& track, const MapEvening& evening, double latitude,
                                       double longitude);

// What a cell of the map shows: a class, or no crescent to look for at all.
enum class MapZone : std::uint8_t { A, B, C, D, E, F, None };

// The world in cells of equal degrees, rows from the north, columns from longitude −180°.
struct VisibilityMap {
    MapEvening evening;
    double cellDegrees = 0;
    int columns = 0;
    int rows = 0;
    std::vector<MapZone> zones;  // row by row
    bool complete = false;       // false when it was cancelled: zones are missing

    MapZone zone(int row, int column) const { return zones[std::size_t(row * columns + column)]; }
    // The cell that holds a place.
    MapZone at(double latitude, double longitude) const;
    double latitudeOf(int row) const { return 90 - (row + 0.5) * cellDegrees; }
    double longitudeOf(int column) const { return -180 + (column + 0.5) * cellDegrees; }
};

// The map at cell centres; cellDegrees must divide 180. `cancelled` is asked before every row:
// once it says yes the map comes back incomplete at once.
VisibilityMap visibilityMap(const SkyTrack& track, const MapEvening& evening, double cellDegrees,
                            const std::function<bool()>& cancelled = {});

} // namespace vkt::astro
