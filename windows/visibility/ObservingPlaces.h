#pragma once

#include "astro/Place.h"
#include "presentation/Places.h"

#include <QString>
#include <functional>
#include <variant>
#include <vector>

class QSettings;

namespace vkt {

// The drop-down's shipped places: the Hungarian observing places, Budapest first, as the almanac's
// default. They stay whatever the user saves or deletes.
using presentation::observingPlaces;

// The place's fields as the user would type them.
using astro::PlaceInput;
PlaceInput placeInput(const astro::Place& place);

// The place the texts describe in the zone named, or a Hungarian message saying what is wrong with
// them: the first field that is not valid, else a zone the system does not know.
std::variant<astro::Place, QString> readPlace(const PlaceInput& input, const QString& zone);

// The zone offered for a place given by its coordinates: that of the nearest place with a known
// zone, tzdata's principal cities and the Hungarian observing places (so a place near the
// western border is not given Vienna's); Europe/Budapest when the system has no table.
QByteArray proposedZone(double latitude, double longitude);

// What the window remembers between runs in the user's settings file: the place in use, the
// user's own places, whether calendar events get an alarm and the folder files were saved in last. When the file cannot be used (not a
// regular file, unreadable) that is said once and the store keeps everything for this run only;
// a write that does not reach the file is said each time, naming what will not be remembered.
class PlaceStore {
public:
    PlaceStore();

    // Budapest the first time or when what is stored is not a valid place. A place stored without
    // a zone (by an earlier version) takes the zone proposed for its coordinates.
    const astro::Place& current() const { return current_; }
    const std::vector<astro::Place>& ownPlaces() const { return own_; }
    bool alarm() const { return alarm_; }
    // Empty until a file has been saved.
    const QString& saveFolder() const { return saveFolder_; }

    // Each returns false when the change was kept for this run only (and said so).
    bool setCurrent(const astro::Place& place);
    bool setOwnPlaces(const std::vector<astro::Place>& places);
    bool setAlarm(bool on);
    bool setSaveFolder(const QString& folder);

private:
    bool write(const std::function<void(QSettings&)>& change, const QString& lost);

    bool usable_ = false;
    astro::Place current_;
    std::vector<astro::Place> own_;
    bool alarm_ = true;
    QString saveFolder_;
};

} // namespace vkt
