#include "windows/main/MoonMapWindow.h"

#include "services/TextFiles.h"
#include "windows/common/Pictures.h"
#include "windows/common/WindowLook.h"

#include <QLabel>

namespace vkt {

MoonMapWindow::MoonMapWindow() : Picture3_(new QLabel(this))
{
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Hold térképek"));
    setFrame(this, Frame::Sizable, Minimise::On);
    setColours(this, colours::Black);
    resize(twipsSize(17505, 10935));

    // Higher than the window: its lower part shows only when the user makes the window taller.
    Picture3_->setObjectName(QStringLiteral("Picture3"));
    Picture3_->setAccessibleName(QStringLiteral("Hold térkép"));
    Picture3_->setGeometry(twipsRect(240, 240, 17055, 15255));
    Picture3_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setColours(Picture3_, colours::Black);
}

void MoonMapWindow::showPicture(const QString& fileName)
{
    Picture3_->setPixmap(loadPicture(dataFile(fileName), devicePixelRatioF()));
    Picture3_->setAccessibleDescription(fileName);
}

} // namespace vkt
