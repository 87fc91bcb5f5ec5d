#pragma once

#include <QPixmap>
#include <QString>

namespace vkt {

// A GIF or JPEG for a picture area. Throws vkt::Failure naming the file when it is missing
// or cannot be read; the caller's previous picture stays as it was.
QPixmap loadPicture(const QString& path);

} // namespace vkt
