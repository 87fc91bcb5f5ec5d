#include "MoonMeasure.h"

#include <QByteArray>
#include <QDir>

#include <stdexcept>

namespace vkt::moon::testing {

QString sourcePath(const QString& relative)
{
    const QByteArray root = qgetenv("VKT_SOURCE_DIR");
    if (root.isEmpty())
        throw std::runtime_error("VKT_SOURCE_DIR is not set; run the tests through ctest");
    return QDir(QString::fromLocal8Bit(root)).filePath(relative);
}

const AlbedoMap& sourceMap()
{
    static const AlbedoMap map = AlbedoMap::load(sourcePath(QStringLiteral("tools/moonrender/moon-albedo-4k.jpg")));
    return map;
}

DiscReading readDisc(const QImage& image, const Disc& disc, int threshold)
{
    const QImage grey = image.convertToFormat(QImage::Format_Grayscale8);
    DiscReading reading;
    double sumX = 0;
    double sumY = 0;
    double sumGrey = 0;
    int inside = 0;
    // Anti-aliased limb pixels lie up to half a pixel beyond the radius.
    const double reach = disc.radius + 0.75;
    for (int y = 0; y < grey.height(); ++y) {
        const uchar* line = grey.constScanLine(y);
        for (int x = 0; x < grey.width(); ++x) {
            const double dx = x + 0.5 - disc.centre.x();
            const double dy = y + 0.5 - disc.centre.y();
            if (dx * dx + dy * dy > reach * reach)
                continue;
            ++inside;
            sumGrey += line[x];
            reading.brightest = std::max(reading.brightest, double(line[x]));
            // A limb pixel counts as lit when its centre lies on the disc, that is when
            // at least about half of it is covered: the count then matches the area.
            if (line[x] > threshold && dx * dx + dy * dy <= disc.radius * disc.radius) {
                ++reading.litPixels;
                sumX += x + 0.5;
                sumY += y + 0.5;
            }
        }
    }
    reading.litFraction = reading.litPixels / (std::numbers::pi * disc.radius * disc.radius);
    if (reading.litPixels > 0) {
        reading.litCentroidX = sumX / reading.litPixels;
        reading.litCentroidY = sumY / reading.litPixels;
    }
    reading.meanGrey = inside > 0 ? sumGrey / inside : 0;
    return reading;
}

double meanGreyAround(const QImage& image, QPointF point, double radius)
{
    double sum = 0;
    int count = 0;
    for (int y = int(point.y() - radius); y <= int(point.y() + radius); ++y)
        for (int x = int(point.x() - radius); x <= int(point.x() + radius); ++x)
            if (image.valid(x, y) && std::hypot(x + 0.5 - point.x(), y + 0.5 - point.y()) <= radius) {
                sum += qGray(image.pixel(x, y));
                ++count;
            }
    return count > 0 ? sum / count : 0;
}

} // namespace vkt::moon::testing
