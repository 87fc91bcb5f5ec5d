#pragma once

#include <QWidget>
#include <optional>

class QLineEdit;
class QPushButton;

namespace vkt {

class DrawnText;

// "Számítások": converts an angle between degrees and artillery mils. Each result is
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

    QLineEdit* degreesField = nullptr;
    QLineEdit* milsField = nullptr;
    QPushButton* degreesToMilsButton = nullptr;
    QPushButton* milsToDegreesButton = nullptr;
    QPushButton* okButton = nullptr;
    DrawnText* resultArea = nullptr;
};

} // namespace vkt
