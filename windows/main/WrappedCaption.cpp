#include "windows/main/WrappedCaption.h"

#include <QEvent>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace vkt {
namespace {

class CaptionWrapper final : public QObject {
public:
    explicit CaptionWrapper(QPushButton* button) : QObject(button), button_(button) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != button_ || event->type() != QEvent::Paint)
            return false;
        QStylePainter painter(button_);
        QStyleOptionButton option;
        option.initFrom(button_);
        option.state |= button_->isDown() ? QStyle::State_Sunken : QStyle::State_Raised;
        painter.drawControl(QStyle::CE_PushButtonBevel, option);
        const QRect text = button_->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button_);
        painter.drawItemText(text, Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic, button_->palette(), button_->isEnabled(),
                             button_->text(), QPalette::ButtonText);
        return true;
    }

private:
    QPushButton* button_;
};

} // namespace

void wrapCaption(QPushButton* button)
{
    button->installEventFilter(new CaptionWrapper(button));
}

} // namespace vkt
