#include "tools/moonrender/ProgramPictures.h"

#include "core/Phase.h"
#include "tools/moonrender/GifWriter.h"

#include <QDir>
#include <QFont>
#include <QImageWriter>
#include <QPainter>
#include <QPainterPath>
#include <QSaveFile>

#include <cmath>
#include <numbers>
#include <stdexcept>

namespace vkt::moon {

namespace {

// The moon-map window's picture area starts at 16,16 in a 1167 × 729 client area: a picture of
// this size leaves the same black margin on all four sides.
constexpr QSize kMoonMapPicture(1135, 697);
constexpr double kMoonRadiusKm = 1737.4;

enum class Side { Centre, Left, Right, Above, Below };

struct MapLabel {
    const char* name;
    double latitude;   // degrees, north positive
    double longitude;  // degrees, east positive
    double diameterKm; // craters only; 0 for a sea, whose name sits on it
    Side side;
};

// Standard selenographic positions; a sea's name may sit off its centre where a crater crowds it,
// and the side keeps each crater's name off its neighbours.
constexpr MapLabel kSeas[] = {
    {"Oceanus Procellarum", 20.0, -56.0, 0, Side::Centre},
    {"Mare Imbrium", 36.0, -18.0, 0, Side::Centre},
    {"Mare Frigoris", 56.0, 20.0, 0, Side::Centre},
    {"Mare Serenitatis", 28.0, 17.5, 0, Side::Centre},
    {"Mare Tranquillitatis", 8.5, 31.4, 0, Side::Centre},
    {"Mare Crisium", 17.0, 59.1, 0, Side::Centre},
    {"Mare Fecunditatis", -3.0, 49.0, 0, Side::Centre},
    {"Mare Nectaris", -15.2, 35.5, 0, Side::Centre},
    {"Mare Vaporum", 13.3, 3.6, 0, Side::Centre},
    {"Mare Nubium", -21.3, -16.6, 0, Side::Centre},
    {"Mare Humorum", -24.4, -38.6, 0, Side::Centre},
    {"Mare Cognitum", -10.0, -23.1, 0, Side::Centre},
    {"Sinus Iridum", 44.1, -31.5, 0, Side::Centre},
};

constexpr MapLabel kCraters[] = {
    {"Tycho", -43.3, -11.2, 85, Side::Right},
    {"Copernicus", 9.6, -20.1, 93, Side::Below},
    {"Kepler", 8.1, -38.0, 31, Side::Below},
    {"Aristarchus", 23.7, -47.4, 40, Side::Left},
    {"Plato", 51.6, -9.4, 101, Side::Right},
    {"Clavius", -58.4, -14.4, 225, Side::Right},
    {"Ptolemaeus", -9.3, -1.9, 153, Side::Right},
    {"Grimaldi", -5.2, -68.6, 172, Side::Below},
    {"Langrenus", -8.9, 61.0, 132, Side::Below},
    {"Theophilus", -11.4, 26.4, 100, Side::Above},
    {"Archimedes", 29.7, -4.0, 81, Side::Left},
    {"Petavius", -25.3, 60.4, 177, Side::Below},
};

constexpr double kDegree = std::numbers::pi / 180;

// The rim of a crater as it appears on the disc: a circle on the sphere, projected.
QPainterPath craterRim(const Disc& disc, const MapLabel& crater)
{
    const double lat = crater.latitude * kDegree;
    const double lon = crater.longitude * kDegree;
    const double angularRadius = crater.diameterKm / 2 / kMoonRadiusKm;
    // The crater's centre and two directions along the surface, east and north.
    const double c[3] = {std::cos(lat) * std::sin(lon), std::sin(lat), std::cos(lat) * std::cos(lon)};
    const double east[3] = {std::cos(lon), 0, -std::sin(lon)};
    const double north[3] = {-std::sin(lat) * std::sin(lon), std::cos(lat), -std::sin(lat) * std::cos(lon)};
    QPainterPath rim;
    for (int k = 0; k <= 48; ++k) {
        const double t = 2 * std::numbers::pi * k / 48;
        double p[3];
        for (int axis = 0; axis < 3; ++axis)
            p[axis] = std::cos(angularRadius) * c[axis]
                      + std::sin(angularRadius) * (std::cos(t) * east[axis] + std::sin(t) * north[axis]);
        const QPointF point(disc.centre.x() + disc.radius * p[0], disc.centre.y() - disc.radius * p[1]);
        if (k == 0)
            rim.moveTo(point);
        else
            rim.lineTo(point);
    }
    return rim;
}

// Light text with a dark halo stays legible on bright highlands and dark seas alike.
void drawHaloText(QPainter& painter, const QPointF& baseline, const QString& text, const QFont& font, QColor colour)
{
    QPainterPath path;
    path.addText(baseline, font, text);
    painter.setPen(QPen(QColor(0, 0, 0, 200), 3.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawPath(path);
}

// Baseline of a text placed beside a box (the crater's rim) or centred on a point.
QPointF placeText(const QFontMetricsF& metrics, const QString& text, const QRectF& box, Side side)
{
    const double w = metrics.horizontalAdvance(text);
    const double ascent = metrics.ascent();
    const double gap = 4;
    const double middle = box.center().y() + (ascent - metrics.descent()) / 2;
    switch (side) {
    case Side::Left:
        return {box.left() - gap - w, middle};
    case Side::Right:
        return {box.right() + gap, middle};
    case Side::Above:
        return {box.center().x() - w / 2, box.top() - gap - metrics.descent()};
    case Side::Below:
        return {box.center().x() - w / 2, box.bottom() + gap + ascent};
    case Side::Centre:
        break;
    }
    return {box.center().x() - w / 2, middle};
}

QImage toGreyImage(const QImage& image)
{
    return image.convertToFormat(QImage::Format_Grayscale8);
}

QString joined(const QString& folder, const QString& name)
{
    return QDir(folder).filePath(name);
}

} // namespace

std::vector<MoonPicture> phasePictures()
{
    std::vector<MoonPicture> pictures;
    double lower = 0;
    for (const PhaseRow& row : PhaseTable) {
        const QString file = QString::fromLatin1(row.pictureFile);
        if (file == QLatin1String(kLateNewMoon.pictureFile))
            pictures.push_back({file, 0});
        else
            pictures.push_back({file, (lower + row.upperBound) / 2});
        lower = row.upperBound;
    }
    return pictures;
}

std::vector<MoonPicture> lunarDayPictures()
{
    std::vector<MoonPicture> pictures;
    for (int day = 2; day <= 11; ++day)
        pictures.push_back({QStringLiteral("Lunar-day%1s.gif").arg(day, 2, 10, QLatin1Char('0')), double(day)});
    return pictures;
}

Disc phasePictureDisc(int scale)
{
    return centredDisc(QSize(137, 137) * scale, 62.0 * scale);
}

Disc lunarDayDisc()
{
    return centredDisc(kMoonMapPicture, 330);
}

Disc lunarMapDisc()
{
    return centredDisc(kMoonMapPicture, 336);
}

QImage renderLunarDay(const AlbedoMap& map, int day)
{
    QImage image = renderMoon(map, lunarDayDisc(), {double(day), true, 4}).convertToFormat(QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(20);
    painter.setFont(font);
    painter.setPen(QColor(0xA0, 0xA0, 0xA0));
    painter.drawText(QPointF(14, 32), QStringLiteral("%1. nap").arg(day));
    painter.end();
    return toGreyImage(image);
}

QImage renderLunarMap(const AlbedoMap& map)
{
    const Disc disc = lunarMapDisc();
    QImage image = renderMoon(map, disc, {kSynodicMonth / 2, false, 4}).convertToFormat(QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);

    QFont seaFont(QStringLiteral("Arial"));
    seaFont.setPixelSize(15);
    seaFont.setBold(true);
    QFont craterFont(QStringLiteral("Arial"));
    craterFont.setPixelSize(14);
    const QColor seaColour(0xFF, 0xF0, 0xA0);
    const QColor craterColour(0xA0, 0xFF, 0xFF);

    for (const MapLabel& sea : kSeas) {
        const QPointF at = project(disc, sea.latitude, sea.longitude);
        const QString text = QString::fromLatin1(sea.name);
        drawHaloText(painter, placeText(QFontMetricsF(seaFont), text, QRectF(at, at), Side::Centre), text, seaFont,
                     seaColour);
    }
    for (const MapLabel& crater : kCraters) {
        const QPainterPath rim = craterRim(disc, crater);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(QColor(0, 0, 0, 160), 3));
        painter.drawPath(rim);
        painter.setPen(QPen(craterColour, 1.3));
        painter.drawPath(rim);
        const QString text = QString::fromLatin1(crater.name);
        drawHaloText(painter, placeText(QFontMetricsF(craterFont), text, rim.boundingRect(), crater.side), text,
                     craterFont, craterColour);
    }

    QFont titleFont(QStringLiteral("Arial"));
    titleFont.setPixelSize(20);
    titleFont.setBold(true);
    drawHaloText(painter, QPointF(14, 34), QStringLiteral("A Hold látható oldala"), titleFont, QColor(0xE0, 0xE0, 0xE0));
    QFont noteFont(QStringLiteral("Arial"));
    noteFont.setPixelSize(14);
    drawHaloText(painter, QPointF(14, 56), QStringLiteral("észak fent, kelet jobbra"), noteFont, QColor(0xA0, 0xA0, 0xA0));
    drawHaloText(painter, QPointF(14, 76), QStringLiteral("tengerek"), noteFont, seaColour);
    drawHaloText(painter, QPointF(14, 94), QStringLiteral("kráterek"), noteFont, craterColour);
    painter.end();
    return image;
}

QImage renderBanner(const AlbedoMap& map, int scale)
{
    // Seven discs 36 px wide with 6 px between them fill 300 px exactly.
    constexpr double ages[] = {3.7, 7.4, 11.1, 14.77, 18.5, 22.1, 25.8};
    const int tile = 42 * scale;
    QImage banner(300 * scale, tile, QImage::Format_Grayscale8);
    banner.fill(0);
    QPainter painter(&banner);
    int left = 3 * scale;
    for (double age : ages) {
        const QImage phase = renderMoon(map, centredDisc(QSize(tile, tile), 18.0 * scale), {age, true, 6});
        painter.drawImage(left, 0, phase);
        left += tile;
    }
    painter.end();
    return banner;
}

QImage renderWindowIcon(const AlbedoMap& map, int size)
{
    // A waning crescent, about 30 % lit: lit on the left, so it opens to the right.
    return renderCrescentIcon(map, size, 24.1, QColor(0xFF, 0x8C, 0x1A));
}

QString doubledName(const QString& fileName)
{
    const qsizetype dot = fileName.lastIndexOf(u'.');
    return dot < 0 ? fileName + QStringLiteral("@2x") : fileName.left(dot) + QStringLiteral("@2x") + fileName.mid(dot);
}

void saveImage(const QImage& image, const QString& path, const char* format, int quality)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw std::runtime_error(QStringLiteral("cannot write %1: %2").arg(path, file.errorString()).toStdString());
    QImageWriter writer(&file, format);
    if (quality >= 0)
        writer.setQuality(quality);
    if (!writer.write(image))
        throw std::runtime_error(QStringLiteral("cannot write %1: %2").arg(path, writer.errorString()).toStdString());
    if (!file.commit())
        throw std::runtime_error(QStringLiteral("cannot write %1: %2").arg(path, file.errorString()).toStdString());
}

QStringList writeAllPictures(const AlbedoMap& map, const QString& picFolder, const QString& iconFolder)
{
    for (const QString& folder : {picFolder, iconFolder})
        if (!QDir().mkpath(folder))
            throw std::runtime_error(QStringLiteral("cannot create the folder %1").arg(folder).toStdString());

    QStringList written;
    const auto wrote = [&written](const QString& path) { written << path; };

    // The pictures the main window shows at their own size also come at twice the size, so a
    // screen scaled to 200 % draws them sharp.
    for (const MoonPicture& picture : phasePictures()) {
        for (int scale : {1, 2}) {
            const QString name = scale == 1 ? picture.fileName : doubledName(picture.fileName);
            const QString path = joined(picFolder, name);
            writeGreyGif(renderMoon(map, phasePictureDisc(scale), {picture.ageDays, true, 6}), path);
            wrote(path);
        }
    }
    for (const MoonPicture& picture : lunarDayPictures()) {
        const QString path = joined(picFolder, picture.fileName);
        writeGreyGif(renderLunarDay(map, static_cast<int>(picture.ageDays)), path);
        wrote(path);
    }
    const QString mapPath = joined(picFolder, QStringLiteral("Lunar-map.jpg"));
    saveImage(renderLunarMap(map), mapPath, "jpg", 90);
    wrote(mapPath);

    for (int scale : {1, 2}) {
        const QString banner = QStringLiteral("holdak-banner.png");
        const QString bannerPath = joined(iconFolder, scale == 1 ? banner : doubledName(banner));
        saveImage(renderBanner(map, scale), bannerPath, "png");
        wrote(bannerPath);
    }
    // The window's own icons, then the sizes the desktop's icon theme (hicolor) asks for.
    const struct {
        QString name;
        int size;
    } icons[] = {{QStringLiteral("vkt-32.png"), 32},   {doubledName(QStringLiteral("vkt-32.png")), 64},
                 {QStringLiteral("vkt-256.png"), 256}, {QStringLiteral("vkt-16.png"), 16},
                 {QStringLiteral("vkt-22.png"), 22},   {QStringLiteral("vkt-24.png"), 24},
                 {QStringLiteral("vkt-48.png"), 48},   {QStringLiteral("vkt-64.png"), 64},
                 {QStringLiteral("vkt-128.png"), 128}};
    for (const auto& icon : icons) {
        const QString path = joined(iconFolder, icon.name);
        saveImage(renderWindowIcon(map, icon.size), path, "png");
        wrote(path);
    }
    return written;
}

} // namespace vkt::moon
