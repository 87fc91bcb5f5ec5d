#include "AlmanacLists.h"

#include "CivilTime.h"
#include "CrescentSighting.h"
#include "Eclipses.h"
#include "MoonPhases.h"
#include "TextFiles.h"
#include "VenusCrescents.h"

#include <QDir>
#include <algorithm>
#include <cmath>

namespace vkt::almanac {
namespace {

// Columns of the crescent list under Form5's headings "Időpont", "Mikor?" and
// "Holdsarló kora (kb.)": the list font is 180 twips wide a character and the headings stand
// at 360, 3480 and 4680 twips, 360 being the list's own left edge.
constexpr int kCrescentWhen = (3480 - 360) / 180;  // 17
constexpr int kCrescentAge = (4680 - 360) / 180;   // 24
constexpr int kCrescentZone = 42;

struct Column {
    int at;
    QString text;
};

// Each text starts at its character column (one blank at least after the previous one),
// so the columns line up in the lists' fixed-pitch fonts.
QString row(std::initializer_list<Column> columns)
{
    QString line;
    for (const Column& c : columns) {
        if (line.size() < c.at)
            line = line.leftJustified(c.at, u' ');
        else if (!line.isEmpty())
            line += u' ';
        line += c.text;
    }
    while (line.endsWith(u' '))
        line.chop(1);
    return line;
}

QString decimal(double value, int decimals)
{
    return QString::number(value, 'f', decimals).replace(u'.', u',');
}

QString timeText(JulianDay ut)
{
    return civilTime(ut).toString(QStringLiteral("HH:mm"));
}

qint64 minutesBetween(JulianDay from, JulianDay to)
{
    return std::llround((roundedToMinute(to) - roundedToMinute(from)) * 1440);
}

QString ageText(qint64 minutes)
{
    const qint64 m = std::abs(minutes);
    return QStringLiteral("%1%2 óra %3 perc").arg(minutes < 0 ? QStringLiteral("-") : QString()).arg(m / 60).arg(m % 60);
}

QString zoneText(YallopZone zone)
{
    switch (zone) {
    case YallopZone::A:
        return QStringLiteral("A: könnyen látható");
    case YallopZone::B:
        return QStringLiteral("B: szabad szemmel látható");
    case YallopZone::C:
        return QStringLiteral("C: távcsővel keresendő");
    case YallopZone::D:
        return QStringLiteral("D: csak távcsővel látható");
    case YallopZone::E:
        return QStringLiteral("E: távcsővel sem látható");
    case YallopZone::F:
        return QStringLiteral("F: nem látható");
    }
    return {};
}

QString solarTypeText(SolarEclipseType type)
{
    switch (type) {
    case SolarEclipseType::Partial:
        return QStringLiteral("részleges");
    case SolarEclipseType::Annular:
        return QStringLiteral("gyűrűs");
    case SolarEclipseType::Total:
        return QStringLiteral("teljes");
    case SolarEclipseType::Hybrid:
        return QStringLiteral("hibrid");
    }
    return {};
}

QString lunarTypeText(LunarEclipseType type)
{
    switch (type) {
    case LunarEclipseType::Penumbral:
        return QStringLiteral("félárnyékos");
    case LunarEclipseType::Partial:
        return QStringLiteral("részleges");
    case LunarEclipseType::Total:
        return QStringLiteral("teljes");
    }
    return {};
}

QString moonAboveText(MoonAbove above)
{
    switch (above) {
    case MoonAbove::Whole:
        return QStringLiteral("látható");
    case MoonAbove::Partly:
        return QStringLiteral("részben látható");
    case MoonAbove::Never:
        return QStringLiteral("nem látható");
    }
    return {};
}

QString localSolarText(const SolarEclipse& e, const std::optional<LocalSolarEclipse>& seen)
{
    if (!seen)
        return QStringLiteral("nem látható");
    const LocalSolarEclipse& local = *seen;
    // A far-away place may see its maximum on another civil date than the greatest eclipse.
    const QString when = civilDateText(local.maximum) == civilDateText(e.greatest) ? timeText(local.maximum)
                                                                                  : civilText(local.maximum);
    QString text = QStringLiteral("%1  %2").arg(when, decimal(local.magnitude, 3));
    if (local.horizon == LocalSolarEclipse::Horizon::AtSunset)
        text += QStringLiteral(" (napnyugtakor)");
    else if (local.horizon == LocalSolarEclipse::Horizon::AtSunrise)
        text += QStringLiteral(" (napkeltekor)");
    return text;
}

QString spanText(const std::optional<VenusSpan>& span)
{
    if (!span)
        return QStringLiteral("nincs");
    const QString format = QStringLiteral("MM.dd");
    return civilTime(span->first).toString(format) + u'-' + civilTime(span->last).toString(format);
}

QString thinnestText(const std::optional<VenusSpan>& span)
{
    return span ? decimal(span->thinnest * 100, 1) + QStringLiteral(" %") : QString();
}

QString crescentLine(const CrescentSighting& s, JulianDay newMoon)
{
    return row({{0, civilText(s.best)},
                {kCrescentWhen, s.evening ? QStringLiteral("este") : QStringLiteral("reggel")},
                {kCrescentAge, ageText(minutesBetween(newMoon, s.best))},
                {kCrescentZone, zoneText(s.zone)}});
}

QString solarLine(const SolarEclipse& e, const std::optional<LocalSolarEclipse>& seen)
{
    return row({{0, civilDateText(e.greatest)},
                {12, timeText(e.greatest)},
                {19, solarTypeText(e.type)},
                {30, decimal(e.magnitude, 4)},
                {39, localSolarText(e, seen)}});
}

QString lunarLine(const LunarEclipse& e)
{
    return row({{0, civilDateText(e.greatest)},
                {12, timeText(e.greatest)},
                {19, lunarTypeText(e.type)},
                {32, decimal(e.umbralMagnitude, 4).rightJustified(7)},
                {50, moonAboveText(e.aboveHorizon)}});
}

QString venusLine(const VenusCrescents& v)
{
    return row({{0, civilDateText(v.conjunction)},
                {13, spanText(v.evening)},
                {26, thinnestText(v.evening)},
                {40, spanText(v.morning)},
                {55, thinnestText(v.morning)}});
}

struct CivilYear {
    JulianDay start, end;
    bool contains(JulianDay ut) const
    {
        const JulianDay shown = roundedToMinute(ut);
        return shown >= start && shown < end;
    }
};

void addYear(const Ephemeris& ephemeris, const CivilYear& year, const Place& place, Almanac& almanac)
{
    for (const JulianDay newMoon : newMoons(ephemeris, year.start - 1, year.end + 1))
        if (year.contains(newMoon))
            almanac.newMoons.append(civilText(newMoon));

    // A crescent can lie up to a few days from its new moon, across the year's edge.
    std::vector<std::pair<CrescentSighting, JulianDay>> sightings;
    for (const JulianDay newMoon : newMoons(ephemeris, year.start - 6, year.end + 6)) {
        for (const auto& s : {lastMorningCrescent(ephemeris, newMoon, place), firstEveningCrescent(ephemeris, newMoon, place)})
            if (s && year.contains(s->best))
                sightings.emplace_back(*s, newMoon);
    }
    std::sort(sightings.begin(), sightings.end(), [](const auto& a, const auto& b) { return a.first.best < b.first.best; });
    for (const auto& [s, newMoon] : sightings)
        almanac.crescents.append(crescentLine(s, newMoon));

    for (const SolarEclipse& e : solarEclipses(ephemeris, year.start - 1, year.end + 1))
        if (year.contains(e.greatest))
            almanac.solarEclipses.append(solarLine(e, localSolarEclipse(ephemeris, e, place)));
    for (const LunarEclipse& e : lunarEclipses(ephemeris, year.start - 1, year.end + 1, place))
        if (year.contains(e.greatest))
            almanac.lunarEclipses.append(lunarLine(e));
    for (const VenusCrescents& v : venusCrescents(ephemeris, year.start - 1, year.end + 1, place))
        if (year.contains(v.conjunction))
            almanac.venus.append(venusLine(v));
}

} // namespace

QStringList almanacFileNames()
{
    return {QStringLiteral("ujholdak.txt"), QStringLiteral("holdsarlok.txt"), QStringLiteral("napfogyik.txt"),
            QStringLiteral("holdfogyik.txt"), QStringLiteral("venusz.txt")};
}

std::vector<AlmanacFile> almanacFiles(const Almanac& almanac)
{
    const QStringList names = almanacFileNames();
    return {{names[0], &almanac.newMoons},
            {names[1], &almanac.crescents},
            {names[2], &almanac.solarEclipses},
            {names[3], &almanac.lunarEclipses},
            {names[4], &almanac.venus}};
}

Almanac computeAlmanac(const Ephemeris& ephemeris, int fromYear, int toYear, const Place& place,
                       const Progress& progress)
{
    Almanac almanac;
    almanac.solarEclipses.append(row({{0, QStringLiteral("Dátum")},
                                      {12, QStringLiteral("Idő")},
                                      {19, QStringLiteral("Típus")},
                                      {30, QStringLiteral("Nagyság")},
                                      {39, place.name + QStringLiteral(": legnagyobb fázis")}}));
    almanac.lunarEclipses.append(row({{0, QStringLiteral("Dátum")},
                                      {12, QStringLiteral("Idő")},
                                      {19, QStringLiteral("Típus")},
                                      {32, QStringLiteral("Umbrális nagyság")},
                                      {50, QStringLiteral("Láthatóság (%1)").arg(place.name)}}));
    almanac.venus.append(row({{0, QStringLiteral("Együttállás")},
                              {13, QStringLiteral("Esti sarló")},
                              {26, QStringLiteral("Legvékonyabb")},
                              {40, QStringLiteral("Reggeli sarló")},
                              {55, QStringLiteral("Legvékonyabb")}}));

    JulianDay start = startOfCivilYear(fromYear);
    for (int year = fromYear; year <= toYear; ++year) {
        if (progress)
            progress(year);
        const JulianDay end = startOfCivilYear(year + 1);
        addYear(ephemeris, {start, end}, place, almanac);
        start = end;
    }
    // An empty file would read as one empty row; a polar place may see no crescent at all.
    if (almanac.crescents.isEmpty())
        almanac.crescents.append(QStringLiteral("Innen egyetlen holdsarló sem kereshető ezekben az években."));
    return almanac;
}

void writeAlmanac(const QString& folder, const Almanac& almanac)
{
    const QDir dir(folder);
    for (const AlmanacFile& file : almanacFiles(almanac))
        writeText(dir.filePath(file.name), file.lines->join(QStringLiteral("\r\n")));
}

} // namespace vkt::almanac
