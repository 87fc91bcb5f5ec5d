#include "astro/CivilTime.h"

#include "astro/Error.h"

#include <QRegularExpression>
#include <cmath>

namespace vkt::astro {
namespace {

constexpr double kUnixEpoch = 2440587.5;
constexpr qint64 kMsPerDay = 86400000;
constexpr qint64 kMsPerMinute = 60000;

// Building a QTimeZone (Qt 6.4 on Debian 12) leaves the upper halves of the AVX registers
// marked in use. Until they are cleared every SSE instruction of the ephemeris library pays a
// state-transition penalty: the whole almanac ran eight times slower.
void clearUpperVectorState()
{
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
    if (__builtin_cpu_supports("avx"))
        __asm__ volatile("vzeroupper");
#endif
}

qint64 minuteMs(JulianDay ut)
{
    const auto ms = static_cast<qint64>(std::llround((ut - kUnixEpoch) * kMsPerDay));
    // Floor division, so instants before 1970 round the same way as later ones.
    const qint64 shifted = ms + kMsPerMinute / 2;
    qint64 minutes = shifted / kMsPerMinute;
    if (shifted % kMsPerMinute < 0)
        --minutes;
    return minutes * kMsPerMinute;
}

} // namespace

CivilZone::CivilZone(const QByteArray& zoneId)
{
    if (!known(zoneId))
        throw Error::unknownZone(zoneId);
    zone_ = QTimeZone(zoneId);
    clearUpperVectorState();
}

CivilZone::CivilZone(QTimeZone zone) : zone_(std::move(zone))
{
    clearUpperVectorState();
}

CivilZone CivilZone::localMeanTime(double longitude)
{
    return CivilZone(QTimeZone(static_cast<int>(std::lround(longitude * 240))));
}

CivilZone CivilZone::of(const Place& place)
{
    return place.timeZone.isEmpty() ? localMeanTime(place.longitude) : CivilZone(place.timeZone);
}

bool CivilZone::known(const QByteArray& zoneId)
{
    // Qt lists the zones of the tz database's tables only; the fixed offsets under Etc/
    // ("Etc/GMT+12", twelve hours behind UTC) are in the database too, and Qt reads them by name.
    static const QRegularExpression fixedOffset(QStringLiteral("^Etc/[A-Za-z0-9+-]+$"));
    const bool available = !zoneId.isEmpty() && (QTimeZone::isTimeZoneIdAvailable(zoneId) ||
                                                  (fixedOffset.match(QString::fromLatin1(zoneId)).hasMatch() &&
                                                   QTimeZone(zoneId).isValid()));
    clearUpperVectorState();
    return available;
}

QDateTime CivilZone::at(JulianDay ut) const
{
    // No instant (an event that does not happen) is no date-time.
    if (!std::isfinite(ut))
        return {};
    return QDateTime::fromMSecsSinceEpoch(minuteMs(ut), zone_);
}

JulianDay CivilZone::startOfYear(int year) const
{
    return fromCivil(QDateTime(QDate(year, 1, 1), QTime(0, 0), zone_));
}

JulianDay roundedToMinute(JulianDay ut)
{
    if (!std::isfinite(ut))
        return ut;
    return kUnixEpoch + static_cast<double>(minuteMs(ut)) / kMsPerDay;
}

JulianDay fromCivil(const QDateTime& civil)
{
    return kUnixEpoch + static_cast<double>(civil.toMSecsSinceEpoch()) / kMsPerDay;
}

} // namespace vkt::astro
