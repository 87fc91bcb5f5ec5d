#include "sightings/Scorecard.h"

#include <cmath>
#include <limits>

namespace vkt::sightings {
namespace {

using astro::OdehClass;
using astro::YallopClass;

// The last class that foretells a sighting, the first impossible one, and the last easy one; by
// eye and with optics. Classes run from the easiest, so each is a bound.
struct ClassBounds {
    int lastSeen[2];
    int firstImpossible[2];  // classCount: none
    int lastEasy;
};

ClassBounds boundsOf(Criterion criterion)
{
    const auto y = [](YallopClass c) { return static_cast<int>(c); };
    const auto o = [](OdehClass c) { return static_cast<int>(c); };
    switch (criterion) {
    case Criterion::Yallop:
        return {{y(YallopClass::B), y(YallopClass::D)}, {y(YallopClass::D), y(YallopClass::E)}, y(YallopClass::A)};
    case Criterion::Odeh:
        return {{o(OdehClass::A), o(OdehClass::C)}, {o(OdehClass::C), o(OdehClass::D)}, o(OdehClass::A)};
    case Criterion::Babylonian:
        break;
    }
    return {{0, 0}, {1, 2}, 0};
}

} // namespace

int classCount(Criterion criterion)
{
    switch (criterion) {
    case Criterion::Yallop:
        return 6;
    case Criterion::Odeh:
        return 4;
    case Criterion::Babylonian:
        break;
    }
    return 2;
}

std::optional<int> criterionClass(Criterion criterion, const astro::SightingGeometry& sky)
{
    if (sky.gap != astro::SightingGap::None)
        return std::nullopt;
    if (criterion == Criterion::Babylonian)
        return astro::babylonianVisible(sky.crescent) ? 0 : 1;
    if (!sky.crescent.moonUp)
        return std::nullopt;
    return criterion == Criterion::Yallop ? static_cast<int>(sky.crescent.yallop) : static_cast<int>(sky.crescent.odeh);
}

Promise promise(Criterion criterion, Aid aid, int cls)
{
    const ClassBounds b = boundsOf(criterion);
    const int a = aid == Aid::NakedEye ? 0 : 1;
    return {cls <= b.lastSeen[a], cls <= b.lastEasy, cls >= b.firstImpossible[a]};
}

std::vector<CriterionTable> scoreCriteria(const std::vector<Sighting>& records,
                                          const std::vector<astro::SightingGeometry>& skies)
{
    std::vector<CriterionTable> tables;
    for (const Aid aid : kAids)
        for (const Criterion criterion : kCriteria) {
            CriterionTable t;
            t.criterion = criterion;
            t.aid = aid;
            t.counts.assign(std::size_t(classCount(criterion)), {0, 0});
            for (std::size_t i = 0; i < records.size(); ++i) {
                const Outcome outcome = outcomeWith(records[i], aid);
                if (outcome == Outcome::NotTried)
                    continue;
                const int column = outcome == Outcome::Seen ? 0 : 1;
                const std::optional<int> cls = criterionClass(criterion, skies[i]);
                if (!cls) {
                    ++t.withoutClass[column];
                    continue;
                }
                ++t.counts[std::size_t(*cls)][column];
                const Promise p = promise(criterion, aid, *cls);
                ++t.judged;
                t.correct += p.seen == (outcome == Outcome::Seen);
                if ((outcome == Outcome::Seen && p.impossible) || (outcome == Outcome::NotSeen && p.easy))
                    t.surprises.push_back({i, *cls, outcome});
            }
            tables.push_back(std::move(t));
        }
    return tables;
}

std::vector<Record> sightingRecords(const std::vector<Sighting>& records,
                                    const std::vector<astro::SightingGeometry>& skies)
{
    std::vector<Record> result;
    for (const RecordKind kind : kRecordKinds)
        for (const Aid aid : kAids)
            for (const Twilight session : {Twilight::Evening, Twilight::Morning}) {
                Record r;
                r.kind = kind;
                r.aid = aid;
                r.session = session;
                r.value = std::numeric_limits<double>::infinity();
                for (std::size_t i = 0; i < records.size(); ++i) {
                    const astro::SightingGeometry& sky = skies[i];
                    if (records[i].session != session || outcomeWith(records[i], aid) != Outcome::Seen ||
                        sky.gap != astro::SightingGap::None)
                        continue;
                    std::optional<double> value;
                    if (kind == RecordKind::Youngest && sky.observed)
                        value = std::abs(sky.observationAgeHours);
                    else if (kind == RecordKind::SmallestArcl && sky.crescent.moonUp)
                        value = sky.crescent.arcl;
                    else if (kind == RecordKind::LowestQ && sky.crescent.moonUp)
                        value = sky.crescent.q;
                    if (value && *value < r.value) {
                        r.value = *value;
                        r.record = i;
                    }
                }
                if (!r.record)
                    r.value = 0;
                result.push_back(r);
            }
    return result;
}

} // namespace vkt::sightings
