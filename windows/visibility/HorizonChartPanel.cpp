#include "windows/visibility/HorizonChartPanel.h"

#include "presentation/TimeTexts.h"
#include "presentation/Words.h"
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

void HorizonChartPanel::showEvening(const astro::CrescentEvening* evening, const astro::Place& place,
                                    const astro::CivilZone& zone)
{
    zone_ = zone;
    placeName_ = place.name;
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
                 : HorizonChart(c, zone).noCrescentText().replace(u'\n', u' '));
}

std::optional<SavablePicture> HorizonChartPanel::picture() const
{
    if (!evening_)
        return std::nullopt;
    // The row's day: on a day the Sun stays up or down there is no sunset to date it by.
    const QString day = presentation::dateText(*zone_, evening_->dayInstant);
    const QString title = QStringLiteral("%1, %2 %3 – horizont Yallop legjobb időpontjában")
                              .arg(placeName_, day, presentation::twilightWord(evening_->twilight));
    return SavablePicture{panelLook::withTitle(HorizonChart(*evening_, *zone_).render(size()), title),
                          QStringLiteral("horizont-%1.png").arg(day)};
}

void HorizonChartPanel::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    draw();
}

void HorizonChartPanel::draw()
{
    if (evening_)
        setPixmap(QPixmap::fromImage(HorizonChart(*evening_, *zone_).render(size(), devicePixelRatioF())));
}

QSize HorizonChartPanel::sizeHint() const
{
    return {400, 220};
}

} // namespace vkt
