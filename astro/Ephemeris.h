#pragma once

#include "astro/Place.h"

#include <QString>
#include <thread>

namespace vkt::astro {

// Julian days. Instants are in UT unless the name says TT; civil time is UT + the zone offset
// (UT1 and UTC differ by less than a second, below the minute the lists show).
using JulianDay = double;

enum class Body { Sun, Moon, Venus };

// Apparent geocentric (or topocentric) place of date.
struct SkyPosition {
    double longitude = 0;  // ecliptic longitude, or right ascension for equatorial positions
    double latitude = 0;   // ecliptic latitude, or declination
    double distance = 0;   // AU
    double speed = 0;      // degrees a day along the first coordinate
};

// The solar eclipse kinds, as the eclipse search reports them.
enum class SolarEclipseType { Partial, Annular, Total, Hybrid };

// The years the ephemeris files of swe-basic-data cover.
inline constexpr int kFirstYear = 1800;
inline constexpr int kLastYear = 2399;

// The one wrapper around the Swiss Ephemeris: no other file calls it or sees its header.
// The library keeps its state (ephemeris folder, open files, ΔT, observer) per thread, so an
// Ephemeris belongs to the thread that made it: each thread that computes makes its own, and a
// call from another thread throws Error (WrongThread). Every call below sets the state it needs
// itself, so they can come in any order, and none of them is const. Ephemerides of one thread
// share its state, so they name the same folder. It reads the ephemeris files of the folder given
// (empty: $SE_EPHE_PATH or the Debian folder); without them it falls back to the analytic
// Moshier ephemeris and says so in analytic().
class Ephemeris {
public:
    explicit Ephemeris(const QString& folder = {});
    ~Ephemeris();
    Ephemeris(const Ephemeris&) = delete;
    Ephemeris& operator=(const Ephemeris&) = delete;

    bool analytic() const { return analytic_; }
    // The folder searched for the ephemeris files.
    const QString& folder() const { return folder_; }

    // TT − UT in days, by deltaTSeconds; every conversion between the two goes through it.
    double deltaT(JulianDay ut) const;
    JulianDay toUt(double tt) const;
    double toTt(JulianDay ut) const { return ut + deltaT(ut); }

    SkyPosition ecliptic(Body body, double tt);
    SkyPosition equatorial(Body body, double tt);
    SkyPosition topocentricEquatorial(Body body, JulianDay ut, const Place& place);

    // Altitude in degrees without refraction, from an equatorial position of that instant.
    double altitude(JulianDay ut, const Place& place, const SkyPosition& equatorial);
    // Refracted altitude, as an observer sees it.
    double apparentAltitude(JulianDay ut, const Place& place, const SkyPosition& equatorial);
    // Both altitudes and the azimuth (degrees from north through east) of an equatorial
    // position of that instant; refraction for the standard atmosphere at the place's height.
    struct Horizontal {
        double azimuth = 0;
        double altitude = 0;          // airless
        double apparentAltitude = 0;  // refracted
    };
    Horizontal horizontal(JulianDay ut, const Place& place, const SkyPosition& equatorial);

    // The height of the body's upper limb over the horizon as risings and settings count it:
    // its topocentric altitude and semidiameter and the standard refraction on the horizon, 34′.
    double upperLimbHeight(Body body, JulianDay ut, const Place& place);
    // Next rising or setting (upper limb, refraction) after ut; NaN when none within a day or so.
    JulianDay nextRise(Body body, JulianDay ut, const Place& place);
    JulianDay nextSet(Body body, JulianDay ut, const Place& place);
    // Next end of evening civil twilight (the Sun's centre 6° below the airless horizon), or
    // next start of morning civil twilight; NaN when none within a day or so.
    JulianDay nextCivilDusk(JulianDay ut, const Place& place);
    JulianDay nextCivilDawn(JulianDay ut, const Place& place);

    // Illuminated fraction (0..1) and elongation from the Sun (degrees) as seen from the Earth.
    struct Phase {
        double illuminated = 0;
        double elongation = 0;
    };
    Phase phase(Body body, JulianDay ut);

    // The next solar eclipse whose greatest eclipse (the shadow axis nearest the Earth's
    // centre) comes after ut: its instant in UT, kind, and magnitude as NASA gives it.
    struct GlobalSolarEclipse {
        JulianDay greatest = 0;
        SolarEclipseType type = SolarEclipseType::Partial;
        double magnitude = 0;
    };
    GlobalSolarEclipse nextSolarEclipse(JulianDay ut);

private:
    // The library converts UT to TT with its own ΔT; every call here that takes or returns UT
    // first sets ours for that instant. Returns it in days.
    double pinDeltaT(JulianDay ut);
    JulianDay nextRiseOrSet(Body body, JulianDay ut, const Place& place, int which);
    JulianDay civilTwilight(JulianDay ut, const Place& place, bool evening);
    // Throws Error::Kind::WrongThread outside the thread that made this ephemeris.
    void checkThread() const;

    std::thread::id owner_;
    QString folder_;
    bool analytic_ = false;
    int flags_ = 0;
};

JulianDay julianDay(int year, int month, int day, double hours = 0);

// Angle wrapped into [-180, 180).
double wrap180(double degrees);
// Great-circle distance in degrees between two points given in the same spherical frame.
double separation(double lon1, double lat1, double lon2, double lat2);

} // namespace vkt::astro
