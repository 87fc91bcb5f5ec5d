#include "core/Phase.h"

#include <cmath>
#include <gtest/gtest.h>

namespace vkt {
namespace {

// Ages fold into one cycle from either side of a new moon; the bounds are covered below.
TEST(ClassifyPhaseTest, FoldsAndClassifies)
{
    const struct {
        double signedDays, phaseAge;
        const char16_t* name;
        const char* picture;
    } cases[] = {
        {29.5, 29.5, u"Újhold", "000-ujhold.gif"},
        {29.6, 29.6 - kSynodicMonth, u"Újhold", "000-ujhold.gif"},
        {35, 35 - kSynodicMonth, u"Növekvő sarló", "010-novekvo.gif"},
        {59.06117736, 0, u"Újhold", "000-ujhold.gif"},
        {10 * kSynodicMonth + 7.5, 7.5, u"Első negyed", "020-negyed.gif"},
        {10, 10, u"Növekvő hold", "030-novekvo.gif"},
        {-10, kSynodicMonth - 10, u"Fogyó hold", "050-fogyo.gif"},
        {22, 22, u"Utolsó negyed", "060-utolso.gif"},
        {-1, 28.53058868, u"Újhold", "000-ujhold.gif"},
        {-3, 26.53058868, u"Fogyó sarló", "070-fogyo.gif"},
        {-29.53058868, 0, u"Újhold", "000-ujhold.gif"},
        {-3 * kSynodicMonth - 15, kSynodicMonth - 15, u"Telihold", "040-telihold.gif"},
    };
    for (const auto& c : cases) {
        const Phase phase = ClassifyPhase(c.signedDays);
        EXPECT_NEAR(phase.phaseAge, c.phaseAge, 1e-9) << c.signedDays;
        EXPECT_EQ(phase.name, QString::fromUtf16(c.name)) << c.signedDays;
        EXPECT_EQ(phase.pictureFile, QString::fromLatin1(c.picture)) << c.signedDays;
    }
}

// Every bound is strict: the bound itself belongs to the next row, the double just below it to its own.
TEST(PhaseTableTest, EveryBoundIsExclusiveAndTheAgeStaysInsideOneCycle)
{
    for (std::size_t i = 0; i < PhaseTable.size(); ++i) {
        const double bound = PhaseTable[i].upperBound;
        const char* next = i + 1 < PhaseTable.size() ? PhaseTable[i + 1].pictureFile : "000-ujhold.gif";
        EXPECT_EQ(ClassifyPhase(std::nextafter(bound, 0.0)).pictureFile, QString::fromLatin1(PhaseTable[i].pictureFile))
            << "bound " << bound;
        EXPECT_EQ(ClassifyPhase(bound).pictureFile, QString::fromLatin1(next)) << "bound " << bound;
    }
    // A hair before a new moon, lost when folded into the cycle, is the new moon itself, not the cycle's end.
    EXPECT_EQ(ClassifyPhase(-1e-16).phaseAge, 0);
}

TEST(IlluminationTest, BothFactorsBothSignsAndTheCutAndClampEdges)
{
    const struct {
        double signedDays, with53, with54;
    } cases[] = {{0, 0, 0}, {0.5, 0.3596, 0.3653}, {1, 1.2551, 1.2777}, {7.3826, 53.06, 54.06}, {14.765, 100, 100},
                 {29, 0.3974, 0.4037}};
    for (const auto& c : cases) {
        for (const double sign : {1.0, -1.0}) {
            EXPECT_NEAR(IlluminationPercent(sign * c.signedDays, IlluminationFactor::LastObservation), c.with53, 1e-3);
            EXPECT_NEAR(IlluminationPercent(sign * c.signedDays, IlluminationFactor::Now), c.with54, 1e-3);
        }
    }
    // Just above the cut the value is kept as it is; below it, it drops to 0.
    double lastZero = 0, firstLit = 0;
    for (double d = 0; d < 1; d += 1e-4) {
        const double p = IlluminationPercent(d, IlluminationFactor::LastObservation);
        if (p == 0)
            lastZero = d;
        else if (firstLit == 0)
            firstLit = d;
    }
    EXPECT_NEAR(lastZero * 24, 8.2, 0.1);  // about 8.2 hours either side of new moon
    const double firstPercent = IlluminationPercent(firstLit, IlluminationFactor::LastObservation);
    EXPECT_TRUE(firstPercent >= 0.2 && firstPercent < 0.21) << firstPercent;
    // The clamp holds about 2.27 days either side of full moon with 53, 2.60 with 54.
    const double full = kSynodicMonth / 2;
    EXPECT_EQ(IlluminationPercent(full + 2.2, IlluminationFactor::LastObservation), 100);
    EXPECT_LT(IlluminationPercent(full + 2.35, IlluminationFactor::LastObservation), 100);
    EXPECT_EQ(IlluminationPercent(full - 2.55, IlluminationFactor::Now), 100);
    EXPECT_LT(IlluminationPercent(full - 2.65, IlluminationFactor::Now), 100);
}

} // namespace
} // namespace vkt
