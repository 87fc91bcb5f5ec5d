// The crescents' iCalendar file read back by libical, as a calendar program reads it.
#include "astro/YearAhead.h"
#include "presentation/CrescentCalendar.h"
#include "presentation/Places.h"
#include "presentation/TimeTexts.h"
#include "services/DateTime.h"
#include "services/FileBytes.h"
#include "services/TextFiles.h"
#include "tests/almanac/RunTool.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>
#include <QDateTime>
#include <QSet>
#include <QTemporaryDir>
#include <cerrno>
#include <libical/ical.h>
#include <memory>

namespace vkt::presentation {
namespace {

using namespace vkt::astro;

// One VEVENT as a calendar program shows it.
struct ReadEvent {
    QString uid, summary, description;
    qint64 start = 0, end = 0;  // seconds since 1970, UTC
    std::optional<int> alarmSeconds;  // the alarm's trigger, from the start
};

struct FreeComponent {
    void operator()(icalcomponent* c) const { icalcomponent_free(c); }
};

std::vector<ReadEvent> readBack(const QByteArray& bytes)
{
    const std::unique_ptr<icalcomponent, FreeComponent> calendar(icalparser_parse_string(bytes.constData()));
    EXPECT_TRUE(calendar && icalcomponent_isa(calendar.get()) == ICAL_VCALENDAR_COMPONENT);
    if (!calendar)
        return {};
    EXPECT_EQ(icalcomponent_count_errors(calendar.get()), 0);
    std::vector<ReadEvent> events;
    for (icalcomponent* e = icalcomponent_get_first_component(calendar.get(), ICAL_VEVENT_COMPONENT); e;
         e = icalcomponent_get_next_component(calendar.get(), ICAL_VEVENT_COMPONENT)) {
        ReadEvent r;
        r.uid = QString::fromUtf8(icalcomponent_get_uid(e));
        r.summary = QString::fromUtf8(icalcomponent_get_summary(e));
        r.description = QString::fromUtf8(icalcomponent_get_description(e));
        const icaltimetype start = icalcomponent_get_dtstart(e), end = icalcomponent_get_dtend(e);
        EXPECT_TRUE(icaltime_is_utc(start) && icaltime_is_utc(end)) << r.uid.toStdString();
        r.start = icaltime_as_timet(start);
        r.end = icaltime_as_timet(end);
        if (icalcomponent* alarm = icalcomponent_get_first_component(e, ICAL_VALARM_COMPONENT)) {
            const icaltriggertype trigger = icalproperty_get_trigger(icalcomponent_get_first_property(alarm, ICAL_TRIGGER_PROPERTY));
            r.alarmSeconds = icaldurationtype_as_int(trigger.duration);
        }
        events.push_back(r);
    }
    return events;
}

qint64 seconds(JulianDay ut)
{
    return std::llround((ut - 2440587.5) * 86400);
}

class CrescentCalendarTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        setClock(nullptr);
        setWriteFault(std::nullopt);
    }
    Ephemeris ephemeris;
};

TEST_F(CrescentCalendarTest, ReadBackHoldsEveryCrescentFromItsSunToItsMoonEvent)
{
    const struct {
        Place place;
        bool alarm;
    } cases[] = {
        {budapest(), true},
        // Abroad, south of the equator, with summer time of its own.
        {{QStringLiteral("Santiago"), -33.45, -70.67, 570, QByteArrayLiteral("America/Santiago")}, false},
    };
    for (const auto& [place, alarm] : cases) {
        SCOPED_TRACE(place.name.toStdString());
        const CivilZone zone(place.timeZone);
        const std::vector<NewMoonOutlook> outlooks = yearAhead(ephemeris, place, julianDay(2026, 5, 1));
        const std::vector<CrescentEvening> crescents = calendarCrescents(outlooks);
        const QByteArray bytes = crescentCalendar(outlooks, place, CalendarOptions{alarm});
        // RFC 5545's form: CR LF after every line, none longer than 75 octets.
        for (const QByteArray& line : bytes.split('\n').mid(0, bytes.count('\n'))) {
            EXPECT_TRUE(line.endsWith('\r')) << line.toStdString();
            EXPECT_LE(line.size(), 76) << line.toStdString();
        }
        const std::vector<ReadEvent> events = readBack(bytes);
        ASSERT_EQ(events.size(), crescents.size());
        EXPECT_EQ(events.size(), 24u);  // a morning and an evening for each of 12 new moons
        QSet<QString> uids;
        for (std::size_t i = 0; i < events.size(); ++i) {
            const CrescentEvening& c = crescents[i];
            const ReadEvent& e = events[i];
            const bool evening = c.twilight == Twilight::Evening;
            SCOPED_TRACE(e.summary.toStdString());
            EXPECT_NEAR(e.start, seconds(evening ? c.sunEvent : c.moonEvent), 30);
            EXPECT_NEAR(e.end, seconds(evening ? c.moonEvent : c.sunEvent), 30);
            EXPECT_EQ(e.summary, QStringLiteral("Holdsarló %1: Yallop %2, Odeh %3")
                                     .arg(evening ? QStringLiteral("este") : QStringLiteral("reggel"))
                                     .arg(QChar(u'A' + int(c.yallop)))
                                     .arg(QChar(u'A' + int(c.odeh))));
            // The best time in the place's own clock, its zone named; the Hungarian letters whole.
            EXPECT_TRUE(e.description.contains(QStringLiteral("Legjobb időpont: %1 (%2 idő)")
                                                   .arg(timeText(zone, c.best), QString::fromLatin1(place.timeZone))))
                << e.description.toStdString();
            EXPECT_EQ(e.alarmSeconds, alarm ? std::optional(-3600) : std::nullopt);
            uids.insert(e.uid);
        }
        EXPECT_EQ(uids.size(), qsizetype(events.size()));
    }
}

