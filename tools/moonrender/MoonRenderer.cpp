#include "tools/moonrender/MoonRenderer.h"

#include "core/Phase.h"

#include <QImageReader>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <stdexcept>

namespace vkt::moon {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kDegree = kPi / 180;
constexpr double kGamma = 2.2;
constexpr double kWeightFloor = 0.5;
constexpr double kFullMoonGain = 1.5;

double foldedAge(double ageDays)
{
    double age = std::fmod(ageDays, kSynodicMonth);
    if (age < 0)
        age += kSynodicMonth;
    return age;
}

// Lunar-Lambert weight of the Lommel–Seeliger term (McEwen 1991): the Moon is a pure
// Lommel–Seeliger scatterer near full and partly Lambertian at large phase angles, which makes
// the horns of a thin crescent fade as they do in photographs. The polynomial falls below zero
// past 110 degrees, where it is no longer fitted; the floor keeps crescents bright to the limb.
double lommelSeeligerWeight(double phaseAngleDeg)
{
    const double a = phaseAngleDeg;
    return std::clamp(1 - 0.019 * a + 2.42e-4 * a * a - 1.46e-6 * a * a * a, kWeightFloor, 1.0);
}

// Grazing sunlight is lost in the shadows of a rough surface: the last few degrees before the
// terminator darken to nothing, which also keeps a sliver narrower than a pixel from glinting.
double roughnessShadowing(double mu0)
{
    const double t = std::clamp(mu0 / 0.05, 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

// What one picture samples: the Sun's direction in view coordinates (x right, y north,
// z towards the Earth; the Sun stays in the lunar equator plane) and the photometric weight.
struct Illumination {
    double sunX = 0;
    double sunZ = 0;
    double weight = 1;

    explicit Illumination(double ageDays)
    {
        const double e = elongationDegrees(ageDays) * kDegree;
        sunX = std::sin(e);
        sunZ = -std::cos(e);
        weight = lommelSeeligerWeight(phaseAngleDegrees(ageDays));
    }

    // Reflected sunlight per unit albedo at a point of the near side with normal (x, y, z).
    double reflectance(double x, double z) const
    {
        const double mu0 = x * sunX + z * sunZ;  // cosine of the Sun's incidence
        if (mu0 <= 0)
            return 0;
        const double mu = z;  // cosine of the emission towards the Earth
        return roughnessShadowing(mu0) * (2 * weight * mu0 / (mu0 + mu) + (1 - weight) * mu0);
    }
};

// Sums over the samples of one pixel.
struct PixelSamples {
    int taken = 0;        // samples of the pixel, on the disc or not
    double inside = 0;    // samples on the disc
    double lit = 0;       // samples in sunlight
    double sunlight = 0;  // reflected sunlight
    double albedo = 0;    // albedo of the samples on the disc
    double litAlbedo = 0; // albedo of the sunlit samples
};

template<typename PerPixel>
void sampleDisc(const AlbedoMap& map, const Disc& disc, const Illumination& sun, int supersampling,
                PerPixel&& perPixel)
{
    const int n = std::max(1, supersampling);
    const double step = 1.0 / n;
    const double spacing = 1.0 / (disc.radius * n);
    const int left = std::max(0, static_cast<int>(std::floor(disc.centre.x() - disc.radius)));
    const int right = std::min(disc.imageSize.width(), static_cast<int>(std::ceil(disc.centre.x() + disc.radius)));
    const int top = std::max(0, static_cast<int>(std::floor(disc.centre.y() - disc.radius)));
    const int bottom = std::min(disc.imageSize.height(), static_cast<int>(std::ceil(disc.centre.y() + disc.radius)));

    for (int py = top; py < bottom; ++py) {
        for (int px = left; px < right; ++px) {
            PixelSamples s;
            s.taken = n * n;
            for (int j = 0; j < n; ++j) {
                const double y = (disc.centre.y() - (py + (j + 0.5) * step)) / disc.radius;
                for (int i = 0; i < n; ++i) {
                    const double x = (px + (i + 0.5) * step - disc.centre.x()) / disc.radius;
                    const double zz = 1 - x * x - y * y;
                    if (zz <= 0)
                        continue;
                    const double z = std::sqrt(zz);
                    const double a = map.albedo(std::asin(y), std::atan2(x, z), spacing);
                    const double r = sun.reflectance(x, z);
                    s.inside += 1;
                    s.albedo += a;
                    if (r > 0) {
                        s.lit += 1;
                        s.sunlight += a * r;
                        s.litAlbedo += a;
                    }
                }
            }
            if (s.inside > 0)
                perPixel(px, py, s, 1.0 / (n * n));
        }
    }
}

std::uint8_t encodeGrey(double linear)
{
    const double v = std::pow(std::clamp(linear, 0.0, 1.0), 1 / kGamma);
    return static_cast<std::uint8_t>(std::lround(v * 255));
}

} // namespace

double elongationDegrees(double ageDays)
{
    return 360 * foldedAge(ageDays) / kSynodicMonth;
}

double phaseAngleDegrees(double ageDays)
{
    return std::abs(180 - elongationDegrees(ageDays));
}

double litFraction(double ageDays)
{
    return (1 + std::cos(phaseAngleDegrees(ageDays) * kDegree)) / 2;
}

bool isWaxing(double ageDays)
{
    return elongationDegrees(ageDays) < 180;
}

AlbedoMap::AlbedoMap(const QImage& equirectangular)
{
    if (equirectangular.isNull() || equirectangular.width() < 2 || equirectangular.height() < 2)
        throw std::invalid_argument("the lunar map is empty");
    const QImage grey = equirectangular.convertToFormat(QImage::Format_Grayscale8);

    std::array<float, 256> linear{};
    for (int v = 0; v < 256; ++v)
        linear[v] = static_cast<float>(std::pow(v / 255.0, kGamma));

    Level full{grey.width(), grey.height(), {}};
    full.values.resize(static_cast<std::size_t>(full.width) * full.height);
    for (int y = 0; y < full.height; ++y) {
        const uchar* line = grey.constScanLine(y);
        for (int x = 0; x < full.width; ++x)
            full.values[static_cast<std::size_t>(y) * full.width + x] = linear[line[x]];
    }
    levels_.push_back(std::move(full));

    // Box-filtered halves down to a thumbnail; small pictures sample these.
    while (levels_.back().width >= 128 && levels_.back().height >= 64) {
        const Level& fine = levels_.back();
        Level coarse{fine.width / 2, fine.height / 2, {}};
        coarse.values.resize(static_cast<std::size_t>(coarse.width) * coarse.height);
        for (int y = 0; y < coarse.height; ++y) {
            for (int x = 0; x < coarse.width; ++x) {
                const auto at = [&](int fx, int fy) { return fine.values[static_cast<std::size_t>(fy) * fine.width + fx]; };
                coarse.values[static_cast<std::size_t>(y) * coarse.width + x] =
                    (at(2 * x, 2 * y) + at(2 * x + 1, 2 * y) + at(2 * x, 2 * y + 1) + at(2 * x + 1, 2 * y + 1)) / 4;
            }
        }
        levels_.push_back(std::move(coarse));
    }
}

AlbedoMap AlbedoMap::load(const QString& path)
{
    QImageReader reader(path);
    const QImage image = reader.read();
    if (image.isNull())
        throw std::runtime_error(QStringLiteral("cannot read the lunar map %1: %2")
                                     .arg(path, reader.errorString())
                                     .toStdString());
    return AlbedoMap(image);
}

float AlbedoMap::albedo(double latitude, double longitude, double spacingRadians) const
{
    std::size_t index = 0;
    while (index + 1 < levels_.size() && 2 * kPi / levels_[index + 1].width <= spacingRadians)
        ++index;
    const Level& level = levels_[index];

    const double u = (longitude + kPi) / (2 * kPi) * level.width - 0.5;
    const double v = (kPi / 2 - latitude) / kPi * level.height - 0.5;
    const double u0 = std::floor(u);
    const double v0 = std::floor(v);
    const float fu = static_cast<float>(u - u0);
    const float fv = static_cast<float>(v - v0);
    const auto column = [&](double c) { return ((static_cast<int>(c) % level.width) + level.width) % level.width; };
    const auto row = [&](double r) { return std::clamp(static_cast<int>(r), 0, level.height - 1); };
    const int x0 = column(u0);
    const int x1 = column(u0 + 1);
    const int y0 = row(v0);
    const int y1 = row(v0 + 1);
    const auto at = [&](int x, int y) { return level.values[static_cast<std::size_t>(y) * level.width + x]; };
    const float upper = at(x0, y0) + (at(x1, y0) - at(x0, y0)) * fu;
    const float lower = at(x0, y1) + (at(x1, y1) - at(x0, y1)) * fu;
    return upper + (lower - upper) * fv;
}

Disc centredDisc(QSize imageSize, double radius)
{
    return {imageSize, QPointF(imageSize.width() / 2.0, imageSize.height() / 2.0), radius};
}

QPointF project(const Disc& disc, double latitudeDegrees, double longitudeDegrees)
{
    const double lat = latitudeDegrees * kDegree;
    const double lon = longitudeDegrees * kDegree;
    return {disc.centre.x() + disc.radius * std::cos(lat) * std::sin(lon),
            disc.centre.y() - disc.radius * std::sin(lat)};
}

bool onNearSide(double latitudeDegrees, double longitudeDegrees)
{
    return std::cos(latitudeDegrees * kDegree) * std::cos(longitudeDegrees * kDegree) > 0;
}

QImage renderMoon(const AlbedoMap& map, const Disc& disc, const Lighting& lighting)
{
    QImage image(disc.imageSize, QImage::Format_Grayscale8);
    image.fill(0);
    if (disc.radius <= 0)
        return image;

    const Illumination sun(lighting.ageDays);
    const int width = disc.imageSize.width();
    std::vector<float> sunlight(static_cast<std::size_t>(width) * disc.imageSize.height(), 0);
    std::vector<float> albedo(sunlight.size(), 0);
    std::vector<float> metered;  // sunlight of the pixels wholly in sunlight
    sampleDisc(map, disc, sun, lighting.supersampling, [&](int px, int py, const PixelSamples& s, double weight) {
        const std::size_t i = static_cast<std::size_t>(py) * width + px;
        sunlight[i] = static_cast<float>(s.sunlight * weight);
        albedo[i] = static_cast<float>(s.albedo * weight);
        if (s.lit >= s.taken)
            metered.push_back(sunlight[i]);
    });

    // Expose for the bright end of the lit part, as a photographer would for each phase. A sliver
    // narrower than a pixel gives the meter nothing to read and keeps the exposure of a full Moon,
    // instead of being stretched into white dots.
    double gain = kFullMoonGain;
    if (!metered.empty()) {
        const auto nth = metered.begin() + static_cast<std::ptrdiff_t>(0.995 * (metered.size() - 1));
        std::nth_element(metered.begin(), nth, metered.end());
        gain = std::clamp(0.85 / std::max(*nth, 1e-6f), 0.5, 8.0);
    }

    // Earthshine follows the phase of the Earth seen from the Moon, full at new moon, and is
    // only worth showing on thin crescents.
    double earthshine = 0;
    if (lighting.earthshine) {
        const double earthLit = (1 + std::cos(elongationDegrees(lighting.ageDays) * kDegree)) / 2;
        earthshine = 0.006 * std::pow(earthLit, 8);
    }

    for (int y = 0; y < disc.imageSize.height(); ++y) {
        uchar* line = image.scanLine(y);
        for (int x = 0; x < width; ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * width + x;
            line[x] = encodeGrey(gain * sunlight[i] + earthshine * albedo[i]);
        }
    }
    return image;
}

QImage renderCrescentIcon(const AlbedoMap& map, int size, double ageDays, QColor colour)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    if (size <= 0)
        return image;
    const Disc disc{QSize(size, size), QPointF(size / 2.0, size / 2.0), size * 0.47};
    const Illumination sun(ageDays);
    const QColor rgb = colour.toRgb();
    const double detail = size >= 128 ? 0.5 : 0.2;
    sampleDisc(map, disc, sun, 8, [&](int px, int py, const PixelSamples& s, double weight) {
        if (s.lit <= 0)
            return;
        // Bright highlands in the full colour, seas darker; a small icon keeps little of the map's
        // detail, which at that size would only break up the shape.
        const double meanAlbedo = s.litAlbedo / s.lit;
        const double shade = std::clamp(1 - detail + detail * std::pow(meanAlbedo / 0.45, 1 / kGamma), 0.0, 1.0);
        const int alpha = static_cast<int>(std::lround(std::clamp(s.lit * weight, 0.0, 1.0) * 255));
        image.setPixel(px, py, qRgba(static_cast<int>(std::lround(rgb.red() * shade)),
                                     static_cast<int>(std::lround(rgb.green() * shade)),
                                     static_cast<int>(std::lround(rgb.blue() * shade)), alpha));
    });
    return image;
}

} // namespace vkt::moon
