#include "windows/visibility/VisibilityWindow.h"

#include "astro/MoonPhases.h"
#include "presentation/TimeTexts.h"
#include "services/Clock.h"
#include "windows/visibility/CrescentTablePanel.h"
#include "windows/visibility/HorizonChartPanel.h"
#include "windows/visibility/MapPanel.h"
#include "windows/visibility/MinutePlotPanel.h"
#include "windows/visibility/ObservingSheet.h"
#include "windows/visibility/PlacePanel.h"
#include "windows/visibility/VisibilityMapPicture.h"
#include "windows/visibility/YearAheadPanel.h"

#include <QDateEdit>
#include <QFileDialog>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QTabWidget>
#include <QVBoxLayout>
#include <cmath>

namespace vkt {
namespace {

// Hungarian clock time of the main window's fields, as an instant.
astro::JulianDay fromClockTime(DateTime value)
{
    const CivilTime t = toCivil(value);
    const QDateTime civil(QDate(t.year, t.month, t.day), QTime(t.hour, t.minute, t.second),
                          presentation::hungarianTime().timeZone());
    return astro::fromCivil(civil);
}

QString coordinates(const astro::Place& p)
{
    return QStringLiteral("%1, %2 m")
        .arg(presentation::coordinatesText(p.latitude, p.longitude, 2))
        .arg(std::lround(p.height));
}

} // namespace

astro::JulianDay nearestNewMoon(astro::Ephemeris& ephemeris, astro::JulianDay around)
{
    astro::JulianDay chosen = 0;
    double nearest = 1e9;
    for (const astro::JulianDay t : astro::newMoons(ephemeris, around - 20, around + 20))
        if (std::abs(t - around) < nearest) {
            nearest = std::abs(t - around);
            chosen = t;
        }
    return chosen;
}

std::optional<astro::JulianDay> fieldNewMoon(astro::Ephemeris& ephemeris, const QString& fieldText)
{
    const std::optional<DateTime> typed = toDateTime(fieldText);
    // A time alone (no date) lies on the first day of the count: not a new moon anyone means.
    if (!typed || (*typed >= 0 && *typed < 1))
        return std::nullopt;
    return nearestNewMoon(ephemeris, fromClockTime(*typed));
}

VisibilityWindow::VisibilityWindow(const QString& newMoonField) : ephemeris_(std::make_unique<astro::Ephemeris>())
{
    setObjectName(QStringLiteral("visibilityWindow"));
    setWindowTitle(QStringLiteral("Holdsarló láthatósága"));
    setColours(this, panelLook::Background, panelLook::Text);
    setFont(panelLook::font());
    setFrame(this, Frame::Sizable, Minimise::On);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(8, 8, 8, 8);
    column->setSpacing(4);
    placePanel = new PlacePanel(this);
    column->addWidget(placePanel);
    createNavigation(this);
    tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("tabs"));
    tabs->addTab(createEveningsTab(), QStringLiteral("&Esték és reggelek"));
    tabs->addTab(createMapTab(), QStringLiteral("&Térkép"));
    tabs->addTab(createYearTab(), QStringLiteral("A következő &12 újhold"));
    // The tabs on the program's face with black captions: light green on it would not read.
    QPalette tabFace = tabs->tabBar()->palette();
    tabFace.setColor(QPalette::Window, colours::Face);
    tabFace.setColor(QPalette::WindowText, colours::Black);
    tabFace.setColor(QPalette::ButtonText, colours::Black);
    tabs->tabBar()->setPalette(tabFace);
    column->addWidget(tabs, 1);

    askFileName = [this](const QString& suggested) {
        if (suggested.endsWith(QLatin1String(".ics")))
            return QFileDialog::getSaveFileName(this, QStringLiteral("Naptár mentése"), suggested,
                                                QStringLiteral("iCalendar naptár (*.ics)"));
        if (suggested.endsWith(QLatin1String(".pdf")))
            return QFileDialog::getSaveFileName(this, QStringLiteral("Megfigyelőlap mentése"), suggested,
                                                QStringLiteral("PDF dokumentum (*.pdf)"));
        return QFileDialog::getSaveFileName(this, QStringLiteral("Kép mentése"), suggested, QStringLiteral("PNG kép (*.png)"));
    };
    connect(placePanel, &PlacePanel::placeChanged, this, [this] { placeChanged(); });
    createShortcuts();

