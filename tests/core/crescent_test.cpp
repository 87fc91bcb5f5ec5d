#include "Crescent.h"
#include "Failure.h"

#include <gtest/gtest.h>
#include <limits>

namespace vkt {
namespace {

DateTime at(const char* text)
{
    const auto value = toDateTime(QString::fromUtf8(text));
    EXPECT_TRUE(value.has_value()) << text;
    return value.value_or(0);
}

struct AgeCase {
    const char* label;
    const char* newMoon;
    const char* observation;
    int totalMinutes, totalHours, minuteOfHour, days, hourOfDay;
    const char* decimalDays;  // line 4 after its indent
};

class CalculateCrescentAgeTest : public ::testing::TestWithParam<AgeCase> {};

TEST_P(CalculateCrescentAgeTest, AgeInItsThreeForms)
{
    const AgeCase& c = GetParam();
    const CrescentResult r = CalculateCrescentAge(at(c.newMoon), at(c.observation), IlluminationFactor::LastObservation);
    EXPECT_EQ(r.TotalMinutes, c.totalMinutes);
    EXPECT_EQ(r.TotalHours, c.totalHours);
    EXPECT_EQ(r.MinuteOfHour, c.minuteOfHour);
    EXPECT_EQ(r.Days, c.days);
    EXPECT_EQ(r.HourOfDay, c.hourOfDay);
    EXPECT_EQ(r.TotalMinutes, 60 * r.TotalHours + r.MinuteOfHour);
    EXPECT_EQ(r.TotalHours, 24 * r.Days + r.HourOfDay);
    const auto lines = BuildResultLines(r, CrescentPath::LastObservation);
    EXPECT_EQ(lines[3].text, QString(36, u' ') + QString::fromUtf8(c.decimalDays));
}

INSTANTIATE_TEST_SUITE_P(
    Intervals, CalculateCrescentAgeTest,
    ::testing::Values(
        AgeCase{"worked_example", "2026.11.20 10:00", "2026.11.21 11:30", 1530, 25, 30, 1, 1, "1,04 nap"},
        AgeCase{"same_minute", "2026.11.20 10:00", "2026.11.20 10:00:40", 0, 0, 0, 0, 0, "0,00 nap"},
        AgeCase{"minutes_do_not_reach_days", "2026.11.20 10:00", "2026.11.21 09:59", 1439, 23, 59, 0, 23,
                "0,96 nap"},
        AgeCase{"exactly_a_day", "2026.11.20 10:00", "2026.11.21 10:00", 1440, 24, 0, 1, 0, "1,00 nap"},
        AgeCase{"observation_before_new_moon", "2026.11.20 10:00", "2026.11.20 08:30", 90, 1, 30, 0, 1, "0,04 nap"},
        AgeCase{"second_crosses_a_minute", "2026.11.20 10:00:59", "2026.11.20 10:01:00", 1, 0, 1, 0, 0, "0,00 nap"},
        AgeCase{"seconds_alone_add_nothing", "2026.11.20 10:00:00", "2026.11.20 10:00:59", 0, 0, 0, 0, 0,
                "0,00 nap"},
        AgeCase{"across_months_and_years", "2025.12.20 01:43", "2026.01.03 23:07", 21444, 357, 24, 14, 21,
                "14,88 nap"},
        AgeCase{"across_the_epoch", "1899.12.29 23:00", "1899.12.30 01:15", 135, 2, 15, 0, 2, "0,08 nap"}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(CalculateCrescentAgeTest, SignedDaysKeepsSecondsAndSign)
{
    const CrescentResult seconds =
        CalculateCrescentAge(at("2026.11.20 10:00:00"), at("2026.11.20 10:00:59"), IlluminationFactor::Now);
    EXPECT_EQ(seconds.TotalMinutes, 0);
    EXPECT_NEAR(seconds.SignedDays, 59.0 / 86400, 1e-9);

    const CrescentResult before =
        CalculateCrescentAge(at("2026.11.20 10:00"), at("2026.11.17 10:00"), IlluminationFactor::Now);
    EXPECT_NEAR(before.SignedDays, -3, 1e-9);
    EXPECT_EQ(before.PictureFile, QStringLiteral("070-fogyo.gif"));  // phase from the signed age
    EXPECT_EQ(before.TotalHours, 72);                                // age texts from the absolute one
}

TEST(CalculateCrescentAgeTest, MinuteCountBeyond32BitsIsItsOwnFailure)
{
    const DateTime start = at("0100.01.01");
    const double maxMinutes = std::numeric_limits<std::int32_t>::max();
    EXPECT_EQ(CalculateCrescentAge(start, start + maxMinutes / 1440, IlluminationFactor::Now).TotalMinutes,
              std::numeric_limits<std::int32_t>::max());
    EXPECT_THROW(CalculateCrescentAge(start, start + (maxMinutes + 1) / 1440, IlluminationFactor::Now),
                 MinuteRangeFailure);
    EXPECT_THROW(CalculateCrescentAge(start + (maxMinutes + 1) / 1440, start, IlluminationFactor::Now),
                 MinuteRangeFailure);
    EXPECT_THROW(CalculateCrescentAge(at("0100.01.01"), at("9999.12.31 23:59:59"), IlluminationFactor::Now),
                 MinuteRangeFailure);
}

TEST(BuildResultLinesTest, LastObservationPathHasFiveLines)
{
    const CrescentResult r =
        CalculateCrescentAge(at("2026.11.20 10:00"), at("2026.11.21 11:30"), IlluminationFactor::LastObservation);
    const auto lines = BuildResultLines(r, CrescentPath::LastObservation);
    const QString indent(36, u' ');
    struct Expected {
        int x, y;
        QString text;
    };
    const Expected expected[] = {
        {650, 1265, QStringLiteral("Megfigyelés ideje:         2026. 11. 21. 11:30:00")},
        {650, 2100, QStringLiteral("Holdsarló kora:             25 óra 30 perc")},
        {650, 2800, indent + QStringLiteral("1 nap  1 óra 30 perc")},
        {650, 3300, indent + QStringLiteral("1,04 nap")},
        {650, 5120, indent + QStringLiteral("Újhold - 1,41 %")},
    };
    ASSERT_EQ(lines.size(), std::size(expected));
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].x, expected[i].x) << i;
        EXPECT_EQ(lines[i].y, expected[i].y) << i;
        EXPECT_EQ(lines[i].text, expected[i].text) << i;
    }
    // The labels' trailing blank runs are part of the layout.
    EXPECT_TRUE(lines[0].text.startsWith(QStringLiteral("Megfigyelés ideje:") + QString(9, u' ') + u'2'));
    EXPECT_TRUE(lines[1].text.startsWith(QStringLiteral("Holdsarló kora:") + QString(13, u' ') + u'2'));
}

TEST(BuildResultLinesTest, NowPathSplitsTheClockIntoDateAndTime)
{
    const CrescentResult r =
        CalculateCrescentAge(at("2026.11.20 10:00"), at("2026.11.21 11:30:15"), IlluminationFactor::Now);
    const auto lines = BuildResultLines(r, CrescentPath::Now, at("2026.12.06 07:05:09"));
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0].text, QStringLiteral("Megfigyelés ideje:         2026. 12. 06."));
    EXPECT_EQ(lines[1].x, 4850);
    EXPECT_EQ(lines[1].y, 1265);
    EXPECT_EQ(lines[1].text, QStringLiteral("7:05:09"));
    EXPECT_EQ(lines[5].text, QString(36, u' ') + QStringLiteral("Újhold - 1,43 %"));
}

