#pragma once

#include <QByteArray>
#include <QImage>
#include <QPixmap>
#include <QString>

namespace vkt {

// "name@2x.ext": the same picture at twice the size, kept beside the original.
QString doubledName(const QString& path);

// A GIF or JPEG for a picture area, for a screen of the given device-pixel ratio: there the
// "@2x" twin is taken when one exists, and a picture that still does not match the screen is
// scaled smoothly to it, so it keeps its size in pixels of the layout and is never blocky.
// Throws vkt::Failure naming the file when it is missing or cannot be read; the caller's previous
// picture stays as it was.
QPixmap loadPicture(const QString& path, qreal devicePixelRatio = 1);

// The picture as PNG bytes, to be written through the checked write (services/FileBytes.h).
// Throws vkt::Failure when it cannot be encoded.
QByteArray pngBytes(const QImage& image);

} // namespace vkt
