// The exchange CSV: what an import reads, refuses and would add before anything is added, and
// what an export writes.
#include "presentation/Places.h"
#include "presentation/SightingTexts.h"
#include "sightings/SightingCsv.h"
#include "sightings/SightingSky.h"

#include <gtest/gtest.h>

namespace vkt::sightings {
namespace {

using Kind = LineProblem::Kind;

const QByteArray kHeader = "date,time,timezone,session,latitude,longitude,height,naked_eye,binoculars,telescope,"
                           "camera,sky,clouds,place,observer,note\r\n";

astro::Ephemeris& ephemeris()
{
    static astro::Ephemeris e;
    return e;
}

// What a spreadsheet or a catalogue writes: a byte-order mark, quoted fields with commas, quotes
// and a line end, empty optional columns, LF ends, a blank line at the end; an export's header.
TEST(SightingCsv, ReadsWhatObserversAndCataloguesWrite)
{
    const QByteArray csv = "\xEF\xBB\xBF" + kHeader +
                           "2024-03-11,18:05,Europe/Budapest,evening,47.5,19.04,120,seen,,seen,not seen,clear,"
                           "partly cloudy,\"Budapest, Gellérthegy\",\"Kiss \"\"Öcsi\"\" Éva\",\"két\r\nsor\"\n"
                           "1850-01-02,,,morning,-33.925,-18.4241,,,,,,,,,,\n\n";
    const CsvImport read = readCsv(csv);
    EXPECT_TRUE(read.problems.empty());
    ASSERT_EQ(read.rows.size(), 2u);
    const Sighting& s = read.rows[0].sighting;
    EXPECT_EQ(read.rows[0].line, 2);
    EXPECT_EQ(s.time, QTime(18, 5));
    EXPECT_EQ(s.place.name, QStringLiteral("Budapest, Gellérthegy"));
    EXPECT_EQ(s.observers, QStringLiteral("Kiss \"Öcsi\" Éva"));
    EXPECT_EQ(s.note, QStringLiteral("két\r\nsor"));
    EXPECT_EQ(s.outcomes, (std::array{Outcome::Seen, Outcome::NotTried, Outcome::Seen, Outcome::NotSeen}));
    EXPECT_EQ(s.clouds, Clouds::PartlyCloudy);
    const Sighting& t = read.rows[1].sighting;
    EXPECT_EQ(read.rows[1].line, 4);  // the note's line end counts
    EXPECT_EQ(t.session, Twilight::Morning);
    EXPECT_TRUE(t.place.timeZone.isEmpty());
    EXPECT_FALSE(t.time);

    // An export read back: the first sixteen columns give the same records.
    const std::vector<Sighting> records = {s, t};
    const CsvImport again = readCsv(exportCsv(records, skiesOf(ephemeris(), records)));
    EXPECT_TRUE(again.problems.empty());
    ASSERT_EQ(again.rows.size(), 2u);
    for (std::size_t i = 0; i < records.size(); ++i)
        EXPECT_EQ(writeFields(again.rows[i].sighting, Dialect::Csv), writeFields(records[i], Dialect::Csv));
}

// Every line it cannot take is reported with its number and the reason in Hungarian; the lines
// around it are read.
TEST(SightingCsv, ReportsEveryLineItCannotTake)
{
    const QByteArray good = "2024-03-11,,,evening,47.5,19,,seen,,,,,,Eger,,\r\n";
    const struct {
        QByteArray line;
        Kind kind;
        Column column;
        const char* says;
    } cases[] = {
        {"2024.03.11,,,evening,47.5,19,,,,,,,,,,\r\n", Kind::BadValue, Column::Date, "ÉÉÉÉ-HH-NN"},
        {"2024-02-30,,,evening,47.5,19,,,,,,,,,,\r\n", Kind::BadValue, Column::Date, "„date”"},
        {"1799-12-31,,,evening,47.5,19,,,,,,,,,,\r\n", Kind::YearOutOfRange, Column::Date, "1800 és 2399"},
        {"2024-03-11,7pm,,evening,47.5,19,,,,,,,,,,\r\n", Kind::BadValue, Column::Time, "ÓÓ:PP"},
        {"2024-03-11,,Mars/Olympus,evening,47.5,19,,,,,,,,,,\r\n", Kind::BadValue, Column::Zone, "IANA"},
        {"2024-03-11,,,night,47.5,19,,,,,,,,,,\r\n", Kind::BadValue, Column::Session, "evening vagy morning"},
        {"2024-03-11,,,evening,91,19,,,,,,,,,,\r\n", Kind::BadValue, Column::Latitude, "-90 és 90"},
        {"2024-03-11,,,evening,47.5,-180.5,,,,,,,,,,\r\n", Kind::BadValue, Column::Longitude, "-180 és 180"},
        {"2024-03-11,,,evening,47.5,19,-600,,,,,,,,,\r\n", Kind::BadValue, Column::Height, "-500 és 9000"},
        {"2024-03-11,,,evening,47.5,19,,yes,,,,,,,,\r\n", Kind::BadValue, Column::NakedEye, "seen, not seen"},
        {"2024-03-11,,,evening,47.5,19,,,,,,foggy,,,,\r\n", Kind::BadValue, Column::Sky, "very hazy"},
        {"2024-03-11,,,evening,47.5,19,,,,,,,rain,,,\r\n", Kind::BadValue, Column::Clouds, "partly cloudy"},
        {"2024-03-11,,,evening,47.5,19\r\n", Kind::FieldCount, Column::Date, "6 mező"},
        {"2024-03-11,,,evening,47.5,19,,,,,,,,\xC3\x28,,\r\n", Kind::BadEncoding, Column::Date, "UTF-8"},
        {"2024-03-11,,,evening,47.5,19,,,,,,,,Ωmega,,\r\n", Kind::NotCodePage, Column::Place, "„Ω” (U+03A9)"},
        {"2024-03-11,,,evening,47.5,19,,,,,,,,,\"日本\",\r\n", Kind::NotCodePage, Column::Observer, "„日” (U+65E5)"},
        {"2024-03-11,,,evening,47.5,19,,,,,,,,,,\"nincs vége\r\n", Kind::UnclosedQuote, Column::Date, "nem zárul"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line.toStdString());
        const CsvImport read = readCsv(kHeader + good + c.line + good);
        EXPECT_EQ(read.rows.size(), 2u);
        ASSERT_EQ(read.problems.size(), 1u);
        const LineProblem& p = read.problems[0];
        EXPECT_EQ(p.kind, c.kind);
        EXPECT_EQ(p.line, 3);
        if (c.kind == Kind::BadValue || c.kind == Kind::NotCodePage) {
            EXPECT_EQ(p.column, c.column);
        }
        const QString text = presentation::lineProblemText(p, Dialect::Csv);
        EXPECT_TRUE(text.startsWith(u"3. sor: ")) << text.toStdString();
        EXPECT_TRUE(text.contains(QString::fromUtf8(c.says))) << text.toStdString();
    }
    // Without the header the columns are unknown: nothing is read.
    const CsvImport headless = readCsv(good + good);
    EXPECT_TRUE(headless.rows.empty());
    ASSERT_EQ(headless.problems.size(), 1u);
    EXPECT_EQ(headless.problems[0].kind, Kind::Header);
    EXPECT_EQ(readCsv({}).problems.size(), 1u);
    const CsvImport unclosedHeader = readCsv("\"date,time\r\n" + good + good);
    ASSERT_EQ(unclosedHeader.problems.size(), 1u);
    EXPECT_EQ(unclosedHeader.problems[0].kind, Kind::Header);
}

// The preview names what is already recorded (the same date, session, place and time) and adds
// only the rest; importing the same file again adds nothing.
TEST(SightingCsv, AnImportAddsNothingTwice)
{
    const QByteArray csv = kHeader + "2024-03-11,18:05,,evening,47.5,19,,seen,,,,,,Eger,,\r\n"
                                     "2024-03-11,18:05,,evening,47.5,19,,not seen,,,,,,Eger,Kis Pál,\r\n"  // the same attempt
                                     "2024-03-11,18:10,,evening,47.5,19,,seen,,,,,,Eger,,\r\n"
                                     "2024-03-11,18:05,,evening,47.5,19,,seen,,,,,,Gyöngyös,,\r\n"
                                     "2024-03-12,18:05,,morning,47.5,19,,seen,,,,,,Eger,,\r\n"
                                     "2024-03-11,bad,,evening,47.5,19,,seen,,,,,,Eger,,\r\n";
    SightingBook book;
    ImportPreview preview = previewImport(book, readCsv(csv));
    ASSERT_EQ(preview.toAdd.size(), 4u);
    ASSERT_EQ(preview.problems.size(), 2u);
    EXPECT_EQ(preview.problems[0].kind, Kind::Duplicate);
    EXPECT_EQ(preview.problems[0].line, 3);
    EXPECT_EQ(preview.problems[1].line, 7);
    EXPECT_TRUE(book.records().empty());  // nothing added before the observer says so
    addImport(book, preview);
    EXPECT_EQ(book.records().size(), 4u);

    preview = previewImport(book, readCsv(csv));
    EXPECT_TRUE(preview.toAdd.empty());
    EXPECT_EQ(preview.problems.size(), 6u);
}

// The export's columns are the names; an evening without sunset leaves every computed
// column empty, one whose Moon sets first keeps its events and lag but has no best time.
TEST(SightingCsv, ExportsTheComputedColumns)
{
    const QString expected =
        QStringLiteral("date,time,timezone,session,latitude,longitude,height,naked_eye,binoculars,telescope,camera,"
                       "sky,clouds,place,observer,note,new_moon,age_hours,sunset,moonset,lag_minutes,best_time,"
                       "moon_altitude,moon_azimuth,arcl,arcv,daz,w,illumination,yallop_q,yallop_class,odeh_v,"
                       "odeh_class,obs_age_hours,obs_moon_altitude,obs_moon_azimuth,extra_criterion,extra_value,"
                       "extra_class");
    EXPECT_EQ(exportColumnNames().join(u','), expected);

    Sighting evening;
    evening.place = presentation::budapest();
    evening.date = QDate(2026, 3, 20);  // 1.6 days after the new moon of 03.19: class A
    evening.outcomes[0] = Outcome::Seen;
    Sighting first = evening;
    first.date = QDate(2026, 3, 18);  // the Moon sets before the Sun
    first.time = QTime(18, 0);
    Sighting polar = evening;
    polar.place = {QStringLiteral("Longyearbyen"), 78.22, 15.65, 0, QByteArrayLiteral("Arctic/Longyearbyen")};
    polar.date = QDate(2026, 6, 21);
    const std::vector<Sighting> records = {evening, first, polar};
    const QList<QByteArray> lines = exportCsv(records, skiesOf(ephemeris(), records)).split('\n');
    ASSERT_EQ(lines.size(), 5);  // the header, three records, and after the last CR LF nothing
    const auto fields = [&](int line) { return QString::fromUtf8(lines[line].chopped(1)).split(u','); };
    const QStringList names = exportColumnNames();
    const auto column = [&](const QStringList& f, const char* name) { return f[names.indexOf(QLatin1String(name))]; };

    const QStringList a = fields(1);
    EXPECT_TRUE(column(a, "new_moon").startsWith(u"2026-03-19T01:2"));
    EXPECT_EQ(column(a, "yallop_class"), u"A");
    EXPECT_EQ(column(a, "extra_criterion"), u"Babylonian");
    EXPECT_EQ(column(a, "extra_value"), QString());
    EXPECT_EQ(column(a, "extra_class"), u"visible");
    EXPECT_EQ(column(a, "obs_age_hours"), column(a, "age_hours"));  // no time: the best time

    const QStringList b = fields(2);
    EXPECT_FALSE(column(b, "sunset").isEmpty());
    EXPECT_TRUE(column(b, "lag_minutes").startsWith(u'-'));
    for (const char* empty : {"age_hours", "best_time", "arcl", "yallop_q", "odeh_class"})
        EXPECT_TRUE(column(b, empty).isEmpty()) << empty;
    EXPECT_FALSE(column(b, "obs_age_hours").isEmpty());  // its own time has a Moon, below the horizon
    EXPECT_EQ(column(b, "extra_class"), u"not visible");

    const QStringList c = fields(3);
    for (int i = names.indexOf(QLatin1String("new_moon")); i < names.size(); ++i)
        EXPECT_EQ(c[i], names[i] == u"extra_criterion" ? QStringLiteral("Babylonian") : QString()) << names[i].toStdString();
}

} // namespace
} // namespace vkt::sightings
