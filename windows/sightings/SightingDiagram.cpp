#include "windows/sightings/SightingDiagram.h"

#include "astro/CrescentVisibility.h"
#include "services/Failure.h"
#include "windows/common/WindowLook.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace vkt {
namespace {

// A diagram for print as well as the screen: dark on white.
constexpr QColor Paper = colours::White;
constexpr QColor Ink = colours::Black;
constexpr QColor Grid = colours::Silver;
constexpr QColor Boundary = colours::Navy;
constexpr QColor SeenColour = colours::Green;
constexpr QColor NotSeenColour = colours::Red;

constexpr double kMargin = 46;  // pixels: room for the axes' numbers and titles
constexpr double kLegendLine = 18;
constexpr double kGap = 24;     // between the frames
constexpr double kMarkRadius = 4;
constexpr double kWidthStep = 0.2;  // arc minutes between grid lines
constexpr double kArcvStep = 2;     // degrees between grid lines

int index(SightingDiagram::Frame frame)
{
    return static_cast<int>(frame);
}

// The ARCV of a class boundary at width w: where the criterion's q (V) equals the bound.
double boundaryArcv(SightingDiagram::Frame frame, double bound, double w)
{
    return frame == SightingDiagram::Frame::Yallop ? 10 * bound - 10 * astro::yallopQ(0, w) : bound - astro::odehV(0, w);
}

std::vector<double> bounds(SightingDiagram::Frame frame)
{
    if (frame == SightingDiagram::Frame::Yallop)
        return {std::begin(astro::kYallopBounds), std::end(astro::kYallopBounds)};
    return {std::begin(astro::kOdehBounds), std::end(astro::kOdehBounds)};
}

} // namespace

SightingDiagram::SightingDiagram(const std::vector<sightings::Sighting>& records,
                                 const std::vector<astro::SightingGeometry>& skies)
{
    using sightings::Aid;
    using sightings::Outcome;
    axes_ = {kLeastWidthTop, 0, kLeastArcvTop};
    for (std::size_t i = 0; i < records.size(); ++i) {
        const astro::SightingGeometry& sky = skies[i];
        if (sky.gap != astro::SightingGap::None || !sky.crescent.moonUp)
            continue;
        const Outcome eye = outcomeWith(records[i], Aid::NakedEye);
        const Outcome optics = outcomeWith(records[i], Aid::Optics);
        if (eye == Outcome::NotTried && optics == Outcome::NotTried)
            continue;
        Point p;
        p.record = i;
        p.mark = eye == Outcome::Seen      ? Mark::SeenByEye
                 : optics == Outcome::Seen ? Mark::SeenWithOptics
                                           : Mark::NotSeen;
        const astro::CrescentEvening& c = sky.crescent;
        p.width[index(Frame::Yallop)] = c.width;
        p.arcv[index(Frame::Yallop)] = c.arcv;
        p.width[index(Frame::Odeh)] = c.topocentricWidth;
        p.arcv[index(Frame::Odeh)] = c.topocentricArcv;
        for (int f = 0; f < 2; ++f) {
            axes_.widthTop = std::max(axes_.widthTop, std::ceil(p.width[f] / kWidthStep) * kWidthStep);
            axes_.arcvTop = std::max(axes_.arcvTop, std::ceil(p.arcv[f] / kArcvStep) * kArcvStep);
            axes_.arcvBottom = std::min(axes_.arcvBottom, std::floor(p.arcv[f] / kArcvStep) * kArcvStep);
        }
        points_.push_back(p);
    }
}

QRectF SightingDiagram::plotArea(QSize size, Frame frame)
{
    const double frameWidth = (size.width() - kGap) / 2.0;
    const double left = (frame == Frame::Yallop ? 0 : frameWidth + kGap) + kMargin;
    // Below the frames: the numbers, the axis' name, then the legend's line of its own.
    return QRectF(left, kMargin * 0.6, frameWidth - kMargin - 8, size.height() - kMargin * 1.6 - kLegendLine);
}

