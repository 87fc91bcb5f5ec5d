#include "windows/visibility/VisibilityWindow.h"

#include "astro/MoonPhases.h"
#include "presentation/CrescentCalendar.h"
#include "presentation/Places.h"
#include "presentation/TimeTexts.h"
#include "services/Clock.h"
#include "services/Failure.h"
#include "services/FileBytes.h"
#include "windows/common/Guarded.h"
#include "windows/visibility/ClassLegend.h"
#include "windows/visibility/CrescentTablePanel.h"
#include "windows/visibility/HorizonChartPanel.h"
#include "windows/visibility/MapPanel.h"
#include "windows/visibility/MinutePlotPanel.h"
#include "windows/visibility/ObservingSheet.h"
#include "windows/visibility/PanelLook.h"
#include "windows/visibility/PlacePanel.h"
#include "windows/visibility/VisibilityHelp.h"
#include "windows/visibility/VisibilityMapPicture.h"
#include "windows/visibility/YearAheadPanel.h"

#include <QBuffer>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QDateEdit>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QTabBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QShortcut>
#include <QStandardPaths>
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

// A file name from a place's name: no separators, no characters a file system refuses.
QString fileNamePart(QString text)
{
    static const QRegularExpression unsafe(QStringLiteral("[\\\\/:*?\"<>|\\s]+"));
    return text.replace(unsafe, QStringLiteral("-"));
}

// A row of a tab: its buttons, then a note in the rest of the width. The note keeps to one line,
// so the row is as high as its buttons whatever the width; cut short, it is whole in its tooltip.
QHBoxLayout* buttonsAndNote(std::initializer_list<QWidget*> buttons, QLabel* note)
{
    auto* row = new QHBoxLayout;
    for (QWidget* b : buttons)
        row->addWidget(b);
    note->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    note->setToolTip(note->text());
    row->addWidget(note, 1);
    return row;
}

// A tab's page, its panels one under another.
std::pair<QWidget*, QVBoxLayout*> tabPage(const char* name)
{
    auto* page = new QWidget;
    page->setObjectName(QLatin1String(name));
    auto* column = new QVBoxLayout(page);
    column->setContentsMargins(4, 4, 4, 4);
    column->setSpacing(2);
    return {page, column};
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

void VisibilityWindow::createShortcuts()
{
    // A window of results, nothing to lose: Esc closes it as Ctrl+W does.
    for (const QKeySequence& keys : {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)})
        connect(new QShortcut(keys, this), &QShortcut::activated, this, &QWidget::close);
    connect(new QShortcut(QKeySequence(Qt::Key_F1), this), &QShortcut::activated, this,
            [this] { guarded([this] { showHelp(); }); });
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_P), this), &QShortcut::activated, this,
            [this] { guarded([this] { printSheet(); }); });
}

VisibilityHelpWindow* VisibilityWindow::showHelp()
{
    if (!help_)
        help_ = new VisibilityHelpWindow(this);
    help_->show();
    help_->raise();
    help_->activateWindow();
    return help_;
}

