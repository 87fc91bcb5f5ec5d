#include "astro/MoonPhases.h"
#include "astro/VisibilityMap.h"
#include "presentation/Places.h"
#include "windows/visibility/ObservingSheet.h"
#include "windows/visibility/PanelLook.h"

#include <QImage>
#include <gtest/gtest.h>
#include <set>

namespace vkt::testing {
namespace {

// Budapest round the new moon of 2026-03-19, the second evening selected, with its coarse map,
// drawn on an image of A4's shape and on one lying on its side: dark on white, the class cells of
// both scales in their colours, and on the wide page the whole sheet scaled into its height.
TEST(ObservingSheetTest, DrawnOnAnImageDarkOnWhiteWithBothScalesWholeOnAnyPage)
{
    astro::Ephemeris ephemeris;
    SheetContents contents;
    contents.place = presentation::budapest();
    contents.newMoon = astro::newMoons(ephemeris, astro::julianDay(2026, 3, 18), astro::julianDay(2026, 3, 20)).front();
    const astro::CrescentRun run = astro::crescentRun(ephemeris, contents.place, contents.newMoon, 4);
    contents.evenings.assign(run.mornings.rbegin(), run.mornings.rend());
    contents.evenings.insert(contents.evenings.end(), run.evenings.begin(), run.evenings.end());
    ASSERT_EQ(contents.evenings.size(), 8u);
    contents.selected = 5;
    const astro::MapEvening evening = astro::mapEveningOf(contents.evenings[5], contents.place);
    contents.map = astro::visibilityMap(astro::skyTrackFor(ephemeris, evening), evening, 4);
    contents.made = contents.newMoon + 1;
    const ObservingSheet sheet(contents);

    for (const QSize size : {QSize(794, 1123), QSize(1123, 794)}) {
        SCOPED_TRACE(size.width());
        QImage page(size, QImage::Format_RGB32);
        page.fill(Qt::black);
        sheet.paint(page);
        const double scale = std::min(size.width() / ObservingSheet::kWidth, size.height() / ObservingSheet::kHeight);
        int white = 0, black = 0, beyond = 0;
        std::set<QRgb> shown;
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x) {
                const QRgb pixel = page.pixel(x, y);
                white += pixel == qRgb(255, 255, 255);
                black += pixel == qRgb(0, 0, 0);
                beyond += x > ObservingSheet::kWidth * scale + 2 && pixel != qRgb(255, 255, 255);
                shown.insert(pixel);
            }
        // Paper with ink on it: no part of the window's black background.
        EXPECT_GT(white, size.width() * size.height() / 3);
        EXPECT_LT(black, size.width() * size.height() / 50) << black;
        EXPECT_EQ(beyond, 0);
        for (const astro::CrescentEvening& c : contents.evenings)
            if (c.moonUp) {
                EXPECT_TRUE(shown.count(panelLook::classColour(c.yallop).rgb())) << int(c.yallop);
                EXPECT_TRUE(shown.count(panelLook::classColour(c.odeh).rgb())) << int(c.odeh);
            }
    }
}

} // namespace
} // namespace vkt::testing
