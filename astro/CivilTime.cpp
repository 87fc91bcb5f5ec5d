#include "CivilTime.h"

#include "Failure.h"

#include <QTimeZone>
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

const QTimeZone& hungary()
{
    static const QTimeZone zone = [] {
        QTimeZone built(QByteArrayLiteral("Europe/Budapest"));
        clearUpperVectorState();
        return built;
    }();
    if (!zone.isValid())
        throw Failure(QStringLiteral("Az Europe/Budapest időzóna nem ismert ezen a gépen; telepítse a tzdata csomagot."));
    return zone;
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

QDateTime civilTime(JulianDay ut)
{
    return QDateTime::fromMSecsSinceEpoch(minuteMs(ut), hungary());
}

JulianDay roundedToMinute(JulianDay ut)
{
    return kUnixEpoch + static_cast<double>(minuteMs(ut)) / kMsPerDay;
}

QString civilText(JulianDay ut)
{
    return civilTime(ut).toString(QStringLiteral("yyyy.MM.dd HH:mm"));
}

QString civilDateText(JulianDay ut)
{
    return civilTime(ut).toString(QStringLiteral("yyyy.MM.dd"));
}

JulianDay fromCivil(const QDateTime& civil)
{
    return kUnixEpoch + static_cast<double>(civil.toMSecsSinceEpoch()) / kMsPerDay;
}

JulianDay startOfCivilYear(int year)
{
    return fromCivil(QDateTime(QDate(year, 1, 1), QTime(0, 0), hungary()));
}

} // namespace vkt::astro
