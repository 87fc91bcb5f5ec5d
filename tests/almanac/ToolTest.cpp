// vkt-almanac as a user meets it: arguments, the five files, overwriting, civil time.
#include "AlmanacLists.h"
#include "CivilTime.h"
#include "CommandLine.h"
#include "DateTime.h"
#include "MoonPhases.h"
#include "TestData.h"
#include "TextFiles.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

namespace vkt::almanac {
namespace {

using testing::sourceFile;

struct ToolRun {
    int code;
    QString out, err;
};

class Tool : public ::testing::Test {
protected:
    ToolRun run(const QStringList& arguments) const
    {
        QString out, err;
        QTextStream outStream(&out), errStream(&err);
        const int code = runAlmanac(arguments, outStream, errStream, false);
        return {code, out, err};
    }
    QStringList generate(int from, int to, const QString& file) const
    {
        const QString folder = dir.filePath(QStringLiteral("%1-%2").arg(from).arg(to));
        if (!QFileInfo::exists(folder)) {
            const ToolRun r = run({"--from", QString::number(from), "--to", QString::number(to), "--out", folder});
            EXPECT_EQ(r.code, Success) << r.err.toStdString();
        }
        return readLines(folder + u'/' + file);
    }
    QByteArray bytes(const QString& path) const
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTemporaryDir dir;
};

TEST_F(Tool, BadArgumentsAreRefusedWithExitCodeTwo)
{
    const struct {
        const char* name;
        QStringList arguments;
        const char* message;
    } cases[] = {
        {"nothing", {}, "Hiányzik a --from"},
        {"no out", {"--from", "2025", "--to", "2025"}, "Hiányzik az --out"},
        {"year not a number", {"--from", "2O25", "--to", "2025", "--out", "x"}, "Hibás évszám a(z) --from után"},
        {"year before the ephemeris", {"--from", "1799", "--to", "2025", "--out", "x"}, "1800 és 2399"},
        {"year after the ephemeris", {"--from", "2025", "--to", "2400", "--out", "x"}, "1800 és 2399"},
        {"years reversed", {"--from", "2026", "--to", "2025", "--out", "x"}, "későbbi, mint az utolsó"},
        {"value missing", {"--out", "x", "--from"}, "hiányzik az évszám"},
        {"twice", {"--from", "2025", "--from", "2026", "--to", "2026", "--out", "x"}, "kétszer szerepel"},
        {"unknown option", {"--from", "2025", "--to", "2025", "--out", "x", "--year", "3"}, "Ismeretlen kapcsoló"},
        {"stray word", {"--from", "2025", "--to", "2025", "--out", "x", "Pic"}, "Váratlan argumentum"},
        {"place cut short", {"--from", "2025", "--to", "2025", "--out", "x", "--place", "Eger", "47.9"}, "három érték"},
        {"latitude beyond the pole", {"--from", "2025", "--to", "2025", "--out", "x", "--place", "X", "90.5", "19"},
         "földrajzi szélesség"},
        {"longitude not a number", {"--from", "2025", "--to", "2025", "--out", "x", "--place", "X", "47", "kelet"},
         "földrajzi hosszúság"},
        {"name outside the code page", {"--from", "2025", "--to", "2025", "--out", "x", "--place", "東京", "35.7", "139.7"},
         "közép-európai kódlap"},
    };
    for (const auto& c : cases) {
        const ToolRun r = run(c.arguments);
        EXPECT_EQ(r.code, BadArguments) << c.name;
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.message))) << c.name << ": " << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(QStringLiteral("--help"))) << c.name;
        EXPECT_TRUE(r.out.isEmpty()) << c.name;
    }
    EXPECT_FALSE(QFileInfo::exists(QStringLiteral("x")));
}

TEST_F(Tool, HelpIsHungarian)
{
    const ToolRun r = run({"--help"});
    EXPECT_EQ(r.code, Success);
    EXPECT_TRUE(r.out.startsWith(QStringLiteral("Használat: vkt-almanac --from ÉV --to ÉV --out MAPPA")));
    EXPECT_TRUE(r.out.contains(QStringLiteral("--force")));
}

