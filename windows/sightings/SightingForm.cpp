#include "windows/sightings/SightingForm.h"

#include "astro/CivilTime.h"
#include "presentation/SightingTexts.h"
#include "windows/visibility/ObservingPlaces.h"

#include <QComboBox>
#include <QCompleter>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTimeZone>

namespace vkt {
namespace {

using sightings::Clouds;
using sightings::Means;
using sightings::Outcome;
using sightings::Transparency;

// Which list a place entry comes from, and its index there.
constexpr int kOwnRole = Qt::UserRole;
constexpr int kIndexRole = Qt::UserRole + 1;

// A field's caption, Alt+letter moving to the field.
QLabel* caption(QWidget* parent, const QString& text, QWidget* buddy)
{
    auto* l = new QLabel(text, parent);
    l->setBuddy(buddy);
    return l;
}

// One line of the form: its widgets side by side, each with its share of the spare width.
void addRow(QGridLayout* grid, int r, std::initializer_list<std::pair<QWidget*, int>> cells)
{
    auto* line = new QHBoxLayout;
    for (const auto& [w, stretch] : cells)
        line->addWidget(w, stretch);
    grid->addLayout(line, r, 0);
}

QLineEdit* lineField(QWidget* parent, const char* name, const QString& accessibleName, const QString& widest)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    box->setAccessibleName(accessibleName);
    if (!widest.isEmpty())
        box->setMinimumWidth(box->fontMetrics().horizontalAdvance(widest) + 14);
    return box;
}

QComboBox* choice(QWidget* parent, const char* name, const QString& accessibleName)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setAccessibleName(accessibleName);
    return box;
}

// Selects the entry whose data is the value.
void select(QComboBox* box, int value)
{
    box->setCurrentIndex(std::max(0, box->findData(value)));
}

int selected(const QComboBox* box)
{
    return box->currentData().toInt();
}

// "20:15", "8:05" or, as a catalogue may give it, "20:15:30"; blanks around ignored. Nothing for an
// empty text; an invalid time for anything else.
std::optional<QTime> typedTime(const QString& text)
{
    static const QRegularExpression clock(QStringLiteral("^(\\d{1,2})[:.](\\d{2})(?:[:.](\\d{2}))?$"));
    const QString t = text.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    const QRegularExpressionMatch m = clock.match(t);
    return m.hasMatch() ? QTime(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt()) : QTime();
}

// The clock time as the form shows it: its seconds only where it has them, so an edit keeps them.
QString timeText(const QTime& time)
{
    return time.toString(time.second() ? QStringLiteral("HH:mm:ss") : QStringLiteral("HH:mm"));
}

} // namespace

SightingForm::SightingForm(PlaceStore& places, QWidget* parent) : QWidget(parent), places_(places)
{
    setObjectName(QStringLiteral("sightingForm"));
    createFields();
    fillPlaceCombo();
}

void SightingForm::createFields()
{
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(4);
    createWhenFields(grid);
    createPlaceFields(grid);
    createMeansFields(grid);
    createSkyFields(grid);
    for (QLineEdit* box : {timeField, observersField, placeNameField, latitudeField, longitudeField, heightField, noteField})
        connect(box, &QLineEdit::textChanged, this, &SightingForm::changed);
    for (QComboBox* box : {sessionCombo, zoneCombo, transparencyCombo, cloudsCombo})
        connect(box, &QComboBox::currentTextChanged, this, &SightingForm::changed);
    for (QComboBox* box : outcomeCombos)
        connect(box, &QComboBox::currentIndexChanged, this, &SightingForm::changed);
    connect(dateField, &QDateEdit::dateChanged, this, &SightingForm::changed);
    connect(placeCombo, &QComboBox::activated, this, &SightingForm::choosePlace);
    connect(zoneCombo, &QComboBox::activated, this, [this] { zoneChosen_ = true; });
    connect(zoneCombo->lineEdit(), &QLineEdit::textEdited, this, [this] { zoneChosen_ = true; });
    for (QLineEdit* box : {latitudeField, longitudeField})
        connect(box, &QLineEdit::editingFinished, this, &SightingForm::proposeZone);
}

void SightingForm::createWhenFields(QGridLayout* grid)
{
    dateField = new QDateEdit(this);
    dateField->setObjectName(QStringLiteral("dateField"));
    dateField->setAccessibleName(QStringLiteral("Az észlelés napja a hely naptára szerint"));
    dateField->setDisplayFormat(QStringLiteral("yyyy.MM.dd"));
    dateField->setCalendarPopup(true);
    dateField->setDateRange(QDate(sightings::kFirstYear, 1, 1), QDate(sightings::kLastYear, 12, 31));
    timeField = lineField(this, "timeField", QStringLiteral("Az első észlelés helyi ideje, óó:pp; üresen a legjobb időpont"),
                          QStringLiteral("00:00 "));
    timeField->setPlaceholderText(QStringLiteral("legjobb"));
    timeField->setToolTip(QStringLiteral("Az első észlelés (sikertelen próbánál a próba) helyi ideje, óó:pp. "
                                         "Üresen az aznapi legjobb időpont számít."));
    sessionCombo = choice(this, "sessionCombo", QStringLiteral("Este vagy reggel"));
    sessionCombo->addItem(QStringLiteral("este"), int(astro::Twilight::Evening));
    sessionCombo->addItem(QStringLiteral("reggel"), int(astro::Twilight::Morning));
    observersField = lineField(this, "observersField", QStringLiteral("Megfigyelő(k)"), {});
    addRow(grid, 0, {{caption(this, QStringLiteral("&Dátum:"), dateField), 0}, {dateField, 0},
            {caption(this, QStringLiteral("&Idő:"), timeField), 0}, {timeField, 0}, {sessionCombo, 0},
            {caption(this, QStringLiteral("Megfi&gyelő:"), observersField), 0}, {observersField, 1}});
}

