#pragma once

#include "SideWindows.h"

#include <QMainWindow>

namespace vkt {

class MainClientArea;

// The main window A: the two time fields, the new-moon list, the result and the menu from
// which every other window opens. Closing it leaves the other windows open.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);

    MainClientArea* clientArea() const { return area_; }
    SideWindows& sideWindows() { return sideWindows_; }

private:
    void connectControls();
    void createMenus();

    MainClientArea* area_;
    SideWindows sideWindows_;
};

} // namespace vkt
