#include "windows/visibility/VisibilityWindow.h"

#include "astro/MoonPhases.h"
#include "presentation/Places.h"
#include "presentation/TimeTexts.h"
#include "services/Clock.h"
#include "services/Failure.h"
#include "services/FileBytes.h"
#include "windows/common/Guarded.h"
#include "windows/visibility/CrescentTablePanel.h"
#include "windows/visibility/HorizonChartPanel.h"
#include "windows/visibility/MapPanel.h"
#include "windows/visibility/PanelLook.h"
#include "windows/visibility/PlacePanel.h"
#include "windows/visibility/VisibilityMapPicture.h"

#include <QBuffer>
#include <QFileDialog>
#include <QLabel>
#include <QPushButton>
#include <cmath>

namespace vkt {
namespace {

constexpr QSize kClientSize(1240, 720);
constexpr QRect kChartArea(10, 330, 610, 380);
constexpr QRect kMapArea(630, 326, 600, 300 + VisibilityMapPicture::kLegendHeight);

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

ChosenNewMoon chooseNewMoon(astro::Ephemeris& ephemeris, const QString& fieldText, DateTime now)
{
    const std::optional<DateTime> typed = toDateTime(fieldText);
    // A time alone (no date) lies on the first day of the count: not a new moon anyone means.
    const bool fromField = typed && !(*typed >= 0 && *typed < 1);
    const astro::JulianDay around = fromClockTime(fromField ? *typed : now);
    ChosenNewMoon chosen{0, fromField};
    double nearest = 1e9;
    for (const astro::JulianDay t : astro::newMoons(ephemeris, around - 20, around + 20))
        if (std::abs(t - around) < nearest) {
            nearest = std::abs(t - around);
            chosen.ut = t;
        }
    return chosen;
}

VisibilityWindow::VisibilityWindow(const QString& newMoonField) : ephemeris_(std::make_unique<astro::Ephemeris>())
{
    setObjectName(QStringLiteral("visibilityWindow"));
    setWindowTitle(QStringLiteral("Holdsarló láthatósága"));
    setColours(this, panelLook::Background, panelLook::Text);
    setFont(panelLook::font());
    setFixedSize(kClientSize);
    setFrame(this, Frame::Fixed, Minimise::On);

    createPanels();
    askFileName = [this](const QString& suggested) {
        return QFileDialog::getSaveFileName(this, QStringLiteral("Kép mentése"), suggested,
                                            QStringLiteral("PNG kép (*.png)"));
    };
    newMoon_ = chooseNewMoon(*ephemeris_, newMoonField, currentDateTime());
    recompute();
}

VisibilityWindow::~VisibilityWindow() = default;

// Created in the order the keyboard visits them.
void VisibilityWindow::createPanels()
{
    placePanel = new PlacePanel(this);
    placePanel->move(10, 9);
    newMoonLabel = panelLook::label(this, {}, QRect(10, 44, 1220, 22));
    newMoonLabel->setObjectName(QStringLiteral("newMoonLabel"));
    crescentTable = new CrescentTablePanel(this);
    crescentTable->move(10, 72);
    createButtons();
    chartPicture = new HorizonChartPanel(this);
    chartPicture->setGeometry(kChartArea);
    mapPicture = new MapPanel(this);
    mapPicture->setGeometry(kMapArea);

    connect(placePanel, &PlacePanel::placeChanged, this, [this] { recompute(); });
    connect(crescentTable, &QTableWidget::itemSelectionChanged, this, [this] { guarded([this] { showSelected(); }); });
}

void VisibilityWindow::createButtons()
{
    const int top = crescentTable->geometry().bottom() + 8;
    copyTableButton = panelLook::button(this, QStringLiteral("Táblázat &másolása"), QRect(10, top, 170, 28));
    copyTableButton->setObjectName(QStringLiteral("copyTableButton"));
    copyTableButton->setAccessibleName(QStringLiteral("Táblázat másolása"));
    copyTableButton->setAccessibleDescription(
        QStringLiteral("A táblázatot tabulátorral tagolt szövegként a vágólapra teszi"));
    panelLook::label(this,
                     QStringLiteral("Idők: magyar polgári idő. Nap, Hold: -nyugta este, -kelte reggel; a legjobb "
                                    "időpontban a magasság látszó, az azimut északtól kelet felé; W' ívpercben; Y "
                                    "Yallop, O Odeh osztálya."),
                     QRect(600, top - 2, 630, 32));
    saveChartButton = panelLook::button(this, QStringLiteral("Ábra mentése &PNG-be"), QRect(190, top, 190, 28));
    saveChartButton->setObjectName(QStringLiteral("saveChartButton"));
    saveChartButton->setAccessibleName(QStringLiteral("Horizontábra mentése PNG képként"));
    saveMapButton = panelLook::button(this, QStringLiteral("&Térkép mentése PNG-be"), QRect(390, top, 200, 28));
    saveMapButton->setObjectName(QStringLiteral("saveMapButton"));
    saveMapButton->setAccessibleName(QStringLiteral("Láthatósági térkép mentése PNG képként"));

    connect(copyTableButton, &QPushButton::clicked, this, [this] { guarded([this] { crescentTable->copyToClipboard(); }); });
    connect(saveChartButton, &QPushButton::clicked, this,
            [this] { guarded([this] { savePicture(chartPicture->picture()); }); });
    connect(saveMapButton, &QPushButton::clicked, this,
            [this] { guarded([this] { savePicture(mapPicture->finishedPicture()); }); });
}

void VisibilityWindow::recompute()
{
    const astro::Place& place = placePanel->place();
    const astro::CivilZone& zone = presentation::hungarianTime();
    newMoonLabel->setText(QStringLiteral("Újhold: %1 %2   Hely: %3 (%4)")
                              .arg(presentation::dateTimeText(zone, newMoon_.ut),
                                   newMoon_.fromField
                                       ? QStringLiteral("(az Utolsó Újhold mezőhöz legközelebbi újhold)")
                                       : QStringLiteral("(az Utolsó Újhold mező üres vagy érvénytelen: a mostanihoz "
                                                        "legközelebbi újhold)"),
                                   place.name, coordinates(place)));
    crescentTable->showRun(astro::crescentRun(*ephemeris_, place, newMoon_.ut, CrescentTablePanel::kDays), zone);
    showSelected();
}

void VisibilityWindow::showSelected()
{
    const astro::CrescentEvening* evening = crescentTable->selected();
    mapPicture->showEvening(*ephemeris_, evening, placePanel->place());
    chartPicture->showEvening(evening, presentation::hungarianTime());
}

void VisibilityWindow::savePicture(const std::optional<SavablePicture>& picture)
{
    if (!picture)
        return;
    const QString file = askFileName(picture->suggestedName);
    if (file.isEmpty())
        return;
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!picture->image.save(&buffer, "PNG"))
        throw Failure(QStringLiteral("A kép nem készült el, nem mentettem."));
    replaceFileBytes(file, png);  // whole or not at all; a failure is reported by the caller
}

} // namespace vkt
