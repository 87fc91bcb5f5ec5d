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

// In the order of kHeaders.
const char* const kHeaderTips[] = {
    "Este (napnyugta után) vagy reggel (napkelte előtt)",
    "Hányadik este az újhold után, illetve reggel előtte; 0: az újholdhoz legközelebbi napnyugta (napkelte)",
    "A nap dátuma a hely időzónájában",
    "Napnyugta (este) vagy napkelte (reggel), óra:perc a hely időzónájában; fenn: a Nap egész nap a látóhatár "
    "fölött van, lenn: egész nap alatta",
    "Holdnyugta (este) vagy holdkelte (reggel), óra:perc; fenn vagy lenn: a Hold a Nap nyugta (kelte) előtt és után "
    "fél napig végig a látóhatár fölött vagy alatt marad",
    "Ennyi perccel nyugszik a Hold a Nap után (reggel: ennyivel kel előtte); negatív: a Hold nyugszik előbb (kel később), "
    "nincs mit keresni",
    "Yallop legjobb időpontja: napnyugta + a késés 4/9-e (reggel: napkelte − a késés 4/9-e), óra:perc; a további "
    "oszlopok erre az időpontra szólnak",
    "A Hold kora órában az újholdtól; reggel negatív: ennyi óra van hátra az újholdig",
    "A Hold látszó (fénytöréssel számolt), topocentrikus magassága, fok",
    "A Hold azimutja, fok, északtól kelet felé",
    "A Nap látszó, topocentrikus magassága, fok; negatív: a látóhatár alatt",
    "A Nap azimutja, fok, északtól kelet felé",
    "ARCL: a Hold és a Nap középpontjának szögtávolsága, fok; geocentrikus",
    "ARCV: a Hold magassága mínusz a Napé, fok; geocentrikus, légkör (fénytörés) nélkül",
    "DAZ: a Nap azimutja mínusz a Holdé, fok; geocentrikus, légkör nélkül; pozitív: a Hold a Naptól balra látszik",
    "W': a holdsarló szélessége ívpercben, a Hold topocentrikus látszó sugarából és a geocentrikus ARCL-ből",
    "A Hold korongjának megvilágított része, százalék",
    "Yallop q értéke: (ARCV − (11,8371 − 6,3226 W' + 0,7319 W'² − 0,1018 W'³)) / 10; minél nagyobb, annál könnyebb "
    "meglátni a holdsarlót",
    nullptr,  // the Yallop classes, from their bounds
    "Odeh V értéke: ARCV − (7,1651 − 6,3226 W + 0,7319 W² − 0,1018 W³), ARCV (légkör nélkül) és W topocentrikusan; "
    "minél nagyobb, annál könnyebb meglátni",
    nullptr,  // the Odeh classes, from their bounds
};
static_assert(std::size(kHeaderTips) == std::size(kHeaders));

// A bound as the tips write it: a decimal comma and a sign, "+0,216", whatever the locale.
QString bound(double value, int decimals)
{
    return (value > 0 ? QStringLiteral("+") : QString()) + decimalText(value, decimals).replace(u'.', u',');
}

} // namespace

QString yallopBoundsText()
{
    const auto& b = astro::kYallopBounds;
    return QStringLiteral("A: q > %1, B: %2 < q ≤ %1, C: %3 < q ≤ %2, D: %4 < q ≤ %3, E: %5 < q ≤ %4, F: q ≤ %5")
        .arg(bound(b[0], 3), bound(b[1], 3), bound(b[2], 3), bound(b[3], 3), bound(b[4], 3));
}

QString odehBoundsText()
{
    const auto& b = astro::kOdehBounds;
    return QStringLiteral("A: V ≥ %1, B: %2 ≤ V < %1, C: %3 ≤ V < %2, D: V < %3")
        .arg(bound(b[0], 2), bound(b[1], 2), bound(b[2], 2));
}

QStringList crescentRowHeaderTips()
{
    QStringList tips;
    for (const char* t : kHeaderTips)
        tips << QString::fromUtf8(t);
    tips[18] = QStringLiteral("Yallop osztálya q szerint (Yallop 1997): %1").arg(yallopBoundsText());
    tips[20] = QStringLiteral("Odeh osztálya V szerint (Odeh 2004): %1").arg(odehBoundsText());
    return tips;
}

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
