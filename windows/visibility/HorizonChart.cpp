#include "windows/visibility/HorizonChart.h"

#include "presentation/TimeTexts.h"
#include "services/Numbers.h"
#include "windows/common/WindowLook.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>
#include <cmath>

namespace vkt {
namespace {

struct ChartColours {
    QColor background, sky, ground, grid, labels, writing, sunFace, moonLit, moonDark, edge;
};
// On paper the sky and the ground are pale, and the Moon's lit part white on a grey disc, so a
// grey print still shows the crescent.
const ChartColours& coloursOf(PictureLook look)
{
    static const ChartColours screen{colours::Black,     colours::Navy,      colours::DarkGreen, colours::Grey,
                                     colours::Silver,    colours::LightGreen, colours::Yellow,   colours::PaleYellow,
                                     colours::Black,     colours::Grey};
    static const ChartColours print{colours::White,          QColor(0xE6, 0xEE, 0xFA), QColor(0xD0, 0xD0, 0xD0),
                                    QColor(0x90, 0x90, 0x90), QColor(0x40, 0x40, 0x40), colours::Black,
                                    QColor(0xFF, 0xC0, 0x00), colours::White,           QColor(0x50, 0x50, 0x50),
                                    colours::Black};
    return look == PictureLook::Print ? print : screen;
}

const char* const kCompass[] = {"É", "ÉK", "K", "DK", "D", "DNy", "Ny", "ÉNy"};

// Degrees of altitude kept between the Moon or the Sun and the top or the bottom: more than their
// drawn discs take at the smallest size the window gives the chart.
constexpr double kAltitudeRoom = 3;

// Room at the left of the plot for the altitudes, right of it, above it, and below it for the
// azimuths; the caption takes what its lines need under that.
constexpr double kLeftMargin = 36, kRightMargin = 12, kTopMargin = 12, kAzimuthLabels = 18, kBottomMargin = 4;

// The sky's least height, in pixels, for the caption to take its second line.
constexpr double kLeastSky = 80;

QFont captionFont()
{
    return programFont(QStringLiteral("Arial"), 9.75);
}

// The height of a caption's lines at that width, measured as an image is painted.
double captionHeight(const QString& text, double width)
{
    const QImage device(1, 1, QImage::Format_RGB32);
    return std::ceil(QFontMetricsF(captionFont(), &device)
                         .boundingRect(QRectF(0, 0, width, 1e4), Qt::AlignLeft | Qt::TextWordWrap, text)
                         .height());
}

double normalised(double azimuth)
{
    return std::fmod(std::fmod(azimuth, 360) + 360, 360);
}

// The compass point nearest an azimuth.
QString compassPoint(double azimuth)
{
    return QString::fromUtf8(kCompass[int(std::lround(normalised(azimuth) / 45)) % 8]);
}

// Whether an azimuth (as an offset from the Sun's) stands in the view with room to the edge.
bool withRoom(const HorizonChart::View& view, double fromSun)
{
    return std::abs(fromSun - view.middle) + HorizonChart::kRoom <= view.halfWidth + 1e-9;
}

// The sky round the Sun and the Moon: centred on the Sun while the Moon stands well inside the
// narrowest view, then midway between them, widened as far as kWidest; beyond that the Sun keeps
// its room at one side and the Moon is pointed to. Altitudes grow in steps of 5° to hold both.
HorizonChart::View viewOf(const astro::CrescentEvening& c)
{
    using H = HorizonChart;
    H::View view;
    if (!c.moonUp)
        return view;
    const double moon = astro::wrap180(c.moonAzimuth - c.sunAzimuth);
    const double span = std::abs(moon) + 2 * H::kRoom;
    if (std::abs(moon) + H::kRoom > H::kHalfWidth) {
        view.halfWidth = std::clamp(span / 2, H::kHalfWidth, H::kWidest);
        view.middle = span / 2 <= H::kWidest ? moon / 2 : std::copysign(H::kWidest - H::kRoom, moon);
    }
    if (withRoom(view, moon))
        view.top = std::max(H::kTop, 5 * std::ceil((c.moonAltitude + kAltitudeRoom) / 5));
    view.bottom = std::min(H::kBottom, 5 * std::floor((c.sunAltitude - kAltitudeRoom) / 5));
    return view;
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

HorizonChart::HorizonChart(const astro::CrescentEvening& evening, const astro::CivilZone& zone, PictureLook look)
    : c_(evening), zone_(zone), view_(viewOf(evening)), look_(look)
{
}

bool HorizonChart::moonOnChart() const
{
    return c_.moonUp && withRoom(view_, astro::wrap180(c_.moonAzimuth - c_.sunAzimuth));
}

QRectF HorizonChart::plotArea(QSize size) const
{
    // Measured once a size: every point of the chart is placed by it.
    if (plotSize_ != size) {
        const double width = size.width() - kLeftMargin - kRightMargin;
        const double band = c_.moonUp ? captionHeight(caption(size), width) : 0;
        plotSize_ = size;
        plot_ = QRectF(kLeftMargin, kTopMargin, width, size.height() - kTopMargin - kAzimuthLabels - band - kBottomMargin);
    }
    return plot_;
}

QPointF HorizonChart::at(QSize size, double azimuth, double altitude) const
{
    const QRectF plot = plotArea(size);
    const double dx = astro::wrap180(azimuth - c_.sunAzimuth - view_.middle);
    return {plot.left() + (dx + view_.halfWidth) / (2 * view_.halfWidth) * plot.width(),
            plot.top() + (view_.top - altitude) / (view_.top - view_.bottom) * plot.height()};
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

QImage HorizonChart::render(QSize size, double pixelRatio) const
{
    QImage image(size * pixelRatio, QImage::Format_RGB32);
    image.setDevicePixelRatio(pixelRatio);
    QPainter p(&image);
    paint(p, size);
    return image;
}

void HorizonChart::paint(QPainter& p, QSize size) const
{
    const ChartColours& ink = coloursOf(look_);
    p.save();
    p.fillRect(QRectF(QPointF(0, 0), size), ink.background);
    p.setRenderHint(QPainter::Antialiasing);
    if (!c_.moonUp) {
        drawNoCrescent(p, size);
        p.restore();
        return;
    }
    drawSkyAndGround(p, size);
    drawAltitudeGrid(p, size);
    drawAzimuthGrid(p, size);
    drawCompassPoints(p, size);
    p.setPen(ink.labels);
    p.setBrush(Qt::NoBrush);
    p.drawRect(plotArea(size));
    drawSunAndMoon(p, size);
    if (!moonOnChart())
        drawMoonPointer(p, size);
    drawCaption(p, size);
    p.restore();
}

// No best time, so no Sun's azimuth to centre on: only the times, or the day's sky, and why.
QString HorizonChart::noCrescentText() const
{
    if (c_.moonUp)
        return {};
    const bool evening = c_.twilight == astro::Twilight::Evening;
    const auto stays = [](astro::Horizon h, const QString& body) {
        return QStringLiteral("%1 %2").arg(body, h == astro::Horizon::StaysUp ? QStringLiteral("végig a látóhatár fölött van")
                                                                             : QStringLiteral("végig a látóhatár alatt van"));
    };
    QString text;
    if (c_.sun != astro::Horizon::Crossed)
        text = stays(c_.sun, QStringLiteral("A Nap ezen a napon")) +
               (evening ? QStringLiteral(": nincs napnyugta.") : QStringLiteral(": nincs napkelte."));
    else if (c_.moon != astro::Horizon::Crossed)
        text = QStringLiteral("%1 %2\n%3.")
                   .arg(evening ? QStringLiteral("Napnyugta:") : QStringLiteral("Napkelte:"), presentation::timeText(zone_, c_.sunEvent),
                        stays(c_.moon, evening ? QStringLiteral("A Hold a napnyugta előtt és után fél napig")
                                               : QStringLiteral("A Hold a napkelte előtt és után fél napig")));
    else
        text = QStringLiteral("%1\nA Hold ekkor nem látszik: %2.")
                   .arg(eventTimes(), evening ? QStringLiteral("a Nap előtt lenyugszik") : QStringLiteral("a Nap után kel"));
    return text;
}

void HorizonChart::drawNoCrescent(QPainter& p, QSize size) const
{
    p.setFont(captionFont());
    p.setPen(coloursOf(look_).writing);
    p.drawText(plotArea(size), Qt::AlignCenter | Qt::TextWordWrap, noCrescentText());
}

void HorizonChart::drawSkyAndGround(QPainter& p, QSize size) const
{
    const QRectF plot = plotArea(size);
    const double horizonY = at(size, c_.sunAzimuth, 0).y();
    const ChartColours& ink = coloursOf(look_);
    p.fillRect(QRectF(plot.left(), plot.top(), plot.width(), horizonY - plot.top()), ink.sky);
    p.fillRect(QRectF(plot.left(), horizonY, plot.width(), plot.bottom() - horizonY), ink.ground);
}

// Every 5° of altitude (10° on a tall view), the horizon solid, with their degrees at the left.
void HorizonChart::drawAltitudeGrid(QPainter& p, QSize size) const
{
    const QRectF plot = plotArea(size);
    p.setFont(programFont(QStringLiteral("Arial"), 8.25));
    const int step = view_.top - view_.bottom > 40 ? 10 : 5;
    const ChartColours& ink = coloursOf(look_);
    for (int alt = 0; alt <= int(view_.top); alt += step) {
        const double y = at(size, c_.sunAzimuth, alt).y();
        p.setPen(QPen(alt == 0 ? ink.labels : ink.grid, 1, alt == 0 ? Qt::SolidLine : Qt::DotLine));
        p.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        p.setPen(ink.labels);
        p.drawText(QRectF(0, y - 8, plot.left() - 4, 16), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("%1°").arg(alt));
    }
}

// Every 10° of azimuth (20° on a wide view) down to the horizon, with their degrees below the plot.
void HorizonChart::drawAzimuthGrid(QPainter& p, QSize size) const
{
    const QRectF plot = plotArea(size);
    const double horizonY = at(size, c_.sunAzimuth, 0).y();
    p.setFont(programFont(QStringLiteral("Arial"), 8.25));
    const int step = view_.halfWidth > 50 ? 20 : 10;
    const double middle = c_.sunAzimuth + view_.middle;
    const int first = int(std::ceil((middle - view_.halfWidth) / step)) * step;
    for (int az = first; az <= middle + view_.halfWidth; az += step) {
        const double x = at(size, az, 0).x();
        p.setPen(QPen(coloursOf(look_).grid, 1, Qt::DotLine));
        p.drawLine(QPointF(x, plot.top()), QPointF(x, horizonY));
        p.setPen(coloursOf(look_).labels);
        p.drawText(QRectF(x - 20, plot.bottom() + 2, 40, 14), Qt::AlignCenter,
                   QStringLiteral("%1°").arg(int(normalised(az))));
    }
}

// The compass points that fall on the chart, marked on the horizon.
void HorizonChart::drawCompassPoints(QPainter& p, QSize size) const
{
    const double horizonY = at(size, c_.sunAzimuth, 0).y();
    p.setFont(programFont(QStringLiteral("Arial"), 9.75, QFont::Bold));
    p.setPen(coloursOf(look_).writing);
    for (int i = 0; i < 8; ++i) {
        const double az = i * 45.0;
        if (std::abs(astro::wrap180(az - c_.sunAzimuth - view_.middle)) > view_.halfWidth)
            continue;
        const double x = at(size, az, 0).x();
        p.drawLine(QPointF(x, horizonY - 4), QPointF(x, horizonY + 4));
        p.drawText(QRectF(x - 20, horizonY + 4, 40, 16), Qt::AlignCenter, QString::fromUtf8(kCompass[i]));
    }
}

// The Sun and the Moon, clipped to the plot: either may stand beyond its edges.
void HorizonChart::drawSunAndMoon(QPainter& p, QSize size) const
{
    const ChartColours& ink = coloursOf(look_);
    p.save();
    p.setClipRect(plotArea(size), Qt::IntersectClip);
    p.setPen(look_ == PictureLook::Print ? QPen(ink.edge, 1) : QPen(Qt::NoPen));
    p.setBrush(ink.sunFace);
    p.drawEllipse(at(size, c_.sunAzimuth, c_.sunAltitude), kSunRadius, kSunRadius);
    if (!moonOnChart()) {
        p.restore();
        return;
    }
    p.translate(at(size, c_.moonAzimuth, c_.moonAltitude));
    p.setPen(QPen(ink.edge, 1));
    p.setBrush(ink.moonDark);
    p.drawEllipse(QPointF(0, 0), kMoonRadius, kMoonRadius);
    p.rotate(brightLimbDirection(size) * 180 / M_PI);
    p.setPen(Qt::NoPen);
    p.setBrush(ink.moonLit);
    p.drawPath(crescent(kMoonRadius, drawnFraction(c_.illuminated)));
    p.restore();
}

// A Moon beyond the widest view: an arrow at the edge on its side, at its altitude, with where to look.
void HorizonChart::drawMoonPointer(QPainter& p, QSize size) const
{
    const QRectF plot = plotArea(size);
    const bool right = astro::wrap180(c_.moonAzimuth - c_.sunAzimuth) > view_.middle;
    const double altitude = std::clamp(c_.moonAltitude, 0.0, view_.top);
    const double y = std::clamp(at(size, c_.moonAzimuth, altitude).y(), plot.top() + 12, plot.bottom() - 12);
    const double tip = right ? plot.right() - 4 : plot.left() + 4, back = right ? tip - 16 : tip + 16;
    const QColor pointer = look_ == PictureLook::Print ? coloursOf(look_).writing : coloursOf(look_).moonLit;
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(pointer);
    p.drawPolygon(QPolygonF({QPointF(tip, y), QPointF(back, y - 8), QPointF(back, y + 8)}));
    p.setFont(programFont(QStringLiteral("Arial"), 9.75));
    p.setPen(pointer);
    const QString where = QStringLiteral("Hold: %1° (%2), %3° magasan")
                              .arg(int(std::lround(normalised(c_.moonAzimuth))))
                              .arg(compassPoint(c_.moonAzimuth), decimalText(c_.moonAltitude, 1));
    const QRectF text = right ? QRectF(plot.left(), y - 10, back - 4 - plot.left(), 20)
                              : QRectF(back + 4, y - 10, plot.right() - back - 4, 20);
    p.drawText(text, (right ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter, where);
    p.restore();
}

// The times, and how the Moon is drawn.
// The times, and how the Moon is drawn where the sky keeps room enough beside that line.
QString HorizonChart::caption(QSize size) const
{
    const QString times = QStringLiteral("%1   Legjobb időpont: %2").arg(eventTimes(), presentation::timeText(zone_, c_.best));
    const QString full =
        times + QStringLiteral("\nA Hold nagyítva; a sarló a Nap felé néz, vastagsága a megvilágított résszel nő.");
    const double width = size.width() - kLeftMargin - kRightMargin;
    const double sky = size.height() - kTopMargin - kAzimuthLabels - kBottomMargin - captionHeight(full, width);
    return sky >= kLeastSky ? full : times;
}

void HorizonChart::drawCaption(QPainter& p, QSize size) const
{
    const QRectF plot = plotArea(size);
    p.setFont(captionFont());
    p.setPen(coloursOf(look_).writing);
    const QRectF text(plot.left(), plot.bottom() + kAzimuthLabels, plot.width(), size.height() - plot.bottom() - kAzimuthLabels);
    p.drawText(text, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, caption(size));
}

} // namespace vkt
