#pragma once

#include "MoonRenderer.h"

#include <QImage>
#include <QString>

#include <cmath>
#include <numbers>

namespace vkt::moon::testing {

// The map in the source tree, loaded once for all tests of a binary.
const AlbedoMap& sourceMap();
QString sourcePath(const QString& relative);

// The formula the pictures must follow, written out here rather than taken from the renderer.
inline double expectedLitFraction(double ageDays)
{
    const double elongation = 360 * ageDays / 29.530588;
    const double phaseAngle = (180 - elongation) * std::numbers::pi / 180;
    return (1 + std::cos(phaseAngle)) / 2;
}

// What a picture shows inside its disc, read from the pixels alone.
struct DiscReading {
    double litFraction = 0;  // pixels on the disc brighter than the threshold, over the disc's area
    double litCentroidX = 0; // mean x of those pixels, in pixel coordinates
    double litCentroidY = 0;
    double brightest = 0;    // grey level 0…255
    double meanGrey = 0;     // over the disc
    int litPixels = 0;
};
DiscReading readDisc(const QImage& image, const Disc& disc, int threshold);

// Mean grey of the pixels within `radius` of a point.
double meanGreyAround(const QImage& image, QPointF point, double radius);

} // namespace vkt::moon::testing
