#include "windows/visibility/MinutePlotPanel.h"

#include "presentation/TimeTexts.h"
#include "presentation/Words.h"
#include "services/Numbers.h"
#include "windows/visibility/MinutePlot.h"
#include "windows/visibility/PanelLook.h"

#include <QHelpEvent>
#include <QToolTip>

namespace vkt {

MinutePlotPanel::MinutePlotPanel(QWidget* parent) : QLabel(parent)
{
    setObjectName(QStringLiteral("minutePlot"));
    setAccessibleName(QStringLiteral("A Hold magassága és Yallop q értéke percenként"));
    setColours(this, panelLook::Background, panelLook::Text);
    setAlignment(Qt::AlignCenter);
    setWordWrap(true);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    setMinimumSize(260, 124);
}

void MinutePlotPanel::showProfile(const astro::CrescentProfile& profile, const astro::CivilZone& zone)
{
    profile_ = profile;
    zone_ = zone;
    draw();
    if (profile_.samples.empty()) {
        setAccessibleDescription(QStringLiteral("Nincs kijelölt este vagy reggel, amikor a Hold fenn van."));
        return;
    }
    const astro::CrescentSample& best = profile_.samples[profile_.best];
    setAccessibleDescription(QStringLiteral("%1 és %2 között; a legjobb időpont %3")
                                 .arg(presentation::timeText(zone, profile_.samples.front().ut),
                                      presentation::timeText(zone, profile_.samples.back().ut),
                                      presentation::timeText(zone, best.ut)));
}

QString MinutePlotPanel::tipAt(QPoint point) const
{
    const auto index = MinutePlot(profile_, *zone_).sampleAt(size(), point);
    if (!index)
        return {};
    const astro::CrescentSample& s = profile_.samples[*index];
    return QStringLiteral("%1%2: a Hold %3° magasan, q = %4 (%5)")
        .arg(presentation::timeText(*zone_, s.ut), *index == profile_.best ? QStringLiteral(" (legjobb időpont)") : QString(),
             decimalText(s.moonAltitude, 1), decimalText(s.q, 3), presentation::classLetter(astro::yallopClass(s.q)));
}

bool MinutePlotPanel::event(QEvent* event)
{
    if (event->type() != QEvent::ToolTip)
        return QLabel::event(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const QString tip = zone_ ? tipAt(help->pos()) : QString();
    if (tip.isEmpty()) {
        QToolTip::hideText();
        event->ignore();
    } else {
        QToolTip::showText(help->globalPos(), tip, this);
    }
    return true;
}

void MinutePlotPanel::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    draw();
}

void MinutePlotPanel::draw()
{
    if (!zone_)
        return;
    if (profile_.samples.empty()) {
        setText(QStringLiteral("A Hold ekkor nem látszik: nincs mit percenként ábrázolni."));
        return;
    }
    setPixmap(QPixmap::fromImage(MinutePlot(profile_, *zone_).render(size(), devicePixelRatioF())));
}

} // namespace vkt
