#pragma once

#include "astro/CrescentVisibility.h"

#include <optional>
#include <vector>

namespace vkt::astro {

// How many evenings after (mornings before) a new moon are searched for a crescent worth looking
// for; the almanac's lists look as far. By the fourth evening the crescent is in Yallop's class A
// almost everywhere, but at a polar place, where the Sun or the Moon may stay up or down for days,
// none of them may be.
inline constexpr int kCrescentSearchDays = 4;

// Worth looking for: the Moon up after sunset (before sunrise) and the crescent in Yallop's A–D
// (optical aid at most), or in Odeh's A–C.
bool inYallopReach(const CrescentEvening& c);
bool inOdehReach(const CrescentEvening& c);

// One new moon as a planner sees it. Each crescent is empty when none of the kCrescentSearchDays
// evenings (mornings) is in reach by that criterion.
struct NewMoonOutlook {
    JulianDay newMoon = 0;
    std::optional<CrescentEvening> firstEveningYallop;  // the first evening after the new moon
    std::optional<CrescentEvening> firstEveningOdeh;
    std::optional<CrescentEvening> lastMorningYallop;   // the last morning before it
    std::optional<CrescentEvening> lastMorningOdeh;

    // The first evening in reach by either criterion, and the last morning.
    const std::optional<CrescentEvening>& firstEvening() const;
    const std::optional<CrescentEvening>& lastMorning() const;
};

NewMoonOutlook newMoonOutlook(Ephemeris& ephemeris, const Place& place, JulianDay newMoon);

// The first `count` new moons at or after `from`, in order, each with its outlook. The last morning
// before the first of them may lie before `from`.
std::vector<NewMoonOutlook> yearAhead(Ephemeris& ephemeris, const Place& place, JulianDay from, int count = 12);

} // namespace vkt::astro
