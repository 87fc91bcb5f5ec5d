// The ephemeris's contract: one per thread that computes, refused from any other; and a failure
// carried up as its kind and the raw facts, to be said in the program's words.
#include "astro/CivilTime.h"
#include "astro/CrescentVisibility.h"
#include "astro/Ephemeris.h"
#include "astro/Error.h"
#include "astro/MoonPhases.h"
#include "presentation/Failures.h"
#include "presentation/Places.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <optional>
#include <thread>
#include <vector>

namespace vkt::astro {
namespace {

std::optional<Error> errorOf(const std::function<void()>& work)
{
    try {
        work();
    } catch (const Error& error) {
        return error;
    }
    return std::nullopt;
}

// Yallop's q of every evening and morning round the new moons of a season: each depends on the ΔT
// and the observer the library holds while it is computed.
std::vector<double> seasonOfCrescents(Ephemeris& ephemeris, const Place& place)
{
    std::vector<double> q;
    for (const JulianDay newMoon : newMoons(ephemeris, julianDay(2026, 1, 1), julianDay(2026, 4, 1))) {
        const CrescentRun run = crescentRun(ephemeris, place, newMoon, 3);
        for (const auto* side : {&run.mornings, &run.evenings})
            for (const CrescentEvening& c : *side)
                q.push_back(c.moonUp ? c.q : c.lagMinutes);
    }
    return q;
}

TEST(EphemerisTest, EachThreadComputesWithItsOwnAndNoThreadWithAnothers)
{
    const Place places[] = {presentation::budapest(),
                            {QStringLiteral("Lima"), -12.05, -77.04, 150, QByteArrayLiteral("America/Lima")}};
    Ephemeris mine;
    std::vector<double> expected[2], computed[2];
    for (int i = 0; i < 2; ++i)
        expected[i] = seasonOfCrescents(mine, places[i]);

    // Two threads at once, each setting its own observer and ΔT over and over.
    std::vector<std::thread> threads;
    for (int i = 0; i < 2; ++i)
        threads.emplace_back([&, i] {
            Ephemeris own;
            computed[i] = seasonOfCrescents(own, places[i]);
        });
    for (std::thread& t : threads)
        t.join();
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(computed[i], expected[i]) << places[i].name.toStdString();

    std::optional<Error> borrowed;
    std::thread([&] {
        borrowed = errorOf([&] { newMoons(mine, julianDay(2026, 1, 1), julianDay(2026, 2, 1)); });
    }).join();
    ASSERT_TRUE(borrowed);
    EXPECT_EQ(borrowed->kind(), Error::Kind::WrongThread);
    // The owner still computes after the refusal.
    EXPECT_EQ(seasonOfCrescents(mine, places[0]), expected[0]);
}

// Each failure as it arises, and the text the user reads for it.
TEST(EphemerisTest, FailuresCarryTheirKindAndTheRawFactsToTheUsersWords)
{
    // The files for a planet and the Moon count in pairs: beside the installed 1800-2399 an
    // (empty, never opened) pair for 2400-2999 and a lone planets' file for 3000-3599.
    const QTemporaryDir files, none;
    const QString installed = Ephemeris().folder();
    for (const char* name : {"sepl_18.se1", "semo_18.se1"})
        ASSERT_TRUE(QFile::link(installed + u'/' + QLatin1String(name), files.filePath(QLatin1String(name))));
    for (const char* name : {"sepl_24.se1", "semo_24.se1", "sepl_30.se1"})
        ASSERT_TRUE(QFile(files.filePath(QLatin1String(name))).open(QIODevice::WriteOnly));
    const QByteArray saved = qgetenv("SE_EPHE_PATH");
    qunsetenv("SE_EPHE_PATH");  // it would outrank the folder given
    std::optional<Error> missing, analytic;
    {
        Ephemeris ephemeris(files.path());
        missing = errorOf([&] { newMoons(ephemeris, julianDay(9100, 6, 1), julianDay(9100, 7, 1)); });
    }
    {
        Ephemeris ephemeris(none.path());  // the analytic theory, which ends at the year 3000
        analytic = errorOf([&] { newMoons(ephemeris, julianDay(9000, 1, 1), julianDay(9000, 2, 1)); });
    }
    if (!saved.isNull())
        qputenv("SE_EPHE_PATH", saved);

    ASSERT_TRUE(missing);
    EXPECT_EQ(missing->kind(), Error::Kind::MissingEphemerisFile);
    EXPECT_EQ(missing->file(), QStringLiteral("sepl_90.se1"));
    EXPECT_EQ(missing->coveredYears(), (std::vector<Error::YearSpan>{{1800, 2999}}));
    EXPECT_EQ(presentation::failureText(*missing),
              QStringLiteral("A kért időpont (9100. év) kívül esik a Swiss Ephemeris telepített adatfájljain: hiányzik a "
                             "sepl_90.se1 fájl. A telepített fájlok ezeket az éveket fedik le: 1800–2999 (a swe-basic-data "
                             "csomag az 1800–2399. éveket hozza). (Swiss Ephemeris: ") +
                  missing->detail() + u')');
    ASSERT_TRUE(analytic);
    EXPECT_EQ(analytic->kind(), Error::Kind::Library);
    EXPECT_EQ(presentation::failureText(*analytic),
              QStringLiteral("A Swiss Ephemeris nem tudta elvégezni a számítást (swe_calc: %1).").arg(analytic->detail()));

    const auto zone = errorOf([] { CivilZone(QByteArrayLiteral("Europe/Bp")); });
    ASSERT_TRUE(zone);
    EXPECT_EQ(zone->kind(), Error::Kind::UnknownZone);
    EXPECT_EQ(presentation::failureText(*zone),
              QStringLiteral("A(z) Europe/Bp időzóna nem ismert ezen a gépen; telepítse a tzdata csomagot."));
}

} // namespace
} // namespace vkt::astro
