// vkt-almanac as a user meets it: arguments, the five files, overwriting, civil time.
#include "astro/CivilTime.h"
#include "astro/MoonPhases.h"
#include "presentation/Failures.h"
#include "presentation/Places.h"
#include "presentation/TimeTexts.h"
#include "services/DateTime.h"
#include "services/Failure.h"
#include "services/FileBytes.h"
#include "services/TextFiles.h"
#include "tests/almanac/RunTool.h"
#include "tests/support/TestSupport.h"
#include "tools/almanac/AlmanacLines.h"
#include "tools/almanac/AlmanacLists.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QTimeZone>
#include <algorithm>
#include <cmath>
#include <cerrno>
#include <map>
#include <tuple>
#include <vector>

namespace vkt::almanac {
namespace {

using testing::fileBytes;

class Tool : public ::testing::Test {
protected:
    // The folder the tool wrote the years into, run once per test.
    QString generated(int from, int to) const
    {
        const QString folder = dir.filePath(QStringLiteral("%1-%2").arg(from).arg(to));
        if (!QFileInfo::exists(folder)) {
            const ToolRun r = runTool({"--from", QString::number(from), "--to", QString::number(to), "--out", folder});
            EXPECT_EQ(r.code, Success) << r.err.toStdString();
        }
        return folder + u'/';
    }
    QStringList lines(int from, int to, const QString& file) const { return readLines(generated(from, to) + file); }

    void TearDown() override { setWriteFault(std::nullopt); }

    QTemporaryDir dir;
};

TEST_F(Tool, BadArgumentsAreRefusedWithExitCodeTwo)
{
    const QStringList years = {"--from", "2025", "--to", "2025", "--out", "x"};
    const struct { QStringList arguments; const char* message; } cases[] = {
        {{}, "Hiányzik a --from"},
        {{"--from", "2025", "--to", "2025"}, "Hiányzik az --out"},
        {{"--from", "2O25", "--to", "2025", "--out", "x"}, "Hibás évszám a(z) --from után"},
        {{"--from", "1799", "--to", "2025", "--out", "x"}, "1800 és 2399"},
        {{"--from", "2025", "--to", "2400", "--out", "x"}, "1800 és 2399"},
        {{"--from", "2026", "--to", "2025", "--out", "x"}, "későbbi, mint az utolsó"},
        {{"--out", "x", "--from"}, "hiányzik az évszám"},
        {{"--from", "2025", "--from", "2026", "--to", "2026", "--out", "x"}, "kétszer szerepel"},
        {years + QStringList{"--year", "3"}, "Ismeretlen kapcsoló"},
        {years + QStringList{"Pic"}, "Váratlan argumentum"},
        {years + QStringList{"--place", "Eger", "47.9"}, "három érték"},
        {years + QStringList{"--place", "X", "90.5", "19"}, "földrajzi szélesség"},
        {years + QStringList{"--place", "X", "47", "kelet"}, "földrajzi hosszúság"},
        {years + QStringList{"--place", "東京", "35.7", "139.7"}, "közép-európai kódlap"},
        {years + QStringList{"--tz", "Europe/Bp"}, "időzóna"},
        {years + QStringList{"--tz"}, "időzóna"},
        {years + QStringList{"--height", "9001"}, "magasság"},
        {years + QStringList{"--ical", "x.ics"}, "együtt nem adható meg"},
        {years + QStringList{"--no-alarm"}, "csak az --ical mellett"},
        {{"--from", "2025", "--to", "2025", "--ical"}, "hiányzik a fájl neve"},
        {{"--ical", "x.ics", "--to", "2025"}, "Hiányzik a --from"},
    };
    for (const auto& c : cases) {
        const ToolRun r = runTool(c.arguments);
        const std::string trace = c.arguments.join(u' ').toStdString() + " → " + r.err.toStdString();
        EXPECT_EQ(r.code, BadArguments) << trace;
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.message)) && r.err.contains(u"--help")) << trace;
        EXPECT_TRUE(r.out.isEmpty()) << trace;
    }
    EXPECT_FALSE(QFileInfo::exists(QStringLiteral("x")) || QFileInfo::exists(QStringLiteral("x.ics")));

    const ToolRun help = runTool({"--help"});
    EXPECT_EQ(help.code, Success);
    EXPECT_TRUE(help.out.startsWith(QStringLiteral("Használat: vkt-almanac --from ÉV --to ÉV --out MAPPA")));
    // A fixed offset from the time-zone database, twelve hours behind UT: 2026-01-18 19:52 UT is 07:52 there.
    const ParsedArguments fixed = parseArguments(years + QStringList{"--tz", "Etc/GMT+12"});
    ASSERT_TRUE(fixed.options) << fixed.error.toStdString();
    const CivilZone twelveBehind(fixed.options->place.timeZone);
    EXPECT_EQ(presentation::dateTimeText(twelveBehind, julianDay(2026, 1, 18, 19 + 52 / 60.0)), "2026.01.18 07:52");
}

