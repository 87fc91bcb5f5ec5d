#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

namespace vkt {

// The About box: title, version and edition, with the program icon. Enter and Esc close it.
class AboutWindow : public QWidget {
    Q_OBJECT
public:
    AboutWindow();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void createControls();
    void fillBuildTexts();

    QPushButton* okButton = nullptr;
    QLabel* titleLabel = nullptr;
    QLabel* versionLabel = nullptr;
};

} // namespace vkt
