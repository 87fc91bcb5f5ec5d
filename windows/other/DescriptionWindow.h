#pragma once

#include <QWidget>

namespace vkt {

// "Program leírása": a fixed page of hints on the main window's buttons.
class DescriptionWindow : public QWidget {
    Q_OBJECT
public:
    DescriptionWindow();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void createLabels();
};

} // namespace vkt
