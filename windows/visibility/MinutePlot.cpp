#include "windows/visibility/MinutePlot.h"

#include "presentation/TimeTexts.h"
#include "presentation/Words.h"
#include "services/Numbers.h"
#include "windows/common/WindowLook.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace vkt {
namespace {

constexpr QColor Grid = colours::Grey;
constexpr QColor Labels = colours::Silver;
constexpr QColor AltitudeLine = colours::PaleYellow;
constexpr QColor QLine = colours::LightGreen;
constexpr QColor BestLine = colours::Orange;
constexpr double kMinutesADay = 1440;

// A step between labelled minutes that leaves about 70 pixels between labels.
int minuteStep(double minutes, double width)
{
    for (const int step : {5, 10, 15, 20, 30, 60, 120, 180})
        if (minutes / step * 70 <= width)
            return step;
    return 360;
}

} // namespace

MinutePlot::MinutePlot(const astro::CrescentProfile& profile, const astro::CivilZone& zone)
    : profile_(profile), zone_(zone)
{
    for (const astro::CrescentSample& s : profile_.samples) {
        lowestAltitude_ = std::min(lowestAltitude_, std::floor(s.moonAltitude));
        highestAltitude_ = std::max(highestAltitude_, std::ceil(s.moonAltitude / 5) * 5);
        lowestQ_ = std::min(lowestQ_, std::floor(s.q * 10) / 10);
        highestQ_ = std::max(highestQ_, std::ceil(s.q * 10) / 10);
    }
}

QRectF MinutePlot::plotArea(QSize size)
{
    // Room at the left and right for the two axes' labels, above for the caption, below for times.
    return QRectF(40, 24, size.width() - 40 - 52, size.height() - 24 - 24);
}

double MinutePlot::xAt(QSize size, astro::JulianDay ut) const
{
    const QRectF plot = plotArea(size);
    if (profile_.samples.size() < 2)
        return plot.left();
    const double start = profile_.samples.front().ut, end = profile_.samples.back().ut;
    return plot.left() + (ut - start) / (end - start) * plot.width();
}

double MinutePlot::altitudeY(QSize size, double altitude) const
{
    const QRectF plot = plotArea(size);
    return plot.bottom() - (altitude - lowestAltitude_) / (highestAltitude_ - lowestAltitude_) * plot.height();
}

double MinutePlot::qY(QSize size, double q) const
{
    const QRectF plot = plotArea(size);
    return plot.bottom() - (q - lowestQ_) / (highestQ_ - lowestQ_) * plot.height();
}

std::optional<std::size_t> MinutePlot::sampleAt(QSize size, QPointF point) const
{
    if (profile_.samples.empty() || !plotArea(size).adjusted(-2, 0, 2, 0).contains(point))
        return std::nullopt;
    std::size_t nearest = 0;
    for (std::size_t i = 1; i < profile_.samples.size(); ++i)
        if (std::abs(xAt(size, profile_.samples[i].ut) - point.x()) < std::abs(xAt(size, profile_.samples[nearest].ut) - point.x()))
            nearest = i;
    return nearest;
}

