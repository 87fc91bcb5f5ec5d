#pragma once

namespace vkt::astro {

// TT − UT in seconds for a decimal year (2025.5 is mid-2025): the ΔT of USNO's moon-phase tables.
//
// Those tables do not use the measured ΔT but a smooth curve of their own: up to 15 s above the
// measured values around 1890, close to them 1950–2010, 5–12 s above them in 2020–2030. The lists
// are to agree with the published tables to the minute, so this is their curve, recovered from
// their new moons of every tenth year 1800–2100: a parabola to 2050, a straight line after it.
// With the measured ΔT one of their new moons in six would fall in another minute.
double deltaTSeconds(double year);

} // namespace vkt::astro
