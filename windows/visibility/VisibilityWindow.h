#pragma once

#include "astro/CivilTime.h"
#include "astro/Ephemeris.h"
#include "services/DateTime.h"
#include "sightings/Sighting.h"
#include "windows/visibility/SavablePicture.h"

#include <QDate>
#include <QStandardPaths>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

class QCheckBox;
class QDateEdit;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QSplitter;
class QTabWidget;

namespace vkt {

class ClassLegendPanel;
class ObservingSheet;
class CrescentTablePanel;
class HorizonChartPanel;
class MapPanel;
class MinutePlotPanel;
class PlacePanel;
class VisibilityHelpWindow;
class YearAheadPanel;

// Why the window shows the new moon it shows.
enum class NewMoonReason {
    FromField,   // the nearest to the main window's "Utolsó Újhold" field
    NearestNow,  // the field is empty or not a valid time
    Stepped,     // the user stepped to the one before or after
    ChosenDate,  // the nearest to a date the user chose
    FromYear,    // double-clicked in the table of the year ahead
};

// The new moon nearest an instant (searched 20 days either side).
astro::JulianDay nearestNewMoon(astro::Ephemeris& ephemeris, astro::JulianDay around);
// The new moon nearest the time in the main window's "Utolsó Újhold" field (Hungarian clock time),
// or nothing when the field holds no valid date and time.
std::optional<astro::JulianDay> fieldNewMoon(astro::Ephemeris& ephemeris, const QString& fieldText);

// "Holdsarló láthatósága": for a place, the mornings before and evenings after any new moon with
// every quantity of the crescent's visibility, the horizon chart and the world map of the
// selected one, every time in the place's own zone. It follows the main window's new-moon field
// until the user steps to another new moon. The panels do the work; the window chooses the new
// moon, computes the rows and passes the selection on.
class VisibilityWindow : public QWidget {
    Q_OBJECT
public:
    // newMoonField: the text of the main window's "Utolsó Újhold" field when the window opens.
    explicit VisibilityWindow(const QString& newMoonField = {});
    ~VisibilityWindow() override;

    astro::JulianDay newMoon() const { return newMoon_; }
    NewMoonReason newMoonReason() const { return reason_; }
    const astro::CivilZone& zone() const { return *zone_; }

    // The main window's field has taken this text (editing finished, or set by the program). A
    // valid time is followed unless the user has stepped away; the back button remembers it.
    void followNewMoonField(const QString& text);
    // Steps to the new moon before (-1) or after (+1) the one shown.
    void stepNewMoon(int step);

    PlacePanel* placePanel = nullptr;
    QPushButton* previousNewMoonButton = nullptr;
    QDateEdit* newMoonDateField = nullptr;
    QPushButton* nextNewMoonButton = nullptr;
    QPushButton* backToFieldButton = nullptr;  // enabled once the user has stepped away
    QPushButton* helpButton = nullptr;         // "Súgó", as F1
    QHBoxLayout* buttonRow = nullptr;          // the window's own buttons, right of the stepping ones
    QLabel* newMoonLabel = nullptr;            // which new moon and why
    QLabel* placeLabel = nullptr;              // where, and in which zone the times are
    QTabWidget* tabs = nullptr;
    CrescentTablePanel* crescentTable = nullptr;
    HorizonChartPanel* chartPicture = nullptr;
    MinutePlotPanel* minutePlot = nullptr;
    QPushButton* copyTableButton = nullptr;
    QPushButton* saveChartButton = nullptr;
    QPushButton* printButton = nullptr;    // "Nyomtatás…", as Ctrl+P
    QPushButton* saveSheetButton = nullptr;  // "Mentés PDF-be…"
    QPushButton* recordSightingButton = nullptr;  // "Észlelés rögzítése": the selected evening in a new record
    QLabel* tableNote = nullptr;
    ClassLegendPanel* classLegend = nullptr;  // the Y and O columns' scales
    MapPanel* mapPicture = nullptr;
    QPushButton* saveMapButton = nullptr;
    YearAheadPanel* yearTable = nullptr;
    QPushButton* calendarButton = nullptr;  // "Naptárba (iCal)…"
    QCheckBox* alarmCheck = nullptr;        // the calendar's events remind an hour before

    // The help page, open while it is shown; F1 and "Súgó" open it or bring it forward.
    VisibilityHelpWindow* showHelp();
    // The observing sheet of what the window shows: the selected evening's fine map waited for.
    ObservingSheet sheet();
    // "Holdsarló – Budapest (47,50° É, …), Europe/Budapest idő; újhold: 2026.03.19 02:23": what
    // the table is of, the first line of its copy.
    QString tableHeading() const;

    // Asks where to save a picture, the sheet or the calendar, offering the path given (its
    // suffix says which); empty: not saved. A file dialog unless a test puts its own answer in
    // place.
    std::function<QString(const QString& suggested)> askFileName;

    // The selected evening or morning (its date, session and best time) at the place, as a new
    // sighting to be completed; nothing when no row is selected.
    std::optional<sightings::Sighting> selectedAsSighting() const;

signals:
    // "Észlelés rögzítése": the sightings window is to begin this record.
    void sightingRequested(const vkt::sightings::Sighting& prefill);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void createNavigation(QWidget* parent);
    void createShortcuts();
    QWidget* createEveningsTab();
    QWidget* createMapTab();
    QWidget* createYearTab();
    void showNewMoon(astro::JulianDay ut, NewMoonReason reason);
    void chooseDate();
    void backToField();
    void recompute();
    void describeNewMoon();
    void showSelected();
    void stepSelection(int step);
    void savePicture(const std::optional<SavablePicture>& picture);
    void saveSheet();
    void printSheet();
    void copyTable();
    // The file the user chooses, offered under that name in the folder saved in last (at first
    // the given standard one); the folder is remembered. Empty: not chosen.
    QString chooseFile(const QString& name, QStandardPaths::StandardLocation firstFolder);
    void saveCalendar();
    void placeChanged();
    void startYearAhead();

    QPointer<VisibilityHelpWindow> help_;
    QSplitter* eveningsSplitter_ = nullptr;  // the table over the chart and the minute plot
    bool splitterPlaced_ = false;
    std::unique_ptr<astro::Ephemeris> ephemeris_;
    std::optional<astro::CivilZone> zone_;
    astro::JulianDay newMoon_ = 0;
    NewMoonReason reason_ = NewMoonReason::NearestNow;
    QDate chosenDate_;
    bool following_ = true;                          // the field's new moon is shown as it changes
    std::optional<astro::JulianDay> fieldNewMoon_;  // the field's, while it holds a valid time
};

} // namespace vkt
