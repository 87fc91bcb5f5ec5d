#include "windows/calc/CalculationsWindow.h"

#include "services/Messages.h"
#include "services/Numbers.h"
#include "windows/calc/MilConversion.h"
#include "windows/common/DrawnText.h"
#include "windows/common/WindowLook.h"

#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

namespace vkt {
namespace {

constexpr QColor Background = colours::PaleCyan;

// Results start in the gap between "fok  =" / "vonás =  " and the unit label after it.
constexpr int ResultLeft = 3400;
constexpr int DegreesResultTop = 1080;
constexpr int MilsResultTop = 2650;

QLabel* formLabel(QWidget* window, const char* name, const QString& text, const QFont& font, const QRect& geometry)
{
    QLabel* label = wrappedLabel(window, text, font, geometry);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    setColours(label, Background);  // labels paint the window's colour behind their text
    return label;
}

} // namespace

CalculationsWindow::CalculationsWindow()
{
    setObjectName(QStringLiteral("calculationsWindow"));
    setWindowTitle(QStringLiteral("Számítások"));
    setColours(this, Background);
    setFont(programFont(QStringLiteral("Arial"), 14.25, QFont::Bold));  // the font of the drawn results
    setFixedSize(twipsSize(8610, 5970));
    setFrame(this, Frame::Fixed, Minimise::Off);

    resultArea = new DrawnText(this);
    createLabels();
    createInputs();
    degreesField->setFocus();
}

void CalculationsWindow::createLabels()
{
    QFont heading = programFont(QStringLiteral("Arial"), 12, QFont::Bold);
    heading.setUnderline(true);
    const QFont plain = programFont(QStringLiteral("Arial"), 12, QFont::Bold);

    formLabel(this, "degreesToMilsHeading", QStringLiteral("Fok -  Vonás átszámítás:"), heading,
              twipsRect(480, 480, 4575, 375));
    formLabel(this, "degreesEquals", QStringLiteral("fok  ="), plain, twipsRect(1800, 1080, 1095, 375));
    formLabel(this, "milsUnit", QStringLiteral("vonás"), plain, twipsRect(5160, 1080, 1095, 375));
    formLabel(this, "milsToDegreesHeading", QStringLiteral("Vonás - Fok átszámítás:"), heading,
              twipsRect(480, 2040, 4575, 375));
    formLabel(this, "milsEquals", QStringLiteral("vonás =  "), plain, twipsRect(1800, 2640, 1335, 375));
    formLabel(this, "degreesUnit", QStringLiteral("fok"), plain, twipsRect(5160, 2640, 855, 375));
    formLabel(this, "milsExplanation",
              QStringLiteral("A tüzérségben és a navigációban használt 6000 egységre osztott kör (ún. tüzérségi kör) "
                             "olyan szögmértékegység, amely a teljes kört 360 fok helyett 6000 egységre osztja fel."),
              programFont(QStringLiteral("Arial Narrow"), 12.75, QFont::Bold), twipsRect(600, 3600, 7455, 1215));
}

void CalculationsWindow::createInputs()
{
    auto inputBox = [this](const char* name, const QRect& geometry) {
        auto* box = new QLineEdit(this);
        box->setObjectName(QLatin1String(name));
        box->setMaxLength(6);
        box->setGeometry(geometry);
        setBoxColours(box, colours::White, colours::Black);  // not the window's cyan
        return box;
    };
    const QFont calculate = programFont(QStringLiteral("Arial Narrow"), 12, QFont::Bold);

    // Created in tab order: degree box, its button, mil box, its button, then OK.
    degreesField = inputBox("degreesField", twipsRect(480, 960, 1095, 450));
    degreesField->setAccessibleName(QStringLiteral("fok"));
    degreesField->setAccessibleDescription(QStringLiteral("Fok -  Vonás átszámítás: a szög fokban"));
    // Two buttons of one caption: each its own access key, and a name that tells them apart.
    degreesToMilsButton = colouredButton(this, QStringLiteral("&Számítás"), colours::PaleGreen, calculate,
                                         twipsRect(6600, 960, 1455, 495));
    degreesToMilsButton->setObjectName(QStringLiteral("degreesToMilsButton"));
    degreesToMilsButton->setAccessibleName(QStringLiteral("Számítás: fok - vonás"));
    milsField = inputBox("milsField", twipsRect(480, 2520, 1095, 450));
    milsField->setAccessibleName(QStringLiteral("vonás"));
    milsField->setAccessibleDescription(QStringLiteral("Vonás - Fok átszámítás: a szög vonásban"));
    milsToDegreesButton = colouredButton(this, QStringLiteral("Számí&tás"), colours::PaleGreen, calculate,
                                         twipsRect(6600, 2520, 1455, 495));
    milsToDegreesButton->setObjectName(QStringLiteral("milsToDegreesButton"));
    milsToDegreesButton->setAccessibleName(QStringLiteral("Számítás: vonás - fok"));
    okButton = colouredButton(this, QStringLiteral("&OK"), colours::PaleGreen,
                              programFont(QStringLiteral("Arial Narrow"), 14.25, QFont::Bold),
                              twipsRect(3960, 5280, 855, 495));
    okButton->setObjectName(QStringLiteral("okButton"));
    setTabOrder(degreesField, degreesToMilsButton);
    setTabOrder(degreesToMilsButton, milsField);
    setTabOrder(milsField, milsToDegreesButton);
    setTabOrder(milsToDegreesButton, okButton);

    connect(degreesToMilsButton, &QPushButton::clicked, this,
            [this] { convert(degreesField, DegreesToMils, DegreesResultTop); });
    connect(milsToDegreesButton, &QPushButton::clicked, this,
            [this] { convert(milsField, MilsToDegrees, MilsResultTop); });
    connect(okButton, &QPushButton::clicked, this, &QWidget::close);
}

void CalculationsWindow::convert(QLineEdit* input, std::optional<double> (*operation)(double), int resultTopTwips)
{
    const std::optional<double> number = toNumber(input->text());
    const std::optional<double> result = number ? operation(*number) : std::nullopt;
    if (!result) {
        // The earlier result stays on the window and the box keeps its text for correcting.
        showMessage(QStringLiteral("Kérem, VALÓS ADATOT adjon meg!"), MessageIcon::Warning);
        return;
    }
    resultArea->clearDrawing();
    resultArea->drawText(ResultLeft, resultTopTwips,
                         QLatin1Char(' ') + formatNumber(*result, NumberPattern::TwoDecimals));
    resultArea->announce();
}

void CalculationsWindow::paintEvent(QPaintEvent*)
{
    // A frame around the conversion area, a rule between its two rows and one above the explanation.
    QPainter painter(this);
    painter.setPen(colours::Silver);
    painter.drawRect(twipsRect(240, 240, 8175, 4815).adjusted(0, 0, -1, -1));
    painter.drawLine(twipsPoint(480, 1800), twipsPoint(8040, 1800));
    painter.drawLine(twipsPoint(2400, 3360), twipsPoint(6120, 3360));
}

} // namespace vkt