TEST_F(Tool, PlaceAcceptsDecimalCommaAndSouthWest)
{
    const ParsedArguments p =
        parseArguments({"--from", "2025", "--to", "2025", "--out", "x", "--place", "Lima", "-12,05", "-77.04"});
    ASSERT_TRUE(p.options) << p.error.toStdString();
    EXPECT_EQ(p.options->place.name, QStringLiteral("Lima"));
    EXPECT_DOUBLE_EQ(p.options->place.latitude, -12.05);
    EXPECT_DOUBLE_EQ(p.options->place.longitude, -77.04);
}

TEST_F(Tool, NeverOverwritesWithoutForce)
{
    const QString folder = dir.filePath(QStringLiteral("Pic"));
    QDir().mkpath(folder);
    const QByteArray mine = "2025.01.29 13:36 az enyém\r\n";
    QFile own(folder + QStringLiteral("/venusz.txt"));
    ASSERT_TRUE(own.open(QIODevice::WriteOnly));
    own.write(mine);
    own.close();

    const QStringList arguments = {"--from", "2025", "--to", "2025", "--out", folder};
    const ToolRun refused = run(arguments);
    EXPECT_EQ(refused.code, Failed);
    EXPECT_TRUE(refused.err.contains(QStringLiteral("venusz.txt"))) << refused.err.toStdString();
    EXPECT_TRUE(refused.err.contains(QStringLiteral("--force")));
    EXPECT_EQ(bytes(folder + QStringLiteral("/venusz.txt")), mine);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{QStringLiteral("venusz.txt")});

    const ToolRun forced = run(QStringList(arguments) << QStringLiteral("--force"));
    EXPECT_EQ(forced.code, Success) << forced.err.toStdString();
    EXPECT_NE(bytes(folder + QStringLiteral("/venusz.txt")), mine);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files).size(), 5);
}

TEST_F(Tool, EveryFileRoundTripsThroughTheProgramsReader)
{
    Ephemeris ephemeris;
    const Almanac almanac = computeAlmanac(ephemeris, 2025, 2025, budapest());
    writeAlmanac(dir.path(), almanac);
    for (const AlmanacFile& file : almanacFiles(almanac)) {
        const QString path = dir.filePath(file.name);
        EXPECT_EQ(readLines(path), *file.lines) << file.name.toStdString();
        const QByteArray raw = bytes(path);
        EXPECT_TRUE(raw.endsWith("\r\n")) << file.name.toStdString();
        EXPECT_EQ(raw.count("\r\n"), raw.count('\n')) << file.name.toStdString() << ": a bare LF";
        EXPECT_EQ(raw.count("\r\n"), file.lines->size()) << file.name.toStdString();
    }
    // Windows-1250 bytes, not UTF-8: "Láthatóság" has á = 0xE1 and ó = 0xF3, "Időpont" ő = 0xF5.
    EXPECT_TRUE(bytes(dir.filePath(QStringLiteral("holdfogyik.txt"))).contains("L\xE1that\xF3s\xE1g"));
    EXPECT_TRUE(bytes(dir.filePath(QStringLiteral("holdsarlok.txt"))).contains(" \xF3ra "));
    for (const QString& line : almanac.newMoons) {
        EXPECT_EQ(line.size(), 16);
        EXPECT_TRUE(toDateTime(line).has_value()) << line.toStdString();
    }
}

TEST_F(Tool, CrescentColumnsStandUnderTheWindowsHeadings)
{
    // "Időpont", "Mikor?" and "Holdsarló kora (kb.)" stand at characters 0, 17 and 24.
    const QStringList lines = generate(2025, 2025, QStringLiteral("holdsarlok.txt"));
    ASSERT_GE(lines.size(), 24);
    for (const QString& line : lines) {
        EXPECT_TRUE(toDateTime(line.left(16)).has_value()) << line.toStdString();
        const QString when = line.mid(17, 7).trimmed();
        EXPECT_TRUE(when == u"este" || when == u"reggel") << line.toStdString();
        EXPECT_EQ(line.mid(24, 1).contains(QRegularExpression(QStringLiteral("[-0-9]"))), true) << line.toStdString();
        // Evenings come after their new moon, mornings before it.
        EXPECT_EQ(line[24] == u'-', when == u"reggel") << line.toStdString();
    }
}