// A full disk under --force: the failure and exit code 1, never the success line; the file is kept.
TEST_F(Tool, ForceReplacesAFileButAFullDiskKeepsIt)
{
    const QString folder = dir.filePath(QStringLiteral("Pic")), own = folder + QStringLiteral("/venusz.txt");
    const QByteArray mine = "2025.01.29 13:36 az enyém\r\n";
    testing::writeFile(own, mine);
    const QStringList arguments = {"--from", "2025", "--to", "2025", "--out", folder, "--force"};
    setWriteFault(WriteFault{WriteStep::Flush, ENOSPC, 0, QStringLiteral("venusz.txt")});
    const ToolRun full = runTool(arguments);
    setWriteFault(std::nullopt);
    EXPECT_EQ(full.code, Failed);
    EXPECT_TRUE(full.err.contains(QStringLiteral("venusz.txt' fájl nem írható: ") + reasonText(ENOSPC))) << full.err.toStdString();
    EXPECT_EQ(full.out, QString());
    EXPECT_EQ(fileBytes(own), mine);

    const ToolRun forced = runTool(arguments);
    EXPECT_EQ(forced.code, Success) << forced.err.toStdString();
    EXPECT_NE(fileBytes(own), mine);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files).size(), almanacFileNames().size());
}

// Every target is looked at before any file is written, so a refused run leaves the folder as it
// was: without --force a file (a dangling link too) is never written over, with it whatever cannot
// be replaced is named; a folder that cannot be one is refused with the reason.
TEST_F(Tool, EveryTargetIsCheckedBeforeAnyIsWritten)
{
    // plant: what stands in the folder "Pic" first (a link, a folder, a file); out: the --out folder, under the test's.
    const struct { const char* name; const char* plant; const char* out; bool force; const char* message; } rows[] = {
        {"a file", "file Pic/venusz.txt", "Pic", false, "már megvan: venusz.txt. Nem írom felül; ha mégis ezt szeretné, adja meg a --force"},
        {"a dangling link", "link venusz.txt", "Pic", false, "már megvan: venusz.txt."},
        {"a dangling link under --force", "link venusz.txt", "Pic", true,
         "ezek nem írhatók felül: venusz.txt (nem létező helyre mutató link). Egyik fájlt sem írtam meg."},
        {"a folder under --force", "folder holdfogyik.txt", "Pic", true, "holdfogyik.txt (mappa)"},
        {"--out names a file", "file Pic", "Pic", false, "Pic mappa nem hozható létre: a név már egy fájlé, nem mappáé."},
        {"--out under a file", "file Pic", "Pic/alatta", true,
         "Pic/alatta mappa nem hozható létre: az elérési út egy tagja nem mappa."},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        QTemporaryDir here;
        const QString folder = here.filePath(QStringLiteral("Pic"));
        const QStringList plant = QString::fromLatin1(row.plant).split(u' ');
        if (plant[0] == u"file") {
            testing::writeFile(here.filePath(plant[1]), "x");
        } else {
            ASSERT_TRUE(QDir().mkpath(folder));
            if (plant[0] == u"folder")
                ASSERT_TRUE(QDir(folder).mkdir(plant[1]));
            else
                ASSERT_TRUE(QFile::link(here.filePath(QStringLiteral("nincs-ilyen")), folder + u'/' + plant[1]));
        }
        const auto entries = [&] {
            const auto all = QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot;
            return QDir(here.path()).entryList(all) + QDir(folder).entryList(all);
        };
        const QStringList was = entries();
        QStringList arguments = {"--from", "2026", "--to", "2026", "--out", here.filePath(QString::fromLatin1(row.out))};
        if (row.force)
            arguments << QStringLiteral("--force");
        const ToolRun r = runTool(arguments);
        EXPECT_EQ(r.code, Failed);
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(row.message))) << r.err.toStdString();
        EXPECT_EQ(r.out, QString());
        EXPECT_EQ(entries(), was);
    }
}

