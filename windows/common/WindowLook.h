#pragma once

#include "windows/common/Twips.h"

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QPalette>
#include <QString>

class QApplication;
class QLabel;
class QPushButton;
class QWidget;

namespace vkt {

// Every colour a window shows, named once.
namespace colours {
constexpr QColor Black(0x00, 0x00, 0x00);
constexpr QColor White(0xFF, 0xFF, 0xFF);
constexpr QColor Grey(0x80, 0x80, 0x80);
constexpr QColor Silver(0xC0, 0xC0, 0xC0);
constexpr QColor Red(0xFF, 0x00, 0x00);
constexpr QColor Yellow(0xFF, 0xFF, 0x00);
constexpr QColor LightYellow(0xFF, 0xFF, 0x80);
constexpr QColor PaleYellow(0xFF, 0xFF, 0xC0);
constexpr QColor Green(0x00, 0x80, 0x00);
constexpr QColor DarkGreen(0x00, 0x40, 0x00);
constexpr QColor LightGreen(0x80, 0xFF, 0x80);
constexpr QColor PaleGreen(0xC0, 0xFF, 0xC0);  // the face of the OK and "Számítás" buttons
constexpr QColor PaleCyan(0xC0, 0xFF, 0xFF);
constexpr QColor Navy(0x00, 0x00, 0x80);
constexpr QColor Orange(0xFF, 0xC0, 0x80);
constexpr QColor Pink(0xFF, 0xC0, 0xFF);
// Where a window or control has no colour of its own: the face of windows and menus, and the
// selection. They stand in for the desktop's, which may be dark or high-contrast.
constexpr QColor Face(0xF0, 0xF0, 0xF0);
constexpr QColor Highlight(0x00, 0x78, 0xD7);
} // namespace colours

// Every colour role set, from the colours above: black text on Face, white input boxes.
QPalette programPalette();

// Name, style, font substitutes, Qt's Hungarian texts, window icon and the real message box:
// once, before any window.
void applyProgramLook(QApplication& app);

// Qt's own texts (a text box's context menu, the standard buttons) in Hungarian, from qtbase_hu.qm
// in Qt's translations folder. False when it is not there.
bool loadQtHungarian(QApplication& app);

QIcon windowIcon();

// The layout is measured for its fonts at 96 dpi, so a font keeps the pixel size its points have
// there (14.25 pt: 19 px) whatever font DPI the desktop sets; the whole window, text included,
// grows only with the screen's scale factor. Every size in use is a whole number of pixels.
constexpr int fontPixels(double points)
{
    return static_cast<int>(points * 96.0 / 72.0 + 0.5);
}

// A font family at a fractional point size; missing faces fall back to near relatives.
QFont programFont(const QString& family, double points, QFont::Weight weight = QFont::Normal, bool italic = false);

enum class Frame { Fixed, Sizable };
enum class Minimise { Off, On };

// Top-level flags for a side window: no owner, never a maximise button.
void setFrame(QWidget* window, Frame frame, Minimise minimise);
void centreOnScreen(QWidget* window);
// A widget's background and text colours; every role it has not set before takes the program's
// colour, so nothing it shows is left to the desktop's palette.
void setColours(QWidget* widget, const QColor& background, const QColor& text = QColor());
// Once a window is built: a child made after its window's colours or font were set would take
// the application's for whatever it did not set itself; this hands the window's on to all.
void passColoursOn(QWidget* window);
// A list or text box's own face and text; its scroll bars keep the program's face colour.
void setBoxColours(QWidget* box, const QColor& face, const QColor& text);

// A push button whose face shows its own colour, whatever the desktop style.
QPushButton* colouredButton(QWidget* parent, const QString& caption, const QColor& face, const QFont& font,
                            const QRect& geometry);

// A label on the window's background, wrapping at word boundaries within its width.
QLabel* wrappedLabel(QWidget* parent, const QString& text, const QFont& font, const QRect& geometry,
                    const QColor& textColour = QColor(), Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop);

} // namespace vkt
