#pragma once

#include <QWidget>
#include <optional>

class QLineEdit;
class QPushButton;

namespace vkt {

class DrawnText;

// Form4 "Számítások": converts an angle between degrees and artillery mils. Each result is
// drawn on the window's surface; at most one is visible at a time.
class CalculationsWindow : public QWidget {
    Q_OBJECT
public:
    CalculationsWindow();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void createLabels();
    void createInputs();
    void convert(QLineEdit* input, std::optional<double> (*operation)(double), int resultTopTwips);

    QLineEdit* Text41 = nullptr;
    QLineEdit* Text42 = nullptr;
    QPushButton* Command41 = nullptr;
    QPushButton* Command42 = nullptr;
    QPushButton* Command499 = nullptr;
    DrawnText* drawing = nullptr;
};

} // namespace vkt