// A list failed at each step of its write (every byte and error code is the file services' test):
// the failure names the file, and every file is as it was: the set is replaced whole or not at all.
TEST_F(Tool, AListWriteFailedAtAnyStepIsReported)
{
    const Almanac almanac{{"2026.01.18 20:52"}, {"2026.01.19 16:40  este    23 óra"}, {"Napfogyatkozások"},
                          {"Holdfogyatkozások", "2026.03.03"}, {"Vénusz"}, {"Adatok", ""}};
    const QString folder = dir.filePath(QStringLiteral("Pic"));
    const auto oldBytes = [](const QString& name) { return "régi " + name.toLatin1() + "\r\n"; };
    QStringList names = almanacFileNames();  // nothing else, no temporary file, stays in the folder
    names.sort();
    for (const AlmanacFile& file : almanacFiles(almanac)) {
        for (const WriteStep step : {WriteStep::Open, WriteStep::Write, WriteStep::Flush, WriteStep::Commit, WriteStep::Close}) {
            SCOPED_TRACE(::testing::Message() << file.name.toStdString() << ", step " << int(step));
            for (const QString& name : almanacFileNames())
                testing::writeFile(folder + u'/' + name, oldBytes(name));
            setWriteFault(WriteFault{step, EIO, 3, file.name});
            const QString message = testing::failureOf([&] { writeAlmanac(folder, almanac); });
            setWriteFault(std::nullopt);
            EXPECT_TRUE(message.contains(file.name) && message.contains(reasonText(EIO))) << message.toStdString();
            for (const QString& name : almanacFileNames())
                EXPECT_EQ(fileBytes(folder + u'/' + name), oldBytes(name)) << name.toStdString();
            EXPECT_EQ(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), names);
        }
    }
    writeAlmanac(folder, almanac);
    for (const AlmanacFile& file : almanacFiles(almanac))
        EXPECT_EQ(fileBytes(folder + u'/' + file.name), encodeWindows1250(file.lines->join("\r\n") + "\r\n"))
            << file.name.toStdString();
}