    fieldNewMoon_ = fieldNewMoon(*ephemeris_, newMoonField);
    if (fieldNewMoon_)
        showNewMoon(*fieldNewMoon_, NewMoonReason::FromField);
    else
        showNewMoon(nearestNewMoon(*ephemeris_, fromClockTime(currentDateTime())), NewMoonReason::NearestNow);

    startYearAhead();

    // As large as the screen allows; the frame, not known before the window is shown, is left room.
    if (const QScreen* s = screen())
        resize(s->availableGeometry().size() - QSize(16, 40));
}

VisibilityWindow::~VisibilityWindow() = default;

// Once the window has its first size: the table's eight rows where the chart keeps its least
// height below them, and the chart and the plot the rest.
void VisibilityWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (splitterPlaced_)
        return;
    splitterPlaced_ = true;
    layout()->activate();
    const int height = eveningsSplitter_->height() - eveningsSplitter_->handleWidth();
    const int table = std::max(crescentTable->minimumHeight(),
                               std::min(crescentTable->sizeHint().height(), height - chartPicture->minimumHeight()));
    eveningsSplitter_->setSizes({table, height - table});
}

void VisibilityWindow::placeChanged()
{
    recompute();
    startYearAhead();
}

// From a few days back, so the new moon whose first evenings may still be ahead is among them.
void VisibilityWindow::startYearAhead()
{
    yearTable->compute(placePanel->place(), fromClockTime(currentDateTime()) - astro::kCrescentSearchDays);
}

void VisibilityWindow::followNewMoonField(const QString& text)
{
    fieldNewMoon_ = fieldNewMoon(*ephemeris_, text);
    if (following_ && fieldNewMoon_ && (*fieldNewMoon_ != newMoon_ || reason_ != NewMoonReason::FromField))
        showNewMoon(*fieldNewMoon_, NewMoonReason::FromField);
}

void VisibilityWindow::stepNewMoon(int step)
{
    // A day off the one shown, so the search cannot find it again.
    const astro::JulianDay next = step < 0 ? astro::newMoonBefore(*ephemeris_, newMoon_ - 1)
                                           : astro::newMoons(*ephemeris_, newMoon_ + 1, newMoon_ + 40).front();
    following_ = false;
    showNewMoon(next, NewMoonReason::Stepped);
}

void VisibilityWindow::chooseDate()
{
    const QDate date = newMoonDateField->date();
    if (reason_ == NewMoonReason::ChosenDate && date == chosenDate_)
        return;
    // Noon of that day at the place: the new moon nearest the day as the place lives it.
    const astro::JulianDay noon = astro::fromCivil(QDateTime(date, QTime(12, 0), zone_->timeZone()));
    chosenDate_ = date;
    following_ = false;
    showNewMoon(nearestNewMoon(*ephemeris_, noon), NewMoonReason::ChosenDate);
}

void VisibilityWindow::backToField()
{
    following_ = true;
    if (fieldNewMoon_)
        showNewMoon(*fieldNewMoon_, NewMoonReason::FromField);
    else
        showNewMoon(nearestNewMoon(*ephemeris_, fromClockTime(currentDateTime())), NewMoonReason::NearestNow);
}

void VisibilityWindow::showNewMoon(astro::JulianDay ut, NewMoonReason reason)
{
    newMoon_ = ut;
    reason_ = reason;
    backToFieldButton->setEnabled(!following_);
    recompute();
}

void VisibilityWindow::recompute()
{
    const astro::Place& place = placePanel->place();
    if (!zone_ || zone_->timeZone().id() != place.timeZone)
        zone_.emplace(place.timeZone);
    describeNewMoon();
    crescentTable->showRun(astro::crescentRun(*ephemeris_, place, newMoon_, CrescentTablePanel::kDays), *zone_);
    showSelected();
}