QPointF SightingDiagram::at(QSize size, Frame frame, double width, double arcv) const
{
    const QRectF r = plotArea(size, frame);
    return {r.left() + width / axes_.widthTop * r.width(),
            r.bottom() - (arcv - axes_.arcvBottom) / (axes_.arcvTop - axes_.arcvBottom) * r.height()};
}

std::optional<std::size_t> SightingDiagram::recordAt(QSize size, QPointF position) const
{
    std::optional<std::size_t> nearest;
    double best = kPickRadius;
    for (const Point& p : points_)
        for (const Frame frame : {Frame::Yallop, Frame::Odeh}) {
            const QPointF d = at(size, frame, p.width[index(frame)], p.arcv[index(frame)]) - position;
            const double distance = std::hypot(d.x(), d.y());
            if (distance <= best) {
                best = distance;
                nearest = p.record;
            }
        }
    return nearest;
}

QImage SightingDiagram::render(QSize size) const
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Paper);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    for (const Frame frame : {Frame::Yallop, Frame::Odeh}) {
        drawFrame(p, size, frame);
        drawBoundaries(p, size, frame);
        drawPoints(p, size, frame);
        drawClassLetters(p, size, frame);
    }
    drawLegend(p, size);
    return image;
}

void SightingDiagram::drawFrame(QPainter& p, QSize size, Frame frame) const
{
    const QRectF r = plotArea(size, frame);
    const QFontMetricsF metrics(p.font());
    p.setPen(QPen(Grid, 1));
    for (double w = 0; w <= axes_.widthTop + 1e-9; w += kWidthStep) {
        const double x = at(size, frame, w, 0).x();
        p.drawLine(QPointF(x, r.top()), QPointF(x, r.bottom()));
    }
    for (double a = axes_.arcvBottom; a <= axes_.arcvTop + 1e-9; a += kArcvStep) {
        const double y = at(size, frame, 0, a).y();
        p.drawLine(QPointF(r.left(), y), QPointF(r.right(), y));
    }
    p.setPen(QPen(Ink, 1));
    p.drawRect(r);
    // Every other grid line numbered, with a decimal comma.
    for (double w = 0; w <= axes_.widthTop + 1e-9; w += 2 * kWidthStep) {
        const QString text = QString::number(w, 'f', 1).replace(u'.', u',');
        const double x = at(size, frame, w, 0).x();
        p.drawText(QPointF(x - metrics.horizontalAdvance(text) / 2, r.bottom() + metrics.ascent() + 3), text);
    }
    for (double a = axes_.arcvBottom; a <= axes_.arcvTop + 1e-9; a += 2 * kArcvStep) {
        const QString text = QString::number(a, 'f', 0);
        const double y = at(size, frame, 0, a).y();
        p.drawText(QPointF(r.left() - metrics.horizontalAdvance(text) - 4, y + metrics.ascent() / 2 - 1), text);
    }
    const bool yallop = frame == Frame::Yallop;
    p.drawText(QPointF(r.left(), r.top() - 6),
               yallop ? QStringLiteral("Yallop: geocentrikus ARCV (°) a W′ (ívperc) függvényében")
                      : QStringLiteral("Odeh: topocentrikus ARCV (°) a W (ívperc) függvényében"));
    const QString axis = yallop ? QStringLiteral("W′ (ívperc)") : QStringLiteral("W (ívperc)");
    p.drawText(QPointF(r.right() - metrics.horizontalAdvance(axis), r.bottom() + 2 * metrics.height() + 2), axis);
}

