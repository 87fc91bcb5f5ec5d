#include "windows/visibility/MapPanel.h"

#include "presentation/Places.h"
#include "presentation/Words.h"
#include "services/Failure.h"
#include "windows/common/Guarded.h"
#include "windows/visibility/MapComputation.h"
#include "windows/visibility/PanelLook.h"
#include "windows/visibility/VisibilityMapPicture.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QToolTip>

namespace vkt {

MapPanel::MapPanel(QWidget* parent) : QLabel(parent), maps_(new MapComputation(this))
{
    setObjectName(QStringLiteral("mapPicture"));
    setAccessibleName(QStringLiteral("Láthatósági térkép"));
    setColours(this, panelLook::Background, panelLook::Text);
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    setMinimumSize(320, 160 + VisibilityMapPicture::kLegendHeight);
    connect(maps_, &MapComputation::arrived, this, [this] { guarded([this] { draw(); }); });
    redraw_.setSingleShot(true);
    redraw_.setInterval(150);
    connect(&redraw_, &QTimer::timeout, this, [this] { guarded([this] { draw(); }); });
}

void MapPanel::showEvening(astro::Ephemeris& ephemeris, const astro::CrescentEvening* evening, const astro::Place& place)
{
    place_ = place;
    if (evening)
        maps_->request(ephemeris, astro::mapEveningOf(*evening, place));
    else
        maps_->clear();
    draw();
}

const astro::VisibilityMap* MapPanel::shown() const
{
    return maps_->latest();
}

QFuture<astro::VisibilityMap> MapPanel::computation() const
{
    return maps_->future();
}

void MapPanel::draw()
{
    const astro::VisibilityMap* map = maps_->latest();
    if (!map) {
        drawn_ = {};
        update();
        setAccessibleDescription(maps_->evening() ? QStringLiteral("A térkép készül.")
                                                  : QStringLiteral("Nincs kijelölt este vagy reggel."));
        return;
    }
    redraw_.stop();
    drawn_ = VisibilityMapPicture(*map, place_).render(pictureRect().size(), devicePixelRatioF());
    update();
    const astro::MapZone here = map->at(place_.latitude, place_.longitude);
    setAccessibleDescription(
        QStringLiteral("Yallop-zónák %1 %2 a Föld minden pontján; %3")
            .arg(map->evening.date.toString(QStringLiteral("yyyy.MM.dd")),
                 map->evening.twilight == astro::Twilight::Evening ? QStringLiteral("este") : QStringLiteral("reggel"),
                 here == astro::MapZone::None
                     ? QStringLiteral("%1 helyén nincs holdsarló.").arg(place_.name)
                     : QStringLiteral("%1 zónája: %2.").arg(place_.name, QChar(u'A' + static_cast<int>(here)))));
}

bool MapPanel::event(QEvent* event)
{
    if (event->type() != QEvent::ToolTip)
        return QLabel::event(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    if (!showZoneAt(help->pos(), help->globalPos()))
        event->ignore();
    return true;
}

// The place under the pointer with its zone as a tooltip; false off the map or before it arrives.
bool MapPanel::showZoneAt(QPoint point, QPoint globalPoint)
{
    const astro::VisibilityMap* map = maps_->latest();
    const QRect picture = pictureRect();
    const auto place = VisibilityMapPicture::placeAt(picture.size(), point - picture.topLeft());
    if (!map || !place) {
        QToolTip::hideText();
        return false;
    }
    const astro::MapZone zone = map->at(place->y(), place->x());
    QToolTip::showText(globalPoint,
                       QStringLiteral("%1: %2").arg(presentation::coordinatesText(place->y(), place->x(), 1),
                                                    zone == astro::MapZone::None
                                                        ? QStringLiteral("nincs holdsarló")
                                                        : presentation::yallopClassText(astro::YallopClass(int(zone)))),
                       this);
    return true;
}

const astro::VisibilityMap* MapPanel::fineMap()
{
    if (!maps_->evening())
        return nullptr;
    const astro::VisibilityMap* fine = maps_->fine();
    if (!fine)
        throw Failure(QStringLiteral("A térkép nem készült el, nem mentettem."));
    draw();
    return fine;
}

std::optional<SavablePicture> MapPanel::finishedPicture()
{
    const astro::VisibilityMap* fine = fineMap();
    if (!fine)
        return std::nullopt;
    const QString day = fine->evening.date.toString(QStringLiteral("yyyy.MM.dd"));
    const QString title = QStringLiteral("%1, %2 %3 – Yallop-zónák a Föld minden pontján")
                              .arg(place_.name, day, presentation::twilightWord(fine->evening.twilight));
    const QSize size = VisibilityMapPicture::kEarthSize + QSize(0, VisibilityMapPicture::kLegendHeight);
    return SavablePicture{panelLook::withTitle(VisibilityMapPicture(*fine, place_).render(size), title),
                          QStringLiteral("terkep-%1.png").arg(day)};
}

const QImage& MapPanel::shownPicture() const
{
    return drawn_;
}

bool MapPanel::drawnForSize() const
{
    return drawn_.deviceIndependentSize().toSize() == pictureRect().size();
}

QRect MapPanel::pictureRect() const
{
    const int legend = VisibilityMapPicture::kLegendHeight;
    const int width = std::min(this->width(), 2 * (height() - legend));
    const QSize size(width, width / 2 + legend);
    return QRect(QPoint((this->width() - size.width()) / 2, (height() - size.height()) / 2), size);
}

void MapPanel::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Left || event->key() == Qt::Key_Right) {
        emit stepRequested(event->key() == Qt::Key_Left ? -1 : 1);
        return;
    }
    QLabel::keyPressEvent(event);
}

void MapPanel::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    if (maps_->latest())
        redraw_.start();
}

void MapPanel::paintEvent(QPaintEvent* event)
{
    QLabel::paintEvent(event);
    QPainter p(this);
    if (!drawn_.isNull())
        p.drawImage(QRectF(pictureRect()), drawn_);
    if (hasFocus()) {
        p.setPen(QPen(colours::White, 1, Qt::DotLine));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

QSize MapPanel::sizeHint() const
{
    return {600, 300 + VisibilityMapPicture::kLegendHeight};
}

} // namespace vkt
