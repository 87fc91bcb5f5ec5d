#pragma once

#include <QString>

namespace vkt {

// The sightings window's help page (F1, "Súgó"), as rich text: the columns, the three criteria and
// their sources, how the scorecard counts, and the two file formats.
QString sightingsHelpText();

} // namespace vkt
