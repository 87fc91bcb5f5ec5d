#include "presentation/YearAheadRow.h"

#include "presentation/TimeTexts.h"
#include "presentation/Words.h"

namespace vkt::presentation {

QStringList yearAheadHeaders()
{
    return {QStringLiteral("Újhold"), QStringLiteral("Első este (Yallop A–D)"), QStringLiteral("Első este (Odeh A–C)"),
            QStringLiteral("Utolsó reggel (Yallop A–D)"), QStringLiteral("Utolsó reggel (Odeh A–C)")};
}

QStringList yearAheadHeaderTips()
{
    const auto tip = [](const char* which, const char* reach) {
        return QStringLiteral("%1, amikor a holdsarló %2, a napnyugta (napkelte) dátuma és az osztály; –: a keresett "
                              "napok egyikén sem")
            .arg(QString::fromUtf8(which), QString::fromUtf8(reach));
    };
    return {QStringLiteral("Az újhold időpontja a hely időzónájában"),
            tip("Az újhold utáni első este", "Yallop szerint A–D osztályú (legalább távcsővel megtalálható)"),
            tip("Az újhold utáni első este", "Odeh szerint A–C osztályú (legalább távcsővel látható)"),
            tip("Az újhold előtti utolsó reggel", "Yallop szerint A–D osztályú"),
            tip("Az újhold előtti utolsó reggel", "Odeh szerint A–C osztályú")};
}

QStringList yearAheadFields(const astro::NewMoonOutlook& outlook, const astro::CivilZone& zone)
{
    const auto yallop = [&](const std::optional<astro::CrescentEvening>& c) {
        return c ? dateText(zone, c->sunEvent) + u' ' + classLetter(c->yallop) : QStringLiteral("–");
    };
    const auto odeh = [&](const std::optional<astro::CrescentEvening>& c) {
        return c ? dateText(zone, c->sunEvent) + u' ' + classLetter(c->odeh) : QStringLiteral("–");
    };
    return {dateTimeText(zone, outlook.newMoon), yallop(outlook.firstEveningYallop), odeh(outlook.firstEveningOdeh),
            yallop(outlook.lastMorningYallop), odeh(outlook.lastMorningOdeh)};
}

} // namespace vkt::presentation
