#include "windows/common/Pictures.h"

#include "services/Failure.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>

namespace vkt {
namespace {

// Why a picture could not be read, in words; Qt's own (English) text follows in brackets.
QString readerProblem(const QImageReader& reader)
{
    QString problem;
    switch (reader.error()) {
    case QImageReader::FileNotFoundError:
        problem = QStringLiteral("a fájl nem található");
        break;
    case QImageReader::DeviceError:
        problem = QStringLiteral("a fájl nem olvasható");
        break;
    case QImageReader::UnsupportedFormatError:
        problem = QStringLiteral("ismeretlen vagy nem támogatott képformátum");
        break;
    case QImageReader::InvalidDataError:
        problem = QStringLiteral("a képfájl sérült");
        break;
    default:
        problem = QStringLiteral("ismeretlen hiba");
        break;
    }
    return QStringLiteral("%1 (%2)").arg(problem, reader.errorString());
}

QImage readPicture(const QString& path)
{
    const QString shown = QDir::toNativeSeparators(path);
    if (!QFileInfo(path).isFile())
        throw Failure(QStringLiteral("A(z) '%1' kép nem található!").arg(shown));
    QImageReader reader(path);
    QImage image = reader.read();
    if (image.isNull())
        throw Failure(QStringLiteral("A(z) '%1' kép nem olvasható: %2").arg(shown, readerProblem(reader)));
    return image;
}

} // namespace

QString doubledName(const QString& path)
{
    const QFileInfo info(path);
    const QString suffix = info.suffix();
    const qsizetype stem = suffix.isEmpty() ? path.size() : path.size() - suffix.size() - 1;
    return path.left(stem) + QStringLiteral("@2x") + path.mid(stem);
}

QPixmap loadPicture(const QString& path, qreal devicePixelRatio)
{
    const QImage original = readPicture(path);
    if (qFuzzyCompare(devicePixelRatio, 1.0) || devicePixelRatio <= 0)
        return QPixmap::fromImage(original);

    const QString twice = doubledName(path);
    QImage source = devicePixelRatio > 1 && QFileInfo(twice).isFile() ? readPicture(twice) : original;
    const QSize wanted(qRound(original.width() * devicePixelRatio), qRound(original.height() * devicePixelRatio));
    if (source.size() != wanted)
        source = source.scaled(wanted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    source.setDevicePixelRatio(devicePixelRatio);
    return QPixmap::fromImage(source);
}

QByteArray pngBytes(const QImage& image)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        throw Failure(QStringLiteral("A kép nem készült el, nem mentettem."));
    return png;
}

} // namespace vkt
