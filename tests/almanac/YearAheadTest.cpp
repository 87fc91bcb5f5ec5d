// The planner's year ahead against the almanac's files for the same place: its new moons are the
// new-moon list's, its first evenings and last mornings in Yallop's reach are the short list's,
// and those in Odeh's reach the detailed file's.
#include "astro/YearAhead.h"
#include "presentation/Places.h"
#include "presentation/TimeTexts.h"
#include "presentation/YearAheadRow.h"
#include "tools/almanac/AlmanacLists.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <optional>

namespace vkt::almanac {
namespace {

// The crescent as the short list and the detailed file show it: its best time, or nothing.
QString shown(const CivilZone& zone, const std::optional<CrescentEvening>& c)
{
    return c ? presentation::dateTimeText(zone, c->best) : QStringLiteral("none");
}

TEST(YearAhead, AgreesWithTheAlmanacsListsForThePlace)
{
    const struct {
        Place place;
        int year;
    } cases[] = {
        {presentation::budapest(), 2026},
        {{QStringLiteral("Lima"), -12.05, -77.04, 150, QByteArrayLiteral("America/Lima")}, 2027},
        // Midnight sun and polar night: months without a crescent in reach.
        {{QStringLiteral("Longyearbyen"), 78.22, 15.65, 0, QByteArrayLiteral("Arctic/Longyearbyen")}, 2026},
    };
    Ephemeris ephemeris;
    for (const auto& [place, year] : cases) {
        SCOPED_TRACE(place.name.toStdString());
        const CivilZone zone(place.timeZone);
        const Almanac almanac = computeAlmanac(ephemeris, year, year, place);
        const std::vector<NewMoonOutlook> outlooks = yearAhead(ephemeris, place, zone.startOfYear(year));
        ASSERT_EQ(outlooks.size(), 12u);
        // Short-list lines ("yyyy.MM.dd HH:mm este …") and detailed lines, both by their text.
        const QStringList listed = almanac.crescents.mid(1);
        std::vector<QStringList> details;
        for (const QString& line : almanac.crescentDetails.mid(2))
            details.push_back(line.split(u' ', Qt::SkipEmptyParts));
        int none = 0, odehEarlier = 0;
        for (const NewMoonOutlook& o : outlooks) {
            const QString newMoon = presentation::dateTimeText(zone, o.newMoon);
            SCOPED_TRACE(newMoon.toStdString());
            EXPECT_EQ(almanac.newMoons[&o - &outlooks[0]], newMoon);
            const QString before = presentation::dateTimeText(zone, o.newMoon - kCrescentSearchDays - 1);
            const QString after = presentation::dateTimeText(zone, o.newMoon + kCrescentSearchDays + 1);
            // Yallop: the first evening of the short list after the new moon, the last morning before it;
            // each as its best time and class letter.
            std::optional<QStringList> evening, morning;
            for (const QString& line : listed) {
                const QString at = line.left(16), when = line.mid(17, 7).trimmed();
                if (when == u"este" && at > newMoon && at < after && !evening)
                    evening = QStringList{at, line.mid(40, 1)};
                if (when == u"reggel" && at < newMoon && at > before)
                    morning = QStringList{at, line.mid(40, 1)};
            }
            // Odeh: the detailed file's days of this new moon (in time order) with O in A–C.
            std::optional<QStringList> odehEvening, odehMorning;
            for (const QStringList& f : details) {
                if (f[0] + u' ' + f[1] != newMoon || f[22] < u"A" || f[22] > u"C")
                    continue;
                const QStringList found = {f[4] + u' ' + f[8], f[22]};
                if (f[2] == u"reggel")
                    odehMorning = found;
                else if (!odehEvening)
                    odehEvening = found;
            }
            const auto time = [](const std::optional<QStringList>& c) { return c ? c->at(0) : QStringLiteral("none"); };
            EXPECT_EQ(shown(zone, o.firstEveningYallop), time(evening));
            EXPECT_EQ(shown(zone, o.lastMorningYallop), time(morning));
            EXPECT_EQ(shown(zone, o.firstEveningOdeh), time(odehEvening));
            EXPECT_EQ(shown(zone, o.lastMorningOdeh), time(odehMorning));
            // Either criterion: the earlier evening, the later morning.
            const auto either = [](const std::optional<QStringList>& a, const std::optional<QStringList>& b, bool earlier) {
                if (a && b)
                    return earlier ? std::min(a->at(0), b->at(0)) : std::max(a->at(0), b->at(0));
                return a ? a->at(0) : b ? b->at(0) : QStringLiteral("none");
            };
            EXPECT_EQ(shown(zone, o.firstEvening()), either(evening, odehEvening, true));
            EXPECT_EQ(shown(zone, o.lastMorning()), either(morning, odehMorning, false));
            // The table's row: each crescent's date and class by its column's criterion, a dash for none.
            const QStringList row = presentation::yearAheadFields(o, zone);
            ASSERT_EQ(row.size(), presentation::yearAheadHeaders().size());
            EXPECT_EQ(row[0], newMoon);
            const std::optional<QStringList> columns[] = {evening, odehEvening, morning, odehMorning};
            for (int i = 0; i < 4; ++i)
                EXPECT_EQ(row[i + 1], columns[i] ? columns[i]->at(0).left(10) + u' ' + columns[i]->at(1) : QStringLiteral("–"));
            none += !evening + !morning;
            odehEarlier += evening && odehEvening && odehEvening->at(0) < evening->at(0);
        }
        if (place.latitude > 70)
            EXPECT_GT(none, 0);
        else
            EXPECT_EQ(none, 0);
        if (place.name == u"Budapest") {
            EXPECT_GT(odehEarlier, 0);  // the two criteria part somewhere in a year
        }
    }
}

} // namespace
} // namespace vkt::almanac
