#pragma once

#include "windows/common/WindowLook.h"

#include <QRect>

class QLabel;
class QWidget;

namespace vkt::panelLook {

// The crescent-visibility window and its panels: light green on black, in one font.
constexpr QColor Background = colours::Black;
constexpr QColor Text = colours::LightGreen;
QFont font();

// A caption on the window's background.
QLabel* label(QWidget* parent, const QString& text, const QRect& geometry);
// A push button on the window's pale green face.
QPushButton* button(QWidget* parent, const QString& caption, const QRect& geometry);

} // namespace vkt::panelLook
