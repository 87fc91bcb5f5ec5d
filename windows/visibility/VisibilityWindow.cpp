#include "windows/visibility/VisibilityWindow.h"

#include "astro/CrescentRow.h"
#include "astro/MoonPhases.h"
#include "services/Clock.h"
#include "services/Failure.h"
#include "services/FileBytes.h"
#include "services/Messages.h"
#include "windows/common/Guarded.h"
#include "windows/common/WindowLook.h"
#include "windows/visibility/CrescentTable.h"
#include "windows/visibility/HorizonChart.h"
#include "windows/visibility/MapComputation.h"
#include "windows/visibility/ObservingPlaces.h"
#include "windows/visibility/VisibilityMapPicture.h"

#include <QClipboard>
#include <QBuffer>
#include <QComboBox>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QToolTip>
#include <QHelpEvent>
#include <cmath>

namespace vkt {
namespace {

constexpr QColor Background = colours::Black;
constexpr QColor Text = colours::LightGreen;
constexpr QSize kClientSize(1240, 720);
constexpr int kDays = 4;  // mornings and evenings 0..3
// Column widths in pixels, in the order of crescentTableHeaders().
constexpr int kColumnWidths[] = {52, 24, 84, 46, 46, 46, 56, 52, 62, 58, 60, 58, 50, 50, 52, 46, 54, 56, 28, 54, 28};
constexpr int kYallopColumn = 18;
constexpr int kOdehColumn = 20;
constexpr QRect kChartArea(10, 330, 610, 380);
constexpr QRect kMapArea(630, 326, 600, 300 + VisibilityMapPicture::kLegendHeight);

QFont windowFont()
{
    return programFont(QStringLiteral("Arial"), 9.75);
}

QLabel* label(QWidget* window, const QString& text, const QRect& geometry)
{
    QLabel* l = wrappedLabel(window, text, windowFont(), geometry, Text, Qt::AlignLeft | Qt::AlignVCenter);
    setColours(l, Background, Text);
    return l;
}

QLineEdit* inputBox(QWidget* window, const char* name, const QString& accessibleName, const QRect& geometry)
{
    auto* box = new QLineEdit(window);
    box->setObjectName(QLatin1String(name));
    box->setAccessibleName(accessibleName);
    box->setFont(windowFont());
    box->setGeometry(geometry);
    setBoxColours(box, colours::White, colours::Black);
    return box;
}

// Hungarian clock time of the main window's fields, as an instant.
astro::JulianDay fromClockTime(DateTime value)
{
    const CivilTime t = toCivil(value);
    const QDateTime civil(QDate(t.year, t.month, t.day), QTime(t.hour, t.minute, t.second),
                          astro::hungarianTime().timeZone());
    return astro::fromCivil(civil);
}

// "47,50° É, 19,04° K"
QString latitudeLongitude(double latitude, double longitude, int decimals)
{
    return QStringLiteral("%1° %2, %3° %4")
        .arg(astro::decimalText(std::abs(latitude), decimals), latitude < 0 ? QStringLiteral("D") : QStringLiteral("É"),
             astro::decimalText(std::abs(longitude), decimals), longitude < 0 ? QStringLiteral("Ny") : QStringLiteral("K"));
}

QString coordinates(const astro::Place& p)
{
    return QStringLiteral("%1, %2 m").arg(latitudeLongitude(p.latitude, p.longitude, 2)).arg(std::lround(p.height));
}

} // namespace

ChosenNewMoon chooseNewMoon(const astro::Ephemeris& ephemeris, const QString& fieldText, DateTime now)
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

VisibilityWindow::VisibilityWindow(const QString& newMoonField)
    : ephemeris_(std::make_unique<astro::Ephemeris>()), place_(rememberedPlace())
{
    setObjectName(QStringLiteral("FormLathatosag"));
    setWindowTitle(QStringLiteral("Holdsarló láthatósága"));
    setColours(this, Background, Text);
    setFont(windowFont());
    setFixedSize(kClientSize);
    setFrame(this, Frame::Fixed, Minimise::On);

    createPlaceControls();
    newMoonText = label(this, {}, QRect(10, 44, 1220, 22));
    newMoonText->setObjectName(QStringLiteral("LabelUjhold"));
    createTable();
    createMap();

    newMoon_ = chooseNewMoon(*ephemeris_, newMoonField, currentDateTime());
    showPlace();
    recompute();
}

VisibilityWindow::~VisibilityWindow() = default;

void VisibilityWindow::createPlaceControls()
{
    QLabel* placesLabel = label(this, QStringLiteral("&Hely:"), QRect(10, 10, 44, 26));
    places = new QComboBox(this);
    places->setObjectName(QStringLiteral("ComboHely"));
    places->setAccessibleName(QStringLiteral("Megfigyelőhely"));
    places->setAccessibleDescription(QStringLiteral("Magyar megfigyelőhelyek; a választott hely adatai a mezőkbe kerülnek"));
    places->setGeometry(56, 10, 160, 26);
    setBoxColours(places, colours::White, colours::Black);
    for (const astro::Place& p : observingPlaces())
        places->addItem(p.name);
    placesLabel->setBuddy(places);

    label(this, QStringLiteral("Név:"), QRect(228, 10, 40, 26));
    placeName = inputBox(this, "TextNev", QStringLiteral("A hely neve"), QRect(268, 10, 150, 26));
    label(this, QStringLiteral("Szélesség (°):"), QRect(430, 10, 96, 26));
    latitude = inputBox(this, "TextSzelesseg", QStringLiteral("Földrajzi szélesség fokban, északon pozitív"),
                        QRect(526, 10, 72, 26));
    label(this, QStringLiteral("Hosszúság (°):"), QRect(610, 10, 100, 26));
    longitude = inputBox(this, "TextHosszusag", QStringLiteral("Földrajzi hosszúság fokban, keletre pozitív"),
                         QRect(710, 10, 72, 26));
    label(this, QStringLiteral("Magasság (m):"), QRect(794, 10, 96, 26));
    height = inputBox(this, "TextMagassag", QStringLiteral("Tengerszint feletti magasság méterben"),
                      QRect(890, 10, 64, 26));
    apply = colouredButton(this, QStringLiteral("&Beállít"), colours::PaleGreen, windowFont(), QRect(966, 9, 90, 28));
    apply->setObjectName(QStringLiteral("CommandBeallit"));
    apply->setAccessibleName(QStringLiteral("Beállít"));
    apply->setAccessibleDescription(QStringLiteral("A mezőkbe írt helyre számol újra"));

    connect(apply, &QPushButton::clicked, this, [this] { guarded([this] { applyTypedPlace(); }); });
    for (QLineEdit* box : {placeName, latitude, longitude, height})
        connect(box, &QLineEdit::returnPressed, this, [this] { guarded([this] { applyTypedPlace(); }); });
    connect(places, &QComboBox::activated, this, [this](int index) { guarded([this, index] { choosePreset(index); }); });
}

void VisibilityWindow::createTable()
{
    const QStringList headers = crescentTableHeaders();
    table = new QTableWidget(0, int(headers.size()), this);
    table->setObjectName(QStringLiteral("TablaLathatosag"));
    table->setAccessibleName(QStringLiteral("Holdsarló láthatósága reggelenként és esténként"));
    table->setAccessibleDescription(
        QStringLiteral("Soronként egy reggel az újhold előtt vagy egy este utána; Y Yallop, O Odeh osztálya, A a "
                       "legkönnyebben látható"));
    table->setHorizontalHeaderLabels(headers);
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setFont(windowFont());
    table->horizontalHeader()->setFont(programFont(QStringLiteral("Arial"), 9.75, QFont::Bold));
    setBoxColours(table, Background, colours::White);
    setColours(table->horizontalHeader(), colours::Navy, colours::White);
    for (int i = 0; i < int(std::size(kColumnWidths)); ++i)
        table->setColumnWidth(i, kColumnWidths[i]);
    table->verticalHeader()->setDefaultSectionSize(22);
    // As wide as its columns: no empty header beside them.
    int width = 2 * table->frameWidth();
    for (const int w : kColumnWidths)
        width += w;
    table->setGeometry(10, 72, width, 2 * kDays * 22 + 30);
    QPalette selection = table->palette();
    selection.setColor(QPalette::Highlight, colours::Navy);
    selection.setColor(QPalette::HighlightedText, colours::White);
    selection.setColor(QPalette::Mid, colours::Grey);  // the grid
    table->setPalette(selection);

    const int buttonsTop = table->geometry().bottom() + 8;
    copyTable = colouredButton(this, QStringLiteral("Táblázat &másolása"), colours::PaleGreen, windowFont(),
                               QRect(10, buttonsTop, 170, 28));
    copyTable->setObjectName(QStringLiteral("CommandMasol"));
    copyTable->setAccessibleName(QStringLiteral("Táblázat másolása"));
    copyTable->setAccessibleDescription(QStringLiteral("A táblázatot tabulátorral tagolt szövegként a vágólapra teszi"));
    connect(copyTable, &QPushButton::clicked, this,
            [this] { guarded([this] { QGuiApplication::clipboard()->setText(tableText()); }); });
    label(this,
          QStringLiteral("Idők: magyar polgári idő. Nap, Hold: -nyugta este, -kelte reggel; a legjobb időpontban a "
                         "magasság látszó, az azimut északtól kelet felé; W' ívpercben; Y Yallop, O Odeh osztálya."),
          QRect(600, buttonsTop - 2, 630, 32))
        ->setWordWrap(true);

    saveChart = colouredButton(this, QStringLiteral("Ábra mentése &PNG-be"), colours::PaleGreen, windowFont(),
                               QRect(190, buttonsTop, 190, 28));
    saveChart->setObjectName(QStringLiteral("CommandAbraMentes"));
    saveChart->setAccessibleName(QStringLiteral("Horizontábra mentése PNG képként"));
    connect(saveChart, &QPushButton::clicked, this, [this] {
        guarded([this] {
            if (const astro::CrescentEvening* c = selected())
                savePicture(HorizonChart(*c, astro::hungarianTime()).render(kChartArea.size()),
                            QStringLiteral("horizont-%1.png").arg(astro::hungarianTime().dateText(c->sunEvent)));
        });
    });

    chart = new QLabel(this);
    chart->setObjectName(QStringLiteral("PictureHorizont"));
    chart->setAccessibleName(QStringLiteral("Horizontábra"));
    chart->setGeometry(kChartArea);
    setColours(chart, Background, Text);
    connect(table, &QTableWidget::itemSelectionChanged, this, [this] { guarded([this] { showSelected(); }); });

    askFileName = [this](const QString& suggested) {
        return QFileDialog::getSaveFileName(this, QStringLiteral("Kép mentése"), suggested,
                                            QStringLiteral("PNG kép (*.png)"));
    };
}

void VisibilityWindow::createMap()
{
    map = new QLabel(this);
    map->setObjectName(QStringLiteral("PictureTerkep"));
    map->setAccessibleName(QStringLiteral("Láthatósági térkép"));
    map->setGeometry(kMapArea);
    setColours(map, Background, Text);
    map->installEventFilter(this);  // the zone under the pointer as a tooltip

    saveMap = colouredButton(this, QStringLiteral("&Térkép mentése PNG-be"), colours::PaleGreen, windowFont(),
                             QRect(390, saveChart->geometry().top(), 200, 28));
    saveMap->setObjectName(QStringLiteral("CommandTerkepMentes"));
    saveMap->setAccessibleName(QStringLiteral("Láthatósági térkép mentése PNG képként"));
    connect(saveMap, &QPushButton::clicked, this, [this] { guarded([this] { saveFinishedMap(); }); });

    maps_ = new MapComputation(this);
    connect(maps_, &MapComputation::arrived, this, [this] { guarded([this] { drawMap(); }); });
}

const astro::VisibilityMap* VisibilityWindow::shownMap() const
{
    return maps_->latest();
}

QFuture<astro::VisibilityMap> VisibilityWindow::mapComputation() const
{
    return maps_->future();
}

void VisibilityWindow::drawMap()
{
    const astro::VisibilityMap* shown = maps_->latest();
    if (!shown) {
        map->clear();
        map->setAccessibleDescription(maps_->evening() ? QStringLiteral("A térkép készül.")
                                                       : QStringLiteral("Nincs kijelölt este vagy reggel."));
        return;
    }
    map->setPixmap(QPixmap::fromImage(VisibilityMapPicture(*shown, place_).render(kMapArea.size())));
    const astro::MapZone here = shown->at(place_.latitude, place_.longitude);
    map->setAccessibleDescription(
        QStringLiteral("Yallop-zónák %1 %2 a Föld minden pontján; %3")
            .arg(shown->evening.date.toString(QStringLiteral("yyyy.MM.dd")),
                 shown->evening.twilight == astro::Twilight::Evening ? QStringLiteral("este") : QStringLiteral("reggel"),
                 here == astro::MapZone::None
                     ? QStringLiteral("%1 helyén nincs holdsarló.").arg(place_.name)
                     : QStringLiteral("%1 zónája: %2.").arg(place_.name, QChar(u'A' + static_cast<int>(here)))));
}

bool VisibilityWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != map || event->type() != QEvent::ToolTip)
        return QWidget::eventFilter(watched, event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const astro::VisibilityMap* shown = maps_->latest();
    const auto place = VisibilityMapPicture::placeAt(kMapArea.size(), help->pos());
    if (!shown || !place) {
        QToolTip::hideText();
        event->ignore();
        return true;
    }
    const astro::MapZone zone = shown->at(place->y(), place->x());
    QToolTip::showText(help->globalPos(),
                       QStringLiteral("%1: %2").arg(latitudeLongitude(place->y(), place->x(), 1),
                                                    zone == astro::MapZone::None
                                                        ? QStringLiteral("nincs holdsarló")
                                                        : astro::yallopClassText(astro::YallopClass(int(zone)))),
                       map);
    return true;
}

