// The almanac's instants against published tables: USNO new moons, NASA's eclipse catalogues,
// and an independent computation of Venus's inferior conjunctions.
#include "Eclipses.h"
#include "Ephemeris.h"
#include "MoonPhases.h"
#include "TestData.h"
#include "VenusCrescents.h"

#include <gtest/gtest.h>
#include <QDate>
#include <QTime>
#include <cmath>
#include <iostream>
#include <map>
#include <memory>
#include <swephexp.h>

namespace vkt::almanac {
namespace {

using testing::referenceRecords;

constexpr double kSecond = 1.0 / 86400;

JulianDay julianDayOf(const QString& date, const QString& time)
{
    const QDate d = QDate::fromString(date, Qt::ISODate);
    const QTime t = QTime::fromString(time, time.size() > 5 ? QStringLiteral("HH:mm:ss") : QStringLiteral("HH:mm"));
    return julianDay(d.year(), d.month(), d.day(), t.hour() + t.minute() / 60.0 + t.second() / 3600.0);
}

// Minute boundaries fall on whole multiples of 1/1440 of a Julian day.
qint64 minuteOf(JulianDay ut)
{
    return std::llround(ut * 1440);
}

// ΔT of NASA's catalogues (Espenak and Meeus), in seconds: their lunar table gives UT only,
// and its UT came from this ΔT.
double nasaDeltaT(double year)
{
    if (year < 2005) {
        const double t = year - 2000;
        return 63.86 + 0.3345 * t - 0.060374 * t * t + 0.0017275 * t * t * t + 0.000651814 * std::pow(t, 4) +
               0.00002373599 * std::pow(t, 5);
    }
    if (year < 2050) {
        const double t = year - 2000;
        return 62.92 + 0.32217 * t + 0.005589 * t * t;
    }
    const double u = (year - 1820) / 100;
    return -20 + 32 * u * u - 0.5628 * (2150 - year);
}

double decimalYear(const QString& date)
{
    const QDate d = QDate::fromString(date, Qt::ISODate);
    return d.year() + (d.month() - 0.5) / 12;
}

class Accuracy : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ephemeris = std::make_unique<Ephemeris>(); }
    static void TearDownTestSuite() { ephemeris.reset(); }
    static std::unique_ptr<Ephemeris> ephemeris;
};
std::unique_ptr<Ephemeris> Accuracy::ephemeris;

TEST_F(Accuracy, UsesTheEphemerisFiles)
{
    EXPECT_FALSE(ephemeris->analytic()) << ephemeris->warning().toStdString();
}

TEST_F(Accuracy, NewMoonsAgreeWithUsno)
{
    std::map<int, std::vector<qint64>> usno;  // year → minutes
    for (const QStringList& r : referenceRecords(QStringLiteral("new-moons-usno.txt"))) {
        const QString iso = r[0];
        usno[iso.left(4).toInt()].push_back(minuteOf(julianDayOf(iso.left(10), iso.mid(11, 5))));
    }
    int total = 0, same = 0;
    double worst = 0;
    for (const auto& [year, minutes] : usno) {
        const std::vector<JulianDay> ours = newMoons(*ephemeris, julianDay(year, 1, 1), julianDay(year + 1, 1, 1));
        ASSERT_EQ(ours.size(), minutes.size()) << year;
        // Apart from ΔT: some single shift of the whole year must bring every minute into line,
        // or an instant itself is off.
        int bestMatches = 0;
        for (int offset = -60; offset <= 60; ++offset) {  // seconds
            int matches = 0;
            for (std::size_t i = 0; i < ours.size(); ++i)
                matches += minuteOf(ours[i] - offset * kSecond) == minutes[i];
            bestMatches = std::max(bestMatches, matches);
        }
        EXPECT_EQ(bestMatches, static_cast<int>(ours.size())) << year;
        for (std::size_t i = 0; i < ours.size(); ++i) {
            const qint64 difference = minuteOf(ours[i]) - minutes[i];
            EXPECT_LE(std::abs(difference), 1) << year << " new moon " << i;
            if (difference != 0)
                std::cout << "  another minute: " << year << " new moon " << i << ", "
                          << ours[i] * 1440 - minutes[i] << " min\n";
            worst = std::max(worst, std::abs(ours[i] * 1440 - minutes[i]));
            ++total;
            same += difference == 0;
        }
    }
    std::cout << "USNO new moons: " << same << " of " << total << " in the same minute (" << 100.0 * same / total
              << " %), worst " << worst << " min from USNO's minute\n";
    EXPECT_EQ(total, 384);
    EXPECT_GE(same, 0.95 * total);
    EXPECT_LT(worst, 1.0);
}

