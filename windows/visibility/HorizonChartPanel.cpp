#include "windows/visibility/HorizonChartPanel.h"

#include "presentation/TimeTexts.h"
#include "services/Numbers.h"
#include "windows/visibility/HorizonChart.h"
#include "windows/visibility/PanelLook.h"

namespace vkt {

HorizonChartPanel::HorizonChartPanel(QWidget* parent) : QLabel(parent)
{
    setObjectName(QStringLiteral("chartPicture"));
    setAccessibleName(QStringLiteral("Horizontábra"));
    setColours(this, panelLook::Background, panelLook::Text);
    // Drawn at whatever size the layout gives; below this the captions would crowd the sky out.
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    setMinimumSize(300, 124);
}

void HorizonChartPanel::showEvening(const astro::CrescentEvening* evening, const astro::CivilZone& zone)
{
    zone_ = zone;
    if (!evening) {
        evening_.reset();
        clear();
        return;
    }
    const astro::CrescentEvening& c = evening_.emplace(*evening);
    draw();
    setAccessibleDescription(
        c.moonUp ? QStringLiteral("%1 %2: a Hold %3° magasan, %4° azimutnál, a Nap %5°-kal a látóhatár alatt")
                       .arg(c.twilight == astro::Twilight::Evening ? QStringLiteral("Este") : QStringLiteral("Reggel"),
                            presentation::dateTimeText(zone, c.best), decimalText(c.moonAltitude, 1),
                            decimalText(c.moonAzimuth, 1), decimalText(-c.sunAltitude, 1))
                 : QStringLiteral("A Hold ekkor nem látszik: este a Nap előtt nyugszik, reggel a Nap után kel."));
}

std::optional<SavablePicture> HorizonChartPanel::picture() const
{
    if (!evening_)
        return std::nullopt;
    return SavablePicture{HorizonChart(*evening_, *zone_).render(size()),
                          QStringLiteral("horizont-%1.png").arg(presentation::dateText(*zone_, evening_->sunEvent))};
}

void HorizonChartPanel::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    draw();
}

void HorizonChartPanel::draw()
{
    if (evening_)
        setPixmap(QPixmap::fromImage(HorizonChart(*evening_, *zone_).render(size())));
}

QSize HorizonChartPanel::sizeHint() const
{
    return {400, 220};
}

} // namespace vkt
