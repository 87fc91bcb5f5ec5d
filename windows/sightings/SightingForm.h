#pragma once

#include "sightings/Sighting.h"

#include <QWidget>
#include <array>
#include <optional>
#include <variant>

class QComboBox;
class QDateEdit;
class QLineEdit;
class QPlainTextEdit;

class QGridLayout;

namespace vkt {

class PlaceStore;

// One record's fields: when (the place's date and clock time; no time is the best time), evening
// or morning, where (a remembered or shipped place, or one typed with its zone), who, what each
// means gave, the sky and a note. It knows whether the user has changed what it was given.
class SightingForm : public QWidget {
    Q_OBJECT
public:
    SightingForm(PlaceStore& places, QWidget* parent);

    // Shows the record: a new one (row empty) or the record of that row, unchanged so far.
    void show(const sightings::Sighting& s, std::optional<std::size_t> row);
    std::optional<std::size_t> row() const { return row_; }
    // The record the fields describe, or a Hungarian message naming the first field that is wrong.
    std::variant<sightings::Sighting, QString> read() const;
    // The user changed a field since the record was shown.
    bool edited() const { return edited_; }
    // What is shown is now what is stored, in that row.
    void markSaved(std::size_t row);
    // The table lost a row: the one shown, or one above it.
    void rowRemoved(std::size_t row);
    // What is shown becomes a new record, edited or not: the rows were read anew.
    void forgetRow() { row_.reset(); }

    QDateEdit* dateField = nullptr;
    QLineEdit* timeField = nullptr;
    QComboBox* sessionCombo = nullptr;
    QComboBox* placeCombo = nullptr;
    QLineEdit* placeNameField = nullptr;
    QLineEdit* latitudeField = nullptr;
    QLineEdit* longitudeField = nullptr;
    QLineEdit* heightField = nullptr;
    QComboBox* zoneCombo = nullptr;
    QLineEdit* observersField = nullptr;
    std::array<QComboBox*, sightings::kMeansCount> outcomeCombos{};
    QComboBox* transparencyCombo = nullptr;
    QComboBox* cloudsCombo = nullptr;
    QLineEdit* noteField = nullptr;

signals:
    void edits();

private:
    void createFields();
    void createWhenFields(QGridLayout* grid);
    void createPlaceFields(QGridLayout* grid);
    void createMeansFields(QGridLayout* grid);
    void createSkyFields(QGridLayout* grid);
    void fillPlaceCombo();
    void choosePlace(int index);
    void showPlace(const astro::Place& place);
    // Typed coordinates get the zone of the nearest place that has one, unless the user chose a zone.
    void proposeZone();
    void changed();

    PlaceStore& places_;
    std::optional<std::size_t> row_;
    bool edited_ = false;
    bool filling_ = false;  // the program, not the user, is setting the fields
    bool zoneChosen_ = false;  // the user chose or typed a zone since the place was shown
};

} // namespace vkt
