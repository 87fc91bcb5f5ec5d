#include "windows/main/PhasePicture.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace vkt {

PhasePicture::PhasePicture(QWidget* parent) : QLabel(parent)
{
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(QStringLiteral("Holdfázis képe"));
    setAccessibleDescription(QStringLiteral("Még nincs számítás. Enterrel vagy kattintással a holdtérkép nyílik meg."));
}

void PhasePicture::setPicture(const QPixmap& picture, const QString& description)
{
    setPixmap(picture);
    resize(picture.deviceIndependentSize().toSize());
    setAccessibleDescription(description);
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

void PhasePicture::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        emit clicked();
        break;
    default:
        QLabel::keyPressEvent(event);
    }
}

// With the focus, a dotted frame on the picture shows where Enter goes.
void PhasePicture::paintEvent(QPaintEvent* event)
{
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::WindowText), 1, Qt::DotLine));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace vkt