TEST(BuildLogRecordTest, LastObservationRecord)
{
    const CrescentResult r =
        CalculateCrescentAge(at("2026.11.20 10:00"), at("2026.11.21 11:30"), IlluminationFactor::LastObservation);
    const QStringList expected = {
        QStringLiteral("Megfigyelés ideje:   2026. 11. 21. 11:30:00"),
        QStringLiteral("Holdsarló kora:      25 óra 30 perc"),
        QStringLiteral("Holdsarló kora:      1 nap  1 óra 30 perc"),
        QStringLiteral("Holdsarló kora:      1,04 nap"),
        QStringLiteral("Holdfázis:           Újhold  ---  1,4 %"),
        QStringLiteral("      "),
        QStringLiteral("      "),
    };
    EXPECT_EQ(BuildLogRecord(r, CrescentPath::LastObservation), expected);
}

TEST(BuildLogRecordTest, NowRecordJoinsDateAndTimeWithoutBlank)
{
    const CrescentResult r = CalculateCrescentAge(at("2026.11.20 10:00"), at("2026.11.21 11:30"), IlluminationFactor::Now);
    const QStringList record = BuildLogRecord(r, CrescentPath::Now, at("2026.12.06 22:00:09"));
    ASSERT_EQ(record.size(), 7);
    EXPECT_EQ(record[0], QStringLiteral("Megfigyelés ideje:   2026. 12. 06.22:00:09"));
    EXPECT_EQ(record[4], QStringLiteral("Holdfázis:           Újhold  ---  1,4 %"));
}

} // namespace
} // namespace vkt
