#pragma once

#include "astro/CivilTime.h"
#include "astro/CrescentVisibility.h"

#include <QImage>
#include <QRectF>
#include <optional>

namespace vkt {

// One evening (morning) minute by minute: the Moon's altitude and Yallop's q from sunset to
// moonset (moonrise to sunrise), against the time in the place's zone, the best time marked and
// q's class bounds drawn across. Draws on any size without a window, so the window and the tests
// share it.
class MinutePlot {
public:
    MinutePlot(const astro::CrescentProfile& profile, const astro::CivilZone& zone);

    // The plotting rectangle inside an image of that size.
    static QRectF plotArea(QSize size);
    // Where an instant falls across, and an altitude or a q up, in an image of that size.
    double xAt(QSize size, astro::JulianDay ut) const;
    double altitudeY(QSize size, double altitude) const;
    double qY(QSize size, double q) const;
    // The sample nearest a point's time; empty off the plot or without samples.
    std::optional<std::size_t> sampleAt(QSize size, QPointF point) const;

    // At that size in logical pixels, sharp on a screen of that pixel ratio.
    QImage render(QSize size, double pixelRatio = 1) const;

private:
    void drawGrid(class QPainter& p, QSize size) const;
    void drawCurves(QPainter& p, QSize size) const;
    void drawBestTime(QPainter& p, QSize size) const;

    const astro::CrescentProfile& profile_;
    const astro::CivilZone& zone_;
    double lowestAltitude_ = 0, highestAltitude_ = 10;  // the left axis, whole degrees
    double lowestQ_ = -0.4, highestQ_ = 0.4;            // the right axis
};

} // namespace vkt
