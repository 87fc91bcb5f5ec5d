#pragma once

#include "astro/VisibilityMap.h"
#include "windows/visibility/SavablePicture.h"

#include <QFuture>
#include <QLabel>
#include <optional>

namespace vkt {

class MapComputation;

// The world map of the selected evening (morning) with the observer's place marked: computed in
// the background, a coarse map first; the pointer over it tells a place's zone.
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
    // The fine map, shown and then taken as shown; empty when no evening is selected. Waits for the
    // fine map when only the coarse one has arrived.
    std::optional<SavablePicture> finishedPicture();

protected:
    bool event(QEvent* event) override;

private:
    void draw();
    bool showZoneAt(QPoint point, QPoint globalPoint);

    MapComputation* maps_ = nullptr;
    astro::Place place_;
};

} // namespace vkt
