#pragma once

#include "Ephemeris.h"

#include <optional>
#include <vector>

namespace vkt::astro {

// What the place sees of a solar eclipse: its greatest phase while the Sun is up.
struct LocalSolarEclipse {
    enum class Horizon { Above, AtSunrise, AtSunset };
    JulianDay maximum = 0;
    double magnitude = 0;  // fraction of the Sun's diameter covered
    Horizon horizon = Horizon::Above;  // the true maximum happens with the Sun down
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
};

// Eclipses whose greatest eclipse falls in [fromUt, untilUt).
std::vector<SolarEclipse> solarEclipses(const Ephemeris& ephemeris, JulianDay fromUt, JulianDay untilUt);
// Empty when the place does not see the eclipse with the Sun up.
std::optional<LocalSolarEclipse> localSolarEclipse(const Ephemeris& ephemeris, const SolarEclipse& eclipse,
                                                   const Place& place);
std::vector<LunarEclipse> lunarEclipses(const Ephemeris& ephemeris, JulianDay fromUt, JulianDay untilUt,
                                        const Place& place);

} // namespace vkt::astro
