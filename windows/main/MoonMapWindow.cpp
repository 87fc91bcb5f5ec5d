#include "windows/main/MoonMapWindow.h"

#include "services/TextFiles.h"
#include "windows/common/Pictures.h"
#include "windows/common/WindowLook.h"

#include <QLabel>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>

namespace vkt {

MoonMapWindow::MoonMapWindow() : picture_(new QLabel)
{
    setObjectName(QStringLiteral("moonMapWindow"));
    setWindowTitle(QStringLiteral("Hold térképek"));
    setFrame(this, Frame::Sizable, Minimise::On);
    setColours(this, colours::Black);

    // The picture unscaled from the top-left corner of its area, its margin kept; what the window
    // cannot show is scrolled to rather than cut off.
    picture_->setObjectName(QStringLiteral("picture"));
    picture_->setAccessibleName(QStringLiteral("Hold térkép"));
    picture_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setColours(picture_, colours::Black);
    auto* page = new QWidget;
    setColours(page, colours::Black);
    auto* margin = new QVBoxLayout(page);
    margin->setContentsMargins(twipsPoint(240, 240).x(), twipsPoint(240, 240).y(), 0, 0);
    margin->addWidget(picture_, 0, Qt::AlignLeft | Qt::AlignTop);
    margin->addStretch(1);
    scroll_ = new QScrollArea(this);
    scroll_->setObjectName(QStringLiteral("pictureScroll"));
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setWidget(page);
    scroll_->setWidgetResizable(true);
    setColours(scroll_, colours::Black);
    auto* whole = new QVBoxLayout(this);
    whole->setContentsMargins(0, 0, 0, 0);
    whole->addWidget(scroll_);

    // Its designed size, but never larger than the screen it opens on (less room for the frame).
    QSize size = twipsSize(17505, 10935);
    if (const QScreen* s = screen())
        size = size.boundedTo(s->availableGeometry().size() - QSize(16, 40));
    resize(size);
}

void MoonMapWindow::showPicture(const QString& fileName)
{
    picture_->setPixmap(loadPicture(dataFile(fileName), devicePixelRatioF()));
    picture_->setAccessibleDescription(fileName);
    scroll_->widget()->layout()->activate();  // placed now, not at the next turn of the event loop
}

} // namespace vkt
