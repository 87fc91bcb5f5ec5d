#include "windows/visibility/MapPanel.h"

#include "presentation/Places.h"
#include "presentation/Words.h"
#include "services/Failure.h"
#include "windows/common/Guarded.h"
#include "windows/visibility/MapComputation.h"
#include "windows/visibility/PanelLook.h"
#include "windows/visibility/VisibilityMapPicture.h"

#include <QHelpEvent>
#include <QToolTip>

namespace vkt {

MapPanel::MapPanel(QWidget* parent) : QLabel(parent), maps_(new MapComputation(this))
{
    setObjectName(QStringLiteral("mapPicture"));
    setAccessibleName(QStringLiteral("Láthatósági térkép"));
    setColours(this, panelLook::Background, panelLook::Text);
    connect(maps_, &MapComputation::arrived, this, [this] { guarded([this] { draw(); }); });
}

void MapPanel::showEvening(astro::Ephemeris& ephemeris, const astro::CrescentEvening* evening, const astro::Place& place)
{
    place_ = place;
    if (evening)
        maps_->request(ephemeris, astro::mapEveningOf(*evening, place));
    else
        maps_->clear();
    draw();
}

const astro::VisibilityMap* MapPanel::shown() const
{
    return maps_->latest();
}

QFuture<astro::VisibilityMap> MapPanel::computation() const
{
    return maps_->future();
}

void MapPanel::draw()
{
    const astro::VisibilityMap* map = maps_->latest();
    if (!map) {
        clear();
        setAccessibleDescription(maps_->evening() ? QStringLiteral("A térkép készül.")
                                                  : QStringLiteral("Nincs kijelölt este vagy reggel."));
        return;
    }
    setPixmap(QPixmap::fromImage(VisibilityMapPicture(*map, place_).render(size())));
    const astro::MapZone here = map->at(place_.latitude, place_.longitude);
    setAccessibleDescription(
        QStringLiteral("Yallop-zónák %1 %2 a Föld minden pontján; %3")
            .arg(map->evening.date.toString(QStringLiteral("yyyy.MM.dd")),
                 map->evening.twilight == astro::Twilight::Evening ? QStringLiteral("este") : QStringLiteral("reggel"),
                 here == astro::MapZone::None
                     ? QStringLiteral("%1 helyén nincs holdsarló.").arg(place_.name)
                     : QStringLiteral("%1 zónája: %2.").arg(place_.name, QChar(u'A' + static_cast<int>(here)))));
}

bool MapPanel::event(QEvent* event)
{
    if (event->type() != QEvent::ToolTip)
        return QLabel::event(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    if (!showZoneAt(help->pos(), help->globalPos()))
        event->ignore();
    return true;
}

// The place under the pointer with its zone as a tooltip; false off the map or before it arrives.
bool MapPanel::showZoneAt(QPoint point, QPoint globalPoint)
{
    const astro::VisibilityMap* map = maps_->latest();
    const auto place = VisibilityMapPicture::placeAt(size(), point);
    if (!map || !place) {
        QToolTip::hideText();
        return false;
    }
    const astro::MapZone zone = map->at(place->y(), place->x());
    QToolTip::showText(globalPoint,
                       QStringLiteral("%1: %2").arg(presentation::coordinatesText(place->y(), place->x(), 1),
                                                    zone == astro::MapZone::None
                                                        ? QStringLiteral("nincs holdsarló")
                                                        : presentation::yallopClassText(astro::YallopClass(int(zone)))),
                       this);
    return true;
}

std::optional<SavablePicture> MapPanel::finishedPicture()
{
    if (!maps_->evening())
        return std::nullopt;
    const astro::VisibilityMap* fine = maps_->fine();
    if (!fine)
        throw Failure(QStringLiteral("A térkép nem készült el, nem mentettem."));
    draw();
    return SavablePicture{pixmap().toImage(),
                          QStringLiteral("terkep-%1.png").arg(fine->evening.date.toString(QStringLiteral("yyyy.MM.dd")))};
}

} // namespace vkt
