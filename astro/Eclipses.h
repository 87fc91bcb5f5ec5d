#pragma once

#include "astro/Ephemeris.h"

#include <limits>
#include <optional>
#include <vector>

namespace vkt::astro {

// What the place sees of a solar eclipse: the first contact, the greatest phase and the last
// contact of the topocentric discs, each with the Sun's apparent altitude there.
struct LocalSolarEclipse {
    struct Contact {
        JulianDay ut = 0;
        double sunAltitude = 0;     // apparent (refracted) altitude of the Sun's centre, degrees
        bool belowHorizon = false;  // the Sun's upper limb is below the horizon
    };
    Contact first, maximum, last;
    double magnitude = 0;    // at maximum: fraction of the Sun's diameter covered
    double obscuration = 0;  // at maximum: fraction of the Sun's disc covered
    // When the maximum falls with the Sun down but a contact with it up: the sunset (sunrise)
    // during the eclipse and the magnitude then, the most the place sees. NaN otherwise.
    JulianDay horizon = std::numeric_limits<double>::quiet_NaN();
    double horizonMagnitude = 0;
    // Any of the three contacts with the Sun up.
    bool seen() const { return !first.belowHorizon || !maximum.belowHorizon || !last.belowHorizon; }
};

struct SolarEclipse {
    JulianDay greatest = 0;  // the shadow axis nearest the Earth's centre
    SolarEclipseType type = SolarEclipseType::Partial;
    double magnitude = 0;  // at greatest eclipse, as NASA gives it
};

enum class LunarEclipseType { Penumbral, Partial, Total };
enum class MoonAbove { Whole, Partly, Never };

struct LunarEclipse {
    JulianDay greatest = 0;  // the Moon's centre nearest the shadow axis
    LunarEclipseType type = LunarEclipseType::Penumbral;
    double umbralMagnitude = 0;  // negative when the Moon misses the umbra
    double penumbralMagnitude = 0;
    JulianDay penumbralBegin = 0, penumbralEnd = 0;
    JulianDay partialBegin = 0, partialEnd = 0;  // NaN for penumbral eclipses
    JulianDay totalBegin = 0, totalEnd = 0;      // NaN unless total
    // Over the umbral phase, or the penumbral one when there is no umbral phase.
    MoonAbove aboveHorizon = MoonAbove::Never;
    double moonAltitude = 0;  // apparent, topocentric, at greatest eclipse (degrees)
};

// Eclipses whose greatest eclipse falls in [fromUt, untilUt).
std::vector<SolarEclipse> solarEclipses(Ephemeris& ephemeris, JulianDay fromUt, JulianDay untilUt);
// Empty when the Moon's disc never touches the Sun's as seen from the place.
std::optional<LocalSolarEclipse> localSolarEclipse(Ephemeris& ephemeris, const SolarEclipse& eclipse,
                                                   const Place& place);
std::vector<LunarEclipse> lunarEclipses(Ephemeris& ephemeris, JulianDay fromUt, JulianDay untilUt, const Place& place);

} // namespace vkt::astro
