#include "presentation/YearAheadRow.h"

#include "presentation/TimeTexts.h"
#include "presentation/Words.h"

namespace vkt::presentation {

QStringList yearAheadHeaders()
{
    return {QStringLiteral("Újhold"), QStringLiteral("Első este (Yallop A–D)"), QStringLiteral("Első este (Odeh A–C)"),
            QStringLiteral("Utolsó reggel (Yallop A–D)"), QStringLiteral("Utolsó reggel (Odeh A–C)")};
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
