#include "astro/Place.h"

#include "services/Numbers.h"

namespace vkt::astro {

std::optional<double> readPlaceNumber(PlaceField field, const QString& text)
{
    const std::optional<double> value = toNumber(text);
    if (!value)
        return std::nullopt;
    const auto within = [&](double low, double high) { return *value >= low && *value <= high; };
    switch (field) {
    case PlaceField::Latitude:
        return within(-kMostLatitude, kMostLatitude) ? value : std::nullopt;
    case PlaceField::Longitude:
        return within(-kMostLongitude, kMostLongitude) ? value : std::nullopt;
    case PlaceField::Height:
        return within(kLowestHeight, kHighestHeight) ? value : std::nullopt;
    case PlaceField::Name:
        break;
    }
    return std::nullopt;
}

std::variant<Place, PlaceField> readPlace(const PlaceInput& input, const QByteArray& timeZone)
{
    Place place;
    place.name = input.name.trimmed();
    place.timeZone = timeZone;
    if (place.name.isEmpty())
        return PlaceField::Name;
    const struct {
        PlaceField field;
        const QString& text;
        double& value;
    } numbers[] = {{PlaceField::Latitude, input.latitude, place.latitude},
                   {PlaceField::Longitude, input.longitude, place.longitude},
                   {PlaceField::Height, input.height, place.height}};
    for (const auto& n : numbers) {
        const std::optional<double> value = readPlaceNumber(n.field, n.text);
        if (!value)
            return n.field;
        n.value = *value;
    }
    return place;
}

} // namespace vkt::astro
