#include "GifWriter.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QSet>
#include <QTemporaryDir>

#include <stdexcept>

using namespace vkt::moon;

namespace {

QImage greyPattern(QSize size)
{
    QImage image(size, QImage::Format_Grayscale8);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.scanLine(y)[x] = static_cast<uchar>((x * 7 + y * 13 + x * y) % 256);
    return image;
}

QImage readBack(const QString& path, QSize* sizeSeen = nullptr)
{
    QImageReader reader(path);
    if (sizeSeen)
        *sizeSeen = reader.size();
    return reader.read();
}

TEST(GreyGif, ReadsBackWithEveryGreyLevelUnchangedAndTheSameSize)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    for (QSize size : {QSize(1, 1), QSize(137, 137), QSize(300, 7), QSize(7, 300), QSize(1135, 697)}) {
        SCOPED_TRACE(QStringLiteral("%1x%2").arg(size.width()).arg(size.height()).toStdString());
        const QImage original = greyPattern(size);
        if (size.width() >= 137) {
            QSet<int> levels;
            for (int y = 0; y < size.height(); ++y)
                for (int x = 0; x < size.width(); ++x)
                    levels.insert(original.constScanLine(y)[x]);
            ASSERT_EQ(levels.size(), 256) << "the pattern uses every grey level";
        }
        const QString path = folder.filePath(QStringLiteral("picture.gif"));
        writeGreyGif(original, path);

        QSize announced;
        const QImage back = readBack(path, &announced);
        ASSERT_FALSE(back.isNull());
        EXPECT_EQ(announced, size);
        const QImage grey = back.convertToFormat(QImage::Format_Grayscale8);
        ASSERT_EQ(grey.size(), size);
        int wrong = 0;
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x)
                wrong += grey.constScanLine(y)[x] != original.constScanLine(y)[x];
        EXPECT_EQ(wrong, 0);
    }
}

TEST(GreyGif, ReducesColourToItsGrey)
{
    QImage colour(4, 4, QImage::Format_RGB32);
    colour.fill(QColor(200, 60, 20));
    QByteArray bytes = encodeGreyGif(colour);
    QBuffer buffer(&bytes);
    const QImage back = QImageReader(&buffer, "gif").read();
    ASSERT_FALSE(back.isNull());
    const QRgb pixel = back.pixel(2, 2);
    EXPECT_EQ(qRed(pixel), qGreen(pixel));
    EXPECT_EQ(qGreen(pixel), qBlue(pixel));
    EXPECT_EQ(qRed(pixel), colour.convertToFormat(QImage::Format_Grayscale8).constScanLine(2)[2]);
}

TEST(GreyGif, FailsLoudlyAndWritesNothingWhenItCannot)
{
    EXPECT_THROW(encodeGreyGif(QImage()), std::runtime_error);

    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("missing-folder/picture.gif"));
    EXPECT_THROW(writeGreyGif(greyPattern(QSize(8, 8)), path), std::runtime_error);
    EXPECT_FALSE(QFile::exists(path));
}

} // namespace
