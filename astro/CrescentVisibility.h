#pragma once

#include "astro/Ephemeris.h"

#include <QDate>
#include <optional>
#include <vector>

namespace vkt::astro {

class CivilZone;

// Yallop's classes for the first sighting of the crescent (B. D. Yallop, "A method for
// predicting the first sighting of the new crescent Moon", NAO Technical Note 69, 1997):
// A easily visible; B visible under perfect conditions; C may need optical aid to find the
// crescent; D will need optical aid; E not visible with a telescope; F below the Danjon limit.
enum class YallopClass { A, B, C, D, E, F };
// The q that bounds them: A above the first, B above the second, …, F at or below the last.
inline constexpr double kYallopBounds[] = {0.216, -0.014, -0.160, -0.232, -0.293};
YallopClass yallopClass(double q);

// Odeh's zones (M. Sh. Odeh, "New criterion for lunar crescent visibility", Experimental
// Astronomy 18, 2004): A visible by naked eye; B visible by optical aid, could be seen by naked
// eye; C visible by optical aid only; D not visible even by optical aid.
enum class OdehClass { A, B, C, D };
// The V that bounds them: A from the first, B from the second, C from the third, D below it.
inline constexpr double kOdehBounds[] = {5.65, 2.00, -0.96};
OdehClass odehClass(double v);

// The Babylonian rule, as Odeh gives it (M. Sh. Odeh, "New criterion for lunar crescent
// visibility", Experimental Astronomy 18, 2004, pp. 39–64, section 2.1): at local sunset the
// crescent is visible by the naked eye when the Moon is more than 24 hours old and sets more than
// 48 minutes after the Sun. It names no optical aid. Mornings mirror it here: more than 24 hours
// before the new moon, rising more than 48 minutes before the Sun.
inline constexpr double kBabylonianAgeHours = 24;
inline constexpr double kBabylonianLagMinutes = 48;

// Yallop's q from ARCV (degrees) and the crescent width W (arc minutes).
double yallopQ(double arcv, double width);
// Odeh's V from the topocentric ARCV (degrees) and W (arc minutes).
double odehV(double arcv, double width);

enum class Twilight { Evening, Morning };

// Whether a body crosses the horizon when it is looked for, or stays above or below it.
enum class Horizon { Crossed, StaysUp, StaysDown };

// Everything an observer needs about one evening after (or one morning before) a new moon.
// Angles in degrees, azimuths from north through east, W in arc minutes.
struct CrescentEvening {
    Twilight twilight = Twilight::Evening;
    int day = 0;               // 0: the first sunset after (last sunrise before) the new moon
    JulianDay newMoon = 0;
    // An instant of the day: the Sun's event, or on a day without one an instant of the day it
    // was sought in (its date is the row's).
    JulianDay dayInstant = 0;
    // Near the poles the Sun may stay up or down all day, the Moon all the half day either side
    // of the Sun's event: then the event is NaN and nothing after it is defined.
    Horizon sun = Horizon::Crossed;
    Horizon moon = Horizon::Crossed;
    JulianDay sunEvent = 0;    // sunset in the evening, sunrise in the morning
    JulianDay moonEvent = 0;   // moonset in the evening, moonrise in the morning
    double lagMinutes = 0;     // how long the Moon stays up after the Sun (before it, mornings)
    // False when the Moon sets before the Sun (rises after it), or either stays up or down:
    // no crescent to look for, and none of the quantities below is defined.
    bool moonUp = false;

    // At Yallop's best time: sunset + 4/9 lag, or sunrise − 4/9 lag in the morning.
    JulianDay best = 0;
    double ageHours = 0;          // from the new moon; negative in the morning
    double moonAltitude = 0;      // apparent (refracted), topocentric
    double moonAzimuth = 0;
    double sunAltitude = 0;       // apparent (refracted), topocentric
    double sunAzimuth = 0;
    double illuminated = 0;       // illuminated fraction of the disc, 0..1
    // Yallop's quantities: ARCL, ARCV and DAZ geocentric and airless; W from the topocentric
    // semidiameter and the geocentric ARCL.
    double arcl = 0;
    double arcv = 0;
    double daz = 0;               // Sun's azimuth minus the Moon's
    double width = 0;
    double q = 0;
    YallopClass yallop = YallopClass::F;
    // Odeh's quantities: ARCL, ARCV (airless) and W all topocentric.
    double topocentricArcl = 0;
    double topocentricArcv = 0;
    double topocentricWidth = 0;
    double v = 0;
    OdehClass odeh = OdehClass::D;
};

// The quantities of the best time (age, positions, ARCL … classes) computed instead at the instant
// ut, which becomes c.best: a catalogue's own best time, or any moment of a sighting.
void quantitiesAt(Ephemeris& ephemeris, const Place& place, JulianDay ut, CrescentEvening& c);

// The Babylonian rule for one evening (morning): the age at the Sun's event and the lag.
bool babylonianVisible(const CrescentEvening& c);

// The evening (sunset) or morning (sunrise) of a civil date in the place's time zone, with the
// age counted from the last new moon before it (to the next new moon after it, in the morning).
// Empty where the Sun does not set (rise) that date, or the Moon not within half a day of it.
std::optional<CrescentEvening> crescentEvening(Ephemeris& ephemeris, const Place& place, const QDate& date,
                                               Twilight twilight);
// The same in two steps, in a zone of the caller's: the Sun's setting (rising) on that civil date,
// when it sets (rises) that date, and the crescent of that sunset (sunrise).
std::optional<JulianDay> sunEventOn(Ephemeris& ephemeris, const Place& place, const CivilZone& zone,
                                    const QDate& date, Twilight twilight);
std::optional<CrescentEvening> crescentAtSunEvent(Ephemeris& ephemeris, const Place& place, JulianDay sunEvent,
                                                  Twilight twilight);

// The evenings 0..days−1 after and the mornings before the new moon, each day listed: a day
// whose Sun stays up or down, or whose Moon does round the Sun's event, says so.
struct CrescentRun {
    std::vector<CrescentEvening> mornings;  // nearest the new moon first
    std::vector<CrescentEvening> evenings;  // nearest the new moon first
};
CrescentRun crescentRun(Ephemeris& ephemeris, const Place& place, JulianDay newMoon, int days);

// One instant of an evening (morning) followed minute by minute.
struct CrescentSample {
    JulianDay ut = 0;
    double moonAltitude = 0;  // apparent (refracted), topocentric
    // Yallop's q from this instant's ARCV and W, taken as at the best time (geocentric, airless).
    double q = 0;
};

struct CrescentProfile {
    std::vector<CrescentSample> samples;  // in time order
    std::size_t best = 0;                 // the index of the sample at Yallop's best time
};

// The evening from sunset to moonset (the morning from moonrise to sunrise): both ends, every
// whole minute between and the best time. Empty when the Moon is not up.
CrescentProfile crescentProfile(Ephemeris& ephemeris, const Place& place, const CrescentEvening& c);

} // namespace vkt::astro
