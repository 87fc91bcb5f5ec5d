#include "windows/visibility/HorizonChart.h"

#include "presentation/TimeTexts.h"
#include "windows/common/WindowLook.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace vkt {
namespace {

constexpr QColor Sky = colours::Navy;
constexpr QColor Ground = colours::DarkGreen;
constexpr QColor Grid = colours::Grey;
constexpr QColor Labels = colours::Silver;
constexpr QColor Writing = colours::LightGreen;
constexpr QColor SunFace = colours::Yellow;
constexpr QColor MoonLit = colours::PaleYellow;
constexpr QColor MoonDark = colours::Black;

const char* const kCompass[] = {"É", "ÉK", "K", "DK", "D", "DNy", "Ny", "ÉNy"};

double normalised(double azimuth)
{
    return std::fmod(std::fmod(azimuth, 360) + 360, 360);
}

// The crescent in the Moon's own frame, bright limb towards +x: the lit half circle, back along
// the terminator, an ellipse whose half-width r(1 − 2k) leaves the lit part 2kr wide at the middle.
QPainterPath crescent(double r, double illuminated)
{
    QPainterPath path;
    constexpr int steps = 48;
    for (int i = 0; i <= steps; ++i) {
        const double t = -M_PI / 2 + M_PI * i / steps;
        const QPointF p(r * std::cos(t), r * std::sin(t));
        i == 0 ? path.moveTo(p) : path.lineTo(p);
    }
    const double inner = r * (1 - 2 * illuminated);
    for (int i = 0; i <= steps; ++i) {
        const double t = M_PI / 2 - M_PI * i / steps;
        path.lineTo(inner * std::cos(t), r * std::sin(t));
    }
    path.closeSubpath();
    return path;
}

} // namespace

double HorizonChart::drawnFraction(double illuminated)
{
    return kThinnest + (1 - kThinnest) * illuminated;
}

HorizonChart::HorizonChart(const astro::CrescentEvening& evening, const astro::CivilZone& zone)
    : c_(evening), zone_(zone)
{
}

QRectF HorizonChart::plotArea(QSize size)
{
    // Room at the left for the altitude labels, below for the compass and the times.
    return QRectF(36, 12, size.width() - 48, size.height() - 12 - 74);
}

QPointF HorizonChart::at(QSize size, double azimuth, double altitude) const
{
    const QRectF plot = plotArea(size);
    const double dx = astro::wrap180(azimuth - c_.sunAzimuth);
    return {plot.left() + (dx + kHalfWidth) / (2 * kHalfWidth) * plot.width(),
            plot.top() + (kTop - altitude) / (kTop - kBottom) * plot.height()};
}

double HorizonChart::brightLimbDirection(QSize size) const
{
    const QPointF moon = at(size, c_.moonAzimuth, c_.moonAltitude);
    const QPointF sun = at(size, c_.sunAzimuth, c_.sunAltitude);
    return std::atan2(sun.y() - moon.y(), sun.x() - moon.x());
}

// "Napnyugta: 18:02   Holdnyugta: 18:40" (rising in the morning).
QString HorizonChart::eventTimes() const
{
    const bool evening = c_.twilight == astro::Twilight::Evening;
    return QStringLiteral("%1 %2   %3 %4")
        .arg(evening ? QStringLiteral("Napnyugta:") : QStringLiteral("Napkelte:"), presentation::timeText(zone_, c_.sunEvent),
             evening ? QStringLiteral("Holdnyugta:") : QStringLiteral("Holdkelte:"), presentation::timeText(zone_, c_.moonEvent));
}

QImage HorizonChart::render(QSize size) const
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colours::Black);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    if (!c_.moonUp) {
        drawMoonBelowHorizon(p, size);
        return image;
    }
    drawSkyAndGround(p, size);
    drawAltitudeGrid(p, size);
    drawAzimuthGrid(p, size);
    drawCompassPoints(p, size);
    p.setPen(Labels);
    p.drawRect(plotArea(size));
    drawSunAndMoon(p, size);
    drawCaption(p, size);
    return image;
}

void HorizonChart::drawMoonBelowHorizon(QPainter& p, QSize size) const
{
    // No best time, so no Sun's azimuth to centre on: only the times and why.
    p.setFont(programFont(QStringLiteral("Arial"), 9.75));
    p.setPen(Writing);
    p.drawText(plotArea(size), Qt::AlignCenter | Qt::TextWordWrap,
               QStringLiteral("%1\nA Hold ekkor nem látszik: %2.")
                   .arg(eventTimes(), c_.twilight == astro::Twilight::Evening ? QStringLiteral("a Nap előtt lenyugszik")
                                                                              : QStringLiteral("a Nap után kel")));
}

