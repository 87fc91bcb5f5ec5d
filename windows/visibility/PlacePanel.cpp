#include "windows/visibility/PlacePanel.h"

#include "astro/CivilTime.h"
#include "services/Messages.h"
#include "windows/common/Guarded.h"
#include "windows/visibility/PanelLook.h"

#include <QComboBox>
#include <QCompleter>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimeZone>
#include <QVBoxLayout>

namespace vkt {
namespace {

// Which list a drop-down entry comes from, and its index there.
constexpr int kOwnRole = Qt::UserRole;
constexpr int kIndexRole = Qt::UserRole + 1;

QLineEdit* field(QWidget* parent, const char* name, const QString& accessibleName, const QString& widest)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    box->setAccessibleName(accessibleName);
    box->setFont(panelLook::font());
    box->setMinimumWidth(box->fontMetrics().horizontalAdvance(widest) + 14);
    setBoxColours(box, colours::White, colours::Black);
    return box;
}

bool samePlace(const astro::Place& a, const astro::Place& b)
{
    return a.name == b.name && a.latitude == b.latitude && a.longitude == b.longitude && a.height == b.height &&
           a.timeZone == b.timeZone;
}

} // namespace

PlacePanel::PlacePanel(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("placePanel"));
    auto* rows = new QVBoxLayout(this);
    rows->setContentsMargins(0, 0, 0, 0);
    rows->setSpacing(4);
    createFirstRow();
    createSecondRow();
    fillPlaceCombo();
    showPlace();
}

void PlacePanel::createFirstRow()
{
    auto* row = new QHBoxLayout;
    static_cast<QVBoxLayout*>(layout())->addLayout(row);
    QLabel* caption = panelLook::label(this, QStringLiteral("&Hely:"));
    placeCombo = new QComboBox(this);
    placeCombo->setObjectName(QStringLiteral("placeCombo"));
    placeCombo->setAccessibleName(QStringLiteral("Megfigyelőhely"));
    placeCombo->setAccessibleDescription(
        QStringLiteral("Magyar megfigyelőhelyek és a saját helyek; a választott hely adatai a mezőkbe kerülnek"));
    placeCombo->setMinimumContentsLength(12);
    placeCombo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setBoxColours(placeCombo, colours::White, colours::Black);
    caption->setBuddy(placeCombo);
    placeNameField = field(this, "placeNameField", QStringLiteral("A hely neve"), QStringLiteral("Szombathely"));
    latitudeField = field(this, "latitudeField", QStringLiteral("Földrajzi szélesség fokban, északon pozitív"),
                          QStringLiteral("-89,999"));
    longitudeField = field(this, "longitudeField", QStringLiteral("Földrajzi hosszúság fokban, keletre pozitív"),
                           QStringLiteral("-179,999"));
    heightField = field(this, "heightField", QStringLiteral("Tengerszint feletti magasság méterben"),
                        QStringLiteral("-9000,5"));
    row->addWidget(caption);
    row->addWidget(placeCombo, 2);
    row->addSpacing(8);
    row->addWidget(panelLook::label(this, QStringLiteral("Név:")));
    row->addWidget(placeNameField, 3);
    row->addSpacing(8);
    row->addWidget(panelLook::label(this, QStringLiteral("Szélesség (°):")));
    row->addWidget(latitudeField, 1);
    row->addWidget(panelLook::label(this, QStringLiteral("Hosszúság (°):")));
    row->addWidget(longitudeField, 1);
    row->addWidget(panelLook::label(this, QStringLiteral("Magasság (m):")));
    row->addWidget(heightField, 1);

    connect(placeCombo, &QComboBox::activated, this,
            [this](int index) { guarded([this, index] { choosePlace(index); }); });
    for (QLineEdit* box : {placeNameField, latitudeField, longitudeField, heightField})
        connect(box, &QLineEdit::returnPressed, this, [this] { guarded([this] { applyTypedPlace(); }); });
    for (QLineEdit* box : {latitudeField, longitudeField})
        connect(box, &QLineEdit::editingFinished, this, [this] { guarded([this] { proposeZone(); }); });
}

