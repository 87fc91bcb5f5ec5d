// The renderer's geometry measured from the pixels alone, the GIF encoder, and the pictures a
// fresh clone ships, read as the program reads them.
#include "core/Phase.h"
#include "tools/moonrender/GifWriter.h"
#include "tools/moonrender/MoonRenderer.h"
#include "tools/moonrender/ProgramPictures.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>

#include <cmath>
#include <numbers>
#include <stdexcept>

// The icons live in the window services' static library, whose resources register only when called.
static void registerIconResources()
{
    Q_INIT_RESOURCE(icons);
}

using namespace vkt::moon;

namespace {

constexpr double kMonth = 29.530588;
constexpr double kFull = kMonth / 2;
// Small pictures keep the run short; 40 px of radius still resolve a two-day crescent.
const Disc kSmall = centredDisc(QSize(96, 96), 40);

QString sourcePath(const QString& relative)
{
    return qEnvironmentVariable("VKT_SOURCE_DIR") + u'/' + relative;
}

const AlbedoMap& sourceMap()
{
    static const AlbedoMap map = AlbedoMap::load(sourcePath(QStringLiteral("tools/moonrender/moon-albedo-4k.jpg")));
    return map;
}

QImage render(double age, const Disc& disc = kSmall, bool earthshine = false)
{
    return renderMoon(sourceMap(), disc, {age, earthshine, 4});
}

// The formula the pictures must follow, written out here rather than taken from the renderer.
double expectedLitFraction(double ageDays)
{
    return (1 + std::cos((180 - 360 * ageDays / kMonth) * std::numbers::pi / 180)) / 2;
}

// What a picture shows inside a disc, read from the pixels alone.
struct DiscReading {
    double litFraction = 0;  // pixels on the disc brighter than the threshold, over the disc's area
    QPointF litCentroid;     // their mean position
    double brightest = 0;    // grey level 0…255
    double meanGrey = 0;     // over the disc
    int litPixels = 0;
};

DiscReading readDisc(const QImage& image, const Disc& disc, int threshold)
{
    const QImage grey = image.convertToFormat(QImage::Format_Grayscale8);
    DiscReading reading;
    int inside = 0;
    const double reach = disc.radius + 0.75;  // anti-aliased limb pixels lie up to half a pixel beyond
    for (int y = 0; y < grey.height(); ++y)
        for (int x = 0; x < grey.width(); ++x) {
            const QPointF pixel(x + 0.5, y + 0.5);
            const double r2 = QPointF::dotProduct(pixel - disc.centre, pixel - disc.centre);
            const int level = grey.constScanLine(y)[x];
            if (r2 > reach * reach)
                continue;
            ++inside;
            reading.meanGrey += level;
            reading.brightest = std::max(reading.brightest, double(level));
            // A limb pixel counts when its centre lies on the disc, that is when about half of it
            // is covered: the count then matches the area.
            if (level > threshold && r2 <= disc.radius * disc.radius) {
                ++reading.litPixels;
                reading.litCentroid += pixel;
            }
        }
    reading.litFraction = reading.litPixels / (std::numbers::pi * disc.radius * disc.radius);
    reading.litCentroid /= std::max(reading.litPixels, 1);
    reading.meanGrey /= std::max(inside, 1);
    return reading;
}

// Dark at new moon at either end of the cycle; ages fold into one synodic month. Where the full
// Moon's light falls is the disc test's.
TEST(MoonRenderer, LightsThePhaseAnglesFractionOnTheSunwardSide)
{
    for (const double age : {-0.01, 0.0, 1.5, 2.0, 3.815, 5.0, 7.3826, 11.0, 18.83, 22.148, 25.0, 27.115, 28.0, 29.5,
                             kMonth}) {
        SCOPED_TRACE(age);
        const DiscReading reading = readDisc(render(age), kSmall, 8);
        if (expectedLitFraction(age) < 0.001) {
            EXPECT_TRUE(reading.litFraction < 0.002 && reading.meanGrey < 0.5 && reading.brightest <= 40);
            continue;
        }
        EXPECT_NEAR(reading.litFraction, expectedLitFraction(age), 0.02);
        // Waxing light comes from the right (west in the sky), waning from the left.
        const double offset = reading.litCentroid.x() - kSmall.centre.x();
        EXPECT_GT(age < kFull ? offset : -offset, 2);
        // The Sun stays in the lunar equator: the lit part is symmetric about it.
        EXPECT_NEAR(reading.litCentroid.y(), kSmall.centre.y(), 1);
    }
    for (const auto& [age, sameAs] : {std::pair{-1.0, kMonth - 1}, {kMonth + 7, 7.0}, {-kMonth + 20, 20.0}})
        EXPECT_TRUE(render(age) == render(sameAs)) << age;
}

TEST(MoonRenderer, EarthshineGlowsFaintlyOnThinCrescentsOnly)
{
    // Patches of the night side, on the left while the Moon waxes.
    const Disc nightOfCrescent{kSmall.imageSize, kSmall.centre - QPointF(18, 0), 16};
    const Disc nightOfGibbous{kSmall.imageSize, kSmall.centre - QPointF(30, 0), 8};
    const DiscReading thin = readDisc(render(2.0, kSmall, true), nightOfCrescent, 0);
    EXPECT_GT(thin.meanGrey, 2) << "earthshine shows the dark part of a two-day Moon";
    EXPECT_LT(thin.brightest, 40) << "and stays far fainter than sunlight";
    EXPECT_EQ(readDisc(render(2.0), nightOfCrescent, 0).brightest, 0) << "without it the night is black";
    EXPECT_LE(readDisc(render(10.0, kSmall, true), nightOfGibbous, 0).brightest, 2) << "none on a gibbous Moon";
}

TEST(MoonRenderer, DrawsTheDiscWhereAndAsLargeAsAsked)
{
    for (const Disc& disc : {phasePictureDisc(), Disc{QSize(200, 120), QPointF(60.5, 70.25), 40},
                             centredDisc(QSize(300, 42), 18)}) {
        SCOPED_TRACE(disc.imageSize.width());
        const QImage image = render(kFull, disc);
        EXPECT_EQ(image.size(), disc.imageSize);
        const DiscReading reading = readDisc(image, disc, 8);
        EXPECT_NEAR(reading.litFraction, 1, 0.04);
        EXPECT_NEAR(reading.litCentroid.x(), disc.centre.x(), 0.35);
        EXPECT_NEAR(reading.litCentroid.y(), disc.centre.y(), 0.35);
        // Nothing but black background outside the disc.
        EXPECT_EQ(readDisc(image, {disc.imageSize, disc.centre, 1e6}, 0).litPixels,
                  readDisc(image, {disc.imageSize, disc.centre, disc.radius + 1.5}, 0).litPixels);
    }
    // A disc that leaves the picture is clipped.
    const QImage corner = render(kFull, {QSize(50, 40), QPointF(5, 5), 30});
    EXPECT_EQ(corner.size(), QSize(50, 40));
    EXPECT_TRUE(qGray(corner.pixel(0, 0)) > 0 && qGray(corner.pixel(49, 39)) == 0);
}

TEST(MoonRenderer, AntiAliasesTheLimb)
{
    // Off the pixel grid, so that the western limb cuts through pixels along the equator.
    const Disc disc{QSize(96, 96), QPointF(48.6, 48), 40};
    const QImage image = render(kFull, disc);
    int candidates = 0, partial = 0;
    for (int y = 42; y < 54; ++y) {
        const double dy = y + 0.5 - disc.centre.y();
        const double edge = disc.centre.x() - std::sqrt(disc.radius * disc.radius - dy * dy);
        const int x = static_cast<int>(std::floor(edge));
        if (x + 1 - edge < 0.2 || x + 1 - edge > 0.6)
            continue;  // the limb covers too much or too little of this pixel to tell
        ++candidates;
        const int cut = qGray(image.pixel(x, y));
        partial += cut > 0 && cut < 0.9 * qGray(image.pixel(x + 2, y));
        EXPECT_EQ(qGray(image.pixel(x - 1, y)), 0);
    }
    ASSERT_GE(candidates, 3);
    EXPECT_GE(partial, candidates * 4 / 5) << "limb pixels blend the surface with the background";
}

TEST(MoonRenderer, PutsTheSeasAndCratersWhereTheMapHasThem)
{
    // Each dark feature against its mirror image top–bottom or left–right, which lies in brighter
    // ground: a flipped map or projection would swap them.
    const struct {
        const char* name;
        double lat, lon, mirrorLat, mirrorLon;
    } pairs[] = {
        {"Mare Crisium, north and east", 17.0, 59.1, -17.0, 59.1},
        {"Plato", 51.6, -9.4, -51.6, -9.4},
        {"Mare Humorum, west", -24.4, -38.6, -24.4, 38.6},
        {"Grimaldi, west", -5.2, -68.6, -5.2, 68.6},
    };
    const Disc disc = centredDisc(QSize(240, 240), 110);
    const QImage image = render(kFull, disc);
    const auto greyAt = [&](double lat, double lon, double reach) {  // over pixel centres within reach
        return readDisc(image, {disc.imageSize, project(disc, lat, lon), reach - 0.75}, 0).meanGrey;
    };
    for (const auto& p : pairs) {
        EXPECT_TRUE(onNearSide(p.lat, p.lon)) << p.name;
        EXPECT_LT(greyAt(p.lat, p.lon, 2.5) + 20, greyAt(p.mirrorLat, p.mirrorLon, 2.5)) << p.name;
    }
    EXPECT_GT(greyAt(-43.3, -11.2, 1.5), 200) << "the brightest rays spread from Tycho, in the south";
}

TEST(MoonRenderer, RefusesAMissingMapNamingIt)
{
    std::string what;
    try {
        AlbedoMap::load(QStringLiteral("/nonexistent/no-such-map.jpg"));
    } catch (const std::runtime_error& failure) {
        what = failure.what();
    }
    EXPECT_NE(what.find("no-such-map.jpg"), std::string::npos) << what;
    EXPECT_THROW(AlbedoMap{QImage()}, std::invalid_argument);
}

TEST(GreyGif, ReadsBackWithEveryGreyLevelAndSizeUnchanged)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("picture.gif"));
    for (const QSize size : {QSize(1, 1), QSize(137, 137), QSize(300, 7), QSize(7, 300), QSize(1135, 697)}) {
        SCOPED_TRACE(size.width());
        QImage original(size, QImage::Format_Grayscale8);  // every grey level once the picture has 137 × 137
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x)
                original.scanLine(y)[x] = static_cast<uchar>((x * 7 + y * 13 + x * y) % 256);
        writeGreyGif(original, path);
        QImageReader reader(path);
        EXPECT_EQ(reader.size(), size);
        EXPECT_TRUE(reader.read().convertToFormat(QImage::Format_Grayscale8) == original) << "grey levels changed";
    }
    // Colour is reduced to its grey.
    QImage colour(4, 4, QImage::Format_RGB32);
    colour.fill(QColor(200, 60, 20));
    const int grey = colour.convertToFormat(QImage::Format_Grayscale8).constScanLine(2)[2];
    EXPECT_EQ(QImage::fromData(encodeGreyGif(colour), "gif").pixel(2, 2), qRgb(grey, grey, grey));
    // Failures are loud and leave no file behind.
    EXPECT_THROW(encodeGreyGif(QImage()), std::runtime_error);
    EXPECT_THROW(writeGreyGif(colour, folder.filePath(QStringLiteral("missing/picture.gif"))), std::runtime_error);
    EXPECT_FALSE(QFile::exists(folder.filePath(QStringLiteral("missing/picture.gif"))));
}