void VisibilityWindow::createNavigation(QWidget* parent)
{
    auto* row = new QHBoxLayout;
    previousNewMoonButton = panelLook::button(parent, QStringLiteral("◀ Előző újhold"), "previousNewMoonButton");
    previousNewMoonButton->setAccessibleName(QStringLiteral("Előző újhold"));
    previousNewMoonButton->setToolTip(QStringLiteral("Az előző újhold (Page Up)"));
    QLabel* dateCaption = panelLook::label(parent, QStringLiteral("&Dátum:"));
    newMoonDateField = new QDateEdit(parent);
    newMoonDateField->setObjectName(QStringLiteral("newMoonDateField"));
    newMoonDateField->setAccessibleName(QStringLiteral("Ugrás a dátumhoz legközelebbi újholdra"));
    newMoonDateField->setCalendarPopup(true);
    newMoonDateField->setDisplayFormat(QStringLiteral("yyyy.MM.dd"));
    newMoonDateField->setDateRange(QDate(1801, 1, 1), QDate(2399, 12, 31));
    newMoonDateField->setFont(panelLook::font());
    setBoxColours(newMoonDateField, colours::White, colours::Black);
    dateCaption->setBuddy(newMoonDateField);
    nextNewMoonButton = panelLook::button(parent, QStringLiteral("Következő újhold ▶"), "nextNewMoonButton");
    nextNewMoonButton->setAccessibleName(QStringLiteral("Következő újhold"));
    nextNewMoonButton->setToolTip(QStringLiteral("A következő újhold (Page Down)"));
    backToFieldButton = panelLook::button(parent, QStringLiteral("&Vissza a mező újholdjához"), "backToFieldButton");
    backToFieldButton->setAccessibleName(QStringLiteral("Vissza az Utolsó Újhold mező újholdjához"));
    helpButton = panelLook::button(parent, QStringLiteral("Súgó"), "helpButton");
    helpButton->setToolTip(QStringLiteral("Mit jelentenek az oszlopok, az osztályok és az ábrák (F1)"));
    buttonRow = new QHBoxLayout;
    buttonRow->addWidget(helpButton);
    for (QWidget* w : {static_cast<QWidget*>(previousNewMoonButton), static_cast<QWidget*>(dateCaption),
                       static_cast<QWidget*>(newMoonDateField), static_cast<QWidget*>(nextNewMoonButton),
                       static_cast<QWidget*>(backToFieldButton)})
        row->addWidget(w);
    row->addStretch(1);
    row->addLayout(buttonRow);
    // Two lines that never wrap, so the window's least height holds whatever they say: the new
    // moon's line is of known texts; a place's name may be long, and is cut rather than widen it.
    newMoonLabel = panelLook::label(parent, {});
    newMoonLabel->setObjectName(QStringLiteral("newMoonLabel"));
    placeLabel = panelLook::label(parent, {});
    placeLabel->setObjectName(QStringLiteral("placeLabel"));
    placeLabel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    placeLabel->setMinimumWidth(200);
    auto* column = static_cast<QVBoxLayout*>(layout());
    column->addLayout(row);
    column->addWidget(newMoonLabel);
    column->addWidget(placeLabel);

    connect(previousNewMoonButton, &QPushButton::clicked, this, [this] { guarded([this] { stepNewMoon(-1); }); });
    connect(nextNewMoonButton, &QPushButton::clicked, this, [this] { guarded([this] { stepNewMoon(1); }); });
    connect(backToFieldButton, &QPushButton::clicked, this, [this] { guarded([this] { backToField(); }); });
    connect(helpButton, &QPushButton::clicked, this, [this] { guarded([this] { showHelp(); }); });
    // Typing goes on until Enter or leaving the field; a day picked in the calendar is a choice.
    connect(newMoonDateField, &QDateEdit::editingFinished, this, [this] { guarded([this] { chooseDate(); }); });
    connect(newMoonDateField->calendarWidget(), &QCalendarWidget::clicked, this,
            [this] { guarded([this] { chooseDate(); }); });
    const auto shortcut = [this](Qt::Key key, int step) {
        connect(new QShortcut(QKeySequence(key), this), &QShortcut::activated, this,
                [this, step] { guarded([this, step] { stepNewMoon(step); }); });
    };
    shortcut(Qt::Key_PageUp, -1);
    shortcut(Qt::Key_PageDown, 1);
}

