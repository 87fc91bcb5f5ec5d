#pragma once

#include <QLabel>

namespace vkt {

// The main window's phase picture: takes the size of each picture put into it, and reports a click, or Enter or the
// space bar while it has the focus.
class PhasePicture : public QLabel {
    Q_OBJECT
public:
    explicit PhasePicture(QWidget* parent);

    // description: what the picture shows, for a screen reader.
    void setPicture(const QPixmap& picture, const QString& description);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool pressed_ = false;
};

} // namespace vkt