// A committed picture, as a fresh clone ships it, drawn the size of its disc. What is brighter than
// 24 is lit: earthshine on the night side stays below.
DiscReading readShipped(const QString& name, const Disc& disc)
{
    QImageReader reader(sourcePath(QStringLiteral("Pic/") + name));
    const QSize announced = reader.size();
    const QImage image = reader.read();
    EXPECT_FALSE(image.isNull()) << name.toStdString() << ": " << reader.errorString().toStdString();
    EXPECT_EQ(image.size(), announced) << name.toStdString();
    EXPECT_EQ(image.size(), disc.imageSize) << name.toStdString();
    return readDisc(image, disc, 24);
}

TEST(ShippedPictures, PhasesAreTheTableFilesEachAtTheMiddleOfItsBand)
{
    const std::vector<MoonPicture> pictures = phasePictures();
    ASSERT_EQ(pictures.size(), vkt::PhaseTable.size());
    ASSERT_EQ(phasePictureDisc().imageSize, QSize(137, 137));
    double lower = 0;
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        const vkt::PhaseRow& row = vkt::PhaseTable[i];
        const double age = pictures[i].ageDays;
        SCOPED_TRACE(row.pictureFile);
        EXPECT_EQ(pictures[i].fileName, QLatin1String(row.pictureFile));
        // The new-moon band wraps round the end of the cycle: its picture shows the new Moon itself.
        EXPECT_DOUBLE_EQ(age, i == 0 ? 0 : (lower + row.upperBound) / 2);
        EXPECT_EQ(vkt::ClassifyPhase(age).pictureFile, pictures[i].fileName);
        lower = row.upperBound;

        const DiscReading reading = readShipped(pictures[i].fileName, phasePictureDisc());
        EXPECT_NEAR(reading.litFraction, expectedLitFraction(age), 0.02);
        const double offset = reading.litCentroid.x() - 68.5;
        if (i == 0)
            EXPECT_LE(reading.brightest, 24) << "the new Moon: at most a hint of earthshine";
        else if (std::abs(age - kFull) < 1)
            EXPECT_NEAR(offset, 0, 3);
        else
            EXPECT_GT(age < kFull ? offset : -offset, 3) << "waxing lit on the right, waning on the left";
    }
}

