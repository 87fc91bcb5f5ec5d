#include "DrawnText.h"

#include "Twips.h"

#include <QEvent>
#include <QPainter>

namespace vkt {

DrawnText::DrawnText(QWidget* window) : QWidget(window)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setGeometry(window->rect());
    window->installEventFilter(this);
    lower();  // drawn text lies beneath the controls, as on a painted form
}

void DrawnText::clearDrawing()
{
    lines_.clear();
    update();
}

void DrawnText::drawText(int leftTwips, int topTwips, const QString& text)
{
    lines_.push_back({leftTwips, topTwips, text});
    update();
}

void DrawnText::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    // The window's own font and text colour, as text drawn on a form always had.
    const QWidget* window = parentWidget();
    painter.setFont(window->font());
    painter.setPen(window->palette().color(QPalette::WindowText));
    const QFontMetrics metrics(window->font());
    for (const Line& line : lines_)
        painter.drawText(twips(line.leftTwips), twips(line.topTwips) + metrics.ascent(), line.text);
}

bool DrawnText::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        setGeometry(parentWidget()->rect());
    return QWidget::eventFilter(watched, event);
}

} // namespace vkt