TEST_F(Accuracy, DeltaTRoundTripsAndHasNoStep)
{
    // toUt inverts toTt to well under a millisecond across the years the tool accepts, and ΔT
    // runs on without a jump where its formula changes in 2050.
    for (const int year : {1800, 1850, 1950, 2025, 2049, 2050, 2051, 2100, 2399}) {
        const JulianDay ut = julianDay(year, 6, 30, 17.25);
        EXPECT_NEAR(ephemeris->toUt(ephemeris->toTt(ut)), ut, 1e-3 * kSecond) << year;
    }
    const JulianDay joint = julianDay(2050, 1, 1);
    EXPECT_NEAR(ephemeris->deltaT(joint - 1), ephemeris->deltaT(joint + 1), 0.01 * kSecond);
}

TEST_F(Accuracy, NasaDeltaTFormulaMatchesTheSolarCatalogue)
{
    // The lunar check converts NASA's UT back to TD with this formula: it must be theirs.
    for (const QStringList& r : referenceRecords(QStringLiteral("solar-eclipses-nasa-2001-2100.txt")))
        EXPECT_NEAR(nasaDeltaT(decimalYear(r[0])), r[2].toDouble(), 1.0) << r[0].toStdString();
}

TEST_F(Accuracy, EverySolarEclipseOf2001To2100AsNasaHasIt)
{
    const auto nasa = referenceRecords(QStringLiteral("solar-eclipses-nasa-2001-2100.txt"));
    const auto ours = solarEclipses(*ephemeris, julianDay(2001, 1, 1), julianDay(2101, 1, 1));
    ASSERT_EQ(ours.size(), nasa.size());
    const std::map<SolarEclipseType, QChar> letter = {{SolarEclipseType::Partial, u'P'},
                                                      {SolarEclipseType::Annular, u'A'},
                                                      {SolarEclipseType::Total, u'T'},
                                                      {SolarEclipseType::Hybrid, u'H'}};
    double worstSeconds = 0, worstMagnitude = 0;
    for (std::size_t i = 0; i < ours.size(); ++i) {
        const QStringList& r = nasa[i];
        const double td = julianDayOf(r[0], r[1]);  // NASA gives TD, we compare in TT
        const double seconds = (ephemeris->toTt(ours[i].greatest) - td) * 86400;
        EXPECT_LE(std::abs(seconds), 60) << r[0].toStdString();
        EXPECT_EQ(letter.at(ours[i].type), r[4][0]) << r[0].toStdString();
        EXPECT_NEAR(ours[i].magnitude, r[6].toDouble(), 0.005) << r[0].toStdString();
        worstSeconds = std::max(worstSeconds, std::abs(seconds));
        worstMagnitude = std::max(worstMagnitude, std::abs(ours[i].magnitude - r[6].toDouble()));
    }
    // The catalogue and the ephemeris agree to about ten seconds; more means UT and TT were mixed,
    // e.g. the library's eclipse search answering by a ΔT other than ours.
    EXPECT_LT(worstSeconds, 20);
    std::cout << "NASA solar eclipses: " << ours.size() << " found, worst greatest-eclipse error " << worstSeconds
              << " s, worst magnitude error " << worstMagnitude << "\n";
}

