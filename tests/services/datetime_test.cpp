#include "services/DateTime.h"
#include "services/Failure.h"

#include <gtest/gtest.h>
#include <limits>
#include <random>

namespace vkt {
namespace {

TEST(ToDateTime, AcceptsWhatAHungarianUserTypesAndNothingElse)
{
    const std::pair<const char*, CivilTime> accepted[] = {
        {"2026. 12. 06. 22:00:09", {2026, 12, 6, 22, 0, 9}}, {"2026. 12. 6. 7:05", {2026, 12, 6, 7, 5, 0}},
        {"2026.12.06 22:00", {2026, 12, 6, 22, 0, 0}},       {"2026.12.06. 22:00", {2026, 12, 6, 22, 0, 0}},
        {"2026-12-06 22:00:09", {2026, 12, 6, 22, 0, 9}},    {"2026.12.06", {2026, 12, 6, 0, 0, 0}},
        {"2026. 12. 06.", {2026, 12, 6, 0, 0, 0}},           {"22:00", {1899, 12, 30, 22, 0, 0}},
        {"22:00:09", {1899, 12, 30, 22, 0, 9}},              {"  2026.12.06 22:00\r\n", {2026, 12, 6, 22, 0, 0}},
        {"2026.12.06 22:00\r", {2026, 12, 6, 22, 0, 0}},     {"2024.02.29 23:59:59", {2024, 2, 29, 23, 59, 59}},
        {"0100.01.01", {100, 1, 1, 0, 0, 0}},                {"9999.12.31 23:59:59", {9999, 12, 31, 23, 59, 59}},
        {"1899.12.29 18:00", {1899, 12, 29, 18, 0, 0}}};
    for (const auto& [text, expected] : accepted) {
        const auto value = toDateTime(QString::fromUtf8(text));
        ASSERT_TRUE(value.has_value()) << text;
        EXPECT_DOUBLE_EQ(*value, *fromCivil(expected)) << text;
    }
    const char* rejected[] = {
        "",           "   ",          "\r\n",         "garbage",         "2026.02.30",       "2025.02.29",
        "2026.13.01", "2026.00.10",   "2026.12.00",   "24:00",           "12:60",            "12:00:60",
        "2026.12.06 24:00", "2026.12.06 22:00 x", "2026.12.06x", "2026.12.06 22", "2026.12-06", "99.12.06",
        "10000.01.01", "2026..12.06", "2026.12.06 22:00:09:01", "2026. 12. 06. 22:00:09 junk", ":30",
        "2026.12.06 -1:00", "2026.12.06\t22:00"};
    for (const char* text : rejected)
        EXPECT_FALSE(toDateTime(QString::fromUtf8(text)).has_value()) << '"' << text << '"';
    // Day numbers run on evenly across the epoch, before it as after.
    EXPECT_DOUBLE_EQ(*toDateTime(QStringLiteral("1899.12.29 18:00")), -0.25);
    EXPECT_DOUBLE_EQ(*toDateTime(QStringLiteral("1899.12.31 06:00")), 1.25);
    EXPECT_DOUBLE_EQ(*toDateTime(QStringLiteral("1900.01.01")), 2);
}

TEST(DateTimeTextTest, ShapesOfTheTextAndRoundTripsToTheSecondOverTheWholeRange)
{
    const std::pair<const char*, const char*> shapes[] = {
        {"2026.12.06 22:00:09", "2026. 12. 06. 22:00:09"}, {"2026.01.02 7:05", "2026. 01. 02. 7:05:00"},
        {"2026.12.06", "2026. 12. 06."},                   {"22:00", "22:00:00"},
        {"1899.12.29 18:00", "1899. 12. 29. 18:00:00"},    {"0100.01.01 00:00:01", "0100. 01. 01. 0:00:01"}};
    for (const auto& [typed, shown] : shapes)
        EXPECT_EQ(DateTimeText(*toDateTime(QString::fromUtf8(typed))), QString::fromUtf8(shown));
    EXPECT_EQ(DateTimeText(0), QStringLiteral("0:00:00"));

    std::mt19937_64 random(20261206);
    const double first = *toDateTime(QStringLiteral("0100.01.01"));
    const double last = *toDateTime(QStringLiteral("9999.12.31 23:59:59"));
    std::uniform_int_distribution<long long> seconds(static_cast<long long>(first * 86400),
                                                     static_cast<long long>(last * 86400));
    for (int i = 0; i < 20000; ++i) {
        const double value = seconds(random) / 86400.0;
        const QString text = DateTimeText(value);
        const auto back = toDateTime(text);
        ASSERT_TRUE(back.has_value()) << text.toStdString();
        EXPECT_NEAR(*back * 86400, value * 86400, 0.5) << text.toStdString();
    }
}

// Whole minutes of the clock crossed, not elapsed seconds; local clock times, no summer-time
// arithmetic; a count beyond 32 bits fails in its own kind.
TEST(MinutesBetweenTest, CountsMinuteBoundariesCrossed)
{
    const struct {
        const char* from;
        const char* to;
        int minutes;
    } cases[] = {
        {"2026.12.06 10:00:59", "2026.12.06 10:01:00", 1},   {"2026.12.06 10:00:00", "2026.12.06 10:00:59", 0},
        {"2026.12.06 10:01:00", "2026.12.06 10:00:59", -1},  {"2026.12.06 10:00", "2026.12.07 11:30", 1530},
        {"2026.12.07 11:30", "2026.12.06 10:00", -1530},     {"1899.12.29 23:59:30", "1899.12.30 00:00:10", 1},
        {"1899.12.29 23:58:10", "1899.12.29 23:59:50", 1},   {"2026.03.29 01:59", "2026.03.29 03:00", 61},
    };
    for (const auto& c : cases)
        EXPECT_EQ(minutesBetween(*toDateTime(QString::fromUtf8(c.from)), *toDateTime(QString::fromUtf8(c.to))), c.minutes)
            << c.from << " -> " << c.to;
    const double start = *toDateTime(QStringLiteral("0100.01.01"));
    const double max = std::numeric_limits<std::int32_t>::max();
    EXPECT_EQ(minutesBetween(start, start + max / 1440), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(minutesBetween(start + max / 1440, start), -std::numeric_limits<std::int32_t>::max());
    EXPECT_THROW(minutesBetween(start, start + (max + 1) / 1440), MinuteRangeFailure);
    EXPECT_THROW(minutesBetween(start + (max + 2) / 1440, start), MinuteRangeFailure);
}

} // namespace
} // namespace vkt
