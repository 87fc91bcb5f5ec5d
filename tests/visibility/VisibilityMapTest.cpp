#include "astro/VisibilityMap.h"
#include "presentation/Places.h"
#include "windows/visibility/VisibilityMapPicture.h"

#include <gtest/gtest.h>

namespace vkt::astro {
namespace {

// The evening of 2026-03-19 on a map of 10° cells, every cell in that zone.
VisibilityMap coarseMap(MapZone zone)
{
    VisibilityMap map{{QDate(2026, 3, 19), Twilight::Evening}, 10, 36, 18, {}, true};
    map.zones.assign(36 * 18, zone);
    return map;
}

// How far q lies from the nearest class boundary.
double nearestBoundary(double q)
{
    double nearest = 1;
    for (const double b : {0.216, -0.014, -0.160, -0.232, -0.293})
        nearest = std::min(nearest, std::abs(q - b));
    return nearest;
}

// A map cell at a place against the library's own single-place computation for the same local
// evening: interpolated positions and a sea-level horizon may move q by little. Near the poles the
// Moon may set (rise) for a while only, and the cells there are found as the single place is.
TEST(VisibilityMapTest, ZoneOfAPlaceIsTheSinglePlaceResult)
{
    // Around the new moon of 2026-03-19 01:23 UT: the first evening after, the last morning before;
    // and the evening after that of 2026-06-15 02:54 UT, with the Moon skimming the northern horizon.
    const MapEvening evening{QDate(2026, 3, 19), Twilight::Evening}, morning{QDate(2026, 3, 18), Twilight::Morning};
    const MapEvening june{QDate(2026, 6, 15), Twilight::Evening};
    const struct { const char* name; double latitude, longitude; const char* zone; MapEvening evening; } cases[] = {
        {"Budapest", 47.5, 19.05, "Europe/Budapest", evening},
        {"Mekka", 21.42, 39.83, "Asia/Riyadh", evening},
        {"Jakarta", -6.2, 106.8, "Asia/Jakarta", evening},
        {"Fokváros", -33.9, 18.4, "Africa/Johannesburg", evening},
        {"Lima", -12.05, -77.04, "America/Lima", evening},
        {"Los Angeles", 34.05, -118.24, "America/Los_Angeles", evening},
        {"Reykjavík", 64.15, -21.94, "Atlantic/Reykjavik", evening},
        {"Tokió", 35.68, 139.69, "Asia/Tokyo", evening},
        {"Budapest", 47.5, 19.05, "Europe/Budapest", morning},
        {"Honolulu", 21.3, -157.86, "Pacific/Honolulu", morning},
        {"Sydney", -33.87, 151.21, "Australia/Sydney", morning},
        // The Moon dips under the horizon for a few hours after sunset, or before sunrise.
        {"81,5° É", 81.5, -65.5, "UTC-04:00", evening},
        {"84,5° É", 84.5, 93.5, "UTC+06:00", evening},
        {"63,5° É", 63.5, -144.5, "UTC-10:00", june},
        {"81,5° D", -81.5, 119.5, "UTC+08:00", morning},
        {"86,5° D", -86.5, -126.5, "UTC-08:00", morning},
    };
    Ephemeris ephemeris;
    for (const MapEvening& map : {evening, morning, june}) {
        const SkyTrack track = skyTrackFor(ephemeris, map);
        const VisibilityMap whole = visibilityMap(track, map, 1);
        ASSERT_TRUE(whole.complete);
        for (const auto& c : cases) {
            if (!(c.evening == map))
                continue;
            SCOPED_TRACE(c.name);
            const Place place{QString::fromUtf8(c.name), c.latitude, c.longitude, 0, c.zone};
            const auto single = crescentEvening(ephemeris, place, map.date, map.twilight);
            ASSERT_TRUE(single);
            EXPECT_EQ(mapEveningOf(*single, place), map);
            const auto cell = mapCrescent(track, map, c.latitude, c.longitude);
            ASSERT_TRUE(cell);
            ASSERT_EQ(cell->moonUp, single->moonUp);
            // Where the Moon only skims the horizon an arc second of altitude moves its crossing by
            // many seconds.
            const double minutes = std::abs(c.latitude) > 60 ? 4 : 1;
            EXPECT_NEAR(cell->sunEvent, single->sunEvent, 1.0 / 1440);
            EXPECT_NEAR(cell->moonEvent, single->moonEvent, minutes / 1440);
            EXPECT_NEAR(cell->q, single->q, 0.001);
            // The whole map, its cell half a degree off the place at most.
            if (nearestBoundary(single->q) > 0.03) {
                EXPECT_EQ(whole.at(c.latitude, c.longitude), single->moonUp ? MapZone(int(single->yallop)) : MapZone::None);
            }
        }
    }
}

TEST(VisibilityMapTest, CancellingStopsBeforeTheNextRow)
{
    Ephemeris ephemeris;
    const MapEvening evening{QDate(2026, 3, 19), Twilight::Evening};
    int asked = 0;
    const VisibilityMap map = visibilityMap(skyTrackFor(ephemeris, evening), evening, 2, [&] { return ++asked > 10; });
    EXPECT_FALSE(map.complete);
    EXPECT_EQ(asked, 11);
    EXPECT_EQ(std::pair(map.rows, map.columns), std::pair(90, 180));
}

// Cells are drawn where their places are (north up, east right). Over the sea and over land alike
// each visible zone keeps a tint of its own, apart from the others and from the clear ground.
TEST(VisibilityMapTest, PictureTintsEachCellInItsPlaceAndKeepsTheZonesApartOverSeaAndLand)
{
    VisibilityMap map = coarseMap(MapZone::None);
    const Place place = presentation::budapest();
    const QSize size(720, 360 + VisibilityMapPicture::kLegendHeight);
    const QImage clear = VisibilityMapPicture(map, place).render(size);
    map.zones[std::size_t(6 * 36 + 28)] = MapZone::A;  // 20..30° N, 100..110° E
    const QImage tinted = VisibilityMapPicture(map, place).render(size);
    const auto pixel = [&](const QImage& image, double latitude, double longitude) {
        return image.pixelColor(VisibilityMapPicture::at(size, latitude, longitude).toPoint());
    };
    EXPECT_GT(pixel(tinted, 25, 105).green(), pixel(clear, 25, 105).green() + 40);
    // Its mirror images, and where a cell's tint would land one cell off.
    for (const auto& [latitude, longitude] : {std::pair{-25.0, 105.0}, {25.0, -105.0}, {25.0, 125.0}, {5.0, 105.0}})
        EXPECT_EQ(pixel(tinted, latitude, longitude), pixel(clear, latitude, longitude)) << latitude << " " << longitude;

    std::vector<QImage> pictures;
    for (const MapZone zone : {MapZone::A, MapZone::B, MapZone::C, MapZone::D, MapZone::None})
        pictures.push_back(VisibilityMapPicture(coarseMap(zone), place).render(size));
    // The Pacific, the Atlantic, the Sahara, Amazonia, Siberia.
    for (const auto& [latitude, longitude] : {std::pair{-10, -140}, {25, -45}, {23, 10}, {-5, -62}, {62, 100}})
        for (std::size_t i = 0; i < pictures.size(); ++i)
            for (std::size_t j = i + 1; j < pictures.size(); ++j) {
                const QColor a = pixel(pictures[i], latitude, longitude), b = pixel(pictures[j], latitude, longitude);
                EXPECT_GE(std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue()), 60)
                    << latitude << " " << longitude << ": " << a.name().toStdString() << " " << b.name().toStdString();
            }
}

} // namespace
} // namespace vkt::astro