void VisibilityWindow::saveFinishedMap()
{
    if (!maps_->evening())
        return;
    // The picture saved is the fine one, even when only the coarse one has arrived so far.
    const astro::VisibilityMap* fine = maps_->fine();
    if (!fine)
        throw Failure(QStringLiteral("A térkép nem készült el, nem mentettem."));
    drawMap();  // shows the fine map, which is then saved as shown
    savePicture(map->pixmap().toImage(),
                QStringLiteral("terkep-%1.png").arg(fine->evening.date.toString(QStringLiteral("yyyy.MM.dd"))));
}

const astro::CrescentEvening* VisibilityWindow::selected() const
{
    const QList<QTableWidgetItem*> items = table->selectedItems();
    if (items.isEmpty())
        return nullptr;
    const int row = items.first()->row();
    return row < int(evenings_.size()) ? &evenings_[std::size_t(row)] : nullptr;
}

void VisibilityWindow::showSelected()
{
    const astro::CrescentEvening* c = selected();
    if (!c) {
        // No evening at all (a polar summer): nothing from another place or evening may stay.
        chart->clear();
        maps_->clear();
        drawMap();
        return;
    }
    // Another place on the same evening only moves the mark.
    maps_->request(*ephemeris_, astro::mapEveningOf(*c, place_));
    drawMap();
    const astro::CivilZone& zone = astro::hungarianTime();
    chart->setPixmap(QPixmap::fromImage(HorizonChart(*c, zone).render(kChartArea.size())));
    chart->setAccessibleDescription(
        c->moonUp ? QStringLiteral("%1 %2: a Hold %3° magasan, %4° azimutnál, a Nap %5°-kal a látóhatár alatt")
                        .arg(c->twilight == astro::Twilight::Evening ? QStringLiteral("Este") : QStringLiteral("Reggel"),
                             zone.text(c->best), QString::number(c->moonAltitude, 'f', 1).replace(u'.', u','),
                             QString::number(c->moonAzimuth, 'f', 1).replace(u'.', u','),
                             QString::number(-c->sunAltitude, 'f', 1).replace(u'.', u','))
                  : QStringLiteral("A Hold ekkor nem látszik: este a Nap előtt nyugszik, reggel a Nap után kel."));
}

