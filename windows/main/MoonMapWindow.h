#pragma once

#include <QWidget>

class QLabel;

namespace vkt {

// Form3, "Hold térképek": one picture of the Moon at a time, drawn unscaled from the top-left
// corner of Picture3 and cut off where the area or the window ends.
class MoonMapWindow : public QWidget {
    Q_OBJECT
public:
    MoonMapWindow();

    // Throws vkt::Failure naming the file when it cannot be loaded; the previous picture stays.
    void showPicture(const QString& fileName);

    const QLabel* picture() const { return Picture3_; }

private:
    QLabel* Picture3_;
};

} // namespace vkt
