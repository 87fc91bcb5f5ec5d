#pragma once

#include <QColor>
#include <QImage>
#include <QPointF>
#include <QSize>
#include <QString>

#include <vector>

namespace vkt::moon {

// Sun–Moon–Earth geometry for an age in days since new moon (mean synodic month).
double elongationDegrees(double ageDays);  // 0 at new moon, 180 at full, 360 at the next new moon
double phaseAngleDegrees(double ageDays);  // 180 − elongation, folded into 0…180
double litFraction(double ageDays);        // (1 + cos i) / 2: the part of the disc in sunlight
bool isWaxing(double ageDays);

// The albedo of the lunar surface from an equirectangular map: longitude −180…+180 from the
// left edge, east to the right, north at the top. Kept as linear albedo in a few halved
// resolutions so that a small picture averages the map instead of picking single texels.
class AlbedoMap {
public:
    explicit AlbedoMap(const QImage& equirectangular);  // throws std::invalid_argument on a null image
    static AlbedoMap load(const QString& path);           // throws std::runtime_error naming the file

    QSize size() const { return {levels_.front().width, levels_.front().height}; }

    // Linear albedo at a selenographic point (radians), bilinear, from the level whose texel
    // spacing suits samples `spacingRadians` apart.
    float albedo(double latitude, double longitude, double spacingRadians) const;

private:
    struct Level {
        int width = 0;
        int height = 0;
        std::vector<float> values;
    };
    std::vector<Level> levels_;
};

// Where the Moon sits in a picture: its centre in pixel coordinates (the top-left corner of the
// image is 0,0 and pixel x covers x…x+1) and its radius in pixels.
struct Disc {
    QSize imageSize;
    QPointF centre;
    double radius = 0;
};
Disc centredDisc(QSize imageSize, double radius);

// The image position of a selenographic point (degrees) with north up and east to the right;
// points on the far side come out where their projection falls, so check onNearSide first.
QPointF project(const Disc& disc, double latitudeDegrees, double longitudeDegrees);
bool onNearSide(double latitudeDegrees, double longitudeDegrees);

struct Lighting {
    double ageDays = 0;
    bool earthshine = true;  // the faint glow of the night side of a thin crescent
    int supersampling = 4;   // samples per pixel edge; the limb and terminator are averaged over them
};

// The Moon on black, as seen from the Earth with north up: waxing lit on the right.
// Grey levels are gamma-encoded; each picture is exposed for its own lit part, as a photographer would.
QImage renderMoon(const AlbedoMap& map, const Disc& disc, const Lighting& lighting);

// The sunlit part alone in one colour, its shading taken from the map, on a transparent background.
QImage renderCrescentIcon(const AlbedoMap& map, int size, double ageDays, QColor colour);

} // namespace vkt::moon
