#include "windows/visibility/CrescentTable.h"

#include "astro/CrescentRow.h"
#include "windows/common/WindowLook.h"

namespace vkt {

using astro::CrescentEvening;

QStringList crescentTableHeaders()
{
    return astro::crescentRowHeaders();
}

QStringList crescentTableRow(const CrescentEvening& c, const astro::CivilZone& zone)
{
    return astro::crescentRowFields(c, zone);
}

std::vector<CrescentEvening> crescentTableEvenings(const astro::CrescentRun& run)
{
    std::vector<CrescentEvening> rows(run.mornings.rbegin(), run.mornings.rend());
    rows.insert(rows.end(), run.evenings.begin(), run.evenings.end());
    return rows;
}

QString tabSeparated(const QStringList& headers, const std::vector<QStringList>& rows)
{
    QString text = headers.join(u'\t') + u'\n';
    for (const QStringList& row : rows)
        text += row.join(u'\t') + u'\n';
    return text;
}

QColor classColour(astro::YallopClass c)
{
    static const QColor faces[] = {colours::LightGreen, colours::YellowGreen, colours::Yellow,
                                   colours::Orange,     colours::Salmon,      colours::Red};
    return faces[static_cast<int>(c)];
}

QColor classColour(astro::OdehClass c)
{
    static const QColor faces[] = {colours::LightGreen, colours::Yellow, colours::Orange, colours::Red};
    return faces[static_cast<int>(c)];
}

} // namespace vkt
