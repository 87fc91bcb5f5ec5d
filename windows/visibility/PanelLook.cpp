#include "windows/visibility/PanelLook.h"

#include <QLabel>
#include <QPushButton>

namespace vkt::panelLook {

QFont font()
{
    return programFont(QStringLiteral("Arial"), 9.75);
}

QLabel* label(QWidget* parent, const QString& text)
{
    QLabel* l = wrappedLabel(parent, text, font(), QRect(), Text, Qt::AlignLeft | Qt::AlignVCenter);
    l->setWordWrap(false);
    setColours(l, Background, Text);
    return l;
}

QPushButton* button(QWidget* parent, const QString& caption, const char* objectName)
{
    QPushButton* b = colouredButton(parent, caption, colours::PaleGreen, font(), QRect());
    b->setObjectName(QLatin1String(objectName));
    // The face's style sheet leaves no padding; a layout gives the button its hint and no more.
    b->setMinimumSize(b->sizeHint() + QSize(18, 10));
    return b;
}

} // namespace vkt::panelLook