void VisibilityWindow::savePicture(const QImage& image, const QString& suggested)
{
    const QString file = askFileName(suggested);
    if (file.isEmpty())
        return;
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        throw Failure(QStringLiteral("A kép nem készült el, nem mentettem."));
    replaceFileBytes(file, png);  // whole or not at all; a failure is reported by the caller
}

void VisibilityWindow::showPlace()
{
    const PlaceInput input = placeInput(place_);
    placeName->setText(input.name);
    latitude->setText(input.latitude);
    longitude->setText(input.longitude);
    height->setText(input.height);
    places->setCurrentIndex(-1);
    const auto& presets = observingPlaces();
    for (int i = 0; i < int(presets.size()); ++i)
        if (presets[i].name == place_.name && presets[i].latitude == place_.latitude &&
            presets[i].longitude == place_.longitude && presets[i].height == place_.height)
            places->setCurrentIndex(i);
}

void VisibilityWindow::applyTypedPlace()
{
    const auto read = readPlace({placeName->text(), latitude->text(), longitude->text(), height->text()});
    if (const QString* problem = std::get_if<QString>(&read)) {
        showMessage(*problem, MessageIcon::Warning);
        return;
    }
    place_ = std::get<astro::Place>(read);
    rememberPlace(place_);
    showPlace();
    recompute();
}

