#include "astro/VisibilityMap.h"
#include "presentation/Places.h"
#include "windows/visibility/VisibilityMapPicture.h"

#include <gtest/gtest.h>

namespace vkt::astro {
namespace {

// How far q lies from the nearest class boundary.
double nearestBoundary(double q)
{
    double nearest = 1;
    for (const double b : {0.216, -0.014, -0.160, -0.232, -0.293})
        nearest = std::min(nearest, std::abs(q - b));
    return nearest;
}

// A map cell at a place against the library's own single-place computation for the same local
// evening: interpolated positions and a sea-level horizon may move q by little.
TEST(VisibilityMapTest, ZoneOfAPlaceIsTheSinglePlaceResult)
{
    struct Case {
        const char* name;
        double latitude, longitude;
        const char* zone;
        Twilight twilight;
    };
    // Around the new moon of 2026-03-19 01:23 UT: the first evening after, the last morning before.
    const auto dateOf = [](Twilight t) { return t == Twilight::Evening ? QDate(2026, 3, 19) : QDate(2026, 3, 18); };
    const Case cases[] = {
        {"Budapest", 47.5, 19.05, "Europe/Budapest", Twilight::Evening},
        {"Mekka", 21.42, 39.83, "Asia/Riyadh", Twilight::Evening},
        {"Jakarta", -6.2, 106.8, "Asia/Jakarta", Twilight::Evening},
        {"Fokváros", -33.9, 18.4, "Africa/Johannesburg", Twilight::Evening},
        {"Lima", -12.05, -77.04, "America/Lima", Twilight::Evening},
        {"Los Angeles", 34.05, -118.24, "America/Los_Angeles", Twilight::Evening},
        {"Reykjavík", 64.15, -21.94, "Atlantic/Reykjavik", Twilight::Evening},
        {"Tokió", 35.68, 139.69, "Asia/Tokyo", Twilight::Evening},
        {"Budapest", 47.5, 19.05, "Europe/Budapest", Twilight::Morning},
        {"Honolulu", 21.3, -157.86, "Pacific/Honolulu", Twilight::Morning},
        {"Sydney", -33.87, 151.21, "Australia/Sydney", Twilight::Morning},
    };
    Ephemeris ephemeris;
    for (const Twilight twilight : {Twilight::Evening, Twilight::Morning}) {
        const MapEvening map{dateOf(twilight), twilight};
        const SkyTrack track = skyTrackFor(ephemeris, map);
        const VisibilityMap whole = visibilityMap(track, map, 1);
        ASSERT_TRUE(whole.complete);
        for (const Case& c : cases) {
            if (c.twilight != twilight)
                continue;
            SCOPED_TRACE(c.name);
            const Place place{QString::fromUtf8(c.name), c.latitude, c.longitude, 0, c.zone};
            const auto single = crescentEvening(ephemeris, place, map.date, twilight);
            ASSERT_TRUE(single);
            EXPECT_EQ(mapEveningOf(*single, place), map);
            const auto cell = mapCrescent(track, map, c.latitude, c.longitude);
            ASSERT_TRUE(cell);
            ASSERT_EQ(cell->moonUp, single->moonUp);
            EXPECT_NEAR(cell->sunEvent, single->sunEvent, 1.0 / 1440);
            EXPECT_NEAR(cell->moonEvent, single->moonEvent, 1.0 / 1440);
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
    EXPECT_EQ(map.rows, 90);
    EXPECT_EQ(map.columns, 180);
}

// Cells are drawn where their places are (north up, east right), under the observer's mark.
TEST(VisibilityMapTest, PictureTintsTheCellsOfTheVisibleZonesAndMarksThePlace)
{
    VisibilityMap map{{QDate(2026, 3, 19), Twilight::Evening}, 10, 36, 18, {}, true};
    map.zones.assign(36 * 18, MapZone::None);
    const Place place = presentation::budapest();
    const QSize size(600, 300 + VisibilityMapPicture::kLegendHeight);
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
    EXPECT_EQ(pixel(tinted, place.latitude, place.longitude), QColor(Qt::red));
}

} // namespace
} // namespace vkt::astro
