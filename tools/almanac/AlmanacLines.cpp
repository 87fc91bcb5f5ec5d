#include "tools/almanac/AlmanacLines.h"

#include "presentation/CrescentRow.h"
#include "presentation/Places.h"
#include "presentation/TimeTexts.h"
#include "presentation/Words.h"
#include "services/Numbers.h"

#include <cmath>

namespace vkt::almanac {
namespace {

using presentation::dateText;
using presentation::degreesText;
using presentation::timeText;

// Columns of the crescent list under the list window's headings "Időpont", "Mikor?" and
// "Holdsarló kora (kb.)": the list font is 180 twips wide a character and the headings stand
// at 360, 3480 and 4680 twips, 360 being the list's own left edge. The class text ends by the
// 71st character, what the list box shows beside its scroll bar.
constexpr int kCrescentWhen = (3480 - 360) / 180;  // 17
constexpr int kCrescentAge = (4680 - 360) / 180;   // 24
constexpr int kCrescentClass = 40;

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

qint64 minutesBetween(JulianDay from, JulianDay to)
{
    return std::llround((roundedToMinute(to) - roundedToMinute(from)) * 1440);
}

// The detailed file's columns: the new moon's date and time, then a crescent's fields as the
// visibility window shows them; numbers stand right-aligned under their header word.
constexpr int kDetailWidths[] = {10, 5, 6, 1, 10, 5, 5, 5, 7, 6, 7, 6, 6, 6, 5, 5, 6, 4, 5, 6, 1, 6, 1};

QStringList detailHeaders()
{
    return QStringList{QStringLiteral("Újhold"), QStringLiteral("idő")} + presentation::crescentRowHeaders();
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

} // namespace

AlmanacLines::AlmanacLines(const Place& place) : place_(place), civil_(place.timeZone)
{
}

// The time of an event a few hours from another; with its date when the civil dates differ.
QString AlmanacLines::timeNear(JulianDay ut, JulianDay reference) const
{
    return dateText(civil_, ut) == dateText(civil_, reference) ? timeText(civil_, ut)
                                                               : presentation::dateTimeText(civil_, ut);
}

QString AlmanacLines::newMoonLine(JulianDay newMoon) const
{
    return presentation::dateTimeText(civil_, newMoon);
}

QString AlmanacLines::crescentLine(const CrescentEvening& c) const
{
    return row({{0, presentation::dateTimeText(civil_, c.best)},
                {kCrescentWhen, presentation::twilightWord(c.twilight)},
                {kCrescentAge, presentation::ageText(minutesBetween(c.newMoon, c.best))},
                {kCrescentClass, presentation::yallopClassText(c.yallop)}});
}

QString AlmanacLines::detailLine(const CrescentEvening& c) const
{
    return detailRow(QStringList{dateText(civil_, c.newMoon), timeText(civil_, c.newMoon)} +
                     presentation::crescentRowFields(c, civil_));
}

QString AlmanacLines::contactText(const QString& name, const LocalSolarEclipse::Contact& contact,
                                  JulianDay greatest) const
{
    QString text = QStringLiteral("%1 %2 (%3").arg(name, timeNear(contact.ut, greatest), degreesText(contact.sunAltitude));
    if (contact.belowHorizon)
        text += QStringLiteral(", lenn");
    return text + u')';
}

QStringList AlmanacLines::solarLines(const SolarEclipse& e, const std::optional<LocalSolarEclipse>& seen) const
{
    const auto first = [&](const QString& local) {
        return row({{0, dateText(civil_, e.greatest)},
                    {12, timeText(civil_, e.greatest)},
                    {19, presentation::solarEclipseWord(e.type)},
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

QStringList AlmanacLines::lunarLines(const LunarEclipse& e) const
{
    // A penumbral eclipse has no umbral magnitude worth showing (it would be negative).
    const QString magnitude = e.type == LunarEclipseType::Penumbral
                                  ? decimalText(e.penumbralMagnitude, 4) + QStringLiteral(" félárny.")
                                  : decimalText(e.umbralMagnitude, 4) + QStringLiteral(" umbr.");
    const QString first = row({{0, dateText(civil_, e.greatest)},
                               {12, timeText(civil_, e.greatest)},
                               {19, presentation::lunarEclipseWord(e.type)},
                               {32, magnitude},
                               {49, QStringLiteral("Hold %1, %2").arg(degreesText(e.moonAltitude),
                                                                       presentation::moonAboveWord(e.aboveHorizon))}});
    QStringList contacts;
    const std::pair<const char*, JulianDay> all[] = {{"P1", e.penumbralBegin}, {"U1", e.partialBegin},
                                                      {"U2", e.totalBegin},    {"U3", e.totalEnd},
                                                      {"U4", e.partialEnd},    {"P4", e.penumbralEnd}};
    // A contact shows its date (month and day) only where the date changes along the line.
    QString date = dateText(civil_, e.greatest);
    for (const auto& [name, ut] : all) {
        if (std::isnan(ut))
            continue;
        const QString when = dateText(civil_, ut);
        contacts << QStringLiteral("%1 %2%3").arg(QLatin1String(name),
                                                  when == date ? QString() : presentation::monthDayText(civil_, ut) + u' ',
                                                  timeText(civil_, ut));
        date = when;
    }
    return {first, row({{19, contacts.join(QStringLiteral("  "))}})};
}

QString AlmanacLines::spanText(const std::optional<VenusSpan>& span) const
{
    if (!span)
        return QStringLiteral("nincs");
    return presentation::monthDayText(civil_, span->first) + u'-' + presentation::monthDayText(civil_, span->last);
}

QString AlmanacLines::venusLine(const VenusCrescents& v) const
{
    const auto thinnest = [](const std::optional<VenusSpan>& s) {
        return s ? decimalText(s->thinnest * 100, 1) + QStringLiteral(" %") : QString();
    };
    const auto highest = [](const std::optional<VenusSpan>& s) { return s ? degreesText(s->greatestAltitude) : QString(); };
    return row({{0, dateText(civil_, v.conjunction)},
                {13, spanText(v.evening)},
                {25, thinnest(v.evening)},
                {33, highest(v.evening)},
                {41, spanText(v.morning)},
                {53, thinnest(v.morning)},
                {61, highest(v.morning)}});
}

void AlmanacLines::addHeaders(Almanac& almanac) const
{
    const QString where = presentation::placeText(place_);
    // The list window heads its columns with labels of its own, so the first row only names the place.
    almanac.crescents.append(where);
    almanac.crescentDetails.append(
        where + QStringLiteral("; Nap, Hold: -nyugta este, -kelte reggel; a legjobb időpontban: magasság látszó, "
                               "azimut északtól kelet felé; ARCL, ARCV, DAZ geocentrikus, légkör nélkül, q és Y "
                               "Yallop szerint; V és O Odeh szerint, topocentrikus; W' ívpercben"));
    almanac.crescentDetails.append(detailRow(detailHeaders()));
    const QString shortPlace = presentation::shortPlaceText(place_);
    almanac.solarEclipses.append(row({{0, QStringLiteral("Dátum")},
                                      {12, QStringLiteral("Idő")},
                                      {19, QStringLiteral("Típus")},
                                      {30, QStringLiteral("Nagyság")},
                                      {39, shortPlace}}));
    almanac.lunarEclipses.append(row({{0, QStringLiteral("Dátum")},
                                      {12, QStringLiteral("Idő")},
                                      {19, QStringLiteral("Típus")},
                                      {32, QStringLiteral("Nagyság")},
                                      {49, shortPlace}}));
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

QString AlmanacLines::noCrescentLine()
{
    return QStringLiteral("Innen egyetlen holdsarló sem kereshető ezekben az években.");
}

QString AlmanacLines::noVenusLine()
{
    return QStringLiteral("Ezekben az években nincs a Vénusznak alsó együttállása, így sarlója sem.");
}

} // namespace vkt::almanac
