#include "services/TimeZones.h"

#include "services/Failure.h"
#include "services/FileBytes.h"

#include <QFile>
#include <algorithm>
#include <cmath>
#include <optional>
#include <sys/stat.h>

namespace vkt {
namespace {

// "+4730" or "+473000" (latitude), "+01904" or "+0190400" (longitude): sign, degrees, minutes and
// maybe seconds.
std::optional<double> iso6709(QByteArrayView text, int degreeDigits)
{
    const qsizetype digits = text.size() - 1;
    if (digits != degreeDigits + 2 && digits != degreeDigits + 4)
        return std::nullopt;
    if (text[0] != '+' && text[0] != '-')
        return std::nullopt;
    for (qsizetype i = 1; i < text.size(); ++i)
        if (text[i] < '0' || text[i] > '9')
            return std::nullopt;
    const auto number = [&](qsizetype from, qsizetype count) { return text.sliced(from, count).toByteArray().toInt(); };
    double value = number(1, degreeDigits) + number(1 + degreeDigits, 2) / 60.0;
    if (digits == degreeDigits + 4)
        value += number(3 + degreeDigits, 2) / 3600.0;
    return text[0] == '-' ? -value : value;
}

std::optional<ZoneLocation> readZoneLine(QByteArrayView line)
{
    if (line.isEmpty() || line[0] == '#')
        return std::nullopt;
    const QList<QByteArray> fields = line.toByteArray().split('\t');
    if (fields.size() < 3 || fields[2].isEmpty())
        return std::nullopt;
    const QByteArray& coordinates = fields[1];
    qsizetype split = 1;
    while (split < coordinates.size() && coordinates[split] != '+' && coordinates[split] != '-')
        ++split;
    const auto latitude = iso6709(QByteArrayView(coordinates).first(split), 2);
    const auto longitude = iso6709(QByteArrayView(coordinates).sliced(split), 3);
    if (!latitude || !longitude)
        return std::nullopt;
    return ZoneLocation{fields[2].trimmed(), *latitude, *longitude};
}

double radians(double degrees)
{
    return degrees * M_PI / 180;
}

// The central angle between two places: the haversine form, exact for near places as for antipodes.
double angleBetween(double lat1, double lon1, double lat2, double lon2)
{
    const double a = std::pow(std::sin(radians(lat2 - lat1) / 2), 2) +
                     std::cos(radians(lat1)) * std::cos(radians(lat2)) * std::pow(std::sin(radians(lon2 - lon1) / 2), 2);
    return 2 * std::asin(std::sqrt(std::min(1.0, a)));
}

} // namespace

std::vector<ZoneLocation> readZoneTable(QByteArrayView text)
{
    std::vector<ZoneLocation> zones;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf('\n', start);
        if (end < 0)
            end = text.size();
        QByteArrayView line = text.sliced(start, end - start);
        if (line.endsWith('\r'))
            line.chop(1);
        if (auto zone = readZoneLine(line))
            zones.push_back(std::move(*zone));
        start = end + 1;
    }
    return zones;
}

const std::vector<ZoneLocation>& systemZoneLocations()
{
    static const std::vector<ZoneLocation> zones = [] {
        const QString folder = qEnvironmentVariableIsEmpty("TZDIR") ? QStringLiteral("/usr/share/zoneinfo")
                                                                     : qEnvironmentVariable("TZDIR");
        std::vector<ZoneLocation> all;
        for (const char* table : {"zone1970.tab", "zone.tab"}) {
            const QString path = folder + u'/' + QLatin1String(table);
            struct stat info {};
            if (::stat(QFile::encodeName(path).constData(), &info) != 0 || !S_ISREG(info.st_mode))
                continue;
            try {
                const std::vector<ZoneLocation> read = readZoneTable(readFileBytes(path));
                all.insert(all.end(), read.begin(), read.end());
            } catch (const Failure&) {
                // No proposal from this table; a zone is still chosen by its name.
            }
        }
        return all;
    }();
    return zones;
}

QByteArray nearestZone(const std::vector<ZoneLocation>& locations, double latitude, double longitude)
{
    const ZoneLocation* nearest = nullptr;
    double least = 10;
    for (const ZoneLocation& z : locations)
        if (const double angle = angleBetween(latitude, longitude, z.latitude, z.longitude); angle < least) {
            least = angle;
            nearest = &z;
        }
    return nearest ? nearest->zone : QByteArray();
}

} // namespace vkt