QWidget* VisibilityWindow::createEveningsTab()
{
    auto [page, column] = tabPage("eveningsTab");
    eveningsSplitter_ = new QSplitter(Qt::Vertical, page);
    eveningsSplitter_->setChildrenCollapsible(false);
    crescentTable = new CrescentTablePanel(eveningsSplitter_);
    auto* pictures = new QSplitter(Qt::Horizontal, eveningsSplitter_);
    pictures->setChildrenCollapsible(false);
    chartPicture = new HorizonChartPanel(pictures);
    minutePlot = new MinutePlotPanel(pictures);
    // The chart and the minute plot beside it grow with the window, the chart the more: its
    // captions wrap into what its width leaves them.
    eveningsSplitter_->setStretchFactor(0, 0);
    eveningsSplitter_->setStretchFactor(1, 1);
    pictures->setStretchFactor(0, 3);
    pictures->setStretchFactor(1, 2);
    pictures->setSizes({600, 400});
    column->addWidget(eveningsSplitter_, 1);
    classLegend = new ClassLegendPanel(page);
    column->addWidget(classLegend);

    copyTableButton = panelLook::button(page, QStringLiteral("Táblázat má&solása"), "copyTableButton");
    copyTableButton->setAccessibleName(QStringLiteral("Táblázat másolása"));
    copyTableButton->setAccessibleDescription(
        QStringLiteral("A táblázatot tabulátorral tagolt szövegként a vágólapra teszi"));
    saveChartButton = panelLook::button(page, QStringLiteral("Ábra mentése &PNG-be"), "saveChartButton");
    saveChartButton->setAccessibleName(QStringLiteral("Horizontábra mentése PNG képként"));
    recordSightingButton = panelLook::button(page, QStringLiteral("É&szlelés rögzítése"), "recordSightingButton");
    recordSightingButton->setAccessibleName(QStringLiteral("Észlelés rögzítése"));
    recordSightingButton->setAccessibleDescription(
        QStringLiteral("A kijelölt este vagy reggel észlelését kezdi el a Holdsarló-észlelések ablakban"));
    printButton = panelLook::button(page, QStringLiteral("Nyomtatás…"), "printButton");
    printButton->setAccessibleName(QStringLiteral("Megfigyelőlap nyomtatása"));
    printButton->setToolTip(QStringLiteral("Egy A4-es megfigyelőlap nyomtatási képpel (Ctrl+P)"));
    saveSheetButton = panelLook::button(page, QStringLiteral("Mentés PDF-be…"), "saveSheetButton");
    saveSheetButton->setAccessibleName(QStringLiteral("Megfigyelőlap mentése PDF-be"));
    saveSheetButton->setToolTip(QStringLiteral("Ugyanaz az A4-es megfigyelőlap PDF fájlba"));
    tableNote = panelLook::label(page, {});
    tableNote->setObjectName(QStringLiteral("tableNote"));
    column->addLayout(buttonsAndNote({copyTableButton, saveChartButton, recordSightingButton, printButton, saveSheetButton},
                                     tableNote));

    connect(crescentTable, &QTableWidget::itemSelectionChanged, this, [this] { guarded([this] { showSelected(); }); });
    connect(copyTableButton, &QPushButton::clicked, this, [this] { guarded([this] { copyTable(); }); });
    connect(printButton, &QPushButton::clicked, this, [this] { guarded([this] { printSheet(); }); });
    connect(saveSheetButton, &QPushButton::clicked, this, [this] { guarded([this] { saveSheet(); }); });
    connect(saveChartButton, &QPushButton::clicked, this,
            [this] { guarded([this] { savePicture(chartPicture->picture()); }); });
    connect(recordSightingButton, &QPushButton::clicked, this, [this] {
        guarded([this] {
            if (const auto prefill = selectedAsSighting())
                emit sightingRequested(*prefill);
        });
    });
    return page;
}

QWidget* VisibilityWindow::createMapTab()
{
    auto [page, column] = tabPage("mapTab");
    mapPicture = new MapPanel(page);
    column->addWidget(mapPicture, 1);
    saveMapButton = panelLook::button(page, QStringLiteral("Térkép mentése P&NG-be"), "saveMapButton");
    saveMapButton->setAccessibleName(QStringLiteral("Láthatósági térkép mentése PNG képként"));
    column->addLayout(buttonsAndNote(
        {saveMapButton},
        panelLook::label(page, QStringLiteral("A térképen a ← és a → nyíl az előző és a következő estére (reggelre) lép."))));

    connect(saveMapButton, &QPushButton::clicked, this,
            [this] { guarded([this] { savePicture(mapPicture->finishedPicture()); }); });
    connect(mapPicture, &MapPanel::stepRequested, this, [this](int step) { guarded([this, step] { stepSelection(step); }); });
    return page;
}