void HorizonChart::drawSkyAndGround(QPainter& p, QSize size) const
{
    const QRectF plot = plotArea(size);
    const double horizonY = at(size, c_.sunAzimuth, 0).y();
    p.fillRect(QRectF(plot.left(), plot.top(), plot.width(), horizonY - plot.top()), Sky);
    p.fillRect(QRectF(plot.left(), horizonY, plot.width(), plot.bottom() - horizonY), Ground);
}

// Every 5° of altitude, the horizon solid, with their degrees at the left.
void HorizonChart::drawAltitudeGrid(QPainter& p, QSize size) const
{
    const QRectF plot = plotArea(size);
    p.setFont(programFont(QStringLiteral("Arial"), 8.25));
    for (int alt = 0; alt <= int(kTop); alt += 5) {
        const double y = at(size, c_.sunAzimuth, alt).y();
        p.setPen(QPen(alt == 0 ? Labels : Grid, 1, alt == 0 ? Qt::SolidLine : Qt::DotLine));
        p.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        p.setPen(Labels);
        p.drawText(QRectF(0, y - 8, plot.left() - 4, 16), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("%1°").arg(alt));
    }
}

// Every 10° of azimuth down to the horizon, with their degrees below the plot.
void HorizonChart::drawAzimuthGrid(QPainter& p, QSize size) const
{
    const QRectF plot = plotArea(size);
    const double horizonY = at(size, c_.sunAzimuth, 0).y();
    p.setFont(programFont(QStringLiteral("Arial"), 8.25));
    const int first = int(std::ceil((c_.sunAzimuth - kHalfWidth) / 10)) * 10;
    for (int az = first; az <= c_.sunAzimuth + kHalfWidth; az += 10) {
        const double x = at(size, az, 0).x();
        p.setPen(QPen(Grid, 1, Qt::DotLine));
        p.drawLine(QPointF(x, plot.top()), QPointF(x, horizonY));
        p.setPen(Labels);
        p.drawText(QRectF(x - 20, plot.bottom() + 2, 40, 14), Qt::AlignCenter,
                   QStringLiteral("%1°").arg(int(normalised(az))));
    }
}

// The compass points that fall on the chart, marked on the horizon.
void HorizonChart::drawCompassPoints(QPainter& p, QSize size) const
{
    const double horizonY = at(size, c_.sunAzimuth, 0).y();
    p.setFont(programFont(QStringLiteral("Arial"), 9.75, QFont::Bold));
    p.setPen(Writing);
    for (int i = 0; i < 8; ++i) {
        const double az = i * 45.0;
        if (std::abs(astro::wrap180(az - c_.sunAzimuth)) > kHalfWidth)
            continue;
        const double x = at(size, az, 0).x();
        p.drawLine(QPointF(x, horizonY - 4), QPointF(x, horizonY + 4));
        p.drawText(QRectF(x - 20, horizonY + 4, 40, 16), Qt::AlignCenter, QString::fromUtf8(kCompass[i]));
    }
}

// The Sun and the Moon, clipped to the plot: either may stand beyond its edges.
void HorizonChart::drawSunAndMoon(QPainter& p, QSize size) const
{
    p.save();
    p.setClipRect(plotArea(size));
    p.setPen(Qt::NoPen);
    p.setBrush(SunFace);
    p.drawEllipse(at(size, c_.sunAzimuth, c_.sunAltitude), 8, 8);
    p.translate(at(size, c_.moonAzimuth, c_.moonAltitude));
    p.setPen(QPen(Grid, 1));
    p.setBrush(MoonDark);
    p.drawEllipse(QPointF(0, 0), kMoonRadius, kMoonRadius);
    p.rotate(brightLimbDirection(size) * 180 / M_PI);
    p.setPen(Qt::NoPen);
    p.setBrush(MoonLit);
    p.drawPath(crescent(kMoonRadius, drawnFraction(c_.illuminated)));
    p.restore();
}

// The times under the plot, and how the Moon is drawn.
void HorizonChart::drawCaption(QPainter& p, QSize size) const
{
    const QRectF plot = plotArea(size);
    p.setFont(programFont(QStringLiteral("Arial"), 9.75));
    p.setPen(Writing);
    const QRectF text(plot.left(), plot.bottom() + 18, plot.width(), size.height() - plot.bottom() - 18);
    const QString times = QStringLiteral("%1   Legjobb időpont: %2").arg(eventTimes(), presentation::timeText(zone_, c_.best));
    const QString note = QStringLiteral("A Hold a valódinál jóval nagyobbra rajzolva; a sarló a Nap felé néz, vastagsága "
                                        "a megvilágított résszel nő (a legvékonyabb is látható marad).");
    p.drawText(text, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, times + u'\n' + note);
}

} // namespace vkt