void SightingForm::createPlaceFields(QGridLayout* grid)
{
    placeCombo = choice(this, "placeCombo", QStringLiteral("Megfigyelőhely a beépített és a saját helyek közül"));
    placeCombo->setMinimumContentsLength(10);
    placeCombo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    placeNameField = lineField(this, "placeNameField", QStringLiteral("A hely neve"), QStringLiteral("Budapest"));
    latitudeField = lineField(this, "latitudeField", QStringLiteral("Földrajzi szélesség fokban, északon pozitív"),
                              QStringLiteral("-89,999"));
    longitudeField = lineField(this, "longitudeField", QStringLiteral("Földrajzi hosszúság fokban, keletre pozitív"),
                               QStringLiteral("-179,999"));
    heightField = lineField(this, "heightField", QStringLiteral("Tengerszint feletti magasság méterben"),
                            QStringLiteral("9000,5"));
    zoneCombo = choice(this, "zoneCombo", QStringLiteral("Időzóna IANA-néven; üresen a hosszúság helyi középideje"));
    zoneCombo->setEditable(true);
    zoneCombo->lineEdit()->setAccessibleName(zoneCombo->accessibleName());
    zoneCombo->setInsertPolicy(QComboBox::NoInsert);
    zoneCombo->setMinimumContentsLength(14);
    zoneCombo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    for (const QByteArray& id : QTimeZone::availableTimeZoneIds())
        zoneCombo->addItem(QString::fromLatin1(id));
    zoneCombo->completer()->setFilterMode(Qt::MatchContains);
    zoneCombo->completer()->setCaseSensitivity(Qt::CaseInsensitive);
    zoneCombo->completer()->setCompletionMode(QCompleter::PopupCompletion);
    addRow(grid, 1, {{caption(this, QStringLiteral("&Hely:"), placeCombo), 0}, {placeCombo, 2},
            {caption(this, QStringLiteral("Név:"), placeNameField), 0}, {placeNameField, 3},
            {caption(this, QStringLiteral("Szél. (°):"), latitudeField), 0}, {latitudeField, 1},
            {caption(this, QStringLiteral("Hossz. (°):"), longitudeField), 0}, {longitudeField, 1},
            {caption(this, QStringLiteral("Mag. (m):"), heightField), 0}, {heightField, 1},
            {caption(this, QStringLiteral("&Zóna:"), zoneCombo), 0}, {zoneCombo, 2}});
}

void SightingForm::createMeansFields(QGridLayout* grid)
{
    static const char* const names[] = {"nakedEyeCombo", "binocularsCombo", "telescopeCombo", "cameraCombo"};
    auto* means = new QHBoxLayout;
    for (int m = 0; m < sightings::kMeansCount; ++m) {
        const QString word = presentation::meansWord(static_cast<Means>(m));
        QComboBox* box = choice(this, names[m], word);
        for (const Outcome o : {Outcome::NotTried, Outcome::Seen, Outcome::NotSeen})
            box->addItem(presentation::outcomeWord(o), int(o));
        outcomeCombos[std::size_t(m)] = box;
        QString text = word + u':';
        text[0] = text[0].toUpper();
        means->addWidget(caption(this, text, box));
        means->addWidget(box, 1);
    }
    grid->addLayout(means, 2, 0);
}

void SightingForm::createSkyFields(QGridLayout* grid)
{
    transparencyCombo = choice(this, "transparencyCombo", QStringLiteral("Az ég átlátszósága"));
    for (const Transparency t : {Transparency::Unknown, Transparency::Superb, Transparency::Clear, Transparency::Hazy,
                                 Transparency::VeryHazy})
        transparencyCombo->addItem(presentation::transparencyWord(t), int(t));
    cloudsCombo = choice(this, "cloudsCombo", QStringLiteral("Felhőzet"));
    for (const Clouds c : {Clouds::Unknown, Clouds::Clear, Clouds::PartlyCloudy, Clouds::Cloudy})
        cloudsCombo->addItem(presentation::cloudsWord(c), int(c));
    noteField = lineField(this, "noteField", QStringLiteral("Megjegyzés"), {});
    addRow(grid, 3, {{caption(this, QStringLiteral("Ég:"), transparencyCombo), 0}, {transparencyCombo, 0},
            {caption(this, QStringLiteral("Felhő:"), cloudsCombo), 0}, {cloudsCombo, 0},
            {caption(this, QStringLiteral("Megje&gyzés:"), noteField), 0}, {noteField, 1}});
}

