#include "astro/Ephemeris.h"

#include "astro/Constants.h"
#include "astro/DeltaT.h"
#include "astro/Error.h"
#include "astro/HorizonCrossing.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>
#include <array>
#include <optional>
#include <cmath>
#include <numbers>
#include <swephexp.h>

namespace vkt::astro {
namespace {

constexpr const char* kDebianEphemerisFolder = "/usr/share/libswe/ephe";

int planet(Body body)
{
    switch (body) {
    case Body::Sun:
        return SE_SUN;
    case Body::Moon:
        return SE_MOON;
    case Body::Venus:
        return SE_VENUS;
    }
    return SE_SUN;
}

// The years an ephemeris file holds, from its name: "sepl_18.se1" the 600 years from 1800,
// "semom06.se1" those from 600 BC (the year −600).
std::optional<Error::YearSpan> yearsOfFile(const QString& name)
{
    static const QRegularExpression pattern(QStringLiteral("^se(?:pl|mo)(_|m)(\\d\\d)\\.se1$"));
    const QRegularExpressionMatch match = pattern.match(name);
    if (!match.hasMatch())
        return std::nullopt;
    const int first = match.captured(2).toInt() * 100 * (match.captured(1) == u"m" ? -1 : 1);
    return Error::YearSpan{first, first + 599};
}

// The years for which the folders (a list as $SE_EPHE_PATH gives it) hold both a planets' file
// (sepl*) and a Moon's file (semo*).
std::vector<Error::YearSpan> coveredYears(const QString& folders)
{
    std::vector<Error::YearSpan> planets, moon, both;
    for (const QString& folder : folders.split(u':', Qt::SkipEmptyParts))
        for (const QString& name : QDir(folder).entryList({QStringLiteral("se*.se1")}, QDir::Files))
            if (const auto span = yearsOfFile(name))
                (name.startsWith(u"sepl") ? planets : moon).push_back(*span);
    for (const Error::YearSpan& p : planets)
        for (const Error::YearSpan& m : moon)
            if (std::max(p.first, m.first) <= std::min(p.last, m.last))
                both.push_back({std::max(p.first, m.first), std::min(p.last, m.last)});
    std::sort(both.begin(), both.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<Error::YearSpan> merged;
    for (const Error::YearSpan& span : both) {
        if (!merged.empty() && span.first <= merged.back().last + 1)
            merged.back().last = std::max(merged.back().last, span.last);
        else
            merged.push_back(span);
    }
    return merged;
}

// A refused call; a missing ephemeris file, the usual cause (a year beyond the files at hand),
// with the file's name and the years the folder does hold.
[[noreturn]] void fail(const char* call, const char* message, double julianDay, const QString& folder)
{
    const QString text = QString::fromLocal8Bit(message).trimmed();
    static const QRegularExpression missing(QStringLiteral("file '([^']+\\.se1)' not found"));
    if (const QRegularExpressionMatch match = missing.match(text); match.hasMatch())
        throw Error::missingEphemerisFile(call, text, julianDay, QFileInfo(match.captured(1)).fileName(), coveredYears(folder));
    throw Error::library(call, text, julianDay);
}

// Beyond this latitude a body may set (rise) for a few minutes only, which the library's search
// misses, calling the body circumpolar (never up) or finding the next day's crossing instead.
constexpr double kPolarLatitude = 60;
// The refraction that lifts a body on the horizon, 34′.
constexpr double kHorizonRefraction = 34.0 / 60;
// How far ahead a rising or setting is sought there: the Moon's day, 24.8 hours, and some more.
constexpr double kCrossingSearchDays = 1.1;

// The ephemerides alive in this thread: the library's files of the thread are closed with the last.
thread_local int ephemeridesInThread = 0;

} // namespace

Ephemeris::Ephemeris(const QString& folder) : owner_(std::this_thread::get_id()), folder_(folder)
{
    ++ephemeridesInThread;
    if (folder_.isEmpty())
        folder_ = qEnvironmentVariable("SE_EPHE_PATH");
    if (folder_.isEmpty())
        folder_ = QString::fromLatin1(kDebianEphemerisFolder);
    const QByteArray encoded = QFile::encodeName(folder_);
    swe_set_ephe_path(encoded.constData());

    // The library quietly uses its analytic theory when a file is missing; the returned flags
    // tell which one answered. A probe of the Moon and the Sun covers both file families.
    char error[AS_MAXCH] = {};
    double x[6] = {};
    const double j2000 = 2451545.0;
    const int moon = swe_calc(j2000, SE_MOON, SEFLG_SWIEPH, x, error);
    const int sun = swe_calc(j2000, SE_SUN, SEFLG_SWIEPH, x, error);
    if (moon >= 0 && sun >= 0 && (moon & SEFLG_SWIEPH) && (sun & SEFLG_SWIEPH)) {
        flags_ = SEFLG_SWIEPH;
        return;
    }
    analytic_ = true;
    flags_ = SEFLG_MOSEPH;
}

Ephemeris::~Ephemeris()
{
    // Another thread's library state is not ours to close; that thread keeps its files open.
    Q_ASSERT(std::this_thread::get_id() == owner_);
    if (std::this_thread::get_id() == owner_ && --ephemeridesInThread == 0)
        swe_close();
}

void Ephemeris::checkThread() const
{
    if (std::this_thread::get_id() != owner_)
        throw Error::wrongThread();
}

double Ephemeris::deltaT(JulianDay ut) const
{
    constexpr double kJanuary2000 = 2451544.5;
    constexpr double kGregorianYear = 365.2425;
    return deltaTSeconds(2000 + (ut - kJanuary2000) / kGregorianYear) / 86400;
}

double Ephemeris::pinDeltaT(JulianDay ut)
{
    const double dt = deltaT(ut);
    swe_set_delta_t_userdef(dt);
    return dt;
}

JulianDay Ephemeris::toUt(double tt) const
{
    JulianDay ut = tt - deltaT(tt);
    return tt - deltaT(ut);
}

SkyPosition Ephemeris::ecliptic(Body body, double tt)
{
    checkThread();
    char error[AS_MAXCH] = {};
    double x[6] = {};
    if (swe_calc(tt, planet(body), flags_ | SEFLG_SPEED, x, error) < 0)
        fail("swe_calc", error, tt, folder_);
    return {x[0], x[1], x[2], x[3]};
}

SkyPosition Ephemeris::equatorial(Body body, double tt)
{
    checkThread();
    char error[AS_MAXCH] = {};
    double x[6] = {};
    if (swe_calc(tt, planet(body), flags_ | SEFLG_SPEED | SEFLG_EQUATORIAL, x, error) < 0)
        fail("swe_calc", error, tt, folder_);
    return {x[0], x[1], x[2], x[3]};
}

SkyPosition Ephemeris::topocentricEquatorial(Body body, JulianDay ut, const Place& place)
{
    checkThread();
    swe_set_topo(place.longitude, place.latitude, place.height);
    char error[AS_MAXCH] = {};
    double x[6] = {};
    pinDeltaT(ut);
    if (swe_calc_ut(ut, planet(body), flags_ | SEFLG_EQUATORIAL | SEFLG_TOPOCTR, x, error) < 0)
        fail("swe_calc_ut", error, ut, folder_);
    return {x[0], x[1], x[2], x[3]};
}

Ephemeris::Horizontal Ephemeris::horizontal(JulianDay ut, const Place& place, const SkyPosition& equatorial)
{
    checkThread();
    pinDeltaT(ut);
    double geo[3] = {place.longitude, place.latitude, place.height};
    double in[3] = {equatorial.longitude, equatorial.latitude, equatorial.distance};
    double out[3] = {};
    // Pressure 0: the library takes the standard atmosphere's pressure at the place's height.
    swe_azalt(ut, SE_EQU2HOR, geo, 0, 10, in, out);
    // The library counts azimuth from the south through the west.
    return {std::fmod(out[0] + 180.0, 360.0), out[1], out[2]};
}

double Ephemeris::altitude(JulianDay ut, const Place& place, const SkyPosition& equatorial)
{
    return horizontal(ut, place, equatorial).altitude;
}

double Ephemeris::apparentAltitude(JulianDay ut, const Place& place, const SkyPosition& equatorial)
{
    return horizontal(ut, place, equatorial).apparentAltitude;
}

double Ephemeris::upperLimbHeight(Body body, JulianDay ut, const Place& place)
{
    const SkyPosition p = topocentricEquatorial(body, ut, place);
    const double radiusKm = body == Body::Sun ? kSunRadiusKm : body == Body::Moon ? kMoonRadiusKm : 0;
    return altitude(ut, place, p) + std::asin(radiusKm / (p.distance * kAuKm)) / kDegree + kHorizonRefraction;
}

JulianDay Ephemeris::nextRiseOrSet(Body body, JulianDay ut, const Place& place, int which)
{
    checkThread();
    if (std::abs(place.latitude) >= kPolarLatitude && (which == SE_CALC_RISE || which == SE_CALC_SET)) {
        // The upper limb followed directly.
        const auto found = firstFallThroughZero(
            [&](JulianDay t) {
                const double height = upperLimbHeight(body, t, place);
                return which == SE_CALC_SET ? height : -height;
            },
            ut, ut + kCrossingSearchDays, fastestAltitudeChange(place.latitude));
        return found ? *found : std::nan("");
    }
    double geo[3] = {place.longitude, place.latitude, place.height};
    char error[AS_MAXCH] = {};
    double when = 0;
    pinDeltaT(ut);  // constant over the day searched: ΔT changes by milliseconds a day
    const int result = swe_rise_trans(ut, planet(body), nullptr, flags_, which, geo, 0, 10, &when, error);
    if (result == -2)  // circumpolar or never up
        return std::nan("");
    if (result < 0)
        fail("swe_rise_trans", error, ut, folder_);
    return when;
}

// The library's own twilight search is twenty times slower than its sunset, which the Venus
// spans would call every day for a century; so the twilight is followed from the sunset
// (sunrise) by the secant method on the Sun's airless altitude, and the library's search is
// kept for where that fails to settle (the Sun skimming −6° near the poles).
JulianDay Ephemeris::civilTwilight(JulianDay ut, const Place& place, bool evening)
{
    constexpr double kDepression = -6.0;
    // From a little before ut, so a sunset (sunrise) just before it still leads to its twilight.
    const JulianDay horizon = evening ? nextSet(Body::Sun, ut - 0.15, place) : nextRise(Body::Sun, ut, place);
    if (!std::isnan(horizon)) {
        const auto f = [&](JulianDay t) {
            return altitude(t, place, equatorial(Body::Sun, toTt(t))) - kDepression;
        };
        const double step = evening ? 1.0 / 48 : -1.0 / 48;  // half an hour
        double t0 = horizon + step, t1 = horizon + 2 * step;
        double f0 = f(t0), f1 = f(t1);
        for (int i = 0; i < 8 && f1 != f0; ++i) {
            const double t2 = t1 - f1 * (t1 - t0) / (f1 - f0);
            t0 = t1;
            f0 = f1;
            t1 = t2;
            f1 = f(t1);
            if (std::abs(t1 - t0) < 1.0 / 86400) {
                // Falling through −6° after the sunset (rising through it before the sunrise).
                const bool onTheRightSide = evening ? t1 > horizon && t1 - horizon < 0.15 : t1 < horizon && horizon - t1 < 0.15;
                if (onTheRightSide && t1 >= ut)
                    return t1;
                break;
            }
        }
    }
    return nextRiseOrSet(Body::Sun, ut, place, (evening ? SE_CALC_SET : SE_CALC_RISE) | SE_BIT_CIVIL_TWILIGHT);
}

JulianDay Ephemeris::nextCivilDusk(JulianDay ut, const Place& place)
{
    return civilTwilight(ut, place, true);
}

JulianDay Ephemeris::nextCivilDawn(JulianDay ut, const Place& place)
{
    return civilTwilight(ut, place, false);
}

JulianDay Ephemeris::nextRise(Body body, JulianDay ut, const Place& place)
{
    return nextRiseOrSet(body, ut, place, SE_CALC_RISE);
}

JulianDay Ephemeris::nextSet(Body body, JulianDay ut, const Place& place)
{
    return nextRiseOrSet(body, ut, place, SE_CALC_SET);
}

Ephemeris::Phase Ephemeris::phase(Body body, JulianDay ut)
{
    checkThread();
    char error[AS_MAXCH] = {};
    double attr[20] = {};
    pinDeltaT(ut);
    if (swe_pheno_ut(ut, planet(body), flags_, attr, error) < 0)
        fail("swe_pheno_ut", error, ut, folder_);
    return {attr[1], attr[2]};
}

Ephemeris::GlobalSolarEclipse Ephemeris::nextSolarEclipse(JulianDay ut)
{
    checkThread();
    double when[10] = {};
    char error[AS_MAXCH] = {};
    // The search gives UT by the ΔT pinned at its start; back to TT, then to UT by ours.
    const double searchDeltaT = pinDeltaT(ut);
    const int found = swe_sol_eclipse_when_glob(ut, flags_, 0, when, 0, error);
    if (found < 0)
        fail("swe_sol_eclipse_when_glob", error, ut, folder_);
    GlobalSolarEclipse e;
    e.greatest = toUt(when[0] + searchDeltaT);
    // A hybrid eclipse may carry the total or annular bit as well, so it is asked first.
    e.type = (found & SE_ECL_ANNULAR_TOTAL) ? SolarEclipseType::Hybrid
             : (found & SE_ECL_TOTAL)       ? SolarEclipseType::Total
             : (found & SE_ECL_ANNULAR)     ? SolarEclipseType::Annular
                                            : SolarEclipseType::Partial;
    double geo[3] = {};
    double attr[20] = {};
    pinDeltaT(e.greatest);
    if (swe_sol_eclipse_where(e.greatest, flags_, geo, attr, error) < 0)
        fail("swe_sol_eclipse_where", error, e.greatest, folder_);
    // When the shadow axis misses the Earth, NASA's magnitude is the one seen where the
    // eclipse is greatest, on the Earth's limb, not the ratio of the diameters.
    e.magnitude = (found & SE_ECL_NONCENTRAL) && !(found & SE_ECL_PARTIAL) ? attr[0] : attr[8];
    return e;
}

JulianDay julianDay(int year, int month, int day, double hours)
{
    return swe_julday(year, month, day, hours, SE_GREG_CAL);
}

double wrap180(double degrees)
{
    double r = std::fmod(degrees + 180.0, 360.0);
    if (r < 0)
        r += 360.0;
    return r - 180.0;
}

double separation(double lon1, double lat1, double lon2, double lat2)
{
    // atan2 of cross and dot products stays exact for the tiny angles near an eclipse's middle.
    const double x1 = std::cos(lat1 * kDegree) * std::cos(lon1 * kDegree);
    const double y1 = std::cos(lat1 * kDegree) * std::sin(lon1 * kDegree);
    const double z1 = std::sin(lat1 * kDegree);
    const double x2 = std::cos(lat2 * kDegree) * std::cos(lon2 * kDegree);
    const double y2 = std::cos(lat2 * kDegree) * std::sin(lon2 * kDegree);
    const double z2 = std::sin(lat2 * kDegree);
    const double cx = y1 * z2 - z1 * y2, cy = z1 * x2 - x1 * z2, cz = x1 * y2 - y1 * x2;
    return std::atan2(std::sqrt(cx * cx + cy * cy + cz * cz), x1 * x2 + y1 * y2 + z1 * z2) / kDegree;
}

} // namespace vkt::astro
