#include "presentation/TimeTexts.h"

#include <cstdlib>

namespace vkt::presentation {

QString dateTimeText(const astro::CivilZone& zone, astro::JulianDay ut)
{
    return zone.at(ut).toString(QStringLiteral("yyyy.MM.dd HH:mm"));
}

QString dateText(const astro::CivilZone& zone, astro::JulianDay ut)
{
    return zone.at(ut).toString(QStringLiteral("yyyy.MM.dd"));
}

QString timeText(const astro::CivilZone& zone, astro::JulianDay ut)
{
    return zone.at(ut).toString(QStringLiteral("HH:mm"));
}

QString monthDayText(const astro::CivilZone& zone, astro::JulianDay ut)
{
    return zone.at(ut).toString(QStringLiteral("MM.dd"));
}

QString ageText(qint64 minutes)
{
    const qint64 m = std::abs(minutes);
    return QStringLiteral("%1%2 óra %3 perc").arg(minutes < 0 ? QStringLiteral("-") : QString()).arg(m / 60).arg(m % 60);
}

} // namespace vkt::presentation
