#pragma once

#include "astro/Ephemeris.h"
#include "services/DateTime.h"
#include "windows/visibility/SavablePicture.h"

#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

class QLabel;
class QPushButton;

namespace vkt {

class CrescentTablePanel;
class HorizonChartPanel;
class MapPanel;
class PlacePanel;

// The new moon the window shows: the one nearest the main window's "Utolsó Újhold" time when
// that field holds a valid time, else the one nearest now. Both are Hungarian clock times.
struct ChosenNewMoon {
    astro::JulianDay ut = 0;
    bool fromField = false;
};
ChosenNewMoon chooseNewMoon(astro::Ephemeris& ephemeris, const QString& fieldText, DateTime now);

// "Holdsarló láthatósága": for a place, the mornings before and evenings after a new moon with
// every quantity of the crescent's visibility, the horizon chart and the world map of the
// selected one. The panels do the work; the window computes the rows and passes the selection on.
class VisibilityWindow : public QWidget {
    Q_OBJECT
public:
    // newMoonField: the text of the main window's "Utolsó Újhold" field when the window opens.
    explicit VisibilityWindow(const QString& newMoonField = {});
    ~VisibilityWindow() override;

    astro::JulianDay newMoon() const { return newMoon_.ut; }

    PlacePanel* placePanel = nullptr;
    QLabel* newMoonLabel = nullptr;
    CrescentTablePanel* crescentTable = nullptr;
    QPushButton* copyTableButton = nullptr;
    QPushButton* saveChartButton = nullptr;
    QPushButton* saveMapButton = nullptr;
    HorizonChartPanel* chartPicture = nullptr;
    MapPanel* mapPicture = nullptr;

    // Asks where to save a picture, offering the name given; empty: not saved. A file dialog
    // unless a test puts its own answer in place.
    std::function<QString(const QString& suggested)> askFileName;

private:
    void createPanels();
    void createButtons();
    void recompute();
    void showSelected();
    void savePicture(const std::optional<SavablePicture>& picture);

    std::unique_ptr<astro::Ephemeris> ephemeris_;
    ChosenNewMoon newMoon_;
};

} // namespace vkt
