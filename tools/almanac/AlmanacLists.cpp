#include "tools/almanac/AlmanacLists.h"

#include "astro/CivilTime.h"
#include "astro/CrescentVisibility.h"
#include "astro/Eclipses.h"
#include "astro/MoonPhases.h"
#include "astro/VenusCrescents.h"
#include "astro/YearAhead.h"
#include "services/DataFiles.h"
#include "services/TextFiles.h"
#include "tools/almanac/AlmanacLines.h"

#include <QDir>
#include <algorithm>

namespace vkt::almanac {
namespace {

// Mornings before and evenings after each new moon in the detailed file; the short list picks
// from the same days, as the year ahead does.
constexpr int kDetailDays = kCrescentSearchDays;
constexpr int kMostListedPerSide = 3;

class Lists {
public:
    Lists(Ephemeris& ephemeris, const Place& place) : ephemeris_(ephemeris), place_(place), lines_(place) {}

    void addHeaders(Almanac& almanac) const { lines_.addHeaders(almanac); }
    void addYear(int year, Almanac& almanac);

private:
    void addCrescents(const CivilYear& civilYear, Almanac& almanac);

    Ephemeris& ephemeris_;
    const Place& place_;
    AlmanacLines lines_;
};

void Lists::addCrescents(const CivilYear& civilYear, Almanac& almanac)
{
    // A crescent can lie up to a few days from its new moon, across the year's edge.
    std::vector<CrescentEvening> listed, details;
    for (const JulianDay newMoon : newMoons(ephemeris_, civilYear.start - 7, civilYear.end + 7)) {
        const CrescentRun run = crescentRun(ephemeris_, place_, newMoon, kDetailDays);
        for (const std::vector<CrescentEvening>* side : {&run.mornings, &run.evenings}) {
            int count = 0;
            for (const CrescentEvening& c : *side) {
                if (civilYear.contains(c.dayInstant))
                    details.push_back(c);
                // Every evening (morning) worth looking, up to the first easy one.
                if (!inYallopReach(c) || count == kMostListedPerSide)
                    continue;
                ++count;
                if (civilYear.contains(c.best))
                    listed.push_back(c);
                if (c.yallop == YallopClass::A)
                    count = kMostListedPerSide;
            }
        }
    }
    std::sort(listed.begin(), listed.end(), [](const auto& a, const auto& b) { return a.best < b.best; });
    std::sort(details.begin(), details.end(), [](const auto& a, const auto& b) { return a.dayInstant < b.dayInstant; });
    for (const CrescentEvening& c : listed)
        almanac.crescents.append(lines_.crescentLine(c));
    for (const CrescentEvening& c : details)
        almanac.crescentDetails.append(lines_.detailLine(c));
}

void Lists::addYear(int year, Almanac& almanac)
{
    const CivilYear civilYear(lines_.zone(), year);
    for (const JulianDay newMoon : newMoons(ephemeris_, civilYear.start - 1, civilYear.end + 1))
        if (civilYear.contains(newMoon))
            almanac.newMoons.append(lines_.newMoonLine(newMoon));
    addCrescents(civilYear, almanac);
    for (const SolarEclipse& e : solarEclipses(ephemeris_, civilYear.start - 1, civilYear.end + 1))
        if (civilYear.contains(e.greatest))
            almanac.solarEclipses.append(lines_.solarLines(e, localSolarEclipse(ephemeris_, e, place_)));
    for (const LunarEclipse& e : lunarEclipses(ephemeris_, civilYear.start - 1, civilYear.end + 1, place_))
        if (civilYear.contains(e.greatest))
            almanac.lunarEclipses.append(lines_.lunarLines(e));
    for (const VenusCrescents& v : venusCrescents(ephemeris_, civilYear.start - 1, civilYear.end + 1, place_))
        if (civilYear.contains(v.conjunction))
            almanac.venus.append(lines_.venusLine(v));
}

} // namespace

CivilYear::CivilYear(const CivilZone& zone, int year) : start(zone.startOfYear(year)), end(zone.startOfYear(year + 1))
{
}

bool CivilYear::contains(JulianDay ut) const
{
    const JulianDay shown = roundedToMinute(ut);
    return shown >= start && shown < end;
}

QStringList almanacFileNames()
{
    using namespace dataFiles;
    return {kNewMoons, kCrescents, kSolarEclipses, kLunarEclipses, kVenusCrescents, kCrescentDetails};
}

std::vector<AlmanacFile> almanacFiles(const Almanac& almanac)
{
    const QStringList names = almanacFileNames();
    return {{names[0], &almanac.newMoons},      {names[1], &almanac.crescents}, {names[2], &almanac.solarEclipses},
            {names[3], &almanac.lunarEclipses}, {names[4], &almanac.venus},     {names[5], &almanac.crescentDetails}};
}

Almanac computeAlmanac(Ephemeris& ephemeris, int fromYear, int toYear, const Place& place, const Progress& progress)
{
    Lists lists(ephemeris, place);
    Almanac almanac;
    lists.addHeaders(almanac);
    const Almanac headers = almanac;
    for (int year = fromYear; year <= toYear; ++year) {
        if (progress)
            progress(year);
        lists.addYear(year, almanac);
    }
    // A list with nothing under its headers says so: a polar place may see no crescent at all, a
    // year may pass without an inferior conjunction of Venus. (Every year of the ephemeris files
    // has eclipses of both kinds.)
    const struct {
        QStringList* list;
        qsizetype headerLines;
        QString none;
    } emptyLists[] = {{&almanac.crescents, headers.crescents.size(), AlmanacLines::noCrescentLine()},
                      {&almanac.venus, headers.venus.size(), AlmanacLines::noVenusLine()}};
    for (const auto& l : emptyLists)
        if (l.list->size() == l.headerLines)
            l.list->append(l.none);
    return almanac;
}

std::vector<NewMoonOutlook> yearsOutlook(Ephemeris& ephemeris, int fromYear, int toYear, const Place& place,
                                         const Progress& progress)
{
    const CivilZone zone(place.timeZone);
    std::vector<NewMoonOutlook> outlooks;
    for (int year = fromYear; year <= toYear; ++year) {
        if (progress)
            progress(year);
        const CivilYear civilYear(zone, year);
        for (const JulianDay newMoon : newMoons(ephemeris, civilYear.start - 1, civilYear.end + 1))
            if (civilYear.contains(newMoon))
                outlooks.push_back(newMoonOutlook(ephemeris, place, newMoon));
    }
    return outlooks;
}

void writeAlmanac(const QString& folder, const Almanac& almanac)
{
    // All six or none: a set half old, half new would disagree with itself.
    const QDir dir(folder);
    std::vector<std::pair<QString, QByteArray>> files;
    for (const AlmanacFile& file : almanacFiles(almanac)) {
        const QString path = dir.filePath(file.name);
        files.emplace_back(path, encodeWindows1250(file.lines->join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"), path));
    }
    replaceFilesBytes(files);
}

} // namespace vkt::almanac
