#pragma once

#include "astro/CivilTime.h"
#include "astro/Place.h"

#include <QString>
#include <vector>

namespace vkt::presentation {

// The program's home: every time is Hungarian civil time unless a place says otherwise.
inline constexpr char kHungarianZone[] = "Europe/Budapest";
const astro::CivilZone& hungarianTime();

// The default observer: Budapest, 100 m, Hungarian civil time.
astro::Place budapest();

// Hungarian observing places, Budapest first, all in Hungarian civil time.
const std::vector<astro::Place>& observingPlaces();

// An angle with one decimal and the degree sign: "-5,1°".
QString degreesText(double degrees);

// "47,50° É, 19,04° K": the latitude and longitude with the decimals asked, north or south and
// east or west in words.
QString coordinatesText(double latitude, double longitude, int decimals);

// "Budapest (47,50° É, 19,04° K, 100 m), Europe/Budapest idő"
QString placeText(const astro::Place& place);
// "Budapest, Europe/Budapest idő": short enough for the eclipse lists' widest rows.
QString shortPlaceText(const astro::Place& place);

} // namespace vkt::presentation
