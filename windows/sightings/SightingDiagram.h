#pragma once

#include "astro/SightingGeometry.h"
#include "sightings/Sighting.h"

#include <QImage>
#include <QPointF>
#include <QRectF>
#include <QSize>
#include <QString>
#include <optional>
#include <vector>

class QPainter;

namespace vkt {

// The diagram of the crescent papers: ARCV against the crescent's width, every sighting a point,
// in two frames side by side: Yallop's (geocentric ARCV, W′ from the geocentric ARCL) with his
// class boundaries, and Odeh's (topocentric ARCV and W) with his. A filled dot was seen by eye, a
// ring only with optics, a cross not at all. Drawn on any size without a window (Qt Gui only), so
// the window, the PNG export and the tests share it.
class SightingDiagram {
public:
    enum class Frame { Yallop, Odeh };
    enum class Mark { SeenByEye, SeenWithOptics, NotSeen };
    struct Point {
        std::size_t record = 0;
        Mark mark = Mark::NotSeen;
        double width[2] = {0, 0};  // arc minutes, by Frame
        double arcv[2] = {0, 0};   // degrees, by Frame
    };
    // The axes both frames share: W from 0, ARCV from its floor, both to their tops; wide enough
    // for every point and never narrower than the classes' usual span.
    struct Axes {
        double widthTop = 0;
        double arcvBottom = 0;
        double arcvTop = 0;
    };
    static constexpr double kLeastWidthTop = 1.2;  // arc minutes
    static constexpr double kLeastArcvTop = 16;    // degrees
    static constexpr double kPickRadius = 6;       // pixels: how near the pointer names a point

    // Records never tried, or whose evening has no best time, have no point. skies[i] is records[i]'s.
    SightingDiagram(const std::vector<sightings::Sighting>& records, const std::vector<astro::SightingGeometry>& skies);

    const std::vector<Point>& points() const { return points_; }
    const Axes& axes() const { return axes_; }

    // A frame's plotting rectangle in an image of that size.
    static QRectF plotArea(QSize size, Frame frame);
    // Where a width and an ARCV fall in a frame.
    QPointF at(QSize size, Frame frame, double width, double arcv) const;
    // The record whose point lies under the pointer (the nearest, within kPickRadius), for a tooltip.
    std::optional<std::size_t> recordAt(QSize size, QPointF position) const;

    QImage render(QSize size) const;

private:
    void drawFrame(QPainter& p, QSize size, Frame frame) const;
    void drawBoundaries(QPainter& p, QSize size, Frame frame) const;
    void drawPoints(QPainter& p, QSize size, Frame frame) const;
    void drawClassLetters(QPainter& p, QSize size, Frame frame) const;
    void drawLegend(QPainter& p, QSize size) const;
    static void drawMark(QPainter& p, QPointF centre, Mark mark);

    std::vector<Point> points_;
    Axes axes_;
};

} // namespace vkt
