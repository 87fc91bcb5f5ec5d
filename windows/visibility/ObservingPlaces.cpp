#include "windows/visibility/ObservingPlaces.h"

#include "astro/CivilTime.h"
#include "services/Messages.h"
#include "services/Numbers.h"
#include "services/Settings.h"
#include "services/TimeZones.h"

#include <QSettings>

namespace vkt {
namespace {

const QString kGroup = QStringLiteral("holdsarlo-lathatosag");
const QString kName = QStringLiteral("nev");
const QString kLatitude = QStringLiteral("szelesseg");
const QString kLongitude = QStringLiteral("hosszusag");
const QString kHeight = QStringLiteral("magassag");
const QString kZone = QStringLiteral("idozona");
const QString kOwnPlaces = QStringLiteral("sajat-helyek");
const QString kAlarm = QStringLiteral("emlekezteto");
const QString kSaveFolder = QStringLiteral("mentesMappa");

// Plain text with a point, so the stored file reads the same under any locale.
QString plain(double value)
{
    return QString::number(value, 'g', 10);
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

// A place as stored under the settings' current group; empty when it is not a valid one.
std::optional<astro::Place> storedPlace(const QSettings& s)
{
    if (!s.contains(kName))
        return std::nullopt;
    const PlaceInput input = {s.value(kName).toString(), s.value(kLatitude).toString(),
                              s.value(kLongitude).toString(), s.value(kHeight).toString()};
    const auto read = astro::readPlace(input, {});
    if (!std::holds_alternative<astro::Place>(read))
        return std::nullopt;
    astro::Place place = std::get<astro::Place>(read);
    const QByteArray zone = s.value(kZone).toString().toLatin1();
    place.timeZone = astro::CivilZone::known(zone) ? zone : proposedZone(place.latitude, place.longitude);
    return place;
}

void storePlace(QSettings& s, const astro::Place& place)
{
    s.setValue(kName, place.name);
    s.setValue(kLatitude, plain(place.latitude));
    s.setValue(kLongitude, plain(place.longitude));
    s.setValue(kHeight, plain(place.height));
    s.setValue(kZone, QString::fromLatin1(place.timeZone));
}

} // namespace

PlaceInput placeInput(const astro::Place& place)
{
    return {place.name, typedNumberText(place.latitude), typedNumberText(place.longitude), typedNumberText(place.height)};
}

std::variant<astro::Place, QString> readPlace(const PlaceInput& input, const QString& zone)
{
    const QByteArray zoneId = zone.trimmed().toLatin1();
    const auto read = astro::readPlace(input, zoneId);
    if (const astro::PlaceField* field = std::get_if<astro::PlaceField>(&read))
        return wrongField(*field);
    if (QString::fromLatin1(zoneId) != zone.trimmed() || !astro::CivilZone::known(zoneId))
        return QStringLiteral("Ismeretlen időzóna: „%1”. Kérem, válasszon a listából (például Europe/Budapest)!")
            .arg(zone.trimmed());
    return std::get<astro::Place>(read);
}

QByteArray proposedZone(double latitude, double longitude)
{
    static const std::vector<ZoneLocation> locations = [] {
        std::vector<ZoneLocation> all = systemZoneLocations();
        for (const astro::Place& p : observingPlaces())
            all.push_back({p.timeZone, p.latitude, p.longitude});
        return all;
    }();
    return nearestZone(locations, latitude, longitude);
}

PlaceStore::PlaceStore() : current_(presentation::budapest())
{
    const OpenedSettings opened = openSettings(kGroup);
    if (!opened.settings) {
        showMessage(opened.problem + QStringLiteral(" A hely és a saját helyek csak a most nyitott ablakban maradnak meg."),
                    MessageIcon::Warning);
        return;
    }
    usable_ = true;
    QSettings& s = *opened.settings;
    current_ = storedPlace(s).value_or(current_);
    const int count = s.beginReadArray(kOwnPlaces);
    for (int i = 0; i < count; ++i) {
        s.setArrayIndex(i);
        if (const auto place = storedPlace(s))
            own_.push_back(*place);
    }
    s.endArray();
    alarm_ = s.value(kAlarm, true).toBool();
    saveFolder_ = s.value(kSaveFolder).toString();
}

bool PlaceStore::setCurrent(const astro::Place& place)
{
    current_ = place;
    return write([&](QSettings& s) { storePlace(s, place); }, QStringLiteral("a hely"));
}

bool PlaceStore::setOwnPlaces(const std::vector<astro::Place>& places)
{
    own_ = places;
    return write(
        [&](QSettings& s) {
            s.remove(kOwnPlaces);
            s.beginWriteArray(kOwnPlaces, int(places.size()));
            for (int i = 0; i < int(places.size()); ++i) {
                s.setArrayIndex(i);
                storePlace(s, places[std::size_t(i)]);
            }
            s.endArray();
        },
        QStringLiteral("a saját helyek listája"));
}

bool PlaceStore::setAlarm(bool on)
{
    alarm_ = on;
    return write([&](QSettings& s) { s.setValue(kAlarm, on); }, QStringLiteral("az emlékeztető beállítása"));
}

bool PlaceStore::setSaveFolder(const QString& folder)
{
    if (folder == saveFolder_)
        return true;
    saveFolder_ = folder;
    return write([&](QSettings& s) { s.setValue(kSaveFolder, folder); }, QStringLiteral("a mentések mappája"));
}

// Opened afresh for every change: another instance's changes are kept, the file is checked again,
// and a failure of one write does not stick to the next (QSettings keeps its first error).
bool PlaceStore::write(const std::function<void(QSettings&)>& change, const QString& lost)
{
    if (!usable_)
        return false;  // said when the window opened
    const OpenedSettings opened = openSettings(kGroup);
    QString problem = opened.problem;
    if (opened.settings) {
        change(*opened.settings);
        problem = saveSettings(*opened.settings);
    }
    if (problem.isEmpty())
        return true;
    showMessage(problem + QStringLiteral(" Ezért %1 nem marad meg a következő indításig.").arg(lost), MessageIcon::Warning);
    return false;
}

} // namespace vkt
