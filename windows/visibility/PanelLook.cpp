#include "windows/visibility/PanelLook.h"

#include "astro/CrescentRow.h"

#include <QLabel>
#include <cmath>

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

QString coordinatesText(double latitude, double longitude, int decimals)
{
    return QStringLiteral("%1° %2, %3° %4")
        .arg(astro::decimalText(std::abs(latitude), decimals), latitude < 0 ? QStringLiteral("D") : QStringLiteral("É"),
             astro::decimalText(std::abs(longitude), decimals), longitude < 0 ? QStringLiteral("Ny") : QStringLiteral("K"));
}

} // namespace vkt::panelLook