TEST(ShippedPictures, LunarDaysTwoToElevenFillTheMoonMapWindow)
{
    const std::vector<MoonPicture> pictures = lunarDayPictures();
    ASSERT_EQ(pictures.size(), 10u);
    for (int day = 2; day <= 11; ++day) {
        const MoonPicture& picture = pictures[day - 2];
        EXPECT_EQ(picture.fileName, QStringLiteral("Lunar-day%1s.gif").arg(day, 2, 10, QChar(u'0')));
        EXPECT_EQ(picture.ageDays, day);
        const DiscReading reading = readShipped(picture.fileName, lunarDayDisc());
        EXPECT_NEAR(reading.litFraction, expectedLitFraction(day), 0.02) << day;
        EXPECT_GT(reading.litCentroid.x(), lunarDayDisc().centre.x() + 10) << day;
    }
    // JPEG noise and the dark labels' halos aside, the whole near side is lit.
    const DiscReading full = readShipped(QStringLiteral("Lunar-map.jpg"), lunarMapDisc());
    EXPECT_GT(full.litFraction, 0.97);
    EXPECT_NEAR(full.litCentroid.x(), lunarMapDisc().centre.x(), 2);
    EXPECT_NEAR(full.litCentroid.y(), lunarMapDisc().centre.y(), 2);
    // The moon-map window shows them unscaled from 16,16 of its 1167 × 729 client area.
    for (const Disc& disc : {lunarDayDisc(), lunarMapDisc()})
        EXPECT_TRUE(QRect(0, 0, 1167 - 16, 729 - 16).contains(QRect(QPoint(), disc.imageSize)));
}

