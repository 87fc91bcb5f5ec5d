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
    // Left transparent over the window's own colour: lblVersion overlaps the start of Label1,
    // and a painted box would hide its "(x".
    QLabel* label = wrappedLabel(window, text, font, geometry, colour, alignment);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace

AboutWindow::AboutWindow()
{
    setObjectName(QStringLiteral("frmAbout"));
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
    auto* picIcon = new QLabel(this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setAccessibleName(QStringLiteral("A program ikonja: narancssárga holdsarló"));
    picIcon->setPixmap(windowIcon().pixmap(QSize(32, 32), devicePixelRatioF()));
    picIcon->setGeometry(QRect(twipsPoint(240, 240), QSize(32, 32)));

    cmdOK = colouredButton(this, QStringLiteral("&OK"), colours::PaleGreen,
                           programFont(QStringLiteral("MS Sans Serif"), 8.25, QFont::Bold), twipsRect(2400, 3720, 1020, 345));
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &QWidget::close);
    cmdOK->setFocus();

    const QFont narrow = programFont(QStringLiteral("Arial Narrow"), 14.25);
    const QColor windowText = palette().color(QPalette::WindowText);
    const QColor buttonText = palette().color(QPalette::ButtonText);
    aboutLabel(this, "Label4", QStringLiteral("Tarvo Edition"), programFont(QStringLiteral("Arial"), 9.75, QFont::Black),
               twipsRect(3120, 1800, 2415, 375), windowText);
    aboutLabel(this, "Label3", QStringLiteral("Holdsarló kor és fázis számoló"), narrow, twipsRect(1080, 720, 4455, 495),
               windowText);
    aboutLabel(this, "Label2", QStringLiteral("vkt.example.org"), narrow, twipsRect(2400, 3000, 2895, 375), buttonText,
               Qt::AlignRight | Qt::AlignTop);
    aboutLabel(this, "Label1", QStringLiteral("(x86  / 32-bit)"), narrow, twipsRect(3120, 1320, 2055, 375), windowText);
    aboutLabel(this, "lblDescription", QStringLiteral("© 2026 a VKT fejlesztői"), narrow, twipsRect(1080, 2520, 4485, 450),
               colours::Black);
    // Stored texts; fillBuildTexts puts the build's title and version in their place.
    lblTitle = aboutLabel(this, "lblTitle", QStringLiteral("VKT "),
                          programFont(QStringLiteral("Arial Narrow"), 18, QFont::Bold), twipsRect(1080, 240, 3525, 480),
                          windowText);
    lblVersion = aboutLabel(this, "lblVersion", QStringLiteral("Version"),
                            programFont(QStringLiteral("Arial Narrow"), 14.25, QFont::Bold),
                            twipsRect(1080, 1320, 2205, 345), buttonText);
}

void AboutWindow::fillBuildTexts()
{
    const QString title = QString::fromLatin1(kApplicationTitle);
    setWindowTitle(QStringLiteral("About ") + title);
    lblVersion->setText(
        QStringLiteral("Version %1.%2.%3").arg(kVersionMajor).arg(kVersionMinor).arg(kVersionRevision));
    lblTitle->setText(title);
}

void AboutWindow::keyPressEvent(QKeyEvent* event)
{
    // OK is both the default and the cancel button.
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        cmdOK->click();
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void AboutWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(colours::Grey);
    painter.drawLine(twipsPoint(240, 3480), twipsPoint(5400, 3480));  // Line1 above the OK button
}

} // namespace vkt
