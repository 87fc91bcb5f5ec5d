#pragma once

#include "tools/moonrender/MoonRenderer.h"

#include <QImage>
#include <QString>
#include <QStringList>

#include <vector>

namespace vkt::moon {

struct MoonPicture {
    QString fileName;
    double ageDays = 0;
};

// One picture per file of the phase table, each at the middle of its age band; the new-moon
// picture, whose band wraps round the end of the cycle, shows the new Moon itself.
std::vector<MoonPicture> phasePictures();
// "Lunar-day02s.gif" … "Lunar-day11s.gif": the Moon aged 2 … 11 days.
std::vector<MoonPicture> lunarDayPictures();

// Where the Moon sits in each kind of picture. The phase pictures fill the 137 × 137 pixel picture
// box of the main window; the lunar days and the map fit the moon-map window's picture area, which
// starts 16 pixels into a 1167 × 729 client area.
// scale 2: the same picture at twice the size, for screens with two device pixels to a pixel.
Disc phasePictureDisc(int scale = 1);
Disc lunarDayDisc();
Disc lunarMapDisc();

// The phase seen on a day of the lunar month, with its day number in a corner.
QImage renderLunarDay(const AlbedoMap& map, int day);
// The full Moon with the great seas and some well-known craters named.
QImage renderLunarMap(const AlbedoMap& map);
// 300 × 42 (times scale): a row of phases from a waxing crescent through full to a waning crescent.
QImage renderBanner(const AlbedoMap& map, int scale = 1);
// An orange crescent opening to the right, on transparency.
QImage renderWindowIcon(const AlbedoMap& map, int size);

// "name@2x.ext": where the picture at twice the size is kept beside its original.
QString doubledName(const QString& fileName);

// Writes every picture the program shows; returns the paths written. Throws std::runtime_error.
QStringList writeAllPictures(const AlbedoMap& map, const QString& picFolder, const QString& iconFolder);

// Whole file or nothing; format as QImageWriter names it ("png", "jpg").
void saveImage(const QImage& image, const QString& path, const char* format, int quality = -1);

} // namespace vkt::moon
