#include "windows/visibility/PanelLook.h"

#include <QLabel>

namespace vkt::panelLook {

QFont font()
{
    return programFont(QStringLiteral("Arial"), 9.75);
}

QLabel* label(QWidget* parent, const QString& text, const QRect& geometry)
{
    QLabel* l = wrappedLabel(parent, text, font(), geometry, Text, Qt::AlignLeft | Qt::AlignVCenter);
    setColours(l, Background, Text);
    return l;
}

QPushButton* button(QWidget* parent, const QString& caption, const QRect& geometry)
{
    return colouredButton(parent, caption, colours::PaleGreen, font(), geometry);
}

} // namespace vkt::panelLook
