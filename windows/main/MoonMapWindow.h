#pragma once

#include <QWidget>

class QLabel;

namespace vkt {

// "Hold térképek": one picture of the Moon at a time, drawn unscaled from the top-left corner of
// its area and cut off where the area or the window ends.
class MoonMapWindow : public QWidget {
    Q_OBJECT
public:
    MoonMapWindow();

    // Throws vkt::Failure naming the file when it cannot be loaded; the previous picture stays.
    void showPicture(const QString& fileName);

    const QLabel* picture() const { return picture_; }

private:
    QLabel* picture_;
};

} // namespace vkt
