#include "windows/visibility/ObservingPlaces.h"

#include "services/Numbers.h"

#include <QSettings>
#include <memory>

namespace vkt {
namespace {

astro::Place place(const char* name, double latitude, double longitude, double height)
{
    astro::Place p = astro::budapest();
    p.name = QString::fromUtf8(name);
    p.latitude = latitude;
    p.longitude = longitude;
    p.height = height;
    return p;
}

// Plain text with a point, so the stored file reads the same under any locale.
QString plain(double value)
{
    return QString::number(value, 'g', 10);
}

std::unique_ptr<QSettings> settings()
{
    auto s = std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("VKT"),
                                         QStringLiteral("vkt"));
    s->beginGroup(QStringLiteral("holdsarlo-lathatosag"));
    return s;
}

} // namespace

const std::vector<astro::Place>& observingPlaces()
{
    static const std::vector<astro::Place> places = {
        astro::budapest(),
        place("Debrecen", 47.53, 21.63, 121),
        place("Szeged", 46.25, 20.15, 79),
        place("Pécs", 46.07, 18.23, 153),
        place("Győr", 47.69, 17.63, 108),
        place("Miskolc", 48.10, 20.78, 130),
        place("Sopron", 47.68, 16.58, 213),
        place("Baja", 46.18, 18.95, 107),
        place("Szombathely", 47.23, 16.62, 209),
        place("Eger", 47.90, 20.37, 160),
    };
    return places;
}

PlaceInput placeInput(const astro::Place& place)
{
    const auto number = [](double value) { return plain(value).replace(u'.', u','); };
    return {place.name, number(place.latitude), number(place.longitude), number(place.height)};
}

std::variant<astro::Place, QString> readPlace(const PlaceInput& input)
{
    astro::Place place = astro::budapest();
    place.name = input.name.trimmed();
    if (place.name.isEmpty())
        return QStringLiteral("Kérem, adja meg a hely nevét! A hely nem változott.");
    struct Field {
        const QString& text;
        double& value;
        double low, high;
        const char* message;
    };
    const Field fields[] = {
        {input.latitude, place.latitude, -90, 90,
         "A földrajzi szélesség -90 és 90 fok közötti szám legyen (északon pozitív), például 47,5."},
        {input.longitude, place.longitude, -180, 180,
         "A földrajzi hosszúság -180 és 180 fok közötti szám legyen (keletre pozitív), például 19,04."},
        {input.height, place.height, -500, 9000, "A tengerszint feletti magasság -500 és 9000 méter közötti szám legyen."},
    };
    for (const Field& f : fields) {
        const std::optional<double> value = toNumber(f.text);
        if (!value || *value < f.low || *value > f.high)
            return QString::fromUtf8(f.message) + QStringLiteral(" A hely nem változott.");
        f.value = *value;
    }
    return place;
}

astro::Place rememberedPlace()
{
    const auto s = settings();
    if (!s->contains(QStringLiteral("nev")))
        return astro::budapest();
    const PlaceInput stored = {s->value(QStringLiteral("nev")).toString(), s->value(QStringLiteral("szelesseg")).toString(),
                               s->value(QStringLiteral("hosszusag")).toString(),
                               s->value(QStringLiteral("magassag")).toString()};
    const auto read = readPlace(stored);
    return std::holds_alternative<astro::Place>(read) ? std::get<astro::Place>(read) : astro::budapest();
}

void rememberPlace(const astro::Place& place)
{
    const auto s = settings();
    s->setValue(QStringLiteral("nev"), place.name);
    s->setValue(QStringLiteral("szelesseg"), plain(place.latitude));
    s->setValue(QStringLiteral("hosszusag"), plain(place.longitude));
    s->setValue(QStringLiteral("magassag"), plain(place.height));
}

} // namespace vkt
