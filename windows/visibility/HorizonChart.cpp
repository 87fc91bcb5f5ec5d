#include "windows/visibility/HorizonChart.h"

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

QImage HorizonChart::render(QSize size) const
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colours::Black);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF plot = plotArea(size);
    const bool evening = c_.twilight == astro::Twilight::Evening;
    if (!c_.moonUp) {
        // No best time, so no Sun's azimuth to centre on: only the times and why.
        p.setFont(programFont(QStringLiteral("Arial"), 9.75));
        p.setPen(Writing);
        p.drawText(plot, Qt::AlignCenter | Qt::TextWordWrap,
                   QStringLiteral("%1 %2   %3 %4\nA Hold ekkor nem látszik: %5.")
                       .arg(evening ? QStringLiteral("Napnyugta:") : QStringLiteral("Napkelte:"),
                            zone_.timeText(c_.sunEvent),
                            evening ? QStringLiteral("Holdnyugta:") : QStringLiteral("Holdkelte:"),
                            zone_.timeText(c_.moonEvent),
                            evening ? QStringLiteral("a Nap előtt lenyugszik") : QStringLiteral("a Nap után kel")));
        return image;
    }
    const double horizonY = at(size, c_.sunAzimuth, 0).y();
    p.fillRect(QRectF(plot.left(), plot.top(), plot.width(), horizonY - plot.top()), Sky);
    p.fillRect(QRectF(plot.left(), horizonY, plot.width(), plot.bottom() - horizonY), Ground);

    // Grid: every 5° of altitude, every 10° of azimuth, with their degrees.
    p.setFont(programFont(QStringLiteral("Arial"), 8.25));
    p.setPen(QPen(Grid, 1, Qt::DotLine));
    for (int alt = 0; alt <= int(kTop); alt += 5) {
        const double y = at(size, c_.sunAzimuth, alt).y();
        p.setPen(QPen(alt == 0 ? Labels : Grid, 1, alt == 0 ? Qt::SolidLine : Qt::DotLine));
        p.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        p.setPen(Labels);
        p.drawText(QRectF(0, y - 8, plot.left() - 4, 16), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("%1°").arg(alt));
    }
    const int first = int(std::ceil((c_.sunAzimuth - kHalfWidth) / 10)) * 10;
    for (int az = first; az <= c_.sunAzimuth + kHalfWidth; az += 10) {
        const double x = at(size, az, 0).x();
        p.setPen(QPen(Grid, 1, Qt::DotLine));
        p.drawLine(QPointF(x, plot.top()), QPointF(x, horizonY));
        p.setPen(Labels);
        p.drawText(QRectF(x - 20, plot.bottom() + 2, 40, 14), Qt::AlignCenter,
                   QStringLiteral("%1°").arg(int(normalised(az))));
    }
    // Compass points on the horizon.
    p.setFont(programFont(QStringLiteral("Arial"), 9.75, QFont::Bold));
    for (int i = 0; i < 8; ++i) {
        const double az = i * 45.0;
        if (std::abs(astro::wrap180(az - c_.sunAzimuth)) > kHalfWidth)
            continue;
        const double x = at(size, az, 0).x();
        p.setPen(Writing);
        p.drawLine(QPointF(x, horizonY - 4), QPointF(x, horizonY + 4));
        p.drawText(QRectF(x - 20, horizonY + 4, 40, 16), Qt::AlignCenter, QString::fromUtf8(kCompass[i]));
    }
    p.setPen(Labels);
    p.drawRect(plot);

    {
        p.save();
        p.setClipRect(plot);
        const QPointF sun = at(size, c_.sunAzimuth, c_.sunAltitude);
        p.setPen(Qt::NoPen);
        p.setBrush(SunFace);
        p.drawEllipse(sun, 8, 8);
        const QPointF moon = at(size, c_.moonAzimuth, c_.moonAltitude);
        p.translate(moon);
        p.setPen(QPen(Grid, 1));
        p.setBrush(MoonDark);
        p.drawEllipse(QPointF(0, 0), kMoonRadius, kMoonRadius);
        p.rotate(brightLimbDirection(size) * 180 / M_PI);
        p.setPen(Qt::NoPen);
        p.setBrush(MoonLit);
        p.drawPath(crescent(kMoonRadius, drawnFraction(c_.illuminated)));
        p.restore();
    }

    p.setFont(programFont(QStringLiteral("Arial"), 9.75));
    p.setPen(Writing);
    const QRectF text(plot.left(), plot.bottom() + 18, plot.width(), size.height() - plot.bottom() - 18);
    const QString times = QStringLiteral("%1 %2   %3 %4   Legjobb időpont: %5")
                              .arg(evening ? QStringLiteral("Napnyugta:") : QStringLiteral("Napkelte:"),
                                   zone_.timeText(c_.sunEvent),
                                   evening ? QStringLiteral("Holdnyugta:") : QStringLiteral("Holdkelte:"),
                                   zone_.timeText(c_.moonEvent),
                                   zone_.timeText(c_.best));
    const QString note = QStringLiteral("A Hold a valódinál jóval nagyobbra rajzolva; a sarló a Nap felé néz, vastagsága "
                                        "a megvilágított résszel nő (a legvékonyabb is látható marad).");
    p.drawText(text, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, times + u'\n' + note);
    return image;
}

} // namespace vkt
