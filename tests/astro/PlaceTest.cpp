// A place read from what the user typed, the same for the almanac's command line and the
// visibility window: every limit inclusive, a decimal comma or point, the first wrong field named.
#include "astro/Place.h"

#include <gtest/gtest.h>
#include <optional>

namespace vkt::astro {
namespace {

TEST(PlaceTest, ReadsEachFieldUpToItsLimitsAndNamesTheFirstWrongOne)
{
    using F = PlaceField;
    const struct {
        PlaceField field;
        const char* text;
        std::optional<double> read;  // nothing: not valid
    } numbers[] = {
        {F::Latitude, "90", 90},        {F::Latitude, "-90,0", -90},         {F::Latitude, "90,0001", std::nullopt},
        {F::Latitude, "47°", std::nullopt}, {F::Longitude, "-180", -180},    {F::Longitude, "180.01", std::nullopt},
        {F::Longitude, "", std::nullopt}, {F::Height, "-500", -500},         {F::Height, "9000,0", 9000},
        {F::Height, "-500,5", std::nullopt}, {F::Height, "9001", std::nullopt}, {F::Height, "magas", std::nullopt},
    };
    for (const auto& c : numbers)
        EXPECT_EQ(readPlaceNumber(c.field, QString::fromUtf8(c.text)), c.read) << c.text;

    const auto eger = readPlace({QStringLiteral(" Eger "), QStringLiteral("47,9"), QStringLiteral("20.37"),
                                 QStringLiteral("160")},
                                QByteArrayLiteral("Europe/Budapest"));
    ASSERT_TRUE(std::holds_alternative<Place>(eger));
    const Place& place = std::get<Place>(eger);
    EXPECT_EQ(place.name, QStringLiteral("Eger"));
    EXPECT_EQ(place.timeZone, QByteArrayLiteral("Europe/Budapest"));
    EXPECT_EQ(std::tuple(place.latitude, place.longitude, place.height), std::tuple(47.9, 20.37, 160.0));

    // Every field from the named one on is wrong: that one is named.
    const std::pair<PlaceInput, PlaceField> wrong[] = {
        {{QStringLiteral("  "), QStringLiteral("91"), QStringLiteral("181"), QStringLiteral("9001")}, F::Name},
        {{QStringLiteral("Eger"), QStringLiteral("91"), QStringLiteral("181"), QStringLiteral("9001")}, F::Latitude},
        {{QStringLiteral("Eger"), QStringLiteral("47"), QStringLiteral("181"), QStringLiteral("9001")}, F::Longitude},
        {{QStringLiteral("Eger"), QStringLiteral("47"), QStringLiteral("20"), QStringLiteral("9001")}, F::Height},
    };
    for (const auto& [input, field] : wrong) {
        const auto result = readPlace(input, {});
        ASSERT_TRUE(std::holds_alternative<PlaceField>(result)) << int(field);
        EXPECT_EQ(std::get<PlaceField>(result), field);
    }
}

} // namespace
} // namespace vkt::astro