void SightingForm::fillPlaceCombo()
{
    placeCombo->clear();
    const auto add = [this](const std::vector<astro::Place>& list, bool own) {
        for (int i = 0; i < int(list.size()); ++i) {
            placeCombo->addItem(list[std::size_t(i)].name);
            placeCombo->setItemData(placeCombo->count() - 1, own, kOwnRole);
            placeCombo->setItemData(placeCombo->count() - 1, i, kIndexRole);
        }
    };
    add(places_.ownPlaces(), true);
    add(observingPlaces(), false);
    placeCombo->setCurrentIndex(-1);
}

void SightingForm::choosePlace(int index)
{
    if (index < 0)
        return;
    const bool own = placeCombo->itemData(index, kOwnRole).toBool();
    const auto& list = own ? places_.ownPlaces() : observingPlaces();
    showPlace(list.at(std::size_t(placeCombo->itemData(index, kIndexRole).toInt())));
}

void SightingForm::showPlace(const astro::Place& place)
{
    const PlaceInput input = placeInput(place);
    placeNameField->setText(input.name);
    latitudeField->setText(input.latitude);
    longitudeField->setText(input.longitude);
    heightField->setText(input.height);
    zoneCombo->setCurrentText(QString::fromLatin1(place.timeZone));
    zoneChosen_ = false;
}

void SightingForm::proposeZone()
{
    const auto latitude = astro::readPlaceNumber(astro::PlaceField::Latitude, latitudeField->text());
    const auto longitude = astro::readPlaceNumber(astro::PlaceField::Longitude, longitudeField->text());
    if (zoneChosen_ || !latitude || !longitude)
        return;
    if (const QByteArray zone = proposedZone(*latitude, *longitude); !zone.isEmpty())
        zoneCombo->setCurrentText(QString::fromLatin1(zone));
}

void SightingForm::show(const sightings::Sighting& s, std::optional<std::size_t> row)
{
    filling_ = true;
    dateField->setDate(s.date);
    timeField->setText(s.time ? timeText(*s.time) : QString());
    select(sessionCombo, int(s.session));
    placeCombo->setCurrentIndex(placeCombo->findText(s.place.name));
    showPlace(s.place);
    observersField->setText(s.observers);
    for (int m = 0; m < sightings::kMeansCount; ++m)
        select(outcomeCombos[std::size_t(m)], int(s.outcome(static_cast<Means>(m))));
    select(transparencyCombo, int(s.transparency));
    select(cloudsCombo, int(s.clouds));
    noteField->setText(s.note);
    filling_ = false;
    row_ = row;
    edited_ = false;
}

std::variant<sightings::Sighting, QString> SightingForm::read() const
{
    sightings::Sighting s;
    s.date = dateField->date();
    s.time = typedTime(timeField->text());
    if (s.time && !s.time->isValid())
        return QStringLiteral("Az időpont óó:pp alakú legyen (például 19:42), vagy üres, ha a legjobb időpont számít.");
    s.session = static_cast<astro::Twilight>(selected(sessionCombo));
    const PlaceInput input{placeNameField->text(), latitudeField->text(), longitudeField->text(), heightField->text()};
    // No zone keeps the local mean time of the longitude, as the data file allows.
    const QString zone = zoneCombo->currentText().trimmed();
    if (zone.isEmpty()) {
        const auto place = astro::readPlace(input, {});
        // The fields are checked before the zone, so any known zone gives the field's message.
        if (std::holds_alternative<astro::PlaceField>(place))
            return std::get<QString>(readPlace(input, QStringLiteral("Europe/Budapest")));
        s.place = std::get<astro::Place>(place);
    } else {
        const auto place = readPlace(input, zone);
        if (const QString* problem = std::get_if<QString>(&place))
            return *problem;
        s.place = std::get<astro::Place>(place);
    }
    s.observers = observersField->text().trimmed();
    for (int m = 0; m < sightings::kMeansCount; ++m)
        s.outcomes[std::size_t(m)] = static_cast<Outcome>(selected(outcomeCombos[std::size_t(m)]));
    s.transparency = static_cast<Transparency>(selected(transparencyCombo));
    s.clouds = static_cast<Clouds>(selected(cloudsCombo));
    s.note = noteField->text().trimmed();
    return s;
}

void SightingForm::markSaved(std::size_t row)
{
    row_ = row;
    edited_ = false;
}

void SightingForm::rowRemoved(std::size_t row)
{
    if (!row_)
        return;
    if (*row_ == row)
        row_.reset();
    else if (*row_ > row)
        --*row_;
}

void SightingForm::changed()
{
    if (filling_)
        return;
    edited_ = true;
    emit edits();
}

} // namespace vkt
