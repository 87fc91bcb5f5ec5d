#pragma once

#include "astro/CrescentVisibility.h"
#include "astro/Ephemeris.h"
#include "astro/VisibilityMap.h"
#include "services/DateTime.h"

#include <QFuture>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace vkt {

class MapComputation;

// The new moon the window shows: the one nearest the main window's "Utolsó Újhold" time when
// that field holds a valid time, else the one nearest now. Both are Hungarian clock times.
struct ChosenNewMoon {
    astro::JulianDay ut = 0;
    bool fromField = false;
};
ChosenNewMoon chooseNewMoon(const astro::Ephemeris& ephemeris, const QString& fieldText, DateTime now);

// "Holdsarló láthatósága": for a place, the mornings before and evenings after a new moon with
// every quantity of the crescent's visibility.
class VisibilityWindow : public QWidget {
    Q_OBJECT
public:
    // newMoonField: the text of the main window's "Utolsó Újhold" field when the window opens.
    explicit VisibilityWindow(const QString& newMoonField = {});
    ~VisibilityWindow() override;

    QComboBox* places = nullptr;
    QLineEdit* placeName = nullptr;
    QLineEdit* latitude = nullptr;
    QLineEdit* longitude = nullptr;
    QLineEdit* height = nullptr;
    QPushButton* apply = nullptr;
    QLabel* newMoonText = nullptr;
    QTableWidget* table = nullptr;
    QPushButton* copyTable = nullptr;
    QPushButton* saveChart = nullptr;
    QLabel* chart = nullptr;
    QLabel* map = nullptr;
    QPushButton* saveMap = nullptr;

    // Asks where to save a picture, offering the name given; empty: not saved. A file dialog
    // unless a test puts its own answer in place.
    std::function<QString(const QString& suggested)> askFileName;

    // The evening (morning) of the selected row, or nullptr when none is selected.
    const astro::CrescentEvening* selected() const;

    const astro::Place& place() const { return place_; }
    astro::JulianDay newMoon() const { return newMoon_.ut; }
    const std::vector<astro::CrescentEvening>& evenings() const { return evenings_; }
    // The table's rows as text, header first, cells separated by tabs.
    QString tableText() const;

    // The world map of the selected evening: computed in the background, a coarse one first.
    // The one shown (nullptr before the first arrives) and the computation behind it.
    const astro::VisibilityMap* shownMap() const;
    QFuture<astro::VisibilityMap> mapComputation() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createPlaceControls();
    void createTable();
    void showPlace();
    void applyTypedPlace();
    void choosePreset(int index);
    void recompute();
    void showSelected();
    void savePicture(const QImage& image, const QString& suggested);
    void createMap();
    void drawMap();
    void saveFinishedMap();

    std::unique_ptr<astro::Ephemeris> ephemeris_;
    astro::Place place_;
    ChosenNewMoon newMoon_;
    std::vector<astro::CrescentEvening> evenings_;
    MapComputation* maps_ = nullptr;
};

} // namespace vkt
