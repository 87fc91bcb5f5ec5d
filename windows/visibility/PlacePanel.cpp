#include "windows/visibility/PlacePanel.h"

#include "services/Messages.h"
#include "windows/common/Guarded.h"
#include "windows/visibility/ObservingPlaces.h"
#include "windows/visibility/PanelLook.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace vkt {
namespace {

QLineEdit* field(QWidget* parent, const char* name, const QString& accessibleName, const QRect& geometry)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    box->setAccessibleName(accessibleName);
    box->setFont(panelLook::font());
    box->setGeometry(geometry);
    setBoxColours(box, colours::White, colours::Black);
    return box;
}

} // namespace

PlacePanel::PlacePanel(QWidget* parent) : QWidget(parent), place_(rememberedPlace())
{
    setObjectName(QStringLiteral("placePanel"));
    resize(1046, 28);
    createCombo();
    createFields();
    showPlace();
}

void PlacePanel::createCombo()
{
    QLabel* caption = panelLook::label(this, QStringLiteral("&Hely:"), QRect(0, 1, 44, 26));
    placeCombo = new QComboBox(this);
    placeCombo->setObjectName(QStringLiteral("placeCombo"));
    placeCombo->setAccessibleName(QStringLiteral("Megfigyelőhely"));
    placeCombo->setAccessibleDescription(
        QStringLiteral("Magyar megfigyelőhelyek; a választott hely adatai a mezőkbe kerülnek"));
    placeCombo->setGeometry(46, 1, 160, 26);
    setBoxColours(placeCombo, colours::White, colours::Black);
    for (const astro::Place& p : observingPlaces())
        placeCombo->addItem(p.name);
    caption->setBuddy(placeCombo);
    connect(placeCombo, &QComboBox::activated, this,
            [this](int index) { guarded([this, index] { choosePreset(index); }); });
}

void PlacePanel::createFields()
{
    panelLook::label(this, QStringLiteral("Név:"), QRect(218, 1, 40, 26));
    placeNameField = field(this, "placeNameField", QStringLiteral("A hely neve"), QRect(258, 1, 150, 26));
    panelLook::label(this, QStringLiteral("Szélesség (°):"), QRect(420, 1, 96, 26));
    latitudeField = field(this, "latitudeField", QStringLiteral("Földrajzi szélesség fokban, északon pozitív"),
                          QRect(516, 1, 72, 26));
    panelLook::label(this, QStringLiteral("Hosszúság (°):"), QRect(600, 1, 100, 26));
    longitudeField = field(this, "longitudeField", QStringLiteral("Földrajzi hosszúság fokban, keletre pozitív"),
                           QRect(700, 1, 72, 26));
    panelLook::label(this, QStringLiteral("Magasság (m):"), QRect(784, 1, 96, 26));
    heightField = field(this, "heightField", QStringLiteral("Tengerszint feletti magasság méterben"),
                        QRect(880, 1, 64, 26));
    applyPlaceButton = panelLook::button(this, QStringLiteral("&Beállít"), QRect(956, 0, 90, 28));
    applyPlaceButton->setObjectName(QStringLiteral("applyPlaceButton"));
    applyPlaceButton->setAccessibleName(QStringLiteral("Beállít"));
    applyPlaceButton->setAccessibleDescription(QStringLiteral("A mezőkbe írt helyre számol újra"));

    connect(applyPlaceButton, &QPushButton::clicked, this, [this] { guarded([this] { applyTypedPlace(); }); });
    for (QLineEdit* box : {placeNameField, latitudeField, longitudeField, heightField})
        connect(box, &QLineEdit::returnPressed, this, [this] { guarded([this] { applyTypedPlace(); }); });
}

void PlacePanel::showPlace()
{
    const PlaceInput input = placeInput(place_);
    placeNameField->setText(input.name);
    latitudeField->setText(input.latitude);
    longitudeField->setText(input.longitude);
    heightField->setText(input.height);
    placeCombo->setCurrentIndex(-1);
    const auto& presets = observingPlaces();
    for (int i = 0; i < int(presets.size()); ++i)
        if (presets[i].name == place_.name && presets[i].latitude == place_.latitude &&
            presets[i].longitude == place_.longitude && presets[i].height == place_.height)
            placeCombo->setCurrentIndex(i);
}

void PlacePanel::applyTypedPlace()
{
    const auto read = readPlace(
        {placeNameField->text(), latitudeField->text(), longitudeField->text(), heightField->text()});
    if (const QString* problem = std::get_if<QString>(&read)) {
        showMessage(*problem, MessageIcon::Warning);
        return;
    }
    take(std::get<astro::Place>(read));
}

void PlacePanel::choosePreset(int index)
{
    if (index >= 0 && index < int(observingPlaces().size()))
        take(observingPlaces()[std::size_t(index)]);
}

void PlacePanel::take(const astro::Place& place)
{
    place_ = place;
    rememberPlace(place_);
    showPlace();
    emit placeChanged();
}

} // namespace vkt
