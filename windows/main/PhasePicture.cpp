#include "PhasePicture.h"

#include <QMouseEvent>

namespace vkt {

PhasePicture::PhasePicture(QWidget* parent) : QLabel(parent)
{
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void PhasePicture::setPicture(const QPixmap& picture)
{
    setPixmap(picture);
    resize(picture.deviceIndependentSize().toSize());
}

void PhasePicture::mousePressEvent(QMouseEvent* event)
{
    pressed_ = event->button() == Qt::LeftButton;
}

// A click is a press and a release on the picture, as with a button.
void PhasePicture::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed_ = false;
    if (click)
        emit clicked();
}

} // namespace vkt
