#include "windows/main/MoonMapWindow.h"

#include "services/TextFiles.h"
#include "windows/common/Pictures.h"
#include "windows/common/WindowLook.h"

#include <QLabel>

namespace vkt {

MoonMapWindow::MoonMapWindow() : picture_(new QLabel(this))
{
    setObjectName(QStringLiteral("moonMapWindow"));
    setWindowTitle(QStringLiteral("Hold térképek"));
    setFrame(this, Frame::Sizable, Minimise::On);
    setColours(this, colours::Black);
    resize(twipsSize(17505, 10935));

    // Higher than the window: its lower part shows only when the user makes the window taller.
    picture_->setObjectName(QStringLiteral("picture"));
    picture_->setAccessibleName(QStringLiteral("Hold térkép"));
    picture_->setGeometry(twipsRect(240, 240, 17055, 15255));
    picture_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setColours(picture_, colours::Black);
}

void MoonMapWindow::showPicture(const QString& fileName)
{
    picture_->setPixmap(loadPicture(dataFile(fileName), devicePixelRatioF()));
    picture_->setAccessibleDescription(fileName);
}

} // namespace vkt
