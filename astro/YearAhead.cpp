#include "astro/YearAhead.h"

#include "astro/MoonPhases.h"

#include <algorithm>

namespace vkt::astro {
namespace {

// The first of the crescents, nearest the new moon first, that the criterion reaches.
std::optional<CrescentEvening> nearestInReach(const std::vector<CrescentEvening>& side,
                                              bool (*inReach)(const CrescentEvening&))
{
    const auto found = std::find_if(side.begin(), side.end(), inReach);
    return found == side.end() ? std::nullopt : std::optional<CrescentEvening>(*found);
}

} // namespace

bool inYallopReach(const CrescentEvening& c)
{
    return c.moonUp && c.yallop <= YallopClass::D;
}

bool inOdehReach(const CrescentEvening& c)
{
    return c.moonUp && c.odeh <= OdehClass::C;
}

const std::optional<CrescentEvening>& NewMoonOutlook::firstEvening() const
{
    if (!firstEveningYallop || (firstEveningOdeh && firstEveningOdeh->sunEvent < firstEveningYallop->sunEvent))
        return firstEveningOdeh;
    return firstEveningYallop;
}

const std::optional<CrescentEvening>& NewMoonOutlook::lastMorning() const
{
    if (!lastMorningYallop || (lastMorningOdeh && lastMorningOdeh->sunEvent > lastMorningYallop->sunEvent))
        return lastMorningOdeh;
    return lastMorningYallop;
}

NewMoonOutlook newMoonOutlook(Ephemeris& ephemeris, const Place& place, JulianDay newMoon)
{
    const CrescentRun run = crescentRun(ephemeris, place, newMoon, kCrescentSearchDays);
    NewMoonOutlook outlook;
    outlook.newMoon = newMoon;
    outlook.firstEveningYallop = nearestInReach(run.evenings, inYallopReach);
    outlook.firstEveningOdeh = nearestInReach(run.evenings, inOdehReach);
    outlook.lastMorningYallop = nearestInReach(run.mornings, inYallopReach);
    outlook.lastMorningOdeh = nearestInReach(run.mornings, inOdehReach);
    return outlook;
}

std::vector<NewMoonOutlook> yearAhead(Ephemeris& ephemeris, const Place& place, JulianDay from, int count)
{
    // A synodic month is never longer than 29.9 days.
    std::vector<JulianDay> instants = newMoons(ephemeris, from, from + 29.9 * count);
    instants.resize(std::min(instants.size(), std::size_t(std::max(count, 0))));
    std::vector<NewMoonOutlook> outlooks;
    outlooks.reserve(instants.size());
    for (const JulianDay newMoon : instants)
        outlooks.push_back(newMoonOutlook(ephemeris, place, newMoon));
    return outlooks;
}

} // namespace vkt::astro