void PlacePanel::createSecondRow()
{
    auto* row = new QHBoxLayout;
    static_cast<QVBoxLayout*>(layout())->addLayout(row);
    QLabel* caption = panelLook::label(this, QStringLiteral("&Időzóna:"));
    zoneCombo = new QComboBox(this);
    zoneCombo->setObjectName(QStringLiteral("zoneCombo"));
    zoneCombo->setAccessibleName(QStringLiteral("Időzóna"));
    zoneCombo->setAccessibleDescription(
        QStringLiteral("A hely időzónája IANA-néven, például Europe/Budapest; a táblázat, az ábrák és a naptár "
                       "minden időpontja ebben a zónában van"));
    zoneCombo->setEditable(true);
    zoneCombo->lineEdit()->setAccessibleName(QStringLiteral("Időzóna"));
    zoneCombo->setInsertPolicy(QComboBox::NoInsert);
    zoneCombo->setMinimumContentsLength(20);
    zoneCombo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    zoneCombo->setMaxVisibleItems(20);
    setBoxColours(zoneCombo, colours::White, colours::Black);
    for (const QByteArray& id : QTimeZone::availableTimeZoneIds())
        zoneCombo->addItem(QString::fromLatin1(id));
    zoneCombo->completer()->setFilterMode(Qt::MatchContains);
    zoneCombo->completer()->setCaseSensitivity(Qt::CaseInsensitive);
    zoneCombo->completer()->setCompletionMode(QCompleter::PopupCompletion);
    caption->setBuddy(zoneCombo);

    applyPlaceButton = panelLook::button(this, QStringLiteral("&Beállít"), "applyPlaceButton");
    applyPlaceButton->setAccessibleName(QStringLiteral("Beállít"));
    applyPlaceButton->setAccessibleDescription(QStringLiteral("A mezőkbe írt helyre és időzónára számol újra"));
    savePlaceButton = panelLook::button(this, QStringLiteral("Hely m&entése"), "savePlaceButton");
    savePlaceButton->setAccessibleName(QStringLiteral("Hely mentése"));
    savePlaceButton->setAccessibleDescription(
        QStringLiteral("A mezőkbe írt helyet időzónájával a saját helyek közé teszi, és arra számol"));
    deletePlaceButton = panelLook::button(this, QStringLiteral("Hely tör&lése"), "deletePlaceButton");
    deletePlaceButton->setAccessibleName(QStringLiteral("Hely törlése"));
    deletePlaceButton->setAccessibleDescription(
        QStringLiteral("A választott saját helyet törli a listából; a beépített magyar helyek maradnak"));
    zoneHint = panelLook::label(this, {});
    zoneHint->setObjectName(QStringLiteral("zoneHint"));

    row->addWidget(caption);
    row->addWidget(zoneCombo, 2);
    row->addWidget(applyPlaceButton);
    row->addWidget(savePlaceButton);
    row->addWidget(deletePlaceButton);
    row->addWidget(zoneHint, 3);

    connect(zoneCombo, &QComboBox::activated, this, [this] { zoneTyped_ = true; });
    connect(zoneCombo->lineEdit(), &QLineEdit::textEdited, this, [this] { zoneTyped_ = true; });
    connect(zoneCombo->lineEdit(), &QLineEdit::returnPressed, this, [this] { guarded([this] { applyTypedPlace(); }); });
    connect(applyPlaceButton, &QPushButton::clicked, this, [this] { guarded([this] { applyTypedPlace(); }); });
    connect(savePlaceButton, &QPushButton::clicked, this, [this] { guarded([this] { saveTypedPlace(); }); });
    connect(deletePlaceButton, &QPushButton::clicked, this, [this] { guarded([this] { deleteChosenPlace(); }); });
}

void PlacePanel::fillPlaceCombo()
{
    placeCombo->clear();
    const auto add = [this](const std::vector<astro::Place>& places, bool own) {
        for (int i = 0; i < int(places.size()); ++i) {
            placeCombo->addItem(places[std::size_t(i)].name);
            placeCombo->setItemData(placeCombo->count() - 1, own, kOwnRole);
            placeCombo->setItemData(placeCombo->count() - 1, i, kIndexRole);
        }
    };
    add(observingPlaces(), false);
    add(store_.ownPlaces(), true);
}

