#include "presentation/Places.h"

#include "services/Numbers.h"

#include <cmath>

namespace vkt::presentation {
namespace {

astro::Place hungarian(const char* name, double latitude, double longitude, double height)
{
    return {QString::fromUtf8(name), latitude, longitude, height, QByteArray(kHungarianZone)};
}

} // namespace

const astro::CivilZone& hungarianTime()
{
    static const astro::CivilZone hungary{QByteArray(kHungarianZone)};
    return hungary;
}

astro::Place budapest()
{
    return hungarian("Budapest", 47.50, 19.04, 100);
}

const std::vector<astro::Place>& observingPlaces()
{
    static const std::vector<astro::Place> places = {
        budapest(),
        hungarian("Debrecen", 47.53, 21.63, 121),
        hungarian("Szeged", 46.25, 20.15, 79),
        hungarian("Pécs", 46.07, 18.23, 153),
        hungarian("Győr", 47.69, 17.63, 108),
        hungarian("Miskolc", 48.10, 20.78, 130),
        hungarian("Sopron", 47.68, 16.58, 213),
        hungarian("Baja", 46.18, 18.95, 107),
        hungarian("Szombathely", 47.23, 16.62, 209),
        hungarian("Eger", 47.90, 20.37, 160),
    };
    return places;
}

QString degreesText(double degrees)
{
    return decimalText(degrees, 1) + u'°';
}

QString coordinatesText(double latitude, double longitude, int decimals)
{
    return QStringLiteral("%1° %2, %3° %4")
        .arg(decimalText(std::abs(latitude), decimals), latitude < 0 ? QStringLiteral("D") : QStringLiteral("É"),
             decimalText(std::abs(longitude), decimals), longitude < 0 ? QStringLiteral("Ny") : QStringLiteral("K"));
}

QString placeText(const astro::Place& place)
{
    return QStringLiteral("%1 (%2, %3 m), %4 idő")
        .arg(place.name, coordinatesText(place.latitude, place.longitude, 2), QString::number(std::lround(place.height)),
             QString::fromLatin1(place.timeZone));
}

QString shortPlaceText(const astro::Place& place)
{
    return QStringLiteral("%1, %2 idő").arg(place.name, QString::fromLatin1(place.timeZone));
}

} // namespace vkt::presentation
