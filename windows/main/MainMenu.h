#pragma once

#include "windows/main/SideWindows.h"

#include <QString>
#include <functional>

class QMenuBar;

namespace vkt {

struct MainMenuHandlers {
    std::function<void(const QString& fileName)> showMoonMap;
    std::function<void(SideWindow)> openWindow;
    std::function<void()> closeMainWindow;
};

// The main window's menu tree with its captions, access keys and shortcuts. The shortcuts
// belong to the main window alone. F10 stays free.
void createMainMenu(QMenuBar* bar, const MainMenuHandlers& handlers);

} // namespace vkt
