#pragma once

#include "astro/VisibilityMap.h"
#include "windows/visibility/SavablePicture.h"

#include <QFuture>
#include <QLabel>
#include <QTimer>
#include <optional>

namespace vkt {

class MapComputation;

// The world map of the selected evening (morning) with the observer's place marked: computed in
// the background, a coarse map first, drawn as large as the panel holds it; the pointer over it
// tells a place's zone. With the focus, ← and → ask for the evening (morning) before and after.
class MapPanel : public QLabel {
    Q_OBJECT
public:
    explicit MapPanel(QWidget* parent);

    // Starts the evening's map, unless it is the one shown (another place only moves the mark);
    // nullptr clears the map, so none of another place or evening stays.
    void showEvening(astro::Ephemeris& ephemeris, const astro::CrescentEvening* evening, const astro::Place& place);
    // The map shown (nullptr before the first arrives) and the computation behind it.
    const astro::VisibilityMap* shown() const;
    QFuture<astro::VisibilityMap> computation() const;
    // The fine map at the Earth picture's full size, under a title line naming the place, the
    // day, evening or morning and the criterion, with its legend; empty when no evening is
    // selected. Waits for the fine map when only the coarse one has arrived.
    std::optional<SavablePicture> finishedPicture();
    // The fine map of the selected evening, waited for; nullptr when none is selected.
    const astro::VisibilityMap* fineMap();
    // Where the map and its legend are drawn inside the panel: the largest such picture that fits.
    QRect pictureRect() const;
    // The picture drawn last; null when none is shown. Drawn at the panel's pixel ratio.
    const QImage& shownPicture() const;
    // Whether the picture is drawn for the panel's size, not one scaled from an earlier size.
    bool drawnForSize() const;

    // A modest size to start from; whatever the layout gives is drawn at, not the picture's size.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return minimumSize(); }

signals:
    // ← (-1) or → (+1) pressed while the map has the focus.
    void stepRequested(int step);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void draw();
    bool showZoneAt(QPoint point, QPoint globalPoint);

    MapComputation* maps_ = nullptr;
    // A resize scales the picture drawn last at once and draws it afresh once the size settles.
    QTimer redraw_;
    astro::Place place_;
    QImage drawn_;
};

} // namespace vkt