TEST_F(Accuracy, EveryLunarEclipseOf2001To2100AsNasaHasIt)
{
    const auto nasa = referenceRecords(QStringLiteral("lunar-eclipses-nasa-2001-2100.txt"));
    const auto ours = lunarEclipses(*ephemeris, julianDay(2001, 1, 1), julianDay(2101, 1, 1), budapest());
    ASSERT_EQ(ours.size(), nasa.size());
    const std::map<LunarEclipseType, QChar> letter = {
        {LunarEclipseType::Penumbral, u'N'}, {LunarEclipseType::Partial, u'P'}, {LunarEclipseType::Total, u'T'}};
    double worstSeconds = 0, worstMagnitude = 0;
    for (std::size_t i = 0; i < ours.size(); ++i) {
        const QStringList& r = nasa[i];
        // NASA's UT is rounded to the minute, so up to 30 s of the error is theirs.
        const double td = julianDayOf(r[0], r[1]) + nasaDeltaT(decimalYear(r[0])) * kSecond;
        const double seconds = (ephemeris->toTt(ours[i].greatest) - td) * 86400;
        EXPECT_LE(std::abs(seconds), 60) << r[0].toStdString();
        EXPECT_EQ(letter.at(ours[i].type), r[2][0]) << r[0].toStdString();
        EXPECT_NEAR(ours[i].penumbralMagnitude, r[5].toDouble(), 0.003) << r[0].toStdString();
        EXPECT_NEAR(ours[i].umbralMagnitude, r[6].toDouble(), 0.003) << r[0].toStdString();
        EXPECT_LT(ours[i].penumbralBegin, ours[i].greatest);
        EXPECT_GT(ours[i].penumbralEnd, ours[i].greatest);
        worstSeconds = std::max(worstSeconds, std::abs(seconds));
        worstMagnitude = std::max(worstMagnitude, std::abs(ours[i].umbralMagnitude - r[6].toDouble()));
    }
    std::cout << "NASA lunar eclipses: " << ours.size() << " found, worst greatest-eclipse error " << worstSeconds
              << " s, worst umbral magnitude error " << worstMagnitude << "\n";
}

// Venus and the Earth in line as seen from the Sun, from the analytic Moshier theory: neither
// the ephemeris files nor the apparent geocentric places that the tool uses.
double heliocentricGap(double tt)
{
    double v[6], e[6];
    char error[AS_MAXCH];
    swe_calc(tt, SE_VENUS, SEFLG_MOSEPH | SEFLG_HELCTR | SEFLG_TRUEPOS, v, error);
    swe_calc(tt, SE_EARTH, SEFLG_MOSEPH | SEFLG_HELCTR | SEFLG_TRUEPOS, e, error);
    return wrap180(v[0] - e[0]);
}

std::vector<double> heliocentricConjunctionsTt(double from, double until)
{
    std::vector<double> result;
    for (double t = from; t < until; t += 5) {  // Venus gains 3° a day: the gap rises through zero
        double a = t, b = t + 5;
        if (!(heliocentricGap(a) < 0 && heliocentricGap(b) >= 0 && heliocentricGap(b) < 90))
            continue;
        while (b - a > 1e-6) {
            const double m = (a + b) / 2;
            (heliocentricGap(m) < 0 ? a : b) = m;
        }
        result.push_back((a + b) / 2);
    }
    return result;
}

TEST_F(Accuracy, VenusInferiorConjunctionsWithinAnHour)
{
    const auto ours = inferiorConjunctions(*ephemeris, julianDay(2001, 1, 1), julianDay(2101, 1, 1));
    const auto independent = heliocentricConjunctionsTt(ephemeris->toTt(julianDay(2001, 1, 1)),
                                                        ephemeris->toTt(julianDay(2101, 1, 1)));
    ASSERT_EQ(ours.size(), independent.size());
    EXPECT_GE(ours.size(), 62u);  // 100 years / 583.9 days
    double worstMinutes = 0;
    for (std::size_t i = 0; i < ours.size(); ++i) {
        const double minutes = (ephemeris->toTt(ours[i]) - independent[i]) * 1440;
        EXPECT_LE(std::abs(minutes), 60) << ours[i];
        worstMinutes = std::max(worstMinutes, std::abs(minutes));
    }
    std::cout << "Venus inferior conjunctions: " << ours.size() << ", worst " << worstMinutes
              << " min from the heliocentric alignment\n";

    // The mid-transits of Venus (NASA, UT) lie within minutes of the conjunctions.
    const JulianDay transits[] = {julianDay(2004, 6, 8, 8 + 20 / 60.0), julianDay(2012, 6, 6, 1 + 30 / 60.0)};
    for (const JulianDay transit : transits) {
        const auto near = inferiorConjunctions(*ephemeris, transit - 2, transit + 2);
        ASSERT_EQ(near.size(), 1u);
        EXPECT_NEAR(near[0], transit, 1.0 / 24);
        std::cout << "Conjunction " << (near[0] - transit) * 1440 << " min from the mid-transit\n";
    }
}

} // namespace
} // namespace vkt::almanac
