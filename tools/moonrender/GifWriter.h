#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace vkt::moon {

// GIF with a palette of the 256 grey levels, so a grey picture keeps every level it has;
// coloured input is reduced to its grey. Throws std::runtime_error on failure.
QByteArray encodeGreyGif(const QImage& image);

// The same, written whole or not at all.
void writeGreyGif(const QImage& image, const QString& path);

} // namespace vkt::moon