void PlacePanel::showPlace()
{
    const astro::Place& current = place();
    const PlaceInput input = placeInput(current);
    placeNameField->setText(input.name);
    latitudeField->setText(input.latitude);
    longitudeField->setText(input.longitude);
    heightField->setText(input.height);
    zoneCombo->setCurrentText(QString::fromLatin1(current.timeZone));
    zoneHint->clear();
    zoneTyped_ = false;
    placeCombo->setCurrentIndex(-1);
    for (int i = 0; i < placeCombo->count(); ++i) {
        const bool own = placeCombo->itemData(i, kOwnRole).toBool();
        const auto& list = own ? store_.ownPlaces() : observingPlaces();
        if (samePlace(list[std::size_t(placeCombo->itemData(i, kIndexRole).toInt())], current))
            placeCombo->setCurrentIndex(i);
    }
    deletePlaceButton->setEnabled(placeCombo->currentIndex() >= 0 &&
                                  placeCombo->itemData(placeCombo->currentIndex(), kOwnRole).toBool());
}

// The typed place, or nothing when a message said what is wrong with it.
std::optional<astro::Place> PlacePanel::typedPlace()
{
    const auto read = readPlace(
        {placeNameField->text(), latitudeField->text(), longitudeField->text(), heightField->text()},
        zoneCombo->currentText());
    if (const QString* problem = std::get_if<QString>(&read)) {
        showMessage(*problem + QStringLiteral(" A hely nem változott."), MessageIcon::Warning);
        return std::nullopt;
    }
    return std::get<astro::Place>(read);
}

void PlacePanel::applyTypedPlace()
{
    if (const auto typed = typedPlace())
        take(*typed);
}

void PlacePanel::saveTypedPlace()
{
    const auto typed = typedPlace();
    if (!typed)
        return;
    for (const astro::Place& shipped : observingPlaces())
        if (shipped.name == typed->name) {
            showMessage(QStringLiteral("A(z) „%1” név a beépített helyeké; kérem, adjon más nevet a saját helynek!")
                            .arg(typed->name),
                        MessageIcon::Warning);
            return;
        }
    std::vector<astro::Place> own = store_.ownPlaces();
    const auto same = std::find_if(own.begin(), own.end(), [&](const astro::Place& p) { return p.name == typed->name; });
    if (same != own.end())
        *same = *typed;  // saved again under its name: the newer coordinates win
    else
        own.push_back(*typed);
    store_.setOwnPlaces(own);
    fillPlaceCombo();
    take(*typed);
}

void PlacePanel::deleteChosenPlace()
{
    const int index = placeCombo->currentIndex();
    if (index < 0 || !placeCombo->itemData(index, kOwnRole).toBool())
        return;
    std::vector<astro::Place> own = store_.ownPlaces();
    const auto at = own.begin() + placeCombo->itemData(index, kIndexRole).toInt();
    if (!confirm(QStringLiteral("Törli a saját helyek közül ezt: „%1”?").arg(at->name)))
        return;
    own.erase(at);
    store_.setOwnPlaces(own);
    fillPlaceCombo();
    showPlace();  // the place stays in use, only no longer in the list
}

void PlacePanel::choosePlace(int index)
{
    if (index < 0)
        return;
    const bool own = placeCombo->itemData(index, kOwnRole).toBool();
    const auto& list = own ? store_.ownPlaces() : observingPlaces();
    take(list[std::size_t(placeCombo->itemData(index, kIndexRole).toInt())]);
}

// New coordinates typed for a place: the zone of the nearest known place is offered in the zone
// field, unless the user has chosen one.
void PlacePanel::proposeZone()
{
    if (zoneTyped_)
        return;
    const auto latitude = astro::readPlaceNumber(astro::PlaceField::Latitude, latitudeField->text());
    const auto longitude = astro::readPlaceNumber(astro::PlaceField::Longitude, longitudeField->text());
    if (!latitude || !longitude || (*latitude == place().latitude && *longitude == place().longitude))
        return;
    const QByteArray zone = proposedZone(*latitude, *longitude);
    if (zone.isEmpty() || zone == zoneCombo->currentText().toLatin1())
        return;
    zoneCombo->setCurrentText(QString::fromLatin1(zone));
    zoneHint->setText(QStringLiteral("A koordinátákhoz legközelebbi időzóna: %1").arg(QString::fromLatin1(zone)));
}

void PlacePanel::take(const astro::Place& place)
{
    store_.setCurrent(place);
    showPlace();
    emit placeChanged();
}

} // namespace vkt
