// The visibility window's navigation, tabs and shortcuts.
#include "windows/visibility/VisibilityWindow.h"

#include "windows/common/Guarded.h"
#include "windows/visibility/ClassLegend.h"
#include "windows/visibility/CrescentTablePanel.h"
#include "windows/visibility/HorizonChartPanel.h"
#include "windows/visibility/MapPanel.h"
#include "windows/visibility/MinutePlotPanel.h"
#include "windows/visibility/PlacePanel.h"
#include "windows/visibility/VisibilityHelp.h"
#include "windows/visibility/VisibilityMapPicture.h"
#include "windows/visibility/YearAheadPanel.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QSplitter>
#include <QVBoxLayout>

namespace vkt {
namespace {

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

} // namespace vkt
