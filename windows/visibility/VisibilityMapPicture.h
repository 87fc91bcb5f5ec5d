#pragma once

#include "astro/VisibilityMap.h"
#include "windows/visibility/PanelLook.h"

#include <QColor>
#include <QImage>
#include <QSize>
#include <QPointF>
#include <QRectF>
#include <optional>

class QPainter;

namespace vkt {

// The world on one evening (morning): Yallop's zones A–D in translucent colours over the Earth,
// E, F and places without a crescent left clear, the observer's place marked, a legend below.
// Draws on any size without a window, so the window, the export and the tests share it.
class VisibilityMapPicture {
public:
    static constexpr int kLegendHeight = 72;

    // The Earth's picture, 2048 × 1024: a saved map is drawn at its full size.
    static constexpr QSize kEarthSize{2048, 1024};

    VisibilityMapPicture(const astro::VisibilityMap& map, const astro::Place& place,
                         PictureLook look = PictureLook::Screen);

    // The map's rectangle inside an image of that size: as wide as the image, half as high.
    static QRectF mapArea(QSize size);
    // Where a place falls in an image of that size, and back: latitude as y, longitude as x of
    // the point returned; empty below the map, on the legend.
    static QPointF at(QSize size, double latitude, double longitude);
    static std::optional<QPointF> placeAt(QSize size, QPointF point);
    // The tint of a zone; transparent for the zones where the crescent cannot be seen.
    static QColor zoneColour(astro::MapZone zone);

    // At that size in logical pixels, sharp on a screen of that pixel ratio.
    QImage render(QSize size, double pixelRatio = 1) const;
    // On a painter whose origin is the picture's top left; the Earth as finely as the painter's
    // device shows it.
    void paint(QPainter& p, QSize size) const;

private:
    const astro::VisibilityMap& map_;
    const astro::Place& place_;
    PictureLook look_;
};

} // namespace vkt
