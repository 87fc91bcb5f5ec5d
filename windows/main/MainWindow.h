#pragma once

#include "windows/main/SideWindows.h"

#include <QMainWindow>

namespace vkt {

class MainClientArea;

QString mainWindowTitle();

// The main window: the two time fields, the new-moon list, the result and the menu from
// which every other window opens. Closing it leaves the other windows open.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    MainClientArea* clientArea() const { return area_; }
    SideWindows& sideWindows() { return sideWindows_; }

private:
    void connectControls();
    void createMenus();

    MainClientArea* area_;
    SideWindows sideWindows_;
};

// Once the event loop runs: the latest new moon of the list that is not in the future, "OK",
// "Most!", then the window closes. The clicks run the same handlers as a user's.
void runNowAndQuit(MainWindow& window);

} // namespace vkt