TEST_F(Tool, CivilTimeFollowsTheSummerTimeRules)
{
    const struct {
        JulianDay ut;
        const char* civil;
    } cases[] = {
        {julianDay(2026, 3, 29, 0 + 59 / 60.0), "2026.03.29 01:59"},  // CET, the last minute of it
        {julianDay(2026, 3, 29, 1), "2026.03.29 03:00"},              // 02:00 CET becomes 03:00 CEST
        {julianDay(2026, 10, 25, 0 + 59 / 60.0), "2026.10.25 02:59"},
        {julianDay(2026, 10, 25, 1), "2026.10.25 02:00"},             // the hour is lived twice
        {julianDay(2026, 7, 1, 12 + 29.5 / 60), "2026.07.01 14:30"},  // to the nearest minute
        {julianDay(1975, 7, 1, 12), "1975.07.01 13:00"},              // no summer time in Hungary then
        {julianDay(2399, 7, 1, 12), "2399.07.01 14:00"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(civilText(c.ut), QString::fromLatin1(c.civil)) << c.civil;
}

TEST_F(Tool, NewMoonsInTheNightOfAClockChange)
{
    // 2001-03-25 01:21 UT (USNO), just after the spring change; 2057-10-28 about 03:19 UT,
    // after the autumn one.
    EXPECT_TRUE(generate(2001, 2001, QStringLiteral("ujholdak.txt")).contains(QStringLiteral("2001.03.25 03:21")));
    EXPECT_TRUE(generate(2057, 2057, QStringLiteral("ujholdak.txt")).contains(QStringLiteral("2057.10.28 04:19")));
}

TEST_F(Tool, ARangeAcrossTheYearBoundaryIsTheTwoYearsInTurn)
{
    // The new moon of 2138-12-31 about 23:40 UT is past midnight on 1 January in Budapest: it
    // opens 2139. (Its minute hangs on the ΔT of 2138, so only the hour is asked.)
    const QStringList first = generate(2138, 2138, QStringLiteral("ujholdak.txt"));
    const QStringList second = generate(2139, 2139, QStringLiteral("ujholdak.txt"));
    ASSERT_FALSE(first.isEmpty());
    EXPECT_TRUE(first.last().startsWith(QLatin1String("2138.12.0"))) << first.last().toStdString();
    ASSERT_FALSE(second.isEmpty());
    EXPECT_TRUE(second.first().startsWith(QLatin1String("2139.01.01 00:"))) << second.first().toStdString();

    for (const QString& name : almanacFileNames()) {
        const bool header = name != u"ujholdak.txt" && name != u"holdsarlok.txt";
        QStringList expected = generate(2138, 2138, name);
        expected += generate(2139, 2139, name).mid(header ? 1 : 0);
        EXPECT_EQ(generate(2138, 2139, name), expected) << name.toStdString();
    }
    const QStringList both = generate(2138, 2139, QStringLiteral("ujholdak.txt"));
    for (qsizetype i = 1; i < both.size(); ++i) {
        const double days = *toDateTime(both[i]) - *toDateTime(both[i - 1]);
        EXPECT_GT(days, 29.2) << both[i].toStdString();
        EXPECT_LT(days, 29.9) << both[i].toStdString();
    }
}

TEST_F(Tool, ShippedFilesAreTheToolsOutput)
{
    // Pic/ ships "vkt-almanac --from 2025 --to 2035 --out Pic".
    for (const QString& name : almanacFileNames()) {
        const QByteArray shipped = bytes(sourceFile(QStringLiteral("Pic/") + name));
        ASSERT_FALSE(shipped.isEmpty()) << name.toStdString();
        EXPECT_EQ(readLines(sourceFile(QStringLiteral("Pic/") + name)), generate(2025, 2035, name)) << name.toStdString();
    }
}

TEST_F(Tool, EveryPlaceGetsTheSameNewMoonsAndItsOwnSky)
{
    const Place places[] = {budapest(),
                            {QStringLiteral("Quito"), -0.22, -78.51, 0},
                            {QStringLiteral("Sydney"), -33.87, 151.21, 0},
                            {QStringLiteral("Longyearbyen"), 78.22, 15.65, 0}};
    Ephemeris ephemeris;
    const Almanac reference = computeAlmanac(ephemeris, 2030, 2030, budapest());
    for (const Place& place : places) {
        const Almanac almanac = computeAlmanac(ephemeris, 2030, 2030, place);
        EXPECT_EQ(almanac.newMoons, reference.newMoons) << place.name.toStdString();
        EXPECT_TRUE(almanac.solarEclipses.first().contains(place.name)) << place.name.toStdString();
        EXPECT_FALSE(almanac.crescents.isEmpty()) << place.name.toStdString();
    }
}

TEST_F(Tool, SolarEclipseSeenUpToTheHorizon)
{
    // 2026-08-12 sets while in progress over Central Europe: the further east, the earlier the
    // sunset and the smaller the phase in sight. 2029-06-12 is over before a Lisbon sunrise.
    const struct {
        Place place;
        int year;
        const char* date;
        const char* seen;  // a fragment of the local column
    } cases[] = {
        // In Wien the greatest phase comes within seconds of sunset; Bratislava sees it set minutes early.
        {{QStringLiteral("Bratislava"), 48.15, 17.11, 0}, 2026, "2026.08.12", "(napnyugtakor)"},
        {budapest(), 2026, "2026.08.12", "(napnyugtakor)"},
        {{QStringLiteral("Debrecen"), 47.53, 21.63, 0}, 2026, "2026.08.12", "(napnyugtakor)"},
        {{QStringLiteral("Kyiv"), 50.45, 30.52, 0}, 2026, "2026.08.12", "(napnyugtakor)"},
        {{QStringLiteral("Wien"), 48.21, 16.37, 0}, 2029, "2029.06.12", "(napkeltekor)"},
        {{QStringLiteral("Lisboa"), 38.72, -9.14, 0}, 2029, "2029.06.12", "nem látható"},
        {budapest(), 2027, "2027.08.02", "11:2"},
    };
    Ephemeris ephemeris;
    double previousMagnitude = 2;
    for (const auto& c : cases) {
        const QStringList lines = computeAlmanac(ephemeris, c.year, c.year, c.place).solarEclipses;
        const auto line = std::find_if(lines.begin(), lines.end(), [&](const QString& l) { return l.startsWith(QLatin1String(c.date)); });
        ASSERT_NE(line, lines.end()) << c.date;
        EXPECT_TRUE(line->mid(39).contains(QString::fromUtf8(c.seen))) << line->toStdString();
        if (c.year == 2026) {
            const double magnitude = line->mid(46, 5).replace(u',', u'.').toDouble();
            EXPECT_LT(magnitude, previousMagnitude) << line->toStdString();
            previousMagnitude = magnitude;
        }
    }
}

TEST_F(Tool, FallsBackToTheAnalyticEphemerisWithAWarning)
{
    const QByteArray saved = qgetenv("SE_EPHE_PATH");
    qunsetenv("SE_EPHE_PATH");  // it would outrank the folder given
    std::vector<JulianDay> analytic;
    {
        const Ephemeris ephemeris(dir.path());
        EXPECT_TRUE(ephemeris.analytic());
        EXPECT_TRUE(ephemeris.warning().contains(QStringLiteral("swe-basic-data"))) << ephemeris.warning().toStdString();
        analytic = newMoons(ephemeris, julianDay(2030, 1, 1), julianDay(2031, 1, 1));
    }
    if (!saved.isNull())
        qputenv("SE_EPHE_PATH", saved);
    const Ephemeris files;
    const std::vector<JulianDay> precise = newMoons(files, julianDay(2030, 1, 1), julianDay(2031, 1, 1));
    ASSERT_EQ(analytic.size(), precise.size());
    for (std::size_t i = 0; i < precise.size(); ++i)
        EXPECT_NEAR(analytic[i], precise[i], 1.0 / 1440);
}

} // namespace
} // namespace vkt::almanac
