#include "windows/sightings/DiagramPanel.h"

#include "presentation/SightingTexts.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

namespace vkt {

DiagramPanel::DiagramPanel(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("diagramPanel"));
    setAccessibleName(QStringLiteral("ARCV a holdsarló szélessége szerint, Yallop és Odeh határaival"));
    setMinimumSize(400, 200);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void DiagramPanel::show(const std::vector<sightings::Sighting>& records,
                        const std::vector<astro::SightingGeometry>& skies)
{
    diagram_.emplace(records, skies);
    records_ = records;
    drawn_ = {};
    update();
}

QString DiagramPanel::recordNameAt(QPoint position) const
{
    if (!diagram_)
        return {};
    const std::optional<std::size_t> record = diagram_->recordAt(size(), position);
    return record ? presentation::sightingName(records_[*record]) : QString();
}

void DiagramPanel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (diagram_) {
        if (drawn_.size() != size())
            drawn_ = diagram_->render(size());
        p.drawImage(0, 0, drawn_);
    }
    else
        p.fillRect(rect(), palette().window());
}

bool DiagramPanel::event(QEvent* event)
{
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const QString name = recordNameAt(help->pos());
    if (name.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(help->globalPos(), name, this);
    return true;
}

} // namespace vkt
