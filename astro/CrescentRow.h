#pragma once

#include "astro/CivilTime.h"
#include "astro/CrescentVisibility.h"

#include <QStringList>

namespace vkt::astro {

// A number with a decimal comma and the given decimals; a value that rounds to zero shows
// without a sign ("0,0", never "-0,0").
QString decimalText(double value, int decimals);

// One morning or evening in the columns from "Mikor" on, times in the zone's civil time: the
// almanac's detailed file and the visibility window's table both show a crescent by these, so
// the two agree to the character. A Moon that is not up gives "-" from "Legjobb" on.
QStringList crescentRowHeaders();
QStringList crescentRowFields(const CrescentEvening& c, const CivilZone& zone);

// What a Yallop class promises, in words short enough for a list or a map's legend: "A: könnyen
// látható" and so on.
QString yallopClassText(YallopClass c);

} // namespace vkt::astro
