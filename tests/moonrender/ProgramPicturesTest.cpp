#include "MoonMeasure.h"
#include "Phase.h"
#include "ProgramPictures.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QIcon>
#include <QImageReader>


// The icons live in the window services' static library, whose resources register only when called.
static void registerIconResources()
{
    Q_INIT_RESOURCE(icons);
}

using namespace vkt::moon;
using namespace vkt::moon::testing;

namespace {

// Icons need a GUI application; one serves every test of this binary.
class GuiEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "vkt_moonrender_pictures_test";
        static char* argv[] = {name, nullptr};
        app_ = new QGuiApplication(argc, argv);
    }
    void TearDown() override { delete app_; }

private:
    QGuiApplication* app_ = nullptr;
};
[[maybe_unused]] const auto* const kGui = ::testing::AddGlobalTestEnvironment(new GuiEnvironment);

QImage readCommitted(const QString& relative, QSize* announced = nullptr)
{
    QImageReader reader(sourcePath(relative));
    if (announced)
        *announced = reader.size();
    return reader.read();
}

constexpr double kMonth = 29.530588;
// Earthshine on the night side of the shipped crescents stays below this grey level.
constexpr int kLitThreshold = 24;

// The window of the moon map shows a picture from 16,16 in its 1167 × 729 client area.
constexpr QSize kMoonMapVisible(1167 - 16, 729 - 16);

TEST(PhasePictures, AreTheTableFilesEachAtTheMiddleOfItsBand)
{
    const std::vector<MoonPicture> pictures = phasePictures();
    ASSERT_EQ(pictures.size(), vkt::PhaseTable.size());
    double lower = 0;
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        const vkt::PhaseRow& row = vkt::PhaseTable[i];
        SCOPED_TRACE(row.pictureFile);
        EXPECT_EQ(pictures[i].fileName, QLatin1String(row.pictureFile));
        EXPECT_EQ(vkt::ClassifyPhase(pictures[i].ageDays).pictureFile, pictures[i].fileName)
            << "the picture shows an age that the program names with it";
        if (i == 0)
            EXPECT_EQ(pictures[i].ageDays, 0) << "the new-moon picture shows the new Moon";
        else
            EXPECT_DOUBLE_EQ(pictures[i].ageDays, (lower + row.upperBound) / 2);
        lower = row.upperBound;
    }
}

TEST(LunarDayPictures, AreDaysTwoToElevenByName)
{
    const std::vector<MoonPicture> pictures = lunarDayPictures();
    ASSERT_EQ(pictures.size(), 10u);
    EXPECT_EQ(pictures.front().fileName, QStringLiteral("Lunar-day02s.gif"));
    EXPECT_EQ(pictures.front().ageDays, 2);
    EXPECT_EQ(pictures[8].fileName, QStringLiteral("Lunar-day10s.gif"));
    EXPECT_EQ(pictures.back().fileName, QStringLiteral("Lunar-day11s.gif"));
    EXPECT_EQ(pictures.back().ageDays, 11);
}

TEST(PictureLayout, FitsThePictureBoxesOfTheWindows)
{
    const Disc phase = phasePictureDisc();
    EXPECT_EQ(phase.imageSize, QSize(137, 137)) << "2055 twips at 15 twips a pixel";
    EXPECT_EQ(phase.centre, QPointF(68.5, 68.5));

    for (const Disc& disc : {lunarDayDisc(), lunarMapDisc()}) {
        EXPECT_LE(disc.imageSize.width(), kMoonMapVisible.width());
        EXPECT_LE(disc.imageSize.height(), kMoonMapVisible.height());
        EXPECT_GE(2 * disc.radius, 600);
        EXPECT_LE(2 * disc.radius, 700);
        EXPECT_LE(disc.centre.y() + disc.radius, disc.imageSize.height());
        EXPECT_GE(disc.centre.y() - disc.radius, 0);
    }
}

