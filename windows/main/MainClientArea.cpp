#include "windows/main/MainClientArea.h"

#include "windows/common/DrawnText.h"
#include "windows/common/Pictures.h"
#include "windows/common/WindowLook.h"
#include "windows/main/PhasePicture.h"
#include "windows/main/WrappedCaption.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

namespace vkt {
namespace {

QFont buttonFont()
{
    return programFont(QStringLiteral("Arial"), 11.25);
}

QLineEdit* timeField(QWidget* parent, const char* name, int maxLength, const QColor& text, const QRect& geometry)
{
    auto* field = new QLineEdit(parent);
    field->setObjectName(QString::fromLatin1(name));
    field->setMaxLength(maxLength);
    field->setGeometry(geometry);
    // A thin grey frame of its own: it shows on the black window under any desktop theme, and it
    // leaves the widest date-time of the field room without scrolling.
    field->setStyleSheet(QStringLiteral("QLineEdit { border: 1px solid %1; padding: 0px; background-color: %2;"
                                        " color: %3; selection-background-color: %3; selection-color: %2; }")
                             .arg(colours::Grey.name(), colours::Black.name(), text.name()));
    // A line edit keeps 2 pixels free on either side of its text; one of them is enough, and the
    // 22 characters of an observation time take all the rest in the field's font.
    field->setTextMargins(-1, 0, -1, 0);
    return field;
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption, const QColor& face, const QFont& font,
                    const QRect& geometry)
{
    QPushButton* b = colouredButton(parent, caption, face, font, geometry);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

} // namespace

MainClientArea::MainClientArea(QWidget* parent) : QWidget(parent)
{
    setFixedSize(twipsSize(11160, 6030));
    setColours(this, colours::Black, colours::LightGreen);
    setFont(programFont(QStringLiteral("Times New Roman CE"), 14.25));

    createNewMoonGroup();
    createObservationGroup();
    createPictures();
    resultArea = new DrawnText(this);

    // The phase picture comes last, so the keyboard reaches the moon map too.
    QWidget* order[] = {newMoonField,     restoreNewMoonButton,  newMoonList, okButton,    lastObservationButton,
                        observationField, saveObservationButton, nowButton,   phasePicture};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
    newMoonField->setFocus();
}

void MainClientArea::createNewMoonGroup()
{
    newMoonLabel = wrappedLabel(this, QStringLiteral("Utolsó Újhold :"),
                                programFont(QStringLiteral("Times New Roman"), 12.75), twipsRect(6840, 840, 2655, 375),
                                colours::LightYellow);
    newMoonLabel->setObjectName(QStringLiteral("newMoonLabel"));

    newMoonField =
        timeField(this, "newMoonField", kNewMoonLength, colours::PaleYellow, twipsRect(6840, 1200, 2295, 405));
    newMoonField->setAccessibleName(QStringLiteral("Utolsó Újhold"));
    newMoonField->setAccessibleDescription(QStringLiteral("Az utolsó újhold időpontja, például 2026.11.20 07:47"));
    newMoonField->setFont(programFont(QStringLiteral("Times New Roman"), 14.25));

    newMoonList = new QComboBox(this);
    newMoonList->setObjectName(QStringLiteral("newMoonList"));
    newMoonList->setAccessibleName(QStringLiteral("Újholdak"));
    newMoonList->setAccessibleDescription(
        QStringLiteral("Újhold időpontok; az OK gomb a kiválasztottat az Utolsó Újhold mezőbe írja"));
    newMoonList->setGeometry(twipsRect(6840, 1800, 2295, 405));
    newMoonList->setFont(programFont(QStringLiteral("Times New Roman"), 12.75));
    // Flat, like a text field: the style's button gradient would hide the list's colour.
    newMoonList->setStyleSheet(QStringLiteral("QComboBox { background-color: %1; color: %2; border: 1px solid %3;"
                                              " padding-left: 3px; }"
                                              " QComboBox QAbstractItemView { background-color: %1; color: %2; }")
                                   .arg(colours::PaleYellow.name(), colours::Black.name(), colours::Grey.name()));

    okButton = button(this, "okButton", QStringLiteral("&OK"), colours::PaleYellow, buttonFont(),
                      twipsRect(9720, 1800, 975, 470));
    restoreNewMoonButton = button(this, "restoreNewMoonButton", QStringLiteral("&Utolsó Újhold"),
                                  colours::LightYellow, buttonFont(), twipsRect(6840, 2640, 1695, 495));
}

void MainClientArea::createObservationGroup()
{
    observationLabel = wrappedLabel(this, QStringLiteral("Megfigyelés :"),
                                    programFont(QStringLiteral("Times New Roman CE"), 12.75),
                                    twipsRect(6840, 3720, 2655, 375), colours::LightGreen);
    observationLabel->setObjectName(QStringLiteral("observationLabel"));

    observationField =
        timeField(this, "observationField", kObservationLength, colours::LightGreen, twipsRect(6840, 4200, 2655, 435));
    observationField->setAccessibleName(QStringLiteral("Megfigyelés"));
    observationField->setAccessibleDescription(QStringLiteral("A megfigyelés időpontja"));

    saveObservationButton = button(this, "saveObservationButton", QStringLiteral("Me&ntés"), colours::LightGreen,
                                   buttonFont(), twipsRect(9720, 4200, 975, 470));
    lastObservationButton = button(this, "lastObservationButton", QStringLiteral("Utolsó &Megfigyelés"),
                                   colours::LightGreen, buttonFont(), twipsRect(6840, 4920, 1695, 615));
    wrapCaption(lastObservationButton);
    nowButton = button(this, "nowButton", QStringLiteral("Mos&t!"), colours::PaleCyan,
                       programFont(QStringLiteral("Arial"), 12, QFont::Normal, true), twipsRect(9120, 4920, 1575, 615));
}

void MainClientArea::createPictures()
{
    banner = new QLabel(this);
    banner->setObjectName(QStringLiteral("banner"));
    banner->setAccessibleName(QStringLiteral("Holdfázisok sora"));
    banner->setGeometry(twipsRect(480, 240, 4455, 615));
    banner->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    banner->setPixmap(loadPicture(QStringLiteral(":/icons/holdak-banner.png"), devicePixelRatioF()));
    setColours(banner, colours::Face);

    phasePicture = new PhasePicture(this);
    phasePicture->setObjectName(QStringLiteral("phasePicture"));
    phasePicture->setGeometry(twipsRect(840, 3000, 2055, 2055));
    setColours(phasePicture, colours::Black);
}

void MainClientArea::paintEvent(QPaintEvent* event)
{
    QWidget::paintEvent(event);
    QPainter painter(this);
    painter.setPen(QPen(colours::Grey, 1));
    // A frame's outline lies inside its rectangle.
    const auto frame = [&](int left, int top, int width, int height) {
        painter.drawRect(twipsRect(left, top, width, height).adjusted(0, 0, -1, -1));
    };
    frame(360, 480, 6015, 5295);   // the left half, where the result is written
    frame(6600, 480, 4335, 5295);  // the right half, with the fields and buttons
    frame(600, 2760, 2535, 2655);  // around the phase picture
    painter.drawLine(twipsPoint(600, 1800), twipsPoint(5880, 1800));    // between the observation time and the age
    painter.drawLine(twipsPoint(6840, 3360), twipsPoint(10560, 3360));  // between the new moon and the observation
}

} // namespace vkt