// In the first and the last year the tool takes, every file reads back through the program's own
// reader, in Windows-1250 with CR LF, and every dated row falls in the year, to the second.
TEST_F(Tool, EveryFileRoundTripsThroughTheProgramsReaderAtTheEdgesOfTheEphemeris)
{
    Ephemeris ephemeris;
    for (const int year : {kFirstYear, kLastYear}) {
        const JulianDay midnight = fromCivil(QDateTime(QDate(year, 1, 1), QTime(0, 0), QTimeZone("Europe/Budapest")));
        // Seconds from 00:00 on 1 January, and the civil year such an event belongs to.
        for (const auto& [seconds, in] : {std::pair{0, year}, {-31, year - 1}, {29, year}})
            for (const int y : {year - 1, year, year + 1})
                EXPECT_EQ(CivilYear(presentation::hungarianTime(), y).contains(midnight + seconds / 86400.0), y == in)
                    << year << ' ' << seconds << " in " << y;
        const QString folder = dir.filePath(QString::number(year));
        const Almanac almanac = computeAlmanac(ephemeris, year, year, presentation::budapest());
        QDir().mkpath(folder);
        writeAlmanac(folder, almanac);
        for (const AlmanacFile& file : almanacFiles(almanac)) {
            SCOPED_TRACE(file.name.toStdString() + " " + std::to_string(year));
            // The bytes' layout is the write test's; here no line may hold a line end of its own.
            EXPECT_EQ(readLines(folder + u'/' + file.name), *file.lines);
            for (const QString& line : *file.lines) {  // the details by their own day, two columns in
                const QString date = file.name == u"holdsarlok-adatok.txt" ? line.mid(26, 10) : line.left(10);
                EXPECT_TRUE(line.isEmpty() || !line[0].isDigit() || date.startsWith(QString::number(year) + u'.'))
                    << line.toStdString();
            }
        }
        EXPECT_GE(almanac.newMoons.size(), 12);
        for (const QString& line : almanac.newMoons)
            EXPECT_TRUE(line.size() == 16 && toDateTime(line)) << line.toStdString();
        // The crescents stand under the window's "Időpont", "Mikor?" and "Holdsarló kora (kb.)", at
        // characters 0, 17 and 24, after a first row naming the place; evenings come after their
        // new moon, mornings before it; the class text ends where the list box's scroll bar begins.
        ASSERT_GE(almanac.crescents.size(), 13);
        for (const QString& line : almanac.crescents.mid(1)) {
            const QString when = line.mid(17, 7).trimmed();
            EXPECT_TRUE(toDateTime(line.left(16)) && (when == u"este" || when == u"reggel")) << line.toStdString();
            EXPECT_TRUE((line[24].isDigit() || line[24] == u'-') && (line[24] == u'-') == (when == u"reggel"))
                << line.toStdString();
            EXPECT_LE(line.size(), 71) << line.toStdString();
        }
        EXPECT_GE(almanac.crescentDetails.size(), 2 + 12 * 7);  // their fields: the crescent list's test
    }
}

TEST_F(Tool, CivilTimeFollowsTheSummerTimeRules)
{
    const CivilZone& hungary = presentation::hungarianTime();
    const CivilZone newYork("America/New_York");  // springs forward at 2:00 local, 7:00 UT
    const std::tuple<const CivilZone*, JulianDay, const char*> cases[] = {
        {&hungary, julianDay(2026, 3, 29, 0 + 59 / 60.0), "2026.03.29 01:59"},  // CET, the last minute of it
        {&hungary, julianDay(2026, 3, 29, 1), "2026.03.29 03:00"},              // 02:00 CET becomes 03:00 CEST
        {&hungary, julianDay(2026, 10, 25, 0 + 59 / 60.0), "2026.10.25 02:59"},
        {&hungary, julianDay(2026, 10, 25, 1), "2026.10.25 02:00"},             // the hour is lived twice
        {&hungary, julianDay(2026, 7, 1, 12 + 29.5 / 60), "2026.07.01 14:30"},  // to the nearest minute
        {&hungary, julianDay(1975, 7, 1, 12), "1975.07.01 13:00"},              // no summer time in Hungary then
        {&hungary, std::nan(""), ""},  // an event that does not happen (a Sun that stays up)
        {&newYork, julianDay(2026, 3, 8, 6 + 59 / 60.0), "2026.03.08 01:59"},
        {&newYork, julianDay(2026, 3, 8, 7), "2026.03.08 03:00"},
    };
    for (const auto& [zone, ut, civil] : cases)
        EXPECT_EQ(presentation::dateTimeText(*zone, ut), QString::fromLatin1(civil)) << civil;
    EXPECT_EQ(newYork.startOfYear(2026), julianDay(2026, 1, 1, 5));
    // A new moon in the night of a change: 2001-03-25 01:21 UT (USNO), just after the spring one.
    EXPECT_TRUE(lines(2001, 2001, QStringLiteral("ujholdak.txt")).contains(QStringLiteral("2001.03.25 03:21")));
}

