#pragma once

#include "sightings/Scorecard.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace vkt::presentation {

QString criterionName(sightings::Criterion criterion);  // "Yallop", "Odeh", "babiloni szabály"
// "A" … for Yallop and Odeh; "látható" or "nem látható" for the Babylonian rule.
QString criterionClassText(sightings::Criterion criterion, int cls);
QString aidWord(sightings::Aid aid);  // "szabad szemmel", "optikai eszközzel"
// "a legfiatalabb látott holdsarló" and so on.
QString recordKindText(sightings::RecordKind kind);

// The criteria's tables as text for a fixed-width font: each criterion with the naked eye and
// with optics, its classes against seen and not seen, the share foretold right and the surprises
// named by their records.
QStringList scorecardLines(const std::vector<sightings::CriterionTable>& tables,
                           const std::vector<sightings::Sighting>& records);
// The observers' records, one a line: what, with which aid, evening or morning, the value and
// the record that holds it.
QStringList recordLines(const std::vector<sightings::Record>& records, const std::vector<sightings::Sighting>& sightings);

} // namespace vkt::presentation
