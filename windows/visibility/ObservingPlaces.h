#pragma once

#include "astro/Ephemeris.h"

#include <QString>
#include <variant>
#include <vector>

namespace vkt {

// Hungarian observing places offered in the drop-down; Budapest first, as the almanac's default.
const std::vector<astro::Place>& observingPlaces();

// A place as typed: name, latitude, longitude and height as text (decimal comma or point).
struct PlaceInput {
    QString name, latitude, longitude, height;
};
PlaceInput placeInput(const astro::Place& place);

// The place the texts describe, or a Hungarian message saying what is wrong with them. Times stay
// Hungarian civil time wherever the place lies.
std::variant<astro::Place, QString> readPlace(const PlaceInput& input);

// The place in use, kept between runs in the user's configuration folder; Budapest the first time
// or when what is stored there is not a valid place.
astro::Place rememberedPlace();
void rememberPlace(const astro::Place& place);

} // namespace vkt
