#include "MoonMapWindow.h"

#include "Pictures.h"
#include "TextFiles.h"
#include "WindowLook.h"

#include <QLabel>

namespace vkt {

MoonMapWindow::MoonMapWindow() : Picture3_(new QLabel(this))
{
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Hold térképek"));
    setFrame(this, Frame::Sizable, Minimise::On);
    setColours(this, QColor(0x00, 0x00, 0x00));
    resize(twipsSize(17505, 10935));

    // Higher than the window: its lower part shows only when the user makes the window taller.
    Picture3_->setObjectName(QStringLiteral("Picture3"));
    Picture3_->setGeometry(twipsRect(240, 240, 17055, 15255));
    Picture3_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setColours(Picture3_, QColor(0x00, 0x00, 0x00));
}

void MoonMapWindow::showPicture(const QString& fileName)
{
    Picture3_->setPixmap(loadPicture(dataFile(fileName), devicePixelRatioF()));
}

} // namespace vkt
