#include "tools/almanac/AlmanacLists.h"

#include "astro/CivilTime.h"
#include "astro/CrescentRow.h"
#include "astro/CrescentVisibility.h"
#include "astro/Eclipses.h"
#include "astro/MoonPhases.h"
#include "astro/VenusCrescents.h"
#include "services/DataFiles.h"
#include "services/TextFiles.h"

#include <QDir>
#include <algorithm>
#include <cmath>

namespace vkt::almanac {
namespace {

// Columns of the crescent list under Form5's headings "Időpont", "Mikor?" and
// "Holdsarló kora (kb.)": the list font is 180 twips wide a character and the headings stand
// at 360, 3480 and 4680 twips, 360 being the list's own left edge. The class text ends by the
// 71st character, what the list box shows beside its scroll bar.
constexpr int kCrescentWhen = (3480 - 360) / 180;  // 17
constexpr int kCrescentAge = (4680 - 360) / 180;   // 24
constexpr int kCrescentClass = 40;
// Mornings before and evenings after each new moon in the detailed file; the short list picks
// from the same days (by the fourth evening the crescent is class A almost everywhere).
constexpr int kDetailDays = 4;
constexpr int kMostListedPerSide = 3;

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

QString degrees(double value)
{
    return decimalText(value, 1) + u'°';
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

QString coordinates(const Place& place)
{
    return QStringLiteral("%1° %2, %3° %4")
        .arg(decimalText(std::abs(place.latitude), 2), place.latitude < 0 ? QStringLiteral("D") : QStringLiteral("É"),
             decimalText(std::abs(place.longitude), 2), place.longitude < 0 ? QStringLiteral("Ny") : QStringLiteral("K"));
}

// "Budapest, Europe/Budapest idő": short enough for the eclipse lists' widest rows.
QString shortPlaceText(const Place& place)
{
    return QStringLiteral("%1, %2 idő").arg(place.name, QString::fromLatin1(place.timeZone));
}

// "Budapest (47,50° É, 19,04° K, 100 m), Europe/Budapest idő"
QString placeText(const Place& place)
{
    return QStringLiteral("%1 (%2, %3 m), %4 idő")
        .arg(place.name, coordinates(place), QString::number(std::lround(place.height)), QString::fromLatin1(place.timeZone));
}

class Lists {
public:
    Lists(const Ephemeris& ephemeris, const Place& place) : ephemeris_(ephemeris), place_(place), civil_(place.timeZone) {}

    void addHeaders(Almanac& almanac) const;
    void addYear(int year, Almanac& almanac) const;
    JulianDay startOfYear(int year) const { return civil_.startOfYear(year); }

private:
    QString crescentLine(const CrescentEvening& c) const;
    QString detailLine(const CrescentEvening& c) const;
    QStringList solarLines(const SolarEclipse& e, const std::optional<LocalSolarEclipse>& seen) const;
    QStringList lunarLines(const LunarEclipse& e) const;
    QString venusLine(const VenusCrescents& v) const;
    QString spanText(const std::optional<VenusSpan>& span) const;
    QString contactText(const QString& name, const LocalSolarEclipse::Contact& contact, JulianDay greatest) const;
    QString timeNear(JulianDay ut, JulianDay reference) const;

    const Ephemeris& ephemeris_;
    const Place& place_;
    CivilZone civil_;
};

// The time of an event a few hours from another; with its date when the civil dates differ.
QString Lists::timeNear(JulianDay ut, JulianDay reference) const
{
    return civil_.dateText(ut) == civil_.dateText(reference) ? civil_.timeText(ut) : civil_.text(ut);
}

QString Lists::crescentLine(const CrescentEvening& c) const
{
    return row({{0, civil_.text(c.best)},
                {kCrescentWhen, c.twilight == Twilight::Evening ? QStringLiteral("este") : QStringLiteral("reggel")},
                {kCrescentAge, ageText(minutesBetween(c.newMoon, c.best))},
                {kCrescentClass, yallopClassText(c.yallop)}});
}

// The detailed file's columns: the new moon's date and time, then a crescent's fields as the
// visibility window shows them; numbers stand right-aligned under their header word.
constexpr int kDetailWidths[] = {10, 5, 6, 1, 10, 5, 5, 5, 7, 6, 7, 6, 6, 6, 5, 5, 6, 4, 5, 6, 1, 6, 1};

QStringList detailHeaders()
{
    return QStringList{QStringLiteral("Újhold"), QStringLiteral("idő")} + crescentRowHeaders();
}

QString detailRow(const QStringList& fields)
{
    Q_ASSERT(fields.size() == qsizetype(std::size(kDetailWidths)));
    QStringList cells;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        const int width = kDetailWidths[i];
        const bool left = i <= 4;  // dates and words left, numbers right
        cells << (left ? fields[i].leftJustified(width) : fields[i].rightJustified(width));
    }
    QString line = cells.join(u' ');
    while (line.endsWith(u' '))
        line.chop(1);
    return line;
}

QString Lists::detailLine(const CrescentEvening& c) const
{
    return detailRow(QStringList{civil_.dateText(c.newMoon), civil_.timeText(c.newMoon)} + crescentRowFields(c, civil_));
}

QString Lists::contactText(const QString& name, const LocalSolarEclipse::Contact& contact, JulianDay greatest) const
{
    QString text = QStringLiteral("%1 %2 (%3").arg(name, timeNear(contact.ut, greatest), degrees(contact.sunAltitude));
    if (contact.belowHorizon)
        text += QStringLiteral(", lenn");
    return text + u')';
}

QStringList Lists::solarLines(const SolarEclipse& e, const std::optional<LocalSolarEclipse>& seen) const
{
    const auto first = [&](const QString& local) {
        return row({{0, civil_.dateText(e.greatest)},
                    {12, civil_.timeText(e.greatest)},
                    {19, solarTypeText(e.type)},
                    {30, decimalText(e.magnitude, 4)},
                    {39, local}});
    };
    if (!seen)
        return {first(QStringLiteral("innen nem látható"))};
    if (!seen->seen())
        return {first(QStringLiteral("innen nem látható (a Nap a látóhatár alatt)"))};
    QString local = QStringLiteral("nagyság %1, fedettség %2 %")
                        .arg(decimalText(seen->magnitude, 3), decimalText(seen->obscuration * 100, 1));
    if (!std::isnan(seen->horizon))
        local += QStringLiteral("; %1 %2")
                     .arg(seen->horizon < seen->maximum.ut ? QStringLiteral("napnyugtakor") : QStringLiteral("napkeltekor"),
                          decimalText(seen->horizonMagnitude, 3));
    return {first(local),
            row({{19, QStringList{contactText(QStringLiteral("kezdet"), seen->first, e.greatest),
                                  contactText(QStringLiteral("max."), seen->maximum, e.greatest),
                                  contactText(QStringLiteral("vége"), seen->last, e.greatest)}
                           .join(QStringLiteral("  "))}})};
}

QStringList Lists::lunarLines(const LunarEclipse& e) const
{
    // A penumbral eclipse has no umbral magnitude worth showing (it would be negative).
    const QString magnitude = e.type == LunarEclipseType::Penumbral
                                  ? decimalText(e.penumbralMagnitude, 4) + QStringLiteral(" félárny.")
                                  : decimalText(e.umbralMagnitude, 4) + QStringLiteral(" umbr.");
    const QString first = row({{0, civil_.dateText(e.greatest)},
                               {12, civil_.timeText(e.greatest)},
                               {19, lunarTypeText(e.type)},
                               {32, magnitude},
                               {49, QStringLiteral("Hold %1, %2").arg(degrees(e.moonAltitude), moonAboveText(e.aboveHorizon))}});
    QStringList contacts;
    const std::pair<const char*, JulianDay> all[] = {{"P1", e.penumbralBegin}, {"U1", e.partialBegin},
                                                      {"U2", e.totalBegin},    {"U3", e.totalEnd},
                                                      {"U4", e.partialEnd},    {"P4", e.penumbralEnd}};
    // A contact shows its date (month and day) only where the date changes along the line.
    QString date = civil_.dateText(e.greatest);
    for (const auto& [name, ut] : all) {
        if (std::isnan(ut))
            continue;
        const QString when = civil_.dateText(ut);
        contacts << QStringLiteral("%1 %2%3").arg(QLatin1String(name), when == date ? QString() : civil_.at(ut).toString(QStringLiteral("MM.dd ")), civil_.timeText(ut));
        date = when;
    }
    return {first, row({{19, contacts.join(QStringLiteral("  "))}})};
}

QString Lists::spanText(const std::optional<VenusSpan>& span) const
{
    if (!span)
        return QStringLiteral("nincs");
    const QString format = QStringLiteral("MM.dd");
    return civil_.at(span->first).toString(format) + u'-' + civil_.at(span->last).toString(format);
}

QString Lists::venusLine(const VenusCrescents& v) const
{
    const auto thinnest = [](const std::optional<VenusSpan>& s) { return s ? decimalText(s->thinnest * 100, 1) + QStringLiteral(" %") : QString(); };
    const auto highest = [](const std::optional<VenusSpan>& s) { return s ? degrees(s->greatestAltitude) : QString(); };
    return row({{0, civil_.dateText(v.conjunction)},
                {13, spanText(v.evening)},
                {25, thinnest(v.evening)},
                {33, highest(v.evening)},
                {41, spanText(v.morning)},
                {53, thinnest(v.morning)},
                {61, highest(v.morning)}});
}

void Lists::addHeaders(Almanac& almanac) const
{
    const QString where = placeText(place_);
    // Form5 heads its columns with labels of its own, so the first row only names the place.
    almanac.crescents.append(where);
    almanac.crescentDetails.append(
        where + QStringLiteral("; Nap, Hold: -nyugta este, -kelte reggel; a legjobb időpontban: magasság látszó, "
                               "azimut északtól kelet felé; ARCL, ARCV, DAZ geocentrikus, légkör nélkül, q és Y "
                               "Yallop szerint; V és O Odeh szerint, topocentrikus; W' ívpercben"));
    almanac.crescentDetails.append(detailRow(detailHeaders()));
    almanac.solarEclipses.append(row({{0, QStringLiteral("Dátum")},
                                      {12, QStringLiteral("Idő")},
                                      {19, QStringLiteral("Típus")},
                                      {30, QStringLiteral("Nagyság")},
                                      {39, shortPlaceText(place_)}}));
    almanac.lunarEclipses.append(row({{0, QStringLiteral("Dátum")},
                                      {12, QStringLiteral("Idő")},
                                      {19, QStringLiteral("Típus")},
                                      {32, QStringLiteral("Nagyság")},
                                      {49, shortPlaceText(place_)}}));
    almanac.venus.append(where);
    almanac.venus.append(QStringLiteral("Napok, amikor a Vénusz sarló (25 %-nál kisebb fázis), legalább 10° a Naptól,"));
    almanac.venus.append(QStringLiteral("és a polgári szürkület végén (reggel kezdetén) legalább 5° magasan van:"));
    almanac.venus.append(row({{0, QStringLiteral("Együttállás")},
                              {13, QStringLiteral("Esti sarló")},
                              {25, QStringLiteral("Legvék.")},
                              {33, QStringLiteral("Legmag.")},
                              {41, QStringLiteral("Reggeli")},
                              {53, QStringLiteral("Legvék.")},
                              {61, QStringLiteral("Legmag.")}}));
}

void Lists::addYear(int year, Almanac& almanac) const
{
    const CivilYear civilYear(civil_, year);
    for (const JulianDay newMoon : newMoons(ephemeris_, civilYear.start - 1, civilYear.end + 1))
        if (civilYear.contains(newMoon))
            almanac.newMoons.append(civil_.text(newMoon));

    // A crescent can lie up to a few days from its new moon, across the year's edge.
    std::vector<CrescentEvening> listed, details;
    for (const JulianDay newMoon : newMoons(ephemeris_, civilYear.start - 7, civilYear.end + 7)) {
        const CrescentRun run = crescentRun(ephemeris_, place_, newMoon, kDetailDays);
        for (const std::vector<CrescentEvening>* side : {&run.mornings, &run.evenings}) {
            int count = 0;
            for (const CrescentEvening& c : *side) {
                if (civilYear.contains(c.sunEvent))
                    details.push_back(c);
                // Every evening (morning) worth looking, up to the first easy one.
                if (!c.moonUp || c.yallop > YallopClass::D || count == kMostListedPerSide)
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
    std::sort(details.begin(), details.end(), [](const auto& a, const auto& b) { return a.sunEvent < b.sunEvent; });
    for (const CrescentEvening& c : listed)
        almanac.crescents.append(crescentLine(c));
    for (const CrescentEvening& c : details)
        almanac.crescentDetails.append(detailLine(c));

    for (const SolarEclipse& e : solarEclipses(ephemeris_, civilYear.start - 1, civilYear.end + 1))
        if (civilYear.contains(e.greatest))
            almanac.solarEclipses.append(solarLines(e, localSolarEclipse(ephemeris_, e, place_)));
    for (const LunarEclipse& e : lunarEclipses(ephemeris_, civilYear.start - 1, civilYear.end + 1, place_))
        if (civilYear.contains(e.greatest))
            almanac.lunarEclipses.append(lunarLines(e));
    for (const VenusCrescents& v : venusCrescents(ephemeris_, civilYear.start - 1, civilYear.end + 1, place_))
        if (civilYear.contains(v.conjunction))
            almanac.venus.append(venusLine(v));
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

Almanac computeAlmanac(const Ephemeris& ephemeris, int fromYear, int toYear, const Place& place,
                       const Progress& progress)
{
    const Lists lists(ephemeris, place);
    Almanac almanac;
    lists.addHeaders(almanac);
    for (int year = fromYear; year <= toYear; ++year) {
        if (progress)
            progress(year);
        lists.addYear(year, almanac);
    }
    // A polar place may see no crescent at all.
    if (almanac.crescents.size() == 1)
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
