#pragma once

#include "astro/SightingGeometry.h"
#include "sightings/Sighting.h"

#include <array>
#include <optional>
#include <vector>

// How well each criterion foretold what the observers saw, and the observers' records.
namespace vkt::sightings {

// Yallop's and Odeh's classes, and the Babylonian rule (astro/CrescentVisibility.h) as the third.
enum class Criterion { Yallop, Odeh, Babylonian };
inline constexpr Criterion kCriteria[] = {Criterion::Yallop, Criterion::Odeh, Criterion::Babylonian};

// Classes as numbers from 0: Yallop A–F, Odeh A–D, the Babylonian rule 0 visible, 1 not.
int classCount(Criterion criterion);
// The class the criterion gives the record's evening; nothing where the sky has no value for it
// (no sunset or moonset; for Yallop and Odeh also a Moon that set before the Sun).
std::optional<int> criterionClass(Criterion criterion, const astro::SightingGeometry& sky);

// What a class says for the naked eye or for an optical aid: whether the crescent will be seen,
// and whether it is easy or impossible (a miss, or a sighting, there is a surprise). The one
// place these are defined:
//   Yallop: seen A–B by eye, A–D with optics; easy A; impossible D–F by eye, E–F with optics.
//   Odeh: seen A by eye, A–C with optics; easy A; impossible C–D by eye, D with optics.
//   Babylonian: seen, and easy, where it says visible; impossible by eye where it says not. It
//   names no aid, and an aid cannot hide what the eye sees: with optics it foretells the same
//   sightings, and calls nothing impossible.
struct Promise {
    bool seen = false;
    bool easy = false;
    bool impossible = false;
};
Promise promise(Criterion criterion, Aid aid, int cls);

// A record that went against its criterion: seen where it was impossible, missed where easy.
struct Surprise {
    std::size_t record = 0;  // index into the records
    int cls = 0;
    Outcome outcome = Outcome::Seen;
};

// One criterion against the outcomes with one aid: predicted class against seen / not seen.
struct CriterionTable {
    Criterion criterion = Criterion::Yallop;
    Aid aid = Aid::NakedEye;
    std::vector<std::array<int, 2>> counts;  // per class: seen, not seen
    std::array<int, 2> withoutClass{};       // tried, but the sky has no class: seen, not seen
    int judged = 0;                          // records with a class and an outcome
    int correct = 0;                         // of them, foretold right
    std::vector<Surprise> surprises;
};

// Every criterion with the naked eye, then with optics; records not tried with an aid count in
// neither of its tables. skies[i] belongs to records[i].
std::vector<CriterionTable> scoreCriteria(const std::vector<Sighting>& records,
                                          const std::vector<astro::SightingGeometry>& skies);

// The observers' records: the youngest crescent seen (by its age at the moment of the sighting),
// the smallest ARCL and the lowest q seen (at the best time), for the naked eye and for optics,
// evenings and mornings.
enum class RecordKind { Youngest, SmallestArcl, LowestQ };
inline constexpr RecordKind kRecordKinds[] = {RecordKind::Youngest, RecordKind::SmallestArcl, RecordKind::LowestQ};
struct Record {
    RecordKind kind = RecordKind::Youngest;
    Aid aid = Aid::NakedEye;
    Twilight session = Twilight::Evening;
    std::optional<std::size_t> record;  // nothing: no such sighting yet
    double value = 0;                   // hours (unsigned, mornings too), degrees, or q
};
// Kind by kind, the naked eye before optics, evening before morning: twelve entries.
std::vector<Record> sightingRecords(const std::vector<Sighting>& records,
                                    const std::vector<astro::SightingGeometry>& skies);

} // namespace vkt::sightings
