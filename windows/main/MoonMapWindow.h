#pragma once

#include <QWidget>

class QLabel;
class QScrollArea;

namespace vkt {

// "Hold térképek": one picture of the Moon at a time, drawn unscaled from the top-left corner of
// its area; a picture larger than the window is scrolled. The window fits the screen.
class MoonMapWindow : public QWidget {
    Q_OBJECT
public:
    MoonMapWindow();

    // Throws vkt::Failure naming the file when it cannot be loaded; the previous picture stays.
    void showPicture(const QString& fileName);

    const QLabel* picture() const { return picture_; }
    const QScrollArea* pictureScroll() const { return scroll_; }

private:
    QLabel* picture_;
    QScrollArea* scroll_ = nullptr;
};

} // namespace vkt
