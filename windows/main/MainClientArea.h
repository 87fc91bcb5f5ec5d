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
    QLineEdit* Text11 = nullptr;
    QPushButton* Command3 = nullptr;
    QComboBox* Ujholdak = nullptr;
    QPushButton* Command6 = nullptr;
    QPushButton* Command1 = nullptr;
    QLineEdit* Text12 = nullptr;
    QPushButton* Command14 = nullptr;
    QPushButton* Command2 = nullptr;

    QLabel* Label8 = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* PictureHoldak = nullptr;
    PhasePicture* Picture1 = nullptr;
    DrawnText* drawing = nullptr;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void createNewMoonGroup();
    void createObservationGroup();
    void createPictures();
};

} // namespace vkt
