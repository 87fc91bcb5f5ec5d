#pragma once

#include "astro/CrescentVisibility.h"
#include "windows/common/WindowLook.h"

class QLabel;
class QTableWidget;
class QPushButton;
class QWidget;

namespace vkt::panelLook {

// The crescent-visibility window and its panels: light green on black, in one font.
constexpr QColor Background = colours::Black;
constexpr QColor Text = colours::LightGreen;
QFont font();

// The face of a class's cell: A light green through the last class red.
QColor classColour(astro::YallopClass c);
QColor classColour(astro::OdehClass c);

// A table of the window: read-only, a row selected at a time, white on black under a navy header,
// rows of kRowHeight pixels.
constexpr int kRowHeight = 22;
void styleTable(QTableWidget* table);

// A caption on the window's background, for a layout to place.
QLabel* label(QWidget* parent, const QString& text);
// A push button on the window's pale green face, its caption with room around it.
QPushButton* button(QWidget* parent, const QString& caption, const char* objectName);

} // namespace vkt::panelLook
