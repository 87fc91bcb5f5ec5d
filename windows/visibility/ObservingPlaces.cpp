#include "windows/visibility/ObservingPlaces.h"

#include "presentation/Places.h"
#include "services/Numbers.h"

#include <QSettings>
#include <memory>

namespace vkt {
namespace {

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

QString wrongField(astro::PlaceField field)
{
    switch (field) {
    case astro::PlaceField::Name:
        return QStringLiteral("Kérem, adja meg a hely nevét!");
    case astro::PlaceField::Latitude:
        return QStringLiteral("A földrajzi szélesség -90 és 90 fok közötti szám legyen (északon pozitív), például 47,5.");
    case astro::PlaceField::Longitude:
        return QStringLiteral("A földrajzi hosszúság -180 és 180 fok közötti szám legyen (keletre pozitív), például 19,04.");
    case astro::PlaceField::Height:
        return QStringLiteral("A tengerszint feletti magasság -500 és 9000 méter közötti szám legyen.");
    }
    return {};
}

} // namespace

PlaceInput placeInput(const astro::Place& place)
{
    return {place.name, typedNumberText(place.latitude), typedNumberText(place.longitude), typedNumberText(place.height)};
}

std::variant<astro::Place, QString> readPlace(const PlaceInput& input)
{
    const auto read = astro::readPlace(input, QByteArray(presentation::kHungarianZone));
    if (const astro::Place* place = std::get_if<astro::Place>(&read))
        return *place;
    return wrongField(std::get<astro::PlaceField>(read)) + QStringLiteral(" A hely nem változott.");
}

astro::Place rememberedPlace()
{
    const auto s = settings();
    if (!s->contains(QStringLiteral("nev")))
        return presentation::budapest();
    const PlaceInput stored = {s->value(QStringLiteral("nev")).toString(), s->value(QStringLiteral("szelesseg")).toString(),
                               s->value(QStringLiteral("hosszusag")).toString(),
                               s->value(QStringLiteral("magassag")).toString()};
    const auto read = readPlace(stored);
    return std::holds_alternative<astro::Place>(read) ? std::get<astro::Place>(read) : presentation::budapest();
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