void VisibilityWindow::describeNewMoon()
{
    const astro::Place& place = placePanel->place();
    const QString zoneName = QString::fromLatin1(place.timeZone);
    QString why;
    switch (reason_) {
    case NewMoonReason::FromField:
        why = QStringLiteral("az Utolsó Újhold mezőhöz legközelebbi újhold");
        break;
    case NewMoonReason::NearestNow:
        why = QStringLiteral("az Utolsó Újhold mező üres vagy érvénytelen: a mostanihoz legközelebbi újhold");
        break;
    case NewMoonReason::Stepped:
        why = QStringLiteral("léptetve; a mező újholdjához a „Vissza a mező újholdjához” gomb visz vissza");
        break;
    case NewMoonReason::ChosenDate:
        why = QStringLiteral("a(z) %1 dátumhoz legközelebbi újhold").arg(chosenDate_.toString(QStringLiteral("yyyy.MM.dd")));
        break;
    case NewMoonReason::FromYear:
        why = QStringLiteral("a következő 12 újhold táblázatából választva");
        break;
    }
    newMoonLabel->setText(QStringLiteral("Újhold: %1 (%2)").arg(presentation::dateTimeText(*zone_, newMoon_), why));
    placeLabel->setText(QStringLiteral("Hely: %1 (%2)   Idők: %3 szerint").arg(place.name, coordinates(place), zoneName));
    placeLabel->setToolTip(placeLabel->text());
    if (reason_ != NewMoonReason::ChosenDate) {
        const QSignalBlocker quiet(newMoonDateField);
        newMoonDateField->setDate(zone_->at(newMoon_).date());
    }
    tableNote->setText(QStringLiteral("Idők: %1. Y Yallop, O Odeh osztálya; W' ívpercben; a legjobb időpontban a "
                                      "magasság látszó, az azimut északtól kelet felé. Nap, Hold: -nyugta este, -kelte reggel; "
                                      "fenn vagy lenn: egész nap a látóhatár fölött vagy alatt, nincs nyugta (kelte).")
                           .arg(zoneName));
    tableNote->setToolTip(tableNote->text());
}

std::optional<sightings::Sighting> VisibilityWindow::selectedAsSighting() const
{
    const astro::CrescentEvening* evening = crescentTable->selected();
    if (!evening)
        return std::nullopt;
    sightings::Sighting s;
    s.place = placePanel->place();
    s.session = evening->twilight;
    // The row's date is its Sun's event's, or on a day without one that of the day it was sought in.
    s.date = zone_->at(std::isnan(evening->sunEvent) ? evening->dayInstant : evening->sunEvent).date();
    if (evening->moonUp)
        s.time = zone_->at(evening->best).time();
    return s;
}

void VisibilityWindow::showSelected()
{
    const astro::CrescentEvening* evening = crescentTable->selected();
    recordSightingButton->setEnabled(evening != nullptr);
    mapPicture->showEvening(*ephemeris_, evening, placePanel->place());
    chartPicture->showEvening(evening, placePanel->place(), *zone_);
    minutePlot->showProfile(evening ? astro::crescentProfile(*ephemeris_, placePanel->place(), *evening)
                                    : astro::CrescentProfile{},
                            *zone_);
}

// The map's arrows: the row before or after the selected one, mornings and evenings in the
// table's order.
void VisibilityWindow::stepSelection(int step)
{
    const int row = crescentTable->currentRow() + step;
    if (crescentTable->currentRow() >= 0 && row >= 0 && row < crescentTable->rowCount())
        crescentTable->selectRow(row);
}

ObservingSheet VisibilityWindow::sheet()
{
    SheetContents contents;
    contents.place = placePanel->place();
    contents.newMoon = newMoon_;
    contents.evenings = crescentTable->evenings();
    if (const astro::CrescentEvening* selected = crescentTable->selected()) {
        contents.selected = int(selected - crescentTable->evenings().data());
        if (const astro::VisibilityMap* map = mapPicture->fineMap())
            contents.map = *map;
    }
    contents.made = fromClockTime(currentDateTime());
    return ObservingSheet(std::move(contents));
}

} // namespace vkt
