#include "presentation/CrescentRow.h"

#include "presentation/TimeTexts.h"
#include "presentation/Words.h"
#include "services/Numbers.h"

#include <cmath>
#include <iterator>

namespace vkt::presentation {
namespace {

const char* const kHeaders[] = {"Mikor", "N",      "Dátum",  "Nap",   "Hold", "Késés", "Legjobb",
                                "Kor(h)", "HoldMag", "HoldAz", "NapMag", "NapAz", "ARCL", "ARCV",
                                "DAZ",   "W'",     "Megv%",  "q",     "Y",    "V",     "O"};

} // namespace

QStringList crescentRowHeaders()
{
    QStringList headers;
    for (const char* h : kHeaders)
        headers << QString::fromUtf8(h);
    return headers;
}

QStringList crescentRowFields(const astro::CrescentEvening& c, const astro::CivilZone& zone)
{
    const auto event = [&](astro::Horizon horizon, astro::JulianDay ut) {
        return horizon == astro::Horizon::Crossed ? timeText(zone, ut) : horizonWord(horizon);
    };
    QStringList f = {twilightWord(c.twilight), QString::number(c.day), dateText(zone, c.dayInstant),
                     event(c.sun, c.sunEvent)};
    if (c.sun == astro::Horizon::Crossed)
        f << event(c.moon, c.moonEvent);
    if (c.sun == astro::Horizon::Crossed && c.moon == astro::Horizon::Crossed)
        f << QString::number(std::llround(c.lagMinutes));
    if (!c.moonUp) {
        while (f.size() < qsizetype(std::size(kHeaders)))
            f << QStringLiteral("-");
        return f;
    }
    const auto d = decimalText;
    f << timeText(zone, c.best) << d(c.ageHours, 1) << d(c.moonAltitude, 1) << d(c.moonAzimuth, 1)
      << d(c.sunAltitude, 1) << d(c.sunAzimuth, 1) << d(c.arcl, 1) << d(c.arcv, 1) << d(c.daz, 1) << d(c.width, 2)
      << d(c.illuminated * 100, 1) << d(c.q, 3) << classLetter(c.yallop) << d(c.v, 2) << classLetter(c.odeh);
    return f;
}

} // namespace vkt::presentation
