#include "services/Numbers.h"

#include <cfloat>
#include <clocale>
#include <gtest/gtest.h>

namespace vkt {
namespace {

// Every case in the C locale, the users' own and another with a decimal comma: the C library
// writes and reads numbers by the process locale, the program never may.
class NumbersTest : public ::testing::Test {
protected:
    void TearDown() override { std::setlocale(LC_ALL, "C"); }
    template <class Check>
    static void inEveryLocale(Check check)
    {
        for (const char* locale : {"C", "hu_HU.UTF-8", "de_DE.UTF-8"}) {
            SCOPED_TRACE(locale);
            ASSERT_NE(std::setlocale(LC_ALL, locale), nullptr) << "generate it with locale-gen";
            check();
        }
    }
};

TEST_F(NumbersTest, FormatsWithADecimalComma)
{
    constexpr auto two = NumberPattern::TwoDecimals, one = NumberPattern::OneDecimal;
    const struct {
        double value;
        NumberPattern pattern;
        const char* expected;
    } cases[] = {
        {1.0416667, two, "1,04"}, {0, two, "0,00"}, {0.5, two, "0,50"}, {100, two, "100,00"}, {6000.0012, two, "6000,00"},
        {-166.6667, two, "-166,67"}, {-0.001, two, "0,00"}, {-0.04, one, "0,0"}, {-0.06, one, "-0,1"}, {1.4085, one, "1,4"},
        {99.96, one, "100,0"}, {1234567.891, two, "1234567,89"}, {1e20, one, "100000000000000000000,0"},
        // Halves away from zero, on the value as written to 15 digits.
        {27 / 24.0, two, "1,13"}, {15 / 24.0, two, "0,63"}, {3 / 24.0, two, "0,13"}, {9 / 24.0, two, "0,38"},
        {-0.125, two, "-0,13"}, {1.005, two, "1,01"}, {0.25, one, "0,3"}, {-0.05, one, "-0,1"}, {0.005, two, "0,01"},
        {0.0049999, two, "0,00"}, {9.995, two, "10,00"}, {1e-300, two, "0,00"}, {-1e-300, two, "0,00"},
    };
    // A measured value keeps the rounding of its stored binary value (1.005 lies a hair below).
    const struct {
        double value;
        int decimals;
        const char* expected;
    } measured[] = {{1.005, 2, "1,00"}, {-0.04, 1, "0,0"}, {-0.06, 1, "-0,1"}, {47.5, 2, "47,50"}, {-5.06, 1, "-5,1"},
                    {0.7449, 3, "0,745"}, {1234.5678, 4, "1234,5678"}};
    // Typed back into a field: as short as the value allows.
    const std::pair<double, const char*> typed[] = {{47.5, "47,5"}, {1014, "1014"}, {-0.25, "-0,25"}, {19.04, "19,04"}};
    inEveryLocale([&] {
        for (const auto& c : cases)
            EXPECT_EQ(formatNumber(c.value, c.pattern), QString::fromLatin1(c.expected)) << c.value;
        for (const auto& c : measured)
            EXPECT_EQ(decimalText(c.value, c.decimals), QString::fromLatin1(c.expected)) << c.value;
        for (const auto& [value, expected] : typed)
            EXPECT_EQ(typedNumberText(value), QString::fromLatin1(expected)) << value;
    });
}

TEST_F(NumbersTest, AcceptsWhatUsersTypeAndNothingElse)
{
    const std::pair<const char*, double> accepted[] = {
        {"1", 1},       {"0,5", 0.5},   {"0.5", 0.5},   {"-10", -10},  {"+3", 3},      {"  360  ", 360},
        {",5", 0.5},    {"-,5", -0.5},  {"1,", 1},      {"9e307", 9e307}, {"1E3", 1000}, {"-0", 0},
        {"6000", 6000}, {"1,5e-3", 0.0015}, {"1e-400", 0}, {"-1e-400", 0}, {"1e-310", 1e-310},
    };
    const char* rejected[] = {"", "   ", "abc", "1a", "inf", "-inf", "nan", "NaN", "1e400", "-1e400", "1,2,3",
                              "1.2.3", "--1", "+-1", "e5", "1e", "-", ",", "1 000", "١", "1e+"};
    inEveryLocale([&] {
        for (const auto& [text, expected] : accepted) {
            const auto value = toNumber(QString::fromUtf8(text));
            ASSERT_TRUE(value.has_value()) << text;
            EXPECT_DOUBLE_EQ(*value, expected) << text;
        }
        for (const char* text : rejected)
            EXPECT_FALSE(toNumber(QString::fromUtf8(text)).has_value()) << '"' << text << '"';
    });
}

} // namespace
} // namespace vkt
