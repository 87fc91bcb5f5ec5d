#include "windows/other/AboutWindow.h"

#include "services/Version.h"
#include "windows/common/WindowLook.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace vkt {
namespace {

constexpr QColor Background = colours::PaleCyan;

QLabel* aboutLabel(QWidget* window, const char* name, const QString& text, const QFont& font, const QRect& geometry,
                   const QColor& colour, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop)
{
    // Left transparent over the window's own colour: the version overlaps the start of the
    // platform's label, and a painted box would hide its "(x".
    QLabel* label = wrappedLabel(window, text, font, geometry, colour, alignment);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace

AboutWindow::AboutWindow()
{
    setObjectName(QStringLiteral("aboutWindow"));
    setWindowTitle(QStringLiteral("A programról"));  // stored caption; fillBuildTexts replaces it
    setColours(this, Background);
    setFixedSize(twipsSize(5730, 4290));
    setFrame(this, Frame::Fixed, Minimise::Off);

    createControls();
    fillBuildTexts();
}

void AboutWindow::createControls()
{
    // The picture area takes the size of its picture, the 32 x 32 icon.
    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("icon"));
    icon->setAccessibleName(QStringLiteral("A program ikonja: narancssárga holdsarló"));
    icon->setPixmap(windowIcon().pixmap(QSize(32, 32), devicePixelRatioF()));
    icon->setGeometry(QRect(twipsPoint(240, 240), QSize(32, 32)));

    okButton = colouredButton(this, QStringLiteral("&OK"), colours::PaleGreen,
                              programFont(QStringLiteral("MS Sans Serif"), 8.25, QFont::Bold),
                              twipsRect(2400, 3720, 1020, 345));
    okButton->setObjectName(QStringLiteral("okButton"));
    okButton->setDefault(true);
    connect(okButton, &QPushButton::clicked, this, &QWidget::close);
    okButton->setFocus();

    const QFont narrow = programFont(QStringLiteral("Arial Narrow"), 14.25);
    const QColor windowText = palette().color(QPalette::WindowText);
    const QColor buttonText = palette().color(QPalette::ButtonText);
    aboutLabel(this, "editionLabel", QStringLiteral("Tarvo Edition"),
               programFont(QStringLiteral("Arial"), 9.75, QFont::Black), twipsRect(3120, 1800, 2415, 375), windowText);
    aboutLabel(this, "subtitleLabel", QStringLiteral("Holdsarló kor és fázis számoló"), narrow,
               twipsRect(1080, 720, 4455, 495), windowText);
    aboutLabel(this, "webAddressLabel", QStringLiteral("vkt.example.org"), narrow, twipsRect(2400, 3000, 2895, 375),
               buttonText, Qt::AlignRight | Qt::AlignTop);
    aboutLabel(this, "platformLabel", QStringLiteral("(x86  / 32-bit)"), narrow, twipsRect(3120, 1320, 2055, 375),
               windowText);
    aboutLabel(this, "copyrightLabel", QStringLiteral("© 2026 a VKT fejlesztői"), narrow,
               twipsRect(1080, 2520, 4485, 450), colours::Black);
    // Stored texts; fillBuildTexts puts the build's title and version in their place.
    titleLabel = aboutLabel(this, "titleLabel", QStringLiteral("VKT "),
                            programFont(QStringLiteral("Arial Narrow"), 18, QFont::Bold),
                            twipsRect(1080, 240, 3525, 480), windowText);
    versionLabel = aboutLabel(this, "versionLabel", QStringLiteral("Version"),
                              programFont(QStringLiteral("Arial Narrow"), 14.25, QFont::Bold),
                              twipsRect(1080, 1320, 2205, 345), buttonText);
}

void AboutWindow::fillBuildTexts()
{
    const QString title = QString::fromLatin1(kApplicationTitle);
    setWindowTitle(QStringLiteral("About ") + title);
    versionLabel->setText(
        QStringLiteral("Version %1.%2.%3").arg(kVersionMajor).arg(kVersionMinor).arg(kVersionRevision));
    titleLabel->setText(title);
}

void AboutWindow::keyPressEvent(QKeyEvent* event)
{
    // OK is both the default and the cancel button.
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        okButton->click();
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void AboutWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(colours::Grey);
    painter.drawLine(twipsPoint(240, 3480), twipsPoint(5400, 3480));  // a rule above the OK button
}

} // namespace vkt
