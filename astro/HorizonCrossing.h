#pragma once

#include <functional>
#include <optional>

namespace vkt::astro {

// The first instant in [from, to] at which `height`, a body's height above its horizon in
// degrees, falls from above zero to zero or below, to about a tenth of a second; empty when it
// does not. Found on the function itself, not on a model of its daily turn: it is sampled every
// half hour, or further apart while it is too far from zero to reach it at `fastestChange`
// (degrees a day, at least), and each change of sign is bisected. Where the samples pass through
// a low point close above zero that low point is sought too, so a body that dips below the
// horizon for less than the step near the poles is not missed. A rising is the fall of the
// negated height.
std::optional<double> firstFallThroughZero(const std::function<double(double)>& height, double from, double to,
                                           double fastestChange);

// How fast a body's altitude can change at a latitude, in degrees a day: the sky's turn there and
// the Moon's own motion in declination.
double fastestAltitudeChange(double latitude);

} // namespace vkt::astro
