// The almanac's instants against published tables (data/README.md): USNO new moons, NASA's
// eclipse catalogues, and an independent computation of Venus's inferior conjunctions.
#include "Eclipses.h"
#include "Ephemeris.h"
#include "MoonPhases.h"
#include "TextFiles.h"
#include "VenusCrescents.h"

#include <gtest/gtest.h>
#include <QDate>
#include <QRegularExpression>
#include <QTime>
#include <algorithm>
#include <cmath>
#include <iostream>
#include <map>
#include <swephexp.h>

namespace vkt::astro {
namespace {

constexpr double kSecond = 1.0 / 86400;

// The records of a table in data/, split at blanks.
std::vector<QStringList> records(const QString& name)
{
    std::vector<QStringList> result;
    for (const QString& line : readLines(qEnvironmentVariable("VKT_SOURCE_DIR") + "/tests/astro/data/" + name))
        if (!line.startsWith(u'#') && !line.trimmed().isEmpty())
            result.push_back(line.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts));
    return result;
}

JulianDay julianDayOf(const QString& date, const QString& time)
{
    const QDate d = QDate::fromString(date, Qt::ISODate);
    const QTime t = QTime::fromString(time, time.size() > 5 ? QStringLiteral("HH:mm:ss") : QStringLiteral("HH:mm"));
    return julianDay(d.year(), d.month(), d.day(), t.msecsSinceStartOfDay() / 3600000.0);
}

// The tests share one: the library keeps a single global configuration.
const Ephemeris& ephemeris()
{
    static const Ephemeris files;
    return files;
}

TEST(Accuracy, NewMoonsAgreeWithUsno)
{
    ASSERT_FALSE(ephemeris().analytic()) << ephemeris().warning().toStdString();
    std::map<int, std::vector<double>> usno;  // year → minutes since JD 0
    for (const QStringList& r : records(QStringLiteral("new-moons-usno.txt")))
        usno[r[0].left(4).toInt()].push_back(julianDayOf(r[0].left(10), r[0].mid(11, 5)) * 1440);
    int total = 0, same = 0;
    double worst = 0;
    for (const auto& [year, minutes] : usno) {
        const std::vector<JulianDay> ours = newMoons(ephemeris(), julianDay(year, 1, 1), julianDay(year + 1, 1, 1));
        ASSERT_EQ(ours.size(), minutes.size()) << year;
        for (std::size_t i = 0; i < ours.size(); ++i) {
            const double off = ours[i] * 1440 - minutes[i];
            EXPECT_LT(std::abs(off), 1.0) << year << " new moon " << i;
            worst = std::max(worst, std::abs(off));
            same += std::llround(ours[i] * 1440) == std::llround(minutes[i]);
            ++total;
        }
    }
    std::cout << "USNO new moons: " << same << " of " << total << " in the same minute, worst " << worst << " min\n";
    EXPECT_EQ(total, 384);
    EXPECT_GE(same, 0.95 * total);
}

TEST(Accuracy, EveryEclipseOf2001To2100AsNasaHasIt)
{
    const JulianDay from = julianDay(2001, 1, 1), until = julianDay(2101, 1, 1);
    const auto solarTable = records(QStringLiteral("solar-eclipses-nasa-2001-2100.txt"));
    const auto solar = solarEclipses(ephemeris(), from, until);
    ASSERT_EQ(solar.size(), solarTable.size());
    const std::map<SolarEclipseType, QChar> solarLetter = {{SolarEclipseType::Partial, u'P'},
        {SolarEclipseType::Annular, u'A'}, {SolarEclipseType::Total, u'T'}, {SolarEclipseType::Hybrid, u'H'}};
    double worstSolar = 0, worstLunar = 0;
    for (std::size_t i = 0; i < solar.size(); ++i) {
        const QStringList& r = solarTable[i];
        // NASA gives TD; the catalogue and the ephemeris agree to about ten seconds, so more
        // than 20 means UT and TT were mixed somewhere.
        const double seconds = (ephemeris().toTt(solar[i].greatest) - julianDayOf(r[0], r[1])) / kSecond;
        EXPECT_LT(std::abs(seconds), 20) << r[0].toStdString();
        EXPECT_EQ(solarLetter.at(solar[i].type), r[4][0]) << r[0].toStdString();
        EXPECT_NEAR(solar[i].magnitude, r[6].toDouble(), 0.005) << r[0].toStdString();
        worstSolar = std::max(worstSolar, std::abs(seconds));
    }
    const auto lunarTable = records(QStringLiteral("lunar-eclipses-nasa-2001-2100.txt"));
    const auto lunar = lunarEclipses(ephemeris(), from, until, budapest());
    ASSERT_EQ(lunar.size(), lunarTable.size());
    const std::map<LunarEclipseType, QChar> lunarLetter = {
        {LunarEclipseType::Penumbral, u'N'}, {LunarEclipseType::Partial, u'P'}, {LunarEclipseType::Total, u'T'}};
    for (std::size_t i = 0; i < lunar.size(); ++i) {
        const QStringList& r = lunarTable[i];
        // NASA's UT is rounded to the minute, so up to 30 s of the error is theirs. It was made
        // with the ΔT their solar table gives in the nearest eclipse season (to a second).
        const JulianDay ut = julianDayOf(r[0], r[1]);
        const auto season = std::min_element(solarTable.begin(), solarTable.end(), [&](const auto& a, const auto& b) {
            return std::abs(julianDayOf(a[0], a[1]) - ut) < std::abs(julianDayOf(b[0], b[1]) - ut);
        });
        const double td = ut + (*season)[2].toDouble() * kSecond;
        const double seconds = (ephemeris().toTt(lunar[i].greatest) - td) / kSecond;
        EXPECT_LE(std::abs(seconds), 60) << r[0].toStdString();
        EXPECT_EQ(lunarLetter.at(lunar[i].type), r[2][0]) << r[0].toStdString();
        EXPECT_NEAR(lunar[i].penumbralMagnitude, r[5].toDouble(), 0.003) << r[0].toStdString();
        EXPECT_NEAR(lunar[i].umbralMagnitude, r[6].toDouble(), 0.003) << r[0].toStdString();
        EXPECT_TRUE(lunar[i].penumbralBegin < lunar[i].greatest && lunar[i].greatest < lunar[i].penumbralEnd);
        worstLunar = std::max(worstLunar, std::abs(seconds));
    }
    std::cout << "NASA eclipses: " << solar.size() << " solar, worst " << worstSolar << " s; " << lunar.size()
              << " lunar, worst " << worstLunar << " s\n";
}

// Venus and the Earth in line as seen from the Sun, by the analytic Moshier theory: neither the
// ephemeris files nor the apparent geocentric places that the tool uses.
double heliocentricGap(double tt)
{
    double v[6], e[6];
    char error[AS_MAXCH];
    swe_calc(tt, SE_VENUS, SEFLG_MOSEPH | SEFLG_HELCTR | SEFLG_TRUEPOS, v, error);
    swe_calc(tt, SE_EARTH, SEFLG_MOSEPH | SEFLG_HELCTR | SEFLG_TRUEPOS, e, error);
    return wrap180(v[0] - e[0]);
}

TEST(Accuracy, VenusInferiorConjunctionsWithinAnHour)
{
    const auto ours = inferiorConjunctions(ephemeris(), julianDay(2001, 1, 1), julianDay(2101, 1, 1));
    EXPECT_EQ(ours.size(), 63u);  // one every 583.9 days from 2001-03-30
    double worst = 0;
    for (std::size_t i = 0; i < ours.size(); ++i) {
        // Round the Sun, Venus gains 0.617° a day on the Earth.
        const double minutes = heliocentricGap(ephemeris().toTt(ours[i])) / 0.617 * 1440;
        EXPECT_LE(std::abs(minutes), 60) << ours[i];
        EXPECT_TRUE(i == 0 || ours[i] - ours[i - 1] > 570) << ours[i];
        worst = std::max(worst, std::abs(minutes));
    }
    std::cout << "Venus inferior conjunctions: " << ours.size() << ", worst " << worst << " min\n";
}

} // namespace
} // namespace vkt::astro