void SightingDiagram::drawBoundaries(QPainter& p, QSize size, Frame frame) const
{
    const QRectF r = plotArea(size, frame);
    p.save();
    p.setClipRect(r);
    p.setPen(QPen(Boundary, 1.5));
    constexpr int steps = 120;
    const std::vector<double> limits = bounds(frame);
    for (const double bound : limits) {
        QPainterPath path;
        for (int i = 0; i <= steps; ++i) {
            const double w = axes_.widthTop * i / steps;
            const QPointF point = at(size, frame, w, boundaryArcv(frame, bound, w));
            i == 0 ? path.moveTo(point) : path.lineTo(point);
        }
        p.drawPath(path);
    }
    p.restore();
}

void SightingDiagram::drawClassLetters(QPainter& p, QSize size, Frame frame) const
{
    // Each class named near the left edge, midway between its boundaries (the last below its
    // own), on a patch of paper so that the points under it do not hide it.
    p.save();
    p.setClipRect(plotArea(size, frame));
    const QFontMetricsF metrics(p.font());
    const std::vector<double> limits = bounds(frame);
    const double w = axes_.widthTop * 0.04;
    for (std::size_t c = 0; c <= limits.size(); ++c) {
        const double upper = c == 0 ? boundaryArcv(frame, limits[0], w) + 2 : boundaryArcv(frame, limits[c - 1], w);
        const double lower = c == limits.size() ? upper - 2 : boundaryArcv(frame, limits[c], w);
        const QString letter(QChar(u'A' + int(c)));
        const QPointF centre = at(size, frame, w, (upper + lower) / 2);
        const QRectF box(centre.x() - 1, centre.y() - metrics.ascent() / 2 - 1, metrics.horizontalAdvance(letter) + 2,
                         metrics.ascent() + 2);
        p.fillRect(box, Paper);
        p.setPen(Boundary);
        p.drawText(QPointF(centre.x(), centre.y() + metrics.ascent() / 2), letter);
    }
    p.restore();
}

void SightingDiagram::drawLegend(QPainter& p, QSize size) const
{
    const QFontMetricsF metrics(p.font());
    QPointF at(kMargin + kMarkRadius, size.height() - metrics.descent() - 4);
    const std::pair<Mark, QString> entries[] = {{Mark::SeenByEye, QStringLiteral("szabad szemmel látták")},
                                                {Mark::SeenWithOptics, QStringLiteral("csak optikai eszközzel")},
                                                {Mark::NotSeen, QStringLiteral("nem látták")}};
    for (const auto& [mark, words] : entries) {
        drawMark(p, at - QPointF(0, metrics.ascent() / 2 - 1), mark);
        p.setPen(Ink);
        p.drawText(at + QPointF(2 * kMarkRadius, 0), words);
        at.rx() += 2 * kMarkRadius + metrics.horizontalAdvance(words) + 18;
    }
}

void SightingDiagram::drawPoints(QPainter& p, QSize size, Frame frame) const
{
    p.save();
    p.setClipRect(plotArea(size, frame).adjusted(-kMarkRadius, -kMarkRadius, kMarkRadius, kMarkRadius));
    for (const Point& point : points_)
        drawMark(p, at(size, frame, point.width[index(frame)], point.arcv[index(frame)]), point.mark);
    p.restore();
}

void SightingDiagram::drawMark(QPainter& p, QPointF c, Mark mark)
{
    switch (mark) {
    case Mark::SeenByEye:
        p.setPen(QPen(SeenColour, 1.2));
        p.setBrush(SeenColour);
        p.drawEllipse(c, kMarkRadius, kMarkRadius);
        break;
    case Mark::SeenWithOptics:
        p.setPen(QPen(SeenColour, 1.5));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(c, kMarkRadius, kMarkRadius);
        break;
    case Mark::NotSeen:
        p.setPen(QPen(NotSeenColour, 1.5));
        p.drawLine(c + QPointF(-kMarkRadius, -kMarkRadius), c + QPointF(kMarkRadius, kMarkRadius));
        p.drawLine(c + QPointF(-kMarkRadius, kMarkRadius), c + QPointF(kMarkRadius, -kMarkRadius));
        break;
    }
}

} // namespace vkt
