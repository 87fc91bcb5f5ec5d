#pragma once

#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vkt {

class DrawnText;
class PhasePicture;

// The client area of the main window: its controls at their places, the grey frames and
// lines, and the surface the result is written on. It holds no behaviour of its own.
class MainClientArea : public QWidget {
    Q_OBJECT
public:
    explicit MainClientArea(QWidget* parent);

    // Field limits; text the program puts in is cut to them too.
    static constexpr int kNewMoonLength = 16;
    static constexpr int kObservationLength = 22;

    // In tab order.
    QLineEdit* newMoonField = nullptr;
    QPushButton* restoreNewMoonButton = nullptr;  // "Utolsó Újhold"
    QComboBox* newMoonList = nullptr;
    QPushButton* okButton = nullptr;  // the chosen new moon into the field, then saved
    QPushButton* lastObservationButton = nullptr;
    QLineEdit* observationField = nullptr;
    QPushButton* saveObservationButton = nullptr;
    QPushButton* nowButton = nullptr;

    QLabel* newMoonLabel = nullptr;
    QLabel* observationLabel = nullptr;
    QLabel* banner = nullptr;  // the row of phases along the top
    PhasePicture* phasePicture = nullptr;
    DrawnText* resultArea = nullptr;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void createNewMoonGroup();
    void createObservationGroup();
    void createPictures();
};

} // namespace vkt
