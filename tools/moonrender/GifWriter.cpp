#include "tools/moonrender/GifWriter.h"

#include <QSaveFile>

#include <gif_lib.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace vkt::moon {

namespace {

int appendToBuffer(GifFileType* gif, const GifByteType* bytes, int length)
{
    static_cast<QByteArray*>(gif->UserData)->append(reinterpret_cast<const char*>(bytes), length);
    return length;
}

[[noreturn]] void fail(const char* step, int error)
{
    const char* reason = GifErrorString(error);
    throw std::runtime_error(std::string("GIF encoding failed at ") + step + ": " + (reason ? reason : "unknown error"));
}

} // namespace

QByteArray encodeGreyGif(const QImage& image)
{
    if (image.isNull())
        throw std::runtime_error("GIF encoding failed: the image is empty");
    if (image.width() > 0xFFFF || image.height() > 0xFFFF)
        throw std::runtime_error("GIF encoding failed: the image is larger than a GIF can hold");
    const QImage grey = image.convertToFormat(QImage::Format_Grayscale8);

    QByteArray bytes;
    int error = 0;
    GifFileType* gif = EGifOpen(&bytes, appendToBuffer, &error);
    if (!gif)
        fail("open", error);
    // Closing frees the encoder whatever happened; an early throw must still close it.
    auto close = [](GifFileType* g) { int ignored = 0; EGifCloseFile(g, &ignored); };
    std::unique_ptr<GifFileType, decltype(close)> guard(gif, close);

    std::vector<GifColorType> colours(256);
    for (int v = 0; v < 256; ++v)
        colours[v] = {static_cast<GifByteType>(v), static_cast<GifByteType>(v), static_cast<GifByteType>(v)};
    std::unique_ptr<ColorMapObject, void (*)(ColorMapObject*)> palette(GifMakeMapObject(256, colours.data()),
                                                                       GifFreeMapObject);
    if (!palette)
        throw std::runtime_error("GIF encoding failed: no memory for the palette");

    if (EGifPutScreenDesc(gif, grey.width(), grey.height(), 8, 0, palette.get()) == GIF_ERROR)
        fail("screen", gif->Error);
    if (EGifPutImageDesc(gif, 0, 0, grey.width(), grey.height(), false, nullptr) == GIF_ERROR)
        fail("image", gif->Error);
    std::vector<GifPixelType> line(static_cast<std::size_t>(grey.width()));
    for (int y = 0; y < grey.height(); ++y) {
        const uchar* source = grey.constScanLine(y);
        std::copy(source, source + grey.width(), line.begin());
        if (EGifPutLine(gif, line.data(), grey.width()) == GIF_ERROR)
            fail("pixels", gif->Error);
    }
    guard.release();
    if (EGifCloseFile(gif, &error) == GIF_ERROR)
        fail("close", error);
    return bytes;
}

void writeGreyGif(const QImage& image, const QString& path)
{
    const QByteArray bytes = encodeGreyGif(image);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw std::runtime_error(QStringLiteral("cannot write %1: %2").arg(path, file.errorString()).toStdString());
}

} // namespace vkt::moon
