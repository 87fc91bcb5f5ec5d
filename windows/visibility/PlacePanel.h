#pragma once

#include "astro/Ephemeris.h"
#include "windows/visibility/ObservingPlaces.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vkt {

// The observing place: a drop-down of the Hungarian places and the user's own, and fields for any
// other with its time zone. A place chosen, or typed and applied, is remembered for the next run
// and announced; a typed place that is not valid gets a message and changes nothing. The user's
// own places can be saved and deleted; the shipped ones stay.
class PlacePanel : public QWidget {
    Q_OBJECT
public:
    explicit PlacePanel(QWidget* parent);

    const astro::Place& place() const { return store_.current(); }
    PlaceStore& store() { return store_; }

    QComboBox* placeCombo = nullptr;
    QLineEdit* placeNameField = nullptr;
    QLineEdit* latitudeField = nullptr;
    QLineEdit* longitudeField = nullptr;
    QLineEdit* heightField = nullptr;
    QComboBox* zoneCombo = nullptr;  // editable: the system's zones, completed while typing
    QPushButton* applyPlaceButton = nullptr;
    QPushButton* savePlaceButton = nullptr;
    QPushButton* deletePlaceButton = nullptr;  // enabled for the user's own places only
    QLabel* zoneHint = nullptr;                // the zone proposed for typed coordinates

signals:
    void placeChanged();

private:
    void createFirstRow();
    void createSecondRow();
    void fillPlaceCombo();
    void showPlace();
    std::optional<astro::Place> typedPlace();
    void applyTypedPlace();
    void saveTypedPlace();
    void deleteChosenPlace();
    void choosePlace(int index);
    void proposeZone();
    void take(const astro::Place& place);

    PlaceStore store_;
    bool zoneTyped_ = false;  // the user chose or typed a zone since the place was shown
};

} // namespace vkt
