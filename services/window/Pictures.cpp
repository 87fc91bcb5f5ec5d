#include "Pictures.h"

#include "Failure.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>

namespace vkt {

QPixmap loadPicture(const QString& path)
{
    const QString shown = QDir::toNativeSeparators(path);
    if (!QFileInfo(path).isFile())
        throw Failure(QStringLiteral("A(z) '%1' kép nem található!").arg(shown));
    QImageReader reader(path);
    const QImage image = reader.read();
    if (image.isNull())
        throw Failure(QStringLiteral("A(z) '%1' kép nem olvasható: %2").arg(shown, reader.errorString()));
    return QPixmap::fromImage(image);
}

} // namespace vkt
