#include "MainWindow.h"

#include "WindowLook.h"

namespace vkt {

MainWindow::MainWindow(QWidget* parent) : QWidget(parent)
{
    setWindowTitle(QStringLiteral("VKT  - Holdsarló kor és fázis számoló     -  v1.46a  (x86)   - Tarvo Edition"));
    setColours(this, QColor(0x00, 0x00, 0x00), QColor(0x80, 0xFF, 0x80));
    setFixedSize(twipsSize(11160, 6030));
    setFrame(this, Frame::Fixed, Minimise::On);
}

} // namespace vkt