QImage MinutePlot::render(QSize size, double pixelRatio) const
{
    QImage image(size * pixelRatio, QImage::Format_RGB32);
    image.setDevicePixelRatio(pixelRatio);
    image.fill(colours::Black);
    if (profile_.samples.size() < 2)
        return image;
    QPainter p(&image);
    p.setFont(programFont(QStringLiteral("Arial"), 8.25));
    drawGrid(p, size);
    drawCurves(p, size);
    drawBestTime(p, size);
    p.setPen(Labels);
    p.drawText(QRectF(4, 2, size.width() - 8, 18), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Percenként: a Hold magassága (°, sárga) és Yallop q (zöld)"));
    return image;
}

void MinutePlot::drawGrid(QPainter& p, QSize size) const
{
    const QRectF plot = plotArea(size);
    p.setPen(QPen(Grid, 1, Qt::DotLine));
    p.drawRect(plot);
    // Altitudes every 5° (every degree on a low evening), labelled on the left.
    const double span = highestAltitude_ - lowestAltitude_;
    const int altitudeStep = span > 20 ? 10 : span > 6 ? 5 : 1;
    for (int a = int(std::ceil(lowestAltitude_ / altitudeStep)) * altitudeStep; a <= highestAltitude_; a += altitudeStep) {
        const double y = altitudeY(size, a);
        p.setPen(QPen(Grid, 1, a == 0 ? Qt::SolidLine : Qt::DotLine));
        p.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        p.setPen(AltitudeLine);
        p.drawText(QRectF(0, y - 8, plot.left() - 4, 16), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("%1°").arg(a));
    }
    // q's class bounds on the right: below a bound the crescent falls to the next class. A label
    // that would touch the one above is left out; its line stays.
    double lastLabel = -100;
    for (int i = 0; i < int(std::size(astro::kYallopBounds)); ++i) {
        const double q = astro::kYallopBounds[i];
        if (q < lowestQ_ || q > highestQ_)
            continue;
        const double y = qY(size, q);
        p.setPen(QPen(QLine.darker(180), 1, Qt::DashLine));
        p.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        if (y - lastLabel < 13)
            continue;
        lastLabel = y;
        p.setPen(QLine);
        p.drawText(QRectF(plot.right() + 4, y - 8, 48, 16), Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("%1 %2").arg(decimalText(q, 2), presentation::classLetter(astro::YallopClass(i))));
    }
    // Civil times along the bottom at round minutes.
    const double start = profile_.samples.front().ut, end = profile_.samples.back().ut;
    const int step = minuteStep((end - start) * kMinutesADay, plot.width());
    const QDateTime first = zone_.at(start);
    const int offsetMinutes = first.offsetFromUtc() / 60;
    double minute = std::ceil(((start - 0.5) * kMinutesADay + offsetMinutes) / step) * step;
    for (;; minute += step) {
        const astro::JulianDay ut = 0.5 + (minute - offsetMinutes) / kMinutesADay;
        if (ut > end)
            break;
        const double x = xAt(size, ut);
        p.setPen(QPen(Grid, 1, Qt::DotLine));
        p.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
        p.setPen(Labels);
        p.drawText(QRectF(x - 30, plot.bottom() + 4, 60, 16), Qt::AlignCenter, presentation::timeText(zone_, ut));
    }
}

void MinutePlot::drawCurves(QPainter& p, QSize size) const
{
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath altitude, q;
    for (const astro::CrescentSample& s : profile_.samples) {
        const QPointF a(xAt(size, s.ut), altitudeY(size, s.moonAltitude));
        const QPointF b(xAt(size, s.ut), qY(size, s.q));
        altitude.elementCount() ? altitude.lineTo(a) : altitude.moveTo(a);
        q.elementCount() ? q.lineTo(b) : q.moveTo(b);
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(AltitudeLine, 2));
    p.drawPath(altitude);
    p.setPen(QPen(QLine, 2));
    p.drawPath(q);
}

void MinutePlot::drawBestTime(QPainter& p, QSize size) const
{
    const QRectF plot = plotArea(size);
    const astro::CrescentSample& best = profile_.samples[profile_.best];
    const double x = std::round(xAt(size, best.ut));  // a sharp line, one pixel wide
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(BestLine, 1));
    p.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
    p.setBrush(BestLine);
    p.drawEllipse(QPointF(x, altitudeY(size, best.moonAltitude)), 3.5, 3.5);
    const QString label = QStringLiteral("legjobb: %1").arg(presentation::timeText(zone_, best.ut));
    const double width = p.fontMetrics().horizontalAdvance(label) + 8;
    // Beside the line, on the side with room.
    const QRectF box = x + width < plot.right() ? QRectF(x + 4, plot.top() + 2, width, 14)
                                                 : QRectF(x - width - 4, plot.top() + 2, width, 14);
    p.drawText(box, Qt::AlignLeft | Qt::AlignVCenter, label);
}

} // namespace vkt
