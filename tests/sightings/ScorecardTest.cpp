// The criteria scored on a hand-made set whose tables can be counted by hand, and the observers'
// records drawn from it.
#include "presentation/ScorecardTexts.h"
#include "sightings/Scorecard.h"

#include <gtest/gtest.h>

namespace vkt::sightings {
namespace {

using astro::OdehClass;
using astro::SightingGap;
using astro::SightingGeometry;
using astro::YallopClass;
constexpr Outcome S = Outcome::Seen, N = Outcome::NotSeen, T = Outcome::NotTried;

struct Case {
    std::array<Outcome, kMeansCount> outcomes;  // eye, binoculars, telescope, camera
    SightingGap gap;
    YallopClass yallop;
    OdehClass odeh;
    bool babylonian;   // age and lag past the rule's limits
    double lag;        // minutes; not above 0: the Moon set first
    double age, arcl, q;
    Twilight session = Twilight::Evening;
};

// Eight attempts, numbered from 0 (Yallop / Odeh / the Babylonian rule). By eye: 0 seen in
// A/A/visible; 1 missed in A/B/not (a miss where Yallop said easy); 2 seen in F/D/not (seen where
// all three said impossible); 4 missed in E/D/not; 5 missed with the Moon down before the Sun;
// 6 seen where the Sun did not set. With optics: 2 missed with a camera, 3 (a morning) seen
// with binoculars in C/C/not, 4 missed with a telescope. 7 was not tried.
const Case kCases[] = {
    {{S, T, T, T}, SightingGap::None, YallopClass::A, OdehClass::A, true, 60, 30, 14, 0.4},
    {{N, T, T, T}, SightingGap::None, YallopClass::A, OdehClass::B, false, 50, 20, 12, 0.3},
    {{S, T, T, N}, SightingGap::None, YallopClass::F, OdehClass::D, false, 20, 14, 8, -0.35},
    {{T, S, N, T}, SightingGap::None, YallopClass::C, OdehClass::C, false, 40, 16, 9, -0.1, Twilight::Morning},
    {{N, T, N, T}, SightingGap::None, YallopClass::E, OdehClass::D, false, 25, 12, 7, -0.25},
    {{N, T, T, T}, SightingGap::None, YallopClass::F, OdehClass::D, false, -5, 5, 4, -1},
    {{S, T, T, T}, SightingGap::NoSunEvent, YallopClass::A, OdehClass::A, true, 90, 40, 20, 1},
    {{T, T, T, T}, SightingGap::None, YallopClass::A, OdehClass::A, true, 90, 40, 20, 1},
};

struct Set {
    std::vector<Sighting> records;
    std::vector<SightingGeometry> skies;
};

Set handMade()
{
    Set set;
    for (const Case& c : kCases) {
        Sighting s;
        s.outcomes = c.outcomes;
        s.session = c.session;
        SightingGeometry g;
        g.gap = c.gap;
        astro::CrescentEvening& e = g.crescent;
        e.moonUp = c.lag > 0;
        e.lagMinutes = c.lag;
        e.yallop = c.yallop;
        e.odeh = c.odeh;
        e.arcl = c.arcl;
        e.q = c.q;
        e.newMoon = 0;
        e.sunEvent = (c.babylonian ? 25.0 : 20.0) / 24;
        g.observed = e.moonUp;
        g.observationAgeHours = c.session == Twilight::Evening ? c.age : -c.age;
        set.records.push_back(s);
        set.skies.push_back(g);
    }
    return set;
}

const CriterionTable& table(const std::vector<CriterionTable>& tables, Criterion criterion, Aid aid)
{
    for (const CriterionTable& t : tables)
        if (t.criterion == criterion && t.aid == aid)
            return t;
    throw std::logic_error("no such table");
}

TEST(Scorecard, CountsEachCriterionByHand)
{
    const Set set = handMade();
    const std::vector<CriterionTable> tables = scoreCriteria(set.records, set.skies);
    ASSERT_EQ(tables.size(), 6u);
    using Counts = std::vector<std::array<int, 2>>;
    const struct {
        Criterion criterion;
        Aid aid;
        Counts counts;
        std::array<int, 2> withoutClass;
        int correct;
        std::vector<std::size_t> surprises;
    } expected[] = {
        // By eye: 0 A seen, 1 A missed (easy: a surprise), 2 F seen (impossible: a surprise), 4 E missed.
        {Criterion::Yallop, Aid::NakedEye, {{1, 1}, {0, 0}, {0, 0}, {0, 0}, {0, 1}, {1, 0}}, {1, 1}, 2, {1, 2}},
        // 2 missed in B, which foretells no sighting by eye but is not easy either.
        {Criterion::Odeh, Aid::NakedEye, {{1, 0}, {0, 1}, {0, 0}, {1, 1}}, {1, 1}, 3, {2}},
        // The rule classes the evening without a Moon too: 5 missed, not visible.
        {Criterion::Babylonian, Aid::NakedEye, {{1, 0}, {1, 3}}, {1, 0}, 4, {2}},
        // With optics every miss is in a class that foretold none; the rule foretold 3 wrong but
        // calls nothing impossible with an aid.
        {Criterion::Yallop, Aid::Optics, {{0, 0}, {0, 0}, {1, 0}, {0, 0}, {0, 1}, {0, 1}}, {0, 0}, 3, {}},
        {Criterion::Odeh, Aid::Optics, {{0, 0}, {0, 0}, {1, 0}, {0, 2}}, {0, 0}, 3, {}},
        {Criterion::Babylonian, Aid::Optics, {{0, 0}, {1, 2}}, {0, 0}, 2, {}},
    };
    for (const auto& e : expected) {
        SCOPED_TRACE(presentation::criterionName(e.criterion).toStdString() + ' ' + presentation::aidWord(e.aid).toStdString());
        const CriterionTable& t = table(tables, e.criterion, e.aid);
        EXPECT_EQ(t.counts, e.counts);
        EXPECT_EQ(t.withoutClass, e.withoutClass);
        int judged = 0;
        for (const auto& row : e.counts)
            judged += row[0] + row[1];
        EXPECT_EQ(t.judged, judged);
        EXPECT_EQ(t.correct, e.correct);
        std::vector<std::size_t> surprises;
        for (const Surprise& s : t.surprises)
            surprises.push_back(s.record);
        EXPECT_EQ(surprises, e.surprises);
    }
}

TEST(Scorecard, TheObserversRecords)
{
    const Set set = handMade();
    const std::vector<Record> records = sightingRecords(set.records, set.skies);
    ASSERT_EQ(records.size(), 12u);
    const struct {
        RecordKind kind;
        Aid aid;
        Twilight session;
        std::optional<std::size_t> record;
        double value;
    } expected[] = {
        // By eye in the evening: 0 (30 h) and 2 (14 h) seen; 6 had no sunset.
        {RecordKind::Youngest, Aid::NakedEye, Twilight::Evening, 2, 14},
        {RecordKind::Youngest, Aid::NakedEye, Twilight::Morning, std::nullopt, 0},
        {RecordKind::Youngest, Aid::Optics, Twilight::Evening, std::nullopt, 0},
        {RecordKind::Youngest, Aid::Optics, Twilight::Morning, 3, 16},  // hours before the new moon
        {RecordKind::SmallestArcl, Aid::NakedEye, Twilight::Evening, 2, 8},
        {RecordKind::LowestQ, Aid::NakedEye, Twilight::Evening, 2, -0.35},
        {RecordKind::LowestQ, Aid::Optics, Twilight::Morning, 3, -0.1},
    };
    for (const auto& e : expected) {
        const auto found = std::find_if(records.begin(), records.end(), [&](const Record& r) {
            return r.kind == e.kind && r.aid == e.aid && r.session == e.session;
        });
        ASSERT_NE(found, records.end());
        EXPECT_EQ(found->record, e.record) << presentation::recordKindText(e.kind).toStdString();
        EXPECT_DOUBLE_EQ(found->value, e.value);
    }
}

} // namespace
} // namespace vkt::sightings