TEST_F(Tool, ARangeAcrossTheYearBoundaryIsTheTwoYearsInTurn)
{
    // The new moon of 2138-12-31 about 23:40 UT is past midnight on 1 January in Budapest: it
    // opens 2139. (Its minute hangs on the ΔT of 2138, so only the hour is asked.)
    const QStringList first = lines(2138, 2138, QStringLiteral("ujholdak.txt"));
    const QStringList second = lines(2139, 2139, QStringLiteral("ujholdak.txt"));
    ASSERT_FALSE(first.isEmpty() || second.isEmpty());
    EXPECT_TRUE(first.last().startsWith(QLatin1String("2138.12.0"))) << first.last().toStdString();
    EXPECT_TRUE(second.first().startsWith(QLatin1String("2139.01.01 00:"))) << second.first().toStdString();
    const std::map<QString, int> headerLines = {{"ujholdak.txt", 0},   {"holdsarlok.txt", 1}, {"napfogyik.txt", 1},
                                                {"holdfogyik.txt", 1}, {"venusz.txt", 4},     {"holdsarlok-adatok.txt", 2}};
    for (const QString& name : almanacFileNames()) {
        // A year alone may have nothing to list and say so (2139 has no inferior conjunction of Venus).
        QStringList expected = lines(2138, 2138, name) + lines(2139, 2139, name).mid(headerLines.at(name));
        expected.removeAll(AlmanacLines::noVenusLine());
        EXPECT_EQ(lines(2138, 2139, name), expected) << name.toStdString();
    }
}

TEST_F(Tool, ShippedFilesAreTheToolsOutput)
{
    // Pic/ ships "vkt-almanac --from 2026 --to 2035 --out Pic".
    for (const QString& name : almanacFileNames()) {
        const QByteArray shipped = fileBytes(qEnvironmentVariable("VKT_SOURCE_DIR") + "/Pic/" + name);
        EXPECT_FALSE(shipped.isEmpty()) << name.toStdString();
        EXPECT_EQ(shipped, fileBytes(generated(2026, 2035) + name)) << name.toStdString();
    }
}

