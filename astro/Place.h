#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <variant>

namespace vkt::astro {

// An observer: where, how high, and the civil time zone (an IANA name) the lists use there.
struct Place {
    QString name;
    double latitude = 0;   // degrees, north positive
    double longitude = 0;  // degrees, east positive
    double height = 0;     // metres above sea level
    QByteArray timeZone;
};

// The places the program takes: any latitude and longitude, heights from the Dead Sea shore to
// above the highest peak. Every limit is inclusive.
inline constexpr double kMostLatitude = 90;
inline constexpr double kMostLongitude = 180;
inline constexpr double kLowestHeight = -500;
inline constexpr double kHighestHeight = 9000;

// A place as typed: name, latitude, longitude and height as text, numbers with a decimal comma
// or point.
struct PlaceInput {
    QString name, latitude, longitude, height;
};

enum class PlaceField { Name, Latitude, Longitude, Height };

// One number of a place read from its text, or nothing when it is no number or out of its field's
// limits. Not for PlaceField::Name.
std::optional<double> readPlaceNumber(PlaceField field, const QString& text);

// The place the texts describe (its name trimmed, in the zone given), or the first field, in the
// order of PlaceField, that is empty or not valid.
std::variant<Place, PlaceField> readPlace(const PlaceInput& input, const QByteArray& timeZone);

} // namespace vkt::astro