// The committed pictures are what a fresh clone ships: they are read here as the program reads them.
TEST(CommittedPhasePictures, ShowTheirPhaseLitOnTheRightSide)
{
    double lower = 0;
    for (const vkt::PhaseRow& row : vkt::PhaseTable) {
        const QString name = QString::fromLatin1(row.pictureFile);
        SCOPED_TRACE(row.pictureFile);
        QSize announced;
        const QImage image = readCommitted(QStringLiteral("Pic/") + name, &announced);
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(announced, QSize(137, 137));
        EXPECT_EQ(image.size(), QSize(137, 137));

        const Disc disc = phasePictureDisc();
        const DiscReading reading = readDisc(image, disc, kLitThreshold);
        if (name == QLatin1String(vkt::kLateNewMoon.pictureFile)) {
            EXPECT_LT(reading.litFraction, 0.002) << "the new Moon is dark";
            EXPECT_LE(reading.brightest, kLitThreshold) << "with at most a hint of earthshine";
        } else {
            const double middle = (lower + row.upperBound) / 2;
            EXPECT_NEAR(reading.litFraction, expectedLitFraction(middle), 0.02) << "the middle of the age band";
            const double offset = reading.litCentroidX - disc.centre.x();
            if (middle < kMonth / 2 - 1)
                EXPECT_GT(offset, 3) << "waxing: lit on the right";
            else if (middle > kMonth / 2 + 1)
                EXPECT_LT(offset, -3) << "waning: lit on the left";
            else
                EXPECT_NEAR(offset, 0, 3) << "about full";
        }
        lower = row.upperBound;
    }
}

TEST(CommittedLunarDayPictures, ShowTheMoonOfTheirDayInTheMoonMapWindow)
{
    for (const MoonPicture& picture : lunarDayPictures()) {
        SCOPED_TRACE(picture.fileName.toStdString());
        const QImage image = readCommitted(QStringLiteral("Pic/") + picture.fileName);
        ASSERT_FALSE(image.isNull());
        const Disc disc = lunarDayDisc();
        EXPECT_EQ(image.size(), disc.imageSize);
        const DiscReading reading = readDisc(image, disc, kLitThreshold);
        EXPECT_NEAR(reading.litFraction, expectedLitFraction(picture.ageDays), 0.02);
        EXPECT_GT(reading.litCentroidX, disc.centre.x() + 10);
    }
}

TEST(CommittedLunarMap, IsTheWholeNearSideAtFullPhase)
{
    const QImage image = readCommitted(QStringLiteral("Pic/Lunar-map.jpg"));
    ASSERT_FALSE(image.isNull());
    const Disc disc = lunarMapDisc();
    EXPECT_EQ(image.size(), disc.imageSize);
    // JPEG noise and the dark labels' halos aside, the whole disc is lit.
    const DiscReading reading = readDisc(image, disc, 24);
    EXPECT_GT(reading.litFraction, 0.97);
    EXPECT_NEAR(reading.litCentroidX, disc.centre.x(), 2);
    EXPECT_NEAR(reading.litCentroidY, disc.centre.y(), 2);
}

TEST(WindowIcons, AreInTheResourcesAtBothSizes)
{
    registerIconResources();
    QIcon icon;
    for (int size : {32, 256}) {
        SCOPED_TRACE(size);
        const QString path = QStringLiteral(":/icons/vkt-%1.png").arg(size);
        const QImage image(path);
        ASSERT_EQ(image.size(), QSize(size, size));
        EXPECT_TRUE(image.hasAlphaChannel());
        EXPECT_EQ(image.depth(), 32);
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
        EXPECT_EQ(qAlpha(image.pixel(size - 1, size - 1)), 0);
        icon.addFile(path, QSize(size, size));
    }
    EXPECT_EQ(icon.availableSizes(), (QList<QSize>{QSize(32, 32), QSize(256, 256)}));
    const QImage banner(QStringLiteral(":/icons/holdak-banner.png"));
    EXPECT_EQ(banner.size(), QSize(300, 42));
}

} // namespace