TEST_F(Tool, EachPlaceGetsItsOwnSky)
{
    // 2026-08-12 sets in progress over Central Europe; 2029-06-12 is over before a Lisbon sunrise;
    // Longyearbyen sees 2030-06-01 under the midnight sun and few crescents all year.
    const auto at = [](const char* name, double latitude, double longitude, const char* zone) {
        return Place{QString::fromUtf8(name), latitude, longitude, 100, QByteArray(zone)};
    };
    // seen: a fragment of the local columns, on the eclipse's one or two lines.
    const struct { Place place; const char* date; const char* seen; } cases[] = {
        {presentation::budapest(), "2026.08.12", "napnyugtakor 0,74"},
        {at("Wien", 48.21, 16.37, "Europe/Vienna"), "2029.06.12", "napkeltekor 0,10"},
        {at("Lisboa", 38.72, -9.14, "Europe/Lisbon"), "2029.06.12", "nem látható (a Nap a látóhatár alatt)"},
        {at("Sydney", -33.87, 151.21, "Australia/Sydney"), "2030.11.25", "vége 20:09 (-5,1°, lenn)"},
        {at("Longyearbyen", 78.22, 15.65, "Arctic/Longyearbyen"), "2030.06.01", "max. 08:11"},
    };
    Ephemeris ephemeris;
    for (const auto& c : cases) {
        const int year = QByteArray(c.date).left(4).toInt();
        const Almanac almanac = computeAlmanac(ephemeris, year, year, c.place);
        const QStringList& all = almanac.solarEclipses;
        const auto line = std::find_if(all.begin(), all.end(), [&](const QString& l) { return l.startsWith(c.date); });
        ASSERT_NE(line, all.end()) << c.date;
        const QString local = line->mid(39) + u'\n' + (line + 1 == all.end() ? QString() : *(line + 1));
        EXPECT_TRUE(local.contains(QString::fromUtf8(c.seen))) << local.toStdString();
        // 2029 has no inferior conjunction of Venus, and says so.
        EXPECT_EQ(almanac.venus.last() == AlmanacLines::noVenusLine(), year == 2029) << c.date;
        if (c.place.latitude < 70)
            continue;
        // Longyearbyen: every morning and evening is listed, in the same columns; under the
        // midnight sun and in the polar night the Sun's time (and the Moon's near them) gives way to
        // "fenn" or "lenn".
        std::map<QString, int> days;  // new moon and side → days listed
        QSet<QString> words;
        for (const QString& detail : almanac.crescentDetails.mid(2)) {
            const QStringList f = detail.split(u' ', Qt::SkipEmptyParts);
            ASSERT_EQ(f.size(), 23) << detail.toStdString();
            ++days[f[0] + f[2]];
            for (const int column : {5, 6})
                if (!f[column].contains(u':') && f[column] != u"-")
                    words << QString::number(column) + f[column];
        }
        for (const auto& [key, count] : days)
            EXPECT_LE(count, 4) << key.toStdString();
        EXPECT_GE(std::count_if(days.begin(), days.end(), [](const auto& d) { return d.second == 4; }), 20);
        EXPECT_EQ(words, (QSet<QString>{"5fenn", "5lenn", "6fenn", "6lenn"}));
    }
}

TEST_F(Tool, TheCrescentListHoldsEveryLookableDayUpToTheFirstEasyOne)
{
    // The short list is what the details say: for each new moon and side, walking away from it,
    // the days of class A–D up to and including the first A, three at most; then in date order.
    const QStringList details = lines(2026, 2027, QStringLiteral("holdsarlok-adatok.txt"));
    std::map<QString, std::map<int, QStringList>> sides;  // new moon + side → day → fields
    for (const QString& line : details.mid(2)) {
        const QStringList f = line.split(u' ', Qt::SkipEmptyParts);
        ASSERT_EQ(f.size(), 23) << line.toStdString();
        sides[f[0] + f[1] + f[2]][f[3].toInt()] = f;
    }
    QStringList expected;
    for (const auto& [key, days] : sides) {
        int listed = 0;
        for (const auto& [day, f] : days) {  // nearest the new moon first
            if (listed == 3 || f[20] < u"A" || f[20] > u"D")
                continue;
            expected << f[4] + u' ' + f[8];
            listed = f[20] == u"A" ? 3 : listed + 1;
        }
    }
    std::sort(expected.begin(), expected.end());
    const QStringList crescents = lines(2026, 2027, QStringLiteral("holdsarlok.txt"));
    QStringList listed;
    for (const QString& line : crescents.mid(1))
        listed << line.left(16);
    EXPECT_EQ(listed, expected);
    // In 2026-2027 some new moons have a C or D evening before an A one: both are listed.
    EXPECT_TRUE(std::any_of(crescents.begin(), crescents.end(), [](const QString& l) { return l.mid(40).startsWith(u"D: "); }));
    EXPECT_TRUE(std::any_of(crescents.begin(), crescents.end(), [](const QString& l) { return l.mid(40).startsWith(u"B: csak tökéletes égen"); }));
}