// A second export, later and over another span, names the evenings it shares with the first by
// the same UIDs, so a calendar updates them; another place's are others.
TEST_F(CrescentCalendarTest, UidsAreStableAcrossExports)
{
    Place higher = budapest();
    higher.height = 300;
    Place szeged = budapest();
    szeged.name = QStringLiteral("Szeged");
    const auto uids = [&](const Place& place, JulianDay from, const char* now) {
        setClock(std::make_shared<testing::FixedClock>(*toDateTime(QString::fromLatin1(now))));
        QStringList list;
        for (const ReadEvent& e : readBack(crescentCalendar(yearAhead(ephemeris, place, from, 3), place)))
            list << e.uid;
        return list;
    };
    const QStringList first = uids(budapest(), julianDay(2026, 1, 1), "2025.12.20 10:00");
    ASSERT_EQ(first.size(), 6);
    EXPECT_EQ(uids(budapest(), julianDay(2026, 1, 1), "2026.02.01 22:30"), first);
    EXPECT_EQ(uids(higher, julianDay(2026, 1, 1), "2026.02.01 22:30"), first);
    EXPECT_EQ(uids(budapest(), julianDay(2026, 2, 1), "2026.02.01 22:30").mid(0, 4), first.mid(2));
    for (const QString& uid : uids(szeged, julianDay(2026, 1, 1), "2026.02.01 22:30"))
        EXPECT_FALSE(first.contains(uid)) << uid.toStdString();
}

// vkt-almanac --ical for a place abroad in its own zone: every event starts and ends at the times
// the detailed file gives that evening (morning) in the same zone; an existing file is kept unless
// --force says otherwise, and kept whole when writing it fails.
TEST_F(CrescentCalendarTest, TheToolsCalendarHasTheDetailedFilesTimes)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("naptar.ics")), lists = dir.filePath(QStringLiteral("listak"));
    const QStringList place = {"--from", "2026", "--to", "2026", "--place", "Santiago", "-33.45", "-70.67",
                               "--height", "570", "--tz", "America/Santiago"};
    ASSERT_EQ(almanac::runTool(place + QStringList{"--ical", file}).code, almanac::Success);
    ASSERT_EQ(almanac::runTool(place + QStringList{"--out", lists}).code, almanac::Success);
    const QByteArray written = vkt::testing::fileBytes(file);
    const std::vector<ReadEvent> events = readBack(written);
    ASSERT_GE(events.size(), 24u);
    const QTimeZone zone("America/Santiago");
    const auto local = [&](qint64 t) { return QDateTime::fromSecsSinceEpoch(t, zone); };
    const QStringList details = readLines(lists + QStringLiteral("/holdsarlok-adatok.txt")).mid(2);
    for (const ReadEvent& e : events) {
        const bool evening = e.summary.contains(u" este:");
        const QDateTime sun = local(evening ? e.start : e.end), moon = local(evening ? e.end : e.start);
        // "Mikor Dátum Nap Hold" of the detailed file: the Sun's date, then both times.
        const QString expected = QStringList{evening ? QStringLiteral("este") : QStringLiteral("reggel"),
                                             sun.toString(QStringLiteral("yyyy.MM.dd HH:mm")), moon.toString(QStringLiteral("HH:mm"))}
                                     .join(u' ');
        const bool found = std::any_of(details.begin(), details.end(), [&](const QString& line) {
            const QStringList f = line.split(u' ', Qt::SkipEmptyParts);
            return QStringList{f[2], f[4], f[5], f[6]}.join(u' ') == expected;
        });
        EXPECT_TRUE(found) << e.summary.toStdString() << ": " << expected.toStdString();
    }

    // Kept without --force; kept whole when the forced write fails; replaced, without alarms.
    const auto refused = almanac::runTool(place + QStringList{"--ical", file, "--no-alarm"});
    EXPECT_EQ(refused.code, almanac::Failed);
    EXPECT_TRUE(refused.err.contains(u"--force")) << refused.err.toStdString();
    setWriteFault(WriteFault{WriteStep::Flush, ENOSPC, 0, QStringLiteral("naptar.ics")});
    const auto full = almanac::runTool(place + QStringList{"--ical", file, "--no-alarm", "--force"});
    setWriteFault(std::nullopt);
    EXPECT_EQ(full.code, almanac::Failed);
    EXPECT_TRUE(full.err.contains(reasonText(ENOSPC))) << full.err.toStdString();
    EXPECT_EQ(vkt::testing::fileBytes(file), written);
    ASSERT_EQ(almanac::runTool(place + QStringList{"--ical", file, "--no-alarm", "--force"}).code, almanac::Success);
    const std::vector<ReadEvent> again = readBack(vkt::testing::fileBytes(file));
    ASSERT_EQ(again.size(), events.size());
    EXPECT_TRUE(events.front().alarmSeconds);
    for (const ReadEvent& e : again)
        EXPECT_FALSE(e.alarmSeconds) << e.summary.toStdString();
}

} // namespace
} // namespace vkt::presentation
