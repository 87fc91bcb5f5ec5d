#include "Numbers.h"

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
    struct Case {
        double value;
        NumberPattern pattern;
        const char* expected;
    };
    const Case cases[] = {
        {1.0416667, NumberPattern::TwoDecimals, "1,04"},
        {0, NumberPattern::TwoDecimals, "0,00"},
        {0.5, NumberPattern::TwoDecimals, "0,50"},
        {100, NumberPattern::TwoDecimals, "100,00"},
        {6000.0012, NumberPattern::TwoDecimals, "6000,00"},
        {-166.6667, NumberPattern::TwoDecimals, "-166,67"},
        {-0.001, NumberPattern::TwoDecimals, "0,00"},
        {-0.04, NumberPattern::OneDecimal, "0,0"},
        {-0.06, NumberPattern::OneDecimal, "-0,1"},
        {1.4085, NumberPattern::OneDecimal, "1,4"},
        {99.96, NumberPattern::OneDecimal, "100,0"},
        {1234567.891, NumberPattern::TwoDecimals, "1234567,89"},
        {1e20, NumberPattern::OneDecimal, "100000000000000000000,0"},
        // Halves away from zero, on the value as written to 15 digits.
        {27 / 24.0, NumberPattern::TwoDecimals, "1,13"},
        {15 / 24.0, NumberPattern::TwoDecimals, "0,63"},
        {3 / 24.0, NumberPattern::TwoDecimals, "0,13"},
        {9 / 24.0, NumberPattern::TwoDecimals, "0,38"},
        {-0.125, NumberPattern::TwoDecimals, "-0,13"},
        {1.005, NumberPattern::TwoDecimals, "1,01"},
        {0.25, NumberPattern::OneDecimal, "0,3"},
        {-0.05, NumberPattern::OneDecimal, "-0,1"},
        {0.005, NumberPattern::TwoDecimals, "0,01"},
        {0.0049999, NumberPattern::TwoDecimals, "0,00"},
        {9.995, NumberPattern::TwoDecimals, "10,00"},
        {1e-300, NumberPattern::TwoDecimals, "0,00"},
        {-1e-300, NumberPattern::TwoDecimals, "0,00"},
    };
    inEveryLocale([&] {
        for (const Case& c : cases)
            EXPECT_EQ(formatNumber(c.value, c.pattern), QString::fromLatin1(c.expected)) << c.value;
    });
}

TEST_F(NumbersTest, AcceptsWhatUsersType)
{
    struct Case {
        const char* text;
        double expected;
    };
    const Case cases[] = {
        {"1", 1},       {"0,5", 0.5},   {"0.5", 0.5},   {"-10", -10},  {"+3", 3},      {"  360  ", 360},
        {",5", 0.5},    {"-,5", -0.5},  {"1,", 1},      {"9e307", 9e307}, {"1E3", 1000}, {"-0", 0},
        {"6000", 6000}, {"1,5e-3", 0.0015}, {"1e-400", 0}, {"-1e-400", 0}, {"1e-310", 1e-310},
    };
    inEveryLocale([&] {
        for (const Case& c : cases) {
            const auto value = toNumber(QString::fromUtf8(c.text));
            ASSERT_TRUE(value.has_value()) << c.text;
            EXPECT_DOUBLE_EQ(*value, c.expected) << c.text;
        }
    });
}

TEST_F(NumbersTest, RejectsWhatIsNoNumber)
{
    const char* rejected[] = {"", "   ", "abc", "1a", "inf", "-inf", "nan", "NaN", "1e400", "-1e400", "1,2,3",
                              "1.2.3", "--1", "+-1", "e5", "1e", "-", ",", "1 000", "١", "1e+"};
    inEveryLocale([&] {
        for (const char* text : rejected)
            EXPECT_FALSE(toNumber(QString::fromUtf8(text)).has_value()) << '"' << text << '"';
    });
}

} // namespace
} // namespace vkt
