#include "windows/visibility/VisibilityMapPicture.h"

#include "presentation/Words.h"
#include "windows/common/WindowLook.h"
#include "windows/visibility/PanelLook.h"

#include <QMutex>
#include <QPainter>

namespace vkt {
namespace {

constexpr QColor Graticule(0xFF, 0xFF, 0xFF, 0x50);
constexpr QColor Marker = colours::Red;
// The zones' opacity: the land still shows through, and the four tints stay apart over the sea,
// the deserts and the forests alike.
constexpr int kTint = 0xC0;

// The Earth at the size last asked for: decoding and scaling the picture each time a map comes
// in would cost more than the map itself.
QImage earthAt(QSize size)
{
    static QMutex guard;
    static QImage source, scaled;
    const QMutexLocker lock(&guard);
    if (source.isNull())
        source = QImage(QStringLiteral(":/visibility/earth-2k.jpg")).convertToFormat(QImage::Format_RGB32);
    if (scaled.size() != size)
        scaled = source.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return scaled;
}

} // namespace

VisibilityMapPicture::VisibilityMapPicture(const astro::VisibilityMap& map, const astro::Place& place, PictureLook look)
    : map_(map), place_(place), look_(look)
{
}

QRectF VisibilityMapPicture::mapArea(QSize size)
{
    return QRectF(0, 0, size.width(), size.width() / 2.0);
}

QPointF VisibilityMapPicture::at(QSize size, double latitude, double longitude)
{
    const QRectF area = mapArea(size);
    return {area.left() + (astro::wrap180(longitude) + 180) / 360 * area.width(),
            area.top() + (90 - latitude) / 180 * area.height()};
}

std::optional<QPointF> VisibilityMapPicture::placeAt(QSize size, QPointF point)
{
    const QRectF area = mapArea(size);
    if (!area.contains(point))
        return std::nullopt;
    return QPointF(-180 + (point.x() - area.left()) / area.width() * 360,
                   90 - (point.y() - area.top()) / area.height() * 180);
}

QColor VisibilityMapPicture::zoneColour(astro::MapZone zone)
{
    const int i = static_cast<int>(zone);
    if (zone == astro::MapZone::None || i > static_cast<int>(astro::YallopClass::D))
        return Qt::transparent;
    QColor c = panelLook::classColour(astro::YallopClass(i));
    c.setAlpha(kTint);
    return c;
}

QImage VisibilityMapPicture::render(QSize size, double pixelRatio) const
{
    QImage image(size * pixelRatio, QImage::Format_RGB32);
    image.setDevicePixelRatio(pixelRatio);
    QPainter p(&image);
    paint(p, size);
    return image;
}

void VisibilityMapPicture::paint(QPainter& p, QSize size) const
{
    const bool print = look_ == PictureLook::Print;
    const QColor writing = print ? colours::Black : colours::LightGreen;
    p.save();
    p.fillRect(QRectF(QPointF(0, 0), size), print ? colours::White : colours::Black);
    const QRectF area = mapArea(size);
    // The Earth at the device's own pixels, never finer than its picture.
    const double scale = p.deviceTransform().m11();
    p.drawImage(area, earthAt((area.size() * scale).toSize().boundedTo(kEarthSize)));

    // One pixel a cell, stretched over the map: the cells' edges blur a little at one degree, as
    // the zones' own edges do.
    QImage cells(map_.columns, map_.rows, QImage::Format_ARGB32_Premultiplied);
    for (int row = 0; row < map_.rows; ++row) {
        auto* line = reinterpret_cast<QRgb*>(cells.scanLine(row));
        for (int column = 0; column < map_.columns; ++column)
            line[column] = qPremultiply(zoneColour(map_.zone(row, column)).rgba());
    }
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(area, cells);

    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Graticule, 1));
    for (int lon = -150; lon < 180; lon += 30)
        p.drawLine(at(size, 90, lon), at(size, -90, lon));
    for (int lat = -60; lat <= 60; lat += 30)
        p.drawLine(QPointF(area.left(), at(size, lat, 0).y()), QPointF(area.right(), at(size, lat, 0).y()));

    const QPointF here = at(size, place_.latitude, place_.longitude);
    p.setPen(QPen(colours::White, 2));
    p.setBrush(Marker);
    p.drawEllipse(here, 4, 4);

    // The legend: the four visible zones in two rows, then what the clear ground means.
    p.setFont(programFont(QStringLiteral("Arial"), 8.25));
    const double top = area.bottom() + 6;
    const double half = size.width() / 2.0;
    for (const astro::YallopClass c : {astro::YallopClass::A, astro::YallopClass::B, astro::YallopClass::C,
                                       astro::YallopClass::D}) {
        const int i = static_cast<int>(c);
        const QRectF swatch((i % 2) * half + 4, top + (i / 2) * 18 + 2, 12, 12);
        p.setPen(QPen(print ? colours::Grey : colours::Silver, 1));
        p.setBrush(zoneColour(astro::MapZone(i)));
        p.drawRect(swatch);
        p.setPen(writing);
        p.drawText(QRectF(swatch.right() + 6, swatch.top() - 2, half - 26, 16), Qt::AlignLeft | Qt::AlignVCenter,
                   presentation::yallopClassText(c));
    }
    p.setPen(writing);
    const bool evening = map_.evening.twilight == astro::Twilight::Evening;
    p.drawText(QRectF(4, top + 38, size.width() - 8, size.height() - top - 38), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
               QStringLiteral("Yallop-zónák %1 %2, mindenütt a helyi %3; színtelen: E, F vagy nincs holdsarló. "
                              "Piros pont: a megfigyelőhely.%4")
                   .arg(map_.evening.date.toString(QStringLiteral("yyyy.MM.dd")),
                        evening ? QStringLiteral("este") : QStringLiteral("reggel"),
                        evening ? QStringLiteral("napnyugta után") : QStringLiteral("napkelte előtt"),
                        map_.cellDegrees > 1 ? QStringLiteral(" Durva térkép, a finomítás folyik…") : QString()));
    p.restore();
}

} // namespace vkt
