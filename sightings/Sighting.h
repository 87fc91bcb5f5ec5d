#pragma once

#include "astro/CrescentVisibility.h"
#include "astro/Ephemeris.h"
#include "astro/Place.h"

#include <QDate>
#include <QString>
#include <QTime>
#include <array>
#include <optional>

namespace vkt::sightings {

using astro::Twilight;

// What each means of looking gave.
enum class Outcome { NotTried, Seen, NotSeen };
enum class Means { NakedEye, Binoculars, Telescope, Camera };
inline constexpr int kMeansCount = 4;
enum class Transparency { Unknown, Superb, Clear, Hazy, VeryHazy };
enum class Clouds { Unknown, Clear, PartlyCloudy, Cloudy };

using astro::kFirstYear;
using astro::kLastYear;

// One attempt to see the crescent, as the observer entered it. Nothing computed is kept: the sky
// of the attempt is computed again whenever it is needed.
struct Sighting {
    QDate date;                 // the place's civil date of the evening or morning
    std::optional<QTime> time;  // the clock time of the first sighting (of the attempt, when nothing
                                // was seen) in the place's zone; none: the best time of that evening
    Twilight session = Twilight::Evening;
    astro::Place place;  // a place without a time zone keeps the local mean time of its longitude
    QString observers;
    std::array<Outcome, kMeansCount> outcomes{};
    Transparency transparency = Transparency::Unknown;
    Clouds clouds = Clouds::Unknown;
    QString note;

    Outcome outcome(Means means) const { return outcomes[static_cast<std::size_t>(means)]; }
};

// The naked eye, and any optical aid (binoculars, telescope or camera).
enum class Aid { NakedEye, Optics };
inline constexpr Aid kAids[] = {Aid::NakedEye, Aid::Optics};

// What the attempt gave for the aid: with optics, seen by any of them counts as seen, and not seen
// means tried with some and seen with none.
Outcome outcomeWith(const Sighting& s, Aid aid);

// Two records of the same attempt: the same date, session, place and time.
bool sameAttempt(const Sighting& a, const Sighting& b);

} // namespace vkt::sightings
