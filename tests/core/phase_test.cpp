#include "Phase.h"

#include <cmath>
#include <gtest/gtest.h>

namespace vkt {
namespace {

struct PhaseCase {
    const char* label;
    double signedDays;
    double phaseAge;
    const char16_t* name;
    const char* picture;
};

class ClassifyPhaseTest : public ::testing::TestWithParam<PhaseCase> {};

TEST_P(ClassifyPhaseTest, FoldsAndClassifies)
{
    const PhaseCase& c = GetParam();
    const Phase phase = ClassifyPhase(c.signedDays);
    EXPECT_NEAR(phase.phaseAge, c.phaseAge, 1e-9);
    EXPECT_EQ(phase.name, QString::fromUtf16(c.name));
    EXPECT_EQ(phase.pictureFile, QString::fromLatin1(c.picture));
}

INSTANTIATE_TEST_SUITE_P(
    Ages, ClassifyPhaseTest,
    ::testing::Values(
        PhaseCase{"zero", 0, 0, u"Újhold", "000-ujhold.gif"},
        PhaseCase{"below_first_bound", 1.83, 1.83, u"Újhold", "000-ujhold.gif"},
        PhaseCase{"first_bound_is_next_row", 1.84, 1.84, u"Növekvő sarló", "004-novekvo.gif"},
        PhaseCase{"second_bound", 2.1, 2.1, u"Növekvő sarló", "010-novekvo.gif"},
        PhaseCase{"fourth_bound", 6.95, 6.95, u"Első negyed", "020-negyed.gif"},
        PhaseCase{"full", 14.765, 14.765, u"Telihold", "040-telihold.gif"},
        PhaseCase{"last_waning_row", 28.19, 28.19, u"Fogyó sarló", "073-fogyo.gif"},
        PhaseCase{"last_bound_is_new_again", 28.2, 28.2, u"Újhold", "000-ujhold.gif"},
        PhaseCase{"end_of_cycle", 29.5, 29.5, u"Újhold", "000-ujhold.gif"},
        PhaseCase{"just_past_one_cycle", 29.6, 29.6 - kSynodicMonth, u"Újhold", "000-ujhold.gif"},
        PhaseCase{"day_31", 31, 31 - kSynodicMonth, u"Újhold", "000-ujhold.gif"},
        PhaseCase{"day_35", 35, 35 - kSynodicMonth, u"Növekvő sarló", "010-novekvo.gif"},
        PhaseCase{"exactly_two_cycles", 59.06117736, 0, u"Újhold", "000-ujhold.gif"},
        PhaseCase{"many_cycles_later", 10 * kSynodicMonth + 7.5, 7.5, u"Első negyed", "020-negyed.gif"},
        PhaseCase{"one_day_before", -1, 28.53058868, u"Újhold", "000-ujhold.gif"},
        PhaseCase{"three_days_before", -3, 26.53058868, u"Fogyó sarló", "070-fogyo.gif"},
        PhaseCase{"half_day_before", -0.5, 29.03058868, u"Újhold", "000-ujhold.gif"},
        PhaseCase{"one_cycle_before", -29.53058868, 0, u"Újhold", "000-ujhold.gif"},
        PhaseCase{"several_cycles_before", -3 * kSynodicMonth - 15, kSynodicMonth - 15, u"Telihold",
                  "040-telihold.gif"}),
    [](const auto& info) { return std::string(info.param.label); });

// Every bound is strict: the bound itself belongs to the next row, the double just below it to its own.
TEST(PhaseTableTest, EveryBoundIsExclusive)
{
    for (std::size_t i = 0; i < PhaseTable.size(); ++i) {
        const double bound = PhaseTable[i].upperBound;
        const Phase below = ClassifyPhase(std::nextafter(bound, 0.0));
        const Phase at = ClassifyPhase(bound);
        EXPECT_EQ(below.pictureFile, QString::fromLatin1(PhaseTable[i].pictureFile)) << "bound " << bound;
        const char* next = i + 1 < PhaseTable.size() ? PhaseTable[i + 1].pictureFile : "000-ujhold.gif";
        EXPECT_EQ(at.pictureFile, QString::fromLatin1(next)) << "bound " << bound;
    }
}

TEST(PhaseTableTest, PhaseAgeStaysInsideOneCycle)
{
    for (double d = -100; d <= 100; d += 0.37) {
        const double age = ClassifyPhase(d).phaseAge;
        EXPECT_GE(age, 0.0) << d;
        EXPECT_LT(age, kSynodicMonth) << d;
    }
    // A hair below a whole cycle must not fold onto the cycle's end.
    EXPECT_LT(ClassifyPhase(-std::nextafter(kSynodicMonth, 0.0)).phaseAge, kSynodicMonth);
}

struct IlluminationCase {
    const char* label;
    double signedDays;
    double with53;
    double with54;
};

class IlluminationTest : public ::testing::TestWithParam<IlluminationCase> {};

TEST_P(IlluminationTest, BothFactorsAndBothSigns)
{
    const IlluminationCase& c = GetParam();
    for (const double sign : {1.0, -1.0}) {
        EXPECT_NEAR(IlluminationPercent(sign * c.signedDays, IlluminationFactor::LastObservation), c.with53, 1e-3);
        EXPECT_NEAR(IlluminationPercent(sign * c.signedDays, IlluminationFactor::Now), c.with54, 1e-3);
    }
}

INSTANTIATE_TEST_SUITE_P(Ages, IlluminationTest,
                         ::testing::Values(IlluminationCase{"new_moon_below_cut", 0, 0, 0},
                                           IlluminationCase{"half_day", 0.5, 0.3596, 0.3653},
                                           IlluminationCase{"one_day", 1, 1.2551, 1.2777},
                                           IlluminationCase{"quarter", 7.3826, 53.06, 54.06},
                                           IlluminationCase{"full_clamped", 14.765, 100, 100},
                                           IlluminationCase{"day_29", 29, 0.3974, 0.4037}),
                         [](const auto& info) { return std::string(info.param.label); });

TEST(IlluminationTest, CutAndClampEdges)
{
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
    EXPECT_GE(IlluminationPercent(firstLit, IlluminationFactor::LastObservation), 0.2);
    EXPECT_LT(IlluminationPercent(firstLit, IlluminationFactor::LastObservation), 0.21);
    // The clamp holds about 2.27 days either side of full moon with 53, 2.60 with 54.
    const double full = kSynodicMonth / 2;
    EXPECT_EQ(IlluminationPercent(full + 2.2, IlluminationFactor::LastObservation), 100);
    EXPECT_LT(IlluminationPercent(full + 2.35, IlluminationFactor::LastObservation), 100);
    EXPECT_EQ(IlluminationPercent(full - 2.55, IlluminationFactor::Now), 100);
    EXPECT_LT(IlluminationPercent(full - 2.65, IlluminationFactor::Now), 100);
}

} // namespace
} // namespace vkt