TEST(ShippedPictures, IconIsAnOrangeCrescentOpeningToTheRightOnTransparency)
{
    registerIconResources();
    for (const int size : {32, 256}) {
        SCOPED_TRACE(size);
        const QImage icon(QStringLiteral(":/icons/vkt-%1.png").arg(size));
        ASSERT_EQ(icon.size(), QSize(size, size));
        EXPECT_TRUE(icon.hasAlphaChannel() && icon.depth() == 32);
        EXPECT_EQ(qAlpha(icon.pixel(0, 0)) + qAlpha(icon.pixel(size - 1, size / 2)), 0);
        EXPECT_EQ(qAlpha(icon.pixel(size / 2 + size / 5, size / 2)), 0) << "the hollow of the crescent is open";
        int opaque = 0;
        double sumX = 0;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x)
                if (const QRgb p = icon.pixel(x, y); qAlpha(p) >= 200) {
                    ++opaque;
                    sumX += x + 0.5;
                    EXPECT_TRUE(qRed(p) > qGreen(p) && qGreen(p) > qBlue(p)) << x << "," << y << " is not orange";
                }
        EXPECT_TRUE(opaque > 0.12 * size * size && opaque < 0.35 * size * size) << opaque;
        EXPECT_LT(sumX / opaque, size * 3 / 8.0) << "lit on the left, so it opens to the right";
    }
    EXPECT_EQ(QImage(QStringLiteral(":/icons/holdak-banner.png")).size(), QSize(300, 42));
}

} // namespace
