#pragma once

#include "astro/CivilTime.h"
#include "astro/CrescentVisibility.h"
#include "astro/Eclipses.h"
#include "astro/VenusCrescents.h"
#include "tools/almanac/AlmanacLists.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace vkt::almanac {

// The lines of the almanac's files for one place, every time in its civil time. The list windows
// show every line as it stands, so the blanks here are the layout on screen.
class AlmanacLines {
public:
    explicit AlmanacLines(const Place& place);

    const CivilZone& zone() const { return civil_; }

    // The first lines of each file: the place, what the numbers mean, the column heads.
    void addHeaders(Almanac& almanac) const;
    QString newMoonLine(JulianDay newMoon) const;
    QString crescentLine(const CrescentEvening& c) const;
    QString detailLine(const CrescentEvening& c) const;
    // The eclipse's line and, when the place sees it, a second one with its contacts.
    QStringList solarLines(const SolarEclipse& e, const std::optional<LocalSolarEclipse>& seen) const;
    QStringList lunarLines(const LunarEclipse& e) const;
    QString venusLine(const VenusCrescents& v) const;
    // In place of the rows of a list that has none in the years asked: crescents (polar places),
    // Venus's inferior conjunctions (a year may have none).
    static QString noCrescentLine();
    static QString noVenusLine();

private:
    QString timeNear(JulianDay ut, JulianDay reference) const;
    QString contactText(const QString& name, const LocalSolarEclipse::Contact& contact, JulianDay greatest) const;
    QString spanText(const std::optional<VenusSpan>& span) const;

    Place place_;
    CivilZone civil_;
};

} // namespace vkt::almanac
