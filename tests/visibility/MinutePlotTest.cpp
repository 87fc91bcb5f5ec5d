#include "astro/MoonPhases.h"
#include "presentation/Places.h"
#include "presentation/TimeTexts.h"
#include "windows/visibility/MinutePlot.h"
#include "windows/visibility/MinutePlotPanel.h"

#include <gtest/gtest.h>
#include <cmath>

namespace vkt::testing {
namespace {

// The best time is marked where it falls between the evening's ends, the pointer there says so,
// and the curves run from the plot's one side to the other. A place abroad, in its own zone.
TEST(MinutePlotTest, BestTimeIsMarkedWhereItFallsAndThePointerTellsIt)
{
    astro::Ephemeris ephemeris;
    const astro::Place lima{QStringLiteral("Lima"), -12.05, -77.04, 150, QByteArrayLiteral("America/Lima")};
    const astro::CivilZone zone(lima.timeZone);
    const astro::JulianDay newMoon = astro::newMoons(ephemeris, astro::julianDay(2026, 3, 10), astro::julianDay(2026, 3, 25)).front();
    const astro::CrescentRun run = astro::crescentRun(ephemeris, lima, newMoon, 3);
    for (const astro::CrescentEvening& c : {run.evenings[1], run.mornings[1]}) {
        SCOPED_TRACE(c.twilight == astro::Twilight::Evening ? "evening" : "morning");
        ASSERT_TRUE(c.moonUp);
        const astro::CrescentProfile profile = astro::crescentProfile(ephemeris, lima, c);
        const QSize size(500, 260);
        const MinutePlot plot(profile, zone);
        const QRectF area = MinutePlot::plotArea(size);
        EXPECT_DOUBLE_EQ(plot.xAt(size, profile.samples.front().ut), area.left());
        EXPECT_DOUBLE_EQ(plot.xAt(size, profile.samples.back().ut), area.right());
        // At the best time's x, a column of the marker's orange from the top of the plot down.
        const double x = plot.xAt(size, c.best);
        const double fraction = (c.best - profile.samples.front().ut) / (profile.samples.back().ut - profile.samples.front().ut);
        EXPECT_NEAR(fraction, c.twilight == astro::Twilight::Evening ? 4.0 / 9 : 5.0 / 9, 0.01);
        const QImage image = plot.render(size);
        int marked = 0;
        for (int y = int(area.top()) + 20; y < int(area.bottom()); ++y)
            marked += image.pixelColor(int(std::lround(x)), y) == QColor(0xFF, 0xC0, 0x80);
        EXPECT_GT(marked, area.height() / 2);

        MinutePlotPanel panel(nullptr);
        panel.resize(size);
        panel.showProfile(profile, zone);
        const QString tip = panel.tipAt(QPoint(int(std::lround(x)), int(area.center().y())));
        EXPECT_TRUE(tip.startsWith(presentation::timeText(zone, c.best) + QStringLiteral(" (legjobb időpont): a Hold "))) << tip.toStdString();
        EXPECT_TRUE(panel.tipAt(QPoint(2, 2)).isEmpty());
    }
}

} // namespace
} // namespace vkt::testing
