#pragma once

#include "astro/Ephemeris.h"

#include <QWidget>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace vkt {

// The observing place: a drop-down of Hungarian places, and fields for any other. A place chosen,
// or typed and applied, is remembered for the next run and announced; a typed place that is not
// valid gets a message and changes nothing.
class PlacePanel : public QWidget {
    Q_OBJECT
public:
    explicit PlacePanel(QWidget* parent);

    const astro::Place& place() const { return place_; }

    QComboBox* placeCombo = nullptr;
    QLineEdit* placeNameField = nullptr;
    QLineEdit* latitudeField = nullptr;
    QLineEdit* longitudeField = nullptr;
    QLineEdit* heightField = nullptr;
    QPushButton* applyPlaceButton = nullptr;

signals:
    void placeChanged();

private:
    void createCombo();
    void createFields();
    void showPlace();
    void applyTypedPlace();
    void choosePreset(int index);
    void take(const astro::Place& place);

    astro::Place place_;
};

} // namespace vkt
