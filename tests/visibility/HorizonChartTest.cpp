#include "astro/MoonPhases.h"
#include "presentation/Places.h"
#include "windows/visibility/HorizonChart.h"

#include <gtest/gtest.h>
#include <cmath>
#include <utility>

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
    QPointF sum;
    for (int row = 0; row < image.height(); ++row)
        for (int column = 0; column < image.width(); ++column)
            if (const QColor c = image.pixelColor(column, row); c.red() > 200 && c.green() > 200 && c.blue() > 150) {
                ++lit.count;
                sum += QPointF(column, row);
            }
    if (lit.count)
        lit.centroid = sum / lit.count;
    return lit;
}

// Budapest's evenings and a morning round the new moon of 2026-03-19, and mornings at Reykjavík
// when the Moon rises far round the horizon from the Sun (56° in June) or the Sun is 18° down
// (September): the view widens and deepens to hold both, the Moon's disc whole where the chart
// places it, its light towards the Sun. A Moon further round than the widest view is pointed to
// at the edge on its side. However narrow, the caption's lines stand inside the picture: nothing
// written touches its bottom edge.
TEST(HorizonChartTest, SunAndMoonStandOnTheChartTheBrightLimbFacesTheSunAndTheCaptionFits)
{
    astro::Ephemeris ephemeris;
    const astro::Place reykjavik{QStringLiteral("Reykjavík"), 64.15, -21.94, 0, QByteArrayLiteral("Atlantic/Reykjavik")};
    const QSize size(610, 380);
    const struct { astro::Place place; QDate date; Twilight twilight; } cases[] = {
        {presentation::budapest(), QDate(2026, 3, 20), Twilight::Evening},
        {presentation::budapest(), QDate(2026, 3, 21), Twilight::Evening},
        {presentation::budapest(), QDate(2026, 3, 16), Twilight::Morning},
        {reykjavik, QDate(2026, 6, 11), Twilight::Morning},
        {reykjavik, QDate(2026, 9, 7), Twilight::Morning},
    };
    int previousCount = 0;
    for (const auto& k : cases) {
        SCOPED_TRACE(k.place.name.toStdString() + " " + k.date.toString(Qt::ISODate).toStdString());
        const auto c = astro::crescentEvening(ephemeris, k.place, k.date, k.twilight);
        ASSERT_TRUE(c && c->moonUp);
        const HorizonChart chart(*c, presentation::hungarianTime());
        ASSERT_TRUE(chart.moonOnChart());
        const QRectF plot = chart.plotArea(size);
        // The view's azimuths across the plot, its altitudes down it.
        const HorizonChart::View& v = chart.view();
        const auto place = [&](double azimuth, double altitude) {
            const double fromMiddle = astro::wrap180(azimuth - c->sunAzimuth) - v.middle;
            return QPointF(plot.left() + (fromMiddle + v.halfWidth) / (2 * v.halfWidth) * plot.width(),
                           plot.top() + (v.top - altitude) / (v.top - v.bottom) * plot.height());
        };
        const QPointF moon = place(c->moonAzimuth, c->moonAltitude), sun = place(c->sunAzimuth, c->sunAltitude);
        const double r = HorizonChart::kMoonRadius, s = HorizonChart::kSunRadius;
        EXPECT_TRUE(plot.contains(QRectF(moon.x() - r, moon.y() - r, 2 * r, 2 * r))) << moon.x() << ", " << moon.y();
        EXPECT_TRUE(plot.contains(QRectF(sun.x() - s, sun.y() - s, 2 * s, 2 * s))) << sun.x() << ", " << sun.y();
        // Evening: the Sun west of south, the waxing Moon south of it (left); morning: mirrored.
        EXPECT_EQ(k.twilight == Twilight::Evening, sun.x() > moon.x());
        EXPECT_GT(sun.y(), place(c->sunAzimuth, 0).y());  // below the horizon

        const Lit lit = litPixels(chart.render(size));
        ASSERT_GT(lit.count, 0);
        const QPointF fromCentre = lit.centroid - moon;
        const double distance = std::hypot(fromCentre.x(), fromCentre.y());
        // A thin crescent: its light lies well off the centre, inside the disc, towards the Sun.
        EXPECT_GT(distance, r / 3);
        EXPECT_LT(distance, r);
        const QPointF toSun = sun - moon;
        EXPECT_GT((fromCentre.x() * toSun.x() + fromCentre.y() * toSun.y()) / (distance * std::hypot(toSun.x(), toSun.y())), 0.95);
        // Thicker the day after: more of the disc is lit.
        if (k.twilight == Twilight::Evening) {
            EXPECT_GT(lit.count, std::exchange(previousCount, lit.count));
        }
        for (const int width : {300, 380, 460, 800}) {
            const QImage narrow = chart.render(QSize(width, 160));
            QImage blank(width, 2, narrow.format());
            blank.fill(Qt::black);
            EXPECT_EQ(narrow.copy(0, 158, width, 2), blank) << width;
            EXPECT_GT(chart.plotArea(narrow.size()).height(), 40) << width;
        }
    }

    // The Moon 170° round from the Sun, east of it: beyond the widest view.
    astro::CrescentEvening far = *astro::crescentEvening(ephemeris, reykjavik, QDate(2026, 6, 11), Twilight::Morning);
    far.moonAzimuth = std::fmod(far.sunAzimuth + 170, 360);
    const HorizonChart chart(far, presentation::hungarianTime());
    EXPECT_FALSE(chart.moonOnChart());
    const QRectF plot = chart.plotArea(size);
    // An arrow in the Moon's light at the right edge, none at the left (its words stand beside it).
    const QImage image = chart.render(size);
    const auto edge = [&](double x) { return litPixels(image.copy(QRectF(x, plot.top(), 20, plot.height()).toRect())).count; };
    EXPECT_GT(edge(plot.right() - 20), 60);
    EXPECT_EQ(edge(plot.left()), 0);
}

} // namespace
} // namespace vkt::testing