QWidget* VisibilityWindow::createYearTab()
{
    auto [page, column] = tabPage("yearTab");
    yearTable = new YearAheadPanel(page);
    column->addWidget(yearTable, 1);
    calendarButton = panelLook::button(page, QStringLiteral("Naptárba (i&Cal)…"), "calendarButton");
    calendarButton->setAccessibleName(QStringLiteral("Naptárba (iCal)"));
    calendarButton->setAccessibleDescription(
        QStringLiteral("A következő 12 újhold első estéit és utolsó reggeleit iCalendar fájlba írja"));
    alarmCheck = new QCheckBox(QStringLiteral("Emlékeztető egy órával előtte"), page);
    alarmCheck->setObjectName(QStringLiteral("alarmCheck"));
    alarmCheck->setFont(panelLook::font());
    alarmCheck->setChecked(placePanel->store().alarm());
    column->addLayout(buttonsAndNote(
        {calendarButton, alarmCheck},
        panelLook::label(page, QStringLiteral("Egy sorra duplán kattintva annak az újholdnak az estéi és reggelei nyílnak meg."))));

    connect(yearTable, &YearAheadPanel::newMoonChosen, this, [this](double ut) {
        guarded([this, ut] {
            following_ = false;
            showNewMoon(ut, NewMoonReason::FromYear);
            tabs->setCurrentIndex(0);
        });
    });
    connect(calendarButton, &QPushButton::clicked, this, [this] { guarded([this] { saveCalendar(); }); });
    connect(alarmCheck, &QCheckBox::toggled, this, [this](bool on) { guarded([this, on] { placePanel->store().setAlarm(on); }); });
    return page;
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

QString VisibilityWindow::chooseFile(const QString& name, QStandardPaths::StandardLocation firstFolder)
{
    PlaceStore& store = placePanel->store();
    const QString folder = !store.saveFolder().isEmpty() && QFileInfo(store.saveFolder()).isDir()
                               ? store.saveFolder()
                               : QStandardPaths::writableLocation(firstFolder);
    const QString file = askFileName(QDir(folder).filePath(name));
    if (!file.isEmpty())
        store.setSaveFolder(QFileInfo(file).absolutePath());
    return file;
}

QString VisibilityWindow::tableHeading() const
{
    return QStringLiteral("Holdsarló – %1; újhold: %2")
        .arg(presentation::placeText(placePanel->place()), presentation::dateTimeText(*zone_, newMoon_));
}

void VisibilityWindow::copyTable()
{
    QGuiApplication::clipboard()->setText(crescentTable->text(tableHeading()));
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

void VisibilityWindow::saveSheet()
{
    const ObservingSheet made = sheet();
    const QString file = chooseFile(
        fileNamePart(QStringLiteral("holdsarlo-%1-%2.pdf").arg(placePanel->place().name, zone_->at(newMoon_).date().toString(QStringLiteral("yyyy.MM.dd")))),
        QStandardPaths::DocumentsLocation);
    if (file.isEmpty())
        return;
    replaceFileBytes(file, made.pdf());  // whole or not at all; a failure is reported by the caller
}

void VisibilityWindow::printSheet()
{
    const ObservingSheet made = sheet();
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setDocName(made.title());
    QPrintPreviewDialog preview(&printer, this);
    preview.setWindowTitle(QStringLiteral("Megfigyelőlap nyomtatása"));
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [&made](QPrinter* device) { made.paint(*device); });
    preview.exec();
}

void VisibilityWindow::savePicture(const std::optional<SavablePicture>& picture)
{
    if (!picture)
        return;
    const QString file = chooseFile(picture->suggestedName, QStandardPaths::PicturesLocation);
    if (file.isEmpty())
        return;
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!picture->image.save(&buffer, "PNG"))
        throw Failure(QStringLiteral("A kép nem készült el, nem mentettem."));
    replaceFileBytes(file, png);  // whole or not at all; a failure is reported by the caller
}

// The year ahead as the table shows it (waited for, if it is still being computed), in a file the
// user names, started in the Documents folder.
void VisibilityWindow::saveCalendar()
{
    const std::vector<astro::NewMoonOutlook>& outlooks = yearTable->finished();
    const astro::Place& place = yearTable->place();
    const QString file =
        chooseFile(fileNamePart(QStringLiteral("holdsarlo-%1.ics").arg(place.name)), QStandardPaths::DocumentsLocation);
    if (file.isEmpty())
        return;
    presentation::writeCrescentCalendar(file, outlooks, place, {alarmCheck->isChecked()});
}

} // namespace vkt
