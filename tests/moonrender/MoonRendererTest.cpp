#include "MoonMeasure.h"
#include "MoonRenderer.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <cmath>
#include <stdexcept>

using namespace vkt::moon;
using namespace vkt::moon::testing;

namespace {

// Small pictures keep the run short; 40 px of radius still resolve a two-day crescent.
const Disc kSmall = centredDisc(QSize(96, 96), 40);
constexpr int kLitThreshold = 8;

QImage render(double age, bool earthshine = false, const Disc& disc = kSmall)
{
    return renderMoon(sourceMap(), disc, {age, earthshine, 4});
}

struct AgeCase {
    const char* name;
    double age;
};

class LitPart : public ::testing::TestWithParam<AgeCase> {};

TEST_P(LitPart, CoversTheLitFractionOfThePhaseAngleOnTheSunwardSide)
{
    const double age = GetParam().age;
    const DiscReading reading = readDisc(render(age), kSmall, kLitThreshold);
    const double expected = expectedLitFraction(age);

    EXPECT_NEAR(reading.litFraction, expected, 0.02);
    EXPECT_NEAR(litFraction(age), expected, 1e-5);
    // Waxing light comes from the right (west in the sky), waning from the left.
    const double offset = reading.litCentroidX - kSmall.centre.x();
    if (expected < 0.97) {
        if (age < 29.530588 / 2)
            EXPECT_GT(offset, 2) << "a waxing Moon is lit on the right";
        else
            EXPECT_LT(offset, -2) << "a waning Moon is lit on the left";
    } else {
        EXPECT_NEAR(offset, 0, 1) << "a full Moon is lit evenly";
    }
    // The Sun stays in the lunar equator: the lit part is symmetric about the equator.
    EXPECT_NEAR(reading.litCentroidY, kSmall.centre.y(), 1);
}

INSTANTIATE_TEST_SUITE_P(Ages, LitPart,
                         ::testing::Values(AgeCase{"day1_5", 1.5}, AgeCase{"day2", 2.0},
                                           AgeCase{"thinCrescent", 3.815}, AgeCase{"day5", 5.0},
                                           AgeCase{"firstQuarter", 7.3826}, AgeCase{"waxingGibbous", 11.0},
                                           AgeCase{"full", 14.7653}, AgeCase{"waningGibbous", 18.83},
                                           AgeCase{"lastQuarter", 22.148}, AgeCase{"waningCrescent", 25.0},
                                           AgeCase{"day27", 27.115}, AgeCase{"day28", 28.0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(MoonRenderer, IsDarkAtNewMoonAtEitherEndOfTheCycle)
{
    for (double age : {0.0, 29.5, 29.530588, -0.01}) {
        SCOPED_TRACE(age);
        const DiscReading reading = readDisc(render(age), kSmall, kLitThreshold);
        EXPECT_LT(reading.litFraction, 0.002);
        EXPECT_LT(reading.meanGrey, 0.5);
        EXPECT_LE(reading.brightest, 40);
    }
}

TEST(MoonRenderer, AgesFoldIntoOneSynodicMonth)
{
    struct Case {
        double age;
        double sameAs;
        bool waxing;
    };
    const Case cases[] = {{-1, 28.530588, false}, {29.530588 + 7, 7, true}, {-29.530588 + 20, 20, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.age);
        EXPECT_NEAR(litFraction(c.age), expectedLitFraction(c.sameAs), 1e-5);
        EXPECT_EQ(isWaxing(c.age), c.waxing);
        EXPECT_EQ(render(c.age), render(c.sameAs));
    }
}

TEST(MoonRenderer, EarthshineGlowsFaintlyOnThinCrescentsOnly)
{
    // Patches of the night side: the left part of the disc while the Moon waxes.
    const Disc nightOfCrescent{kSmall.imageSize, kSmall.centre - QPointF(kSmall.radius * 0.45, 0), kSmall.radius * 0.4};
    const Disc nightOfGibbous{kSmall.imageSize, kSmall.centre - QPointF(kSmall.radius * 0.75, 0), kSmall.radius * 0.2};

    const DiscReading thin = readDisc(render(2.0, true), nightOfCrescent, 0);
    EXPECT_GT(thin.meanGrey, 2) << "earthshine shows the dark part of a two-day Moon";
    EXPECT_LT(thin.brightest, 40) << "and stays far fainter than sunlight";
    EXPECT_EQ(readDisc(render(2.0, false), nightOfCrescent, 0).brightest, 0) << "without earthshine the night is black";

    const DiscReading gibbous = readDisc(render(10.0, true), nightOfGibbous, 0);
    EXPECT_LE(gibbous.brightest, 2) << "no earthshine worth showing on a gibbous Moon";
}

TEST(MoonRenderer, DrawsTheDiscWhereAndAsLargeAsAsked)
{
    struct Case {
        const char* name;
        Disc disc;
    };
    const Case cases[] = {
        {"phase picture", centredDisc(QSize(137, 137), 62)},
        {"off centre", {QSize(200, 120), QPointF(60.5, 70.25), 40}},
        {"wide and small", centredDisc(QSize(300, 42), 18)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QImage image = render(14.7653, false, c.disc);
        EXPECT_EQ(image.size(), c.disc.imageSize);
        const DiscReading reading = readDisc(image, c.disc, kLitThreshold);
        EXPECT_NEAR(reading.litFraction, 1, 0.04);
        EXPECT_NEAR(reading.litCentroidX, c.disc.centre.x(), 0.35);
        EXPECT_NEAR(reading.litCentroidY, c.disc.centre.y(), 0.35);
        // Nothing outside the disc but black background.
        const Disc beyond{c.disc.imageSize, c.disc.centre, c.disc.radius + 1.5};
        const DiscReading all = readDisc(image, {c.disc.imageSize, c.disc.centre, 1e6}, 0);
        EXPECT_EQ(all.litPixels, readDisc(image, beyond, 0).litPixels);
    }
}

TEST(MoonRenderer, AntiAliasesTheLimb)
{
    // Off the pixel grid, so that the western limb cuts through pixels along the equator.
    const Disc disc{QSize(96, 96), QPointF(48.6, 48), 40};
    const QImage image = render(14.7653, false, disc);
    int candidates = 0;
    int partial = 0;
    for (int y = 42; y < 54; ++y) {
        const double dy = y + 0.5 - disc.centre.y();
        const double edge = disc.centre.x() - std::sqrt(disc.radius * disc.radius - dy * dy);
        const int x = static_cast<int>(std::floor(edge));
        const double covered = x + 1 - edge;
        if (covered < 0.2 || covered > 0.6)
            continue;
        ++candidates;
        const int cut = qGray(image.pixel(x, y));
        const int inner = qGray(image.pixel(x + 2, y));
        partial += cut > 0 && cut < 0.9 * inner;
        EXPECT_EQ(qGray(image.pixel(x - 1, y)), 0);
    }
    ASSERT_GE(candidates, 3);
    EXPECT_GE(partial, candidates * 4 / 5) << "limb pixels blend the surface with the background";
}

TEST(MoonRenderer, ClipsADiscThatLeavesThePicture)
{
    const Disc corner{QSize(50, 40), QPointF(5, 5), 30};
    const QImage image = render(14.7653, false, corner);
    EXPECT_EQ(image.size(), QSize(50, 40));
    EXPECT_GT(qGray(image.pixel(0, 0)), 0);
    EXPECT_EQ(qGray(image.pixel(49, 39)), 0);
}

TEST(MoonRenderer, PutsTheSeasAndCratersWhereTheMapHasThem)
{
    // Each dark feature against the same place mirrored top–bottom or left–right, which lies in
    // brighter ground: a flipped map or projection would swap them.
    struct Pair {
        const char* name;
        double lat, lon;
        double mirrorLat, mirrorLon;
    };
    const Pair pairs[] = {
        {"Mare Crisium, north and east", 17.0, 59.1, -17.0, 59.1},
        {"Mare Serenitatis", 28.0, 17.5, -28.0, 17.5},
        {"Plato", 51.6, -9.4, -51.6, -9.4},
        {"Mare Humorum, west", -24.4, -38.6, -24.4, 38.6},
        {"Grimaldi, west", -5.2, -68.6, -5.2, 68.6},
    };
    const Disc disc = centredDisc(QSize(240, 240), 110);
    const QImage image = render(14.7653, false, disc);
    for (const Pair& p : pairs) {
        SCOPED_TRACE(p.name);
        ASSERT_TRUE(onNearSide(p.lat, p.lon));
        const double dark = meanGreyAround(image, project(disc, p.lat, p.lon), 2.5);
        const double bright = meanGreyAround(image, project(disc, p.mirrorLat, p.mirrorLon), 2.5);
        EXPECT_LT(dark + 20, bright);
    }
    // The brightest rays spread from Tycho, in the south.
    EXPECT_GT(meanGreyAround(image, project(disc, -43.3, -11.2), 1.5), 200);
}

TEST(CrescentIcon, IsAnOrangeCrescentOpeningToTheRightOnTransparency)
{
    for (int size : {32, 64}) {
        SCOPED_TRACE(size);
        const QImage icon = renderCrescentIcon(sourceMap(), size, 24.1, QColor(0xFF, 0x8C, 0x1A));
        ASSERT_EQ(icon.size(), QSize(size, size));
        ASSERT_TRUE(icon.hasAlphaChannel());
        EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0);
        EXPECT_EQ(qAlpha(icon.pixel(size - 1, size / 2)), 0);
        EXPECT_EQ(qAlpha(icon.pixel(size / 2 + size / 5, size / 2)), 0) << "the hollow of the crescent is open";

        int opaque = 0;
        double sumX = 0;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) {
                const QRgb p = icon.pixel(x, y);
                if (qAlpha(p) < 200)
                    continue;
                ++opaque;
                sumX += x + 0.5;
                EXPECT_GT(qRed(p), qGreen(p));
                EXPECT_GT(qGreen(p), qBlue(p));
            }
        const double area = double(opaque) / (size * size);
        EXPECT_GT(area, 0.12);
        EXPECT_LT(area, 0.35);
        EXPECT_LT(sumX / opaque, size / 2.0 - size / 8.0) << "lit on the left, so it opens to the right";
    }
}

TEST(AlbedoMap, RefusesWhatIsNotAMap)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString missing = folder.filePath(QStringLiteral("no-such-map.jpg"));
    try {
        AlbedoMap::load(missing);
        FAIL() << "a missing map must not load";
    } catch (const std::runtime_error& failure) {
        EXPECT_NE(std::string(failure.what()).find("no-such-map.jpg"), std::string::npos);
    }
    EXPECT_THROW(AlbedoMap{QImage()}, std::invalid_argument);
}

} // namespace
