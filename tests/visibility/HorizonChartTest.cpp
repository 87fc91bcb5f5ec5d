#include "astro/MoonPhases.h"
#include "presentation/Places.h"
#include "windows/visibility/HorizonChart.h"

#include <gtest/gtest.h>
#include <cmath>

namespace vkt::testing {
namespace {

using astro::Twilight;

// The crescent's lit pixels: near the chart's pale yellow.
struct Lit {
    int count = 0;
    QPointF centroid;
};
Lit litPixels(const QImage& image)
{
    Lit lit;
    double x = 0, y = 0;
    for (int row = 0; row < image.height(); ++row)
        for (int column = 0; column < image.width(); ++column) {
            const QColor c = image.pixelColor(column, row);
            if (c.red() > 200 && c.green() > 200 && c.blue() > 150) {
                ++lit.count;
                x += column;
                y += row;
            }
        }
    if (lit.count)
        lit.centroid = {x / lit.count, y / lit.count};
    return lit;
}

TEST(HorizonChartTest, MoonStandsWhereItIsAndItsBrightLimbFacesTheSun)
{
    astro::Ephemeris ephemeris;
    const astro::JulianDay newMoon =
        astro::newMoons(ephemeris, astro::julianDay(2026, 3, 10), astro::julianDay(2026, 3, 25)).front();
    const QSize size(610, 380);
    const QRectF plot = HorizonChart::plotArea(size);
    struct Case {
        Twilight twilight;
        int day;
    };
    const astro::CrescentRun run = astro::crescentRun(ephemeris, presentation::budapest(), newMoon, 3);
    int previousCount = 0;
    for (const Case& k : {Case{Twilight::Evening, 1}, Case{Twilight::Evening, 2}, Case{Twilight::Morning, 2}}) {
        SCOPED_TRACE(k.day);
        const auto& side = k.twilight == Twilight::Evening ? run.evenings : run.mornings;
        ASSERT_LT(k.day, int(side.size()));
        const astro::CrescentEvening* c = &side[std::size_t(k.day)];
        ASSERT_TRUE(c->day == k.day && c->moonUp);
        const QImage image = HorizonChart(*c, presentation::hungarianTime()).render(size);

        // 80° of azimuth centred on the Sun across the plot, 20° down to −10° of altitude.
        const double offset = astro::wrap180(c->moonAzimuth - c->sunAzimuth);
        ASSERT_LT(std::abs(offset), 40);
        const QPointF moon(plot.left() + (offset + 40) / 80 * plot.width(),
                           plot.top() + (20 - c->moonAltitude) / 30 * plot.height());
        const QPointF sun(plot.center().x(), plot.top() + (20 - c->sunAltitude) / 30 * plot.height());
        // Evening: the Sun west of south, the waxing Moon south of it (left); morning: mirrored.
        EXPECT_EQ(k.twilight == Twilight::Evening, c->sunAzimuth > 180);
        EXPECT_EQ(k.twilight == Twilight::Evening, offset < 0);
        EXPECT_GT(sun.y(), plot.top() + 20.0 / 30 * plot.height());  // below the horizon

        const Lit lit = litPixels(image);
        ASSERT_GT(lit.count, 0);
        const QPointF fromCentre = lit.centroid - moon;
        const double distance = std::hypot(fromCentre.x(), fromCentre.y());
        // A thin crescent: its light lies well off the centre, inside the disc, towards the Sun.
        EXPECT_GT(distance, HorizonChart::kMoonRadius / 3);
        EXPECT_LT(distance, HorizonChart::kMoonRadius);
        const QPointF toSun = sun - moon;
        const double cosine = (fromCentre.x() * toSun.x() + fromCentre.y() * toSun.y()) /
                              (distance * std::hypot(toSun.x(), toSun.y()));
        EXPECT_GT(cosine, 0.95);
        // Thicker the day after: more of the disc is lit.
        if (k.twilight == Twilight::Evening) {
            EXPECT_GT(lit.count, previousCount);
        }
        previousCount = lit.count;
    }
}

} // namespace
} // namespace vkt::testing
