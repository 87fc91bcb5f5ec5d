#pragma once

#include <QLabel>

namespace vkt {

// Picture1: takes the size of each picture put into it, and reports a click.
class PhasePicture : public QLabel {
    Q_OBJECT
public:
    explicit PhasePicture(QWidget* parent);

    void setPicture(const QPixmap& picture);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool pressed_ = false;
};

} // namespace vkt
