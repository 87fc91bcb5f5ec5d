#pragma once

#include "astro/CrescentVisibility.h"
#include "windows/common/WindowLook.h"

class QLabel;
class QTableWidget;
class QPushButton;
class QWidget;

namespace vkt {

// A picture on the window's black, or on white paper in dark ink.
enum class PictureLook { Screen, Print };

} // namespace vkt

namespace vkt::panelLook {

// The crescent-visibility window and its panels: light green on black, in one font.
constexpr QColor Background = colours::Black;
constexpr QColor Text = colours::LightGreen;
QFont font();

// The face of a class's cell. Each scale has hues of its own, so a letter never reads as the
// other scale's: Yallop's A–F light green through dark red, Odeh's A–D light blue through dark
// purple. Each darkens class by class, so the classes stay apart for a colour-blind eye and on
// a grey print too.
QColor classColour(astro::YallopClass c);
QColor classColour(astro::OdehClass c);
// The letter's colour on a class's face: black on the light ones, white on the dark.
QColor classLetterColour(const QColor& face);

// A table of the window: read-only, a row selected at a time, white on black under a navy header,
// rows of kRowHeight pixels.
constexpr int kRowHeight = 22;
void styleTable(QTableWidget* table);
// The tables' header tooltips, column by column.
void setHeaderTips(QTableWidget* table, const QStringList& tips);

// A picture with a title line above it, on the window's background: what an exported picture
// is of.
QImage withTitle(const QImage& picture, const QString& title);

// A caption on the window's background, for a layout to place.
QLabel* label(QWidget* parent, const QString& text);
// A push button on the window's pale green face, its caption with room around it.
QPushButton* button(QWidget* parent, const QString& caption, const char* objectName);

} // namespace vkt::panelLook
