#pragma once

#include "astro/Place.h"
#include "presentation/Places.h"

#include <QString>
#include <variant>

namespace vkt {

// The drop-down's places: the Hungarian observing places, Budapest first, as the almanac's default.
using presentation::observingPlaces;

// The place's fields as the user would type them.
using astro::PlaceInput;
PlaceInput placeInput(const astro::Place& place);

// The place the texts describe, or a Hungarian message saying what is wrong with them. Times stay
// Hungarian civil time wherever the place lies.
std::variant<astro::Place, QString> readPlace(const PlaceInput& input);

// The place in use, kept between runs in the user's configuration folder; Budapest the first time
// or when what is stored there is not a valid place.
astro::Place rememberedPlace();
void rememberPlace(const astro::Place& place);

} // namespace vkt
