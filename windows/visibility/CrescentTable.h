#pragma once

#include "astro/CivilTime.h"
#include "astro/CrescentVisibility.h"

#include <QColor>
#include <QStringList>
#include <vector>

namespace vkt {

// The table of the crescent-visibility window: one row per morning before and evening after a
// new moon, in the almanac's detailed columns from "Mikor" on (astro::crescentRowFields), so a
// row reads as the almanac's line for the same place and date.
QStringList crescentTableHeaders();
QStringList crescentTableRow(const astro::CrescentEvening& c, const astro::CivilZone& zone);

// Mornings 3, 2, 1, 0 before and evenings 0, 1, 2, 3 after the new moon, those that exist.
std::vector<astro::CrescentEvening> crescentTableEvenings(const astro::CrescentRun& run);

// The header and the rows, cells separated by tabs, lines by LF, for a spreadsheet.
QString tabSeparated(const QStringList& headers, const std::vector<QStringList>& rows);

// The face of a class cell: A green through F red (Odeh's D red as well).
QColor classColour(astro::YallopClass c);
QColor classColour(astro::OdehClass c);

} // namespace vkt
