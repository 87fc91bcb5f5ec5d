#include "windows/common/DrawnText.h"

#include "windows/common/Twips.h"

#include <QAccessibleWidget>
#include <QEvent>
#include <QPainter>

namespace vkt {
namespace {

// The drawn lines as read-only static text.
class DrawnTextAccessible final : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit DrawnTextAccessible(DrawnText* drawing) : QAccessibleWidget(drawing, QAccessible::StaticText) {}

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::TextInterface ? static_cast<QAccessibleTextInterface*>(this)
                                                  : QAccessibleWidget::interface_cast(type);
    }
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value || t == QAccessible::Description)
            return all();
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.readOnly = true;
        s.multiLine = true;
        return s;
    }

    QString text(int startOffset, int endOffset) const override { return all().mid(startOffset, endOffset - startOffset); }
    int characterCount() const override { return int(all().size()); }
    void selection(int, int* startOffset, int* endOffset) const override { *startOffset = *endOffset = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* startOffset, int* endOffset) const override
    {
        *startOffset = *endOffset = 0;
        return {};
    }

private:
    QString all() const { return static_cast<const DrawnText*>(object())->plainText(); }
};

QAccessibleInterface* accessibleFor(const QString& className, QObject* object)
{
    if (className == QLatin1String("vkt::DrawnText") && object && object->isWidgetType())
        return new DrawnTextAccessible(static_cast<DrawnText*>(object));
    return nullptr;
}

} // namespace

DrawnText::DrawnText(QWidget* window) : QWidget(window)
{
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(accessibleFor);
        return true;
    }();
    (void)factoryInstalled;
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setAccessibleName(QStringLiteral("Eredmény"));
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

QString DrawnText::plainText() const
{
    // Lines at one height read as one: the clock's time of day follows its date.
    QStringList texts;
    int top = -1;
    for (const Line& line : lines_) {
        if (!texts.isEmpty() && line.topTwips == top)
            texts.last() += u' ' + line.text.simplified();
        else
            texts.append(line.text.simplified());
        top = line.topTwips;
    }
    return texts.join(u'\n');
}

void DrawnText::announce()
{
    const QString text = plainText();
    // Qt sends these only while a screen reader listens.
    QAccessibleTextUpdateEvent changed(this, 0, announced_, text);
    QAccessible::updateAccessibility(&changed);
    QAccessibleEvent alert(this, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
    announced_ = text;
    emit announced(text);
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