TEST_F(Tool, PlaceHeightAndZoneReachEveryList)
{
    const QStringList years = {"--from", "2026", "--to", "2026", "--force", "--out"};
    const QString lima = dir.filePath(QStringLiteral("lima")), high = dir.filePath(QStringLiteral("high"));
    // Outside Hungary (south and west, with a decimal comma) without --tz: a warning, and Hungarian time.
    const ToolRun warned = runTool(years + QStringList{lima, "--place", "Lima", "-12,05", "-77.04"});
    EXPECT_EQ(warned.code, Success);
    EXPECT_TRUE(warned.err.contains(u"Magyarországon kívül") && warned.err.contains(u"--tz")) << warned.err.toStdString();
    EXPECT_TRUE(readLines(lima + QStringLiteral("/venusz.txt")).first().endsWith(u"Europe/Budapest idő"));
    // With it: no warning, and every list names the place and the zone.
    const ToolRun zoned = runTool(years + QStringList{lima, "--place", "Lima", "-12,05", "-77.04", "--tz", "America/Lima"});
    EXPECT_EQ(zoned.code, Success);
    EXPECT_TRUE(zoned.err.isEmpty()) << zoned.err.toStdString();
    for (const QString& name : almanacFileNames().mid(1)) {
        const bool eclipses = name == u"napfogyik.txt" || name == u"holdfogyik.txt";  // the short form
        const QString where = eclipses ? QStringLiteral("Lima, America/Lima idő")
                                       : QStringLiteral("Lima (12,05° D, 77,04° Ny, 100 m), America/Lima idő");
        EXPECT_TRUE(readLines(lima + u'/' + name).first().contains(where)) << name.toStdString();
    }
    // Lima keeps UTC−5 all year: the new moon of 2026-01-18 19:52 UT is 14:52 there.
    EXPECT_TRUE(readLines(lima + QStringLiteral("/ujholdak.txt")).contains(QStringLiteral("2026.01.18 14:52")));
    // A place in Hungary needs no zone; its height is in the headers and moves the horizon.
    const ToolRun kekes = runTool(years + QStringList{high, "--place", "Kékestető", "47.87", "20.01", "--height", "1014"});
    EXPECT_EQ(kekes.code, Success);
    EXPECT_TRUE(kekes.err.isEmpty()) << kekes.err.toStdString();
    const QStringList highDetails = readLines(high + QStringLiteral("/holdsarlok-adatok.txt"));
    EXPECT_TRUE(highDetails.first().startsWith(QStringLiteral("Kékestető (47,87° É, 20,01° K, 1014 m), Europe/Budapest idő")));
    Ephemeris ephemeris;
    const Place low{QStringLiteral("Kékestető"), 47.87, 20.01, 100, QByteArrayLiteral("Europe/Budapest")};
    const QStringList lowDetails = computeAlmanac(ephemeris, 2026, 2026, low).crescentDetails;
    ASSERT_EQ(lowDetails.size(), highDetails.size());
    EXPECT_NE(lowDetails.mid(2), highDetails.mid(2));
}

TEST_F(Tool, FallsBackToTheAnalyticEphemerisWithAWarning)
{
    const JulianDay from = julianDay(2030, 1, 1), until = julianDay(2031, 1, 1);
    std::vector<JulianDay> precise;
    {
        Ephemeris files;
        precise = newMoons(files, from, until);
        EXPECT_EQ(presentation::ephemerisWarning(files), QString());
    }
    const QByteArray saved = qgetenv("SE_EPHE_PATH");
    qunsetenv("SE_EPHE_PATH");  // it would outrank the folder given
    Ephemeris ephemeris(dir.path());
    const QString warning = presentation::ephemerisWarning(ephemeris);
    EXPECT_TRUE(warning.contains(u"swe-basic-data") && warning.contains(QDir::toNativeSeparators(dir.path())))
        << warning.toStdString();
    const std::vector<JulianDay> analytic = newMoons(ephemeris, from, until);
    if (!saved.isNull())
        qputenv("SE_EPHE_PATH", saved);
    ASSERT_EQ(analytic.size(), precise.size());
    for (std::size_t i = 0; i < precise.size(); ++i)
        EXPECT_NEAR(analytic[i], precise[i], 1.0 / 1440);
}

} // namespace
} // namespace vkt::almanac
