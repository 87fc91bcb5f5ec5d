#pragma once

#include "astro/CivilTime.h"
#include "astro/CrescentVisibility.h"
#include "windows/visibility/PanelLook.h"

#include <QImage>
#include <QPointF>
#include <QRectF>

class QPainter;

namespace vkt {

// The observer's horizon at the best time of one evening (morning): at least 40° either side of
// the Sun's azimuth and altitudes from −10° to 20°, widened and moved so that the Sun and the Moon
// both stand inside with room round them; the Moon as a crescent whose bright limb faces the Sun.
// A Moon too far round the horizon to show beside the Sun is pointed to at the chart's edge, with
// its direction and altitude. Draws on any size without a window, so the window, the export and
// the tests share it.
class HorizonChart {
public:
    static constexpr double kHalfWidth = 40;   // degrees of azimuth either side of the middle, at least
    static constexpr double kWidest = 90;      // and at most
    static constexpr double kTop = 20;         // degrees of altitude, at least
    static constexpr double kBottom = -10;     // the ground strip, where the Sun is: at most
    static constexpr double kRoom = 6;         // degrees of azimuth between the Sun or the Moon and an edge
    static constexpr double kMoonRadius = 14;  // pixels: many times the true size
    static constexpr double kSunRadius = 8;
    // The lit part as drawn: grows with the illuminated fraction, but a crescent of one per cent
    // would be a fraction of a pixel wide, so the thinnest keeps a width the eye can see.
    static constexpr double kThinnest = 0.06;
    static double drawnFraction(double illuminated);

    // The sky the chart shows: azimuths middle ± halfWidth (middle as an offset from the Sun's),
    // altitudes bottom to top.
    struct View {
        double middle = 0;
        double halfWidth = kHalfWidth;
        double top = kTop;
        double bottom = kBottom;
    };
    HorizonChart(const astro::CrescentEvening& evening, const astro::CivilZone& zone,
                 PictureLook look = PictureLook::Screen);

    // The sky's rectangle inside an image of that size: what the caption's lines leave at its width.
    QRectF plotArea(QSize size) const;
    const View& view() const { return view_; }
    // False when the Moon stands beyond the widest view, pointed to at its edge.
    bool moonOnChart() const;
    // Where an azimuth and an altitude fall in an image of that size.
    QPointF at(QSize size, double azimuth, double altitude) const;
    // The screen direction from the Moon's centre to the middle of its bright limb, in radians
    // (0 right, π/2 down): towards the Sun's point on the chart.
    double brightLimbDirection(QSize size) const;

    // At that size in logical pixels, sharp on a screen of that pixel ratio.
    QImage render(QSize size, double pixelRatio = 1) const;
    // On a painter whose origin is the chart's top left.
    void paint(QPainter& p, QSize size) const;
    // Why a day without a crescent has none: "A Hold ekkor nem látszik: …", or the Sun or the
    // Moon staying up or down. Empty when there is a crescent.
    QString noCrescentText() const;

private:
    QString eventTimes() const;
    QString caption(QSize size) const;
    void drawNoCrescent(QPainter& p, QSize size) const;
    void drawSkyAndGround(QPainter& p, QSize size) const;
    void drawAltitudeGrid(QPainter& p, QSize size) const;
    void drawAzimuthGrid(QPainter& p, QSize size) const;
    void drawCompassPoints(QPainter& p, QSize size) const;
    void drawSunAndMoon(QPainter& p, QSize size) const;
    void drawMoonPointer(QPainter& p, QSize size) const;
    void drawCaption(QPainter& p, QSize size) const;

    astro::CrescentEvening c_;
    const astro::CivilZone& zone_;
    View view_;
    PictureLook look_;
    mutable QSize plotSize_;  // the size plot_ was measured for
    mutable QRectF plot_;
};

} // namespace vkt
