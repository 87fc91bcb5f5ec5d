#include "services/TimeZones.h"

#include <gtest/gtest.h>

namespace vkt {
namespace {

TEST(TimeZones, TableLinesAreReadWithTheirCoordinatesAndOthersPassedOver)
{
    const QByteArray table = "# tzdb timezone descriptions\n"
                             "#codes\tcoordinates\tTZ\tcomments\n"
                             "HU\t+4730+01905\tEurope/Budapest\n"
                             "SN,GM\t+1440-01726\tAfrica/Dakar\r\n"
                             "US\t+404251-0740023\tAmerica/New_York\tEastern (most areas)\n"
                             "FJ\t-1808+17825\tPacific/Fiji\n"
                             "XX\t+4730\tBroken/NoLongitude\n"
                             "XX\t4730+01905\tBroken/NoSign\n"
                             "XX\t+4730+01905\n"
                             "\n";
    const std::vector<ZoneLocation> zones = readZoneTable(table);
    ASSERT_EQ(zones.size(), 4u);
    const struct {
        const char* zone;
        double latitude, longitude;
    } expected[] = {{"Europe/Budapest", 47.5, 19 + 5 / 60.0},
                    {"Africa/Dakar", 14 + 40 / 60.0, -(17 + 26 / 60.0)},
                    {"America/New_York", 40 + 42 / 60.0 + 51 / 3600.0, -(74 + 0 / 60.0 + 23 / 3600.0)},
                    {"Pacific/Fiji", -(18 + 8 / 60.0), 178 + 25 / 60.0}};
    for (std::size_t i = 0; i < zones.size(); ++i) {
        EXPECT_EQ(zones[i].zone, QByteArray(expected[i].zone));
        EXPECT_NEAR(zones[i].latitude, expected[i].latitude, 1e-9) << expected[i].zone;
        EXPECT_NEAR(zones[i].longitude, expected[i].longitude, 1e-9) << expected[i].zone;
    }

    // Along the surface: across the date line, and nearer in degrees of longitude is not nearer.
    const struct {
        double latitude, longitude;
        const char* zone;
    } places[] = {{-17, -179.9, "Pacific/Fiji"}, {70, -17.4, "Europe/Budapest"}, {30, -10, "Africa/Dakar"},
                  {40, -60, "America/New_York"}};
    for (const auto& p : places)
        EXPECT_EQ(nearestZone(zones, p.latitude, p.longitude), QByteArray(p.zone)) << p.zone;
    EXPECT_TRUE(nearestZone({}, 0, 0).isEmpty());
}

} // namespace
} // namespace vkt