void VisibilityWindow::choosePreset(int index)
{
    if (index < 0 || index >= int(observingPlaces().size()))
        return;
    place_ = observingPlaces()[std::size_t(index)];
    rememberPlace(place_);
    showPlace();
    recompute();
}

void VisibilityWindow::recompute()
{
    const astro::CivilZone& zone = astro::hungarianTime();
    evenings_ = crescentTableEvenings(astro::crescentRun(*ephemeris_, place_, newMoon_.ut, kDays));
    newMoonText->setText(QStringLiteral("Újhold: %1 %2   Hely: %3 (%4)")
                             .arg(zone.text(newMoon_.ut),
                                  newMoon_.fromField
                                      ? QStringLiteral("(az Utolsó Újhold mezőhöz legközelebbi újhold)")
                                      : QStringLiteral("(az Utolsó Újhold mező üres vagy érvénytelen: a mostanihoz "
                                                       "legközelebbi újhold)"),
                                  place_.name, coordinates(place_)));

    table->setRowCount(int(evenings_.size()));
    int chosen = -1;
    for (int row = 0; row < int(evenings_.size()); ++row) {
        const astro::CrescentEvening& c = evenings_[std::size_t(row)];
        const QStringList cells = crescentTableRow(c, zone);
        for (int column = 0; column < int(cells.size()); ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            item->setTextAlignment(column <= 2 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignRight | Qt::AlignVCenter);
            item->setForeground(colours::White);
            if (c.moonUp && (column == kYallopColumn || column == kOdehColumn)) {
                item->setBackground(column == kYallopColumn ? classColour(c.yallop) : classColour(c.odeh));
                item->setForeground(colours::Black);
                item->setTextAlignment(Qt::AlignCenter);
            }
            table->setItem(row, column, item);
        }
        // The first evening with a crescent to look for.
        if (chosen < 0 && c.twilight == astro::Twilight::Evening && c.moonUp)
            chosen = row;
    }
    if (chosen >= 0)
        table->selectRow(chosen);
    showSelected();
}

QString VisibilityWindow::tableText() const
{
    std::vector<QStringList> rows;
    for (int row = 0; row < table->rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < table->columnCount(); ++column)
            cells << table->item(row, column)->text();
        rows.push_back(cells);
    }
    return tabSeparated(crescentTableHeaders(), rows);
}

} // namespace vkt
