#pragma once

#include "astro/CivilTime.h"
#include "astro/CrescentVisibility.h"

#include <QStringList>

namespace vkt::presentation {

// One morning or evening in the columns from "Mikor" on, times in the zone's civil time: the
// almanac's detailed file and the visibility window's table both show a crescent by these, so
// the two agree to the character. A Moon that is not up gives "-" from "Legjobb" on; a Sun (a
// Moon) that stays up or down that day gives "fenn" or "lenn" for its time and "-" after it.
QStringList crescentRowHeaders();
QStringList crescentRowFields(const astro::CrescentEvening& c, const astro::CivilZone& zone);
// What each of those columns holds: the quantity, its unit and its sign, in the headers' order;
// a column's tooltip and its line on the window's help page.
QStringList crescentRowHeaderTips();
// The two criteria's bounds in words: "A: q > +0,216, B: …".
QString yallopBoundsText();
QString odehBoundsText();

} // namespace vkt::presentation
