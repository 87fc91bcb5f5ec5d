#include "sightings/Sighting.h"

#include <cmath>

namespace vkt::sightings {
namespace {

// Coordinates as typed agree to far better than this; a re-typed place may differ below it.
constexpr double kSamePlaceDegrees = 1e-6;

bool samePlace(const astro::Place& a, const astro::Place& b)
{
    return a.name == b.name && std::abs(a.latitude - b.latitude) < kSamePlaceDegrees &&
           std::abs(a.longitude - b.longitude) < kSamePlaceDegrees;
}

} // namespace

Outcome outcomeWith(const Sighting& s, Aid aid)
{
    if (aid == Aid::NakedEye)
        return s.outcome(Means::NakedEye);
    Outcome result = Outcome::NotTried;
    for (const Means means : {Means::Binoculars, Means::Telescope, Means::Camera}) {
        const Outcome o = s.outcome(means);
        if (o == Outcome::Seen)
            return Outcome::Seen;
        if (o == Outcome::NotSeen)
            result = Outcome::NotSeen;
    }
    return result;
}

bool sameAttempt(const Sighting& a, const Sighting& b)
{
    return a.date == b.date && a.session == b.session && a.time == b.time && samePlace(a.place, b.place);
}

} // namespace vkt::sightings
