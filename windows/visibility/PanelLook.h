#pragma once

#include "windows/common/WindowLook.h"

class QLabel;
class QPushButton;
class QWidget;

namespace vkt::panelLook {

// The crescent-visibility window and its panels: light green on black, in one font.
constexpr QColor Background = colours::Black;
constexpr QColor Text = colours::LightGreen;
QFont font();

// A caption on the window's background, for a layout to place.
QLabel* label(QWidget* parent, const QString& text);
// A push button on the window's pale green face, its caption with room around it.
QPushButton* button(QWidget* parent, const QString& caption, const char* objectName);

} // namespace vkt::panelLook
