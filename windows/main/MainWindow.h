#pragma once

#include <QWidget>

namespace vkt {

// The main window A.
class MainWindow : public QWidget {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
};

} // namespace vkt
