#include "core/Crescent.h"

#include <gtest/gtest.h>

namespace vkt {
namespace {

DateTime at(const char* text)
{
    const auto value = toDateTime(QString::fromUtf8(text));
    EXPECT_TRUE(value.has_value()) << text;
    return value.value_or(0);
}

// Whole minutes of the clock crossed (counted as the date-time services' test shows), then hours
// and days; line 4 the decimal days.
TEST(CalculateCrescentAgeTest, AgeInItsThreeForms)
{
    const struct {
        const char* newMoon;
        const char* observation;
        int totalMinutes, totalHours, minuteOfHour, days, hourOfDay;
        const char* decimalDays;
    } cases[] = {
        {"2026.11.20 10:00", "2026.11.21 11:30", 1530, 25, 30, 1, 1, "1,04 nap"},
        {"2026.11.20 10:00", "2026.11.20 10:00:40", 0, 0, 0, 0, 0, "0,00 nap"},
        {"2026.11.20 10:00", "2026.11.21 09:59", 1439, 23, 59, 0, 23, "0,96 nap"},
        {"2026.11.20 10:00", "2026.11.21 10:00", 1440, 24, 0, 1, 0, "1,00 nap"},
        {"2026.11.20 10:00", "2026.11.20 08:30", 90, 1, 30, 0, 1, "0,04 nap"},  // observation before the new moon
        {"2025.12.20 01:43", "2026.01.03 23:07", 21444, 357, 24, 14, 21, "14,88 nap"},
        {"1899.12.29 23:00", "1899.12.30 01:15", 135, 2, 15, 0, 2, "0,08 nap"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.newMoon) + " -> " + c.observation);
        const CrescentResult r = CalculateCrescentAge(at(c.newMoon), at(c.observation), IlluminationFactor::LastObservation);
        EXPECT_EQ(r.TotalMinutes, c.totalMinutes);
        EXPECT_EQ(r.TotalHours, c.totalHours);
        EXPECT_EQ(r.MinuteOfHour, c.minuteOfHour);
        EXPECT_EQ(r.Days, c.days);
        EXPECT_EQ(r.HourOfDay, c.hourOfDay);
        EXPECT_EQ(BuildResultLines(r, CrescentPath::LastObservation)[3].text, QString(36, u' ') + c.decimalDays);
    }
}

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
}

// On screen, five lines on the "Utolsó Megfigyelés" path; on the "Most!" path the clock's date and
// time of day stand apart, the time at an x of its own. In the log they run together without a blank.
TEST(BuildResultLinesTest, BothPathsOnScreenAndInTheLog)
{
    const auto placed = [](const std::vector<ResultLine>& lines) {
        QStringList out;
        for (const ResultLine& l : lines)
            out << QStringLiteral("%1,%2|%3").arg(l.x).arg(l.y).arg(l.text);
        return out;
    };
    const QString indent(36, u' ');
    const QStringList age = {QStringLiteral("650,2100|Holdsarló kora:             25 óra 30 perc"),
                             "650,2800|" + indent + QStringLiteral("1 nap  1 óra 30 perc"),
                             "650,3300|" + indent + QStringLiteral("1,04 nap")};
    const CrescentResult last =
        CalculateCrescentAge(at("2026.11.20 10:00"), at("2026.11.21 11:30"), IlluminationFactor::LastObservation);
    EXPECT_EQ(placed(BuildResultLines(last, CrescentPath::LastObservation)),
              QStringList{QStringLiteral("650,1265|Megfigyelés ideje:         2026. 11. 21. 11:30:00")} + age
                  + QStringList{"650,5120|" + indent + QStringLiteral("Újhold - 1,41 %")});
    const CrescentResult now =
        CalculateCrescentAge(at("2026.11.20 10:00"), at("2026.11.21 11:30:15"), IlluminationFactor::Now);
    EXPECT_EQ(placed(BuildResultLines(now, CrescentPath::Now, at("2026.12.06 07:05:09"))),
              QStringList({QStringLiteral("650,1265|Megfigyelés ideje:         2026. 12. 06."),
                           QStringLiteral("4850,1265|7:05:09")})
                  + age + QStringList{"650,5120|" + indent + QStringLiteral("Újhold - 1,43 %")});

    const QStringList logged = {
        QStringLiteral("Megfigyelés ideje:   2026. 11. 21. 11:30:00"),
        QStringLiteral("Holdsarló kora:      25 óra 30 perc"),
        QStringLiteral("Holdsarló kora:      1 nap  1 óra 30 perc"),
        QStringLiteral("Holdsarló kora:      1,04 nap"),
        QStringLiteral("Holdfázis:           Újhold  ---  1,4 %"),
        QStringLiteral("      "),
        QStringLiteral("      "),
    };
    EXPECT_EQ(BuildLogRecord(last, CrescentPath::LastObservation), logged);
    QStringList loggedNow = logged;
    loggedNow[0] = QStringLiteral("Megfigyelés ideje:   2026. 12. 06.22:00:09");
    EXPECT_EQ(BuildLogRecord(last, CrescentPath::Now, at("2026.12.06 22:00:09")), loggedNow);
}

} // namespace
} // namespace vkt
