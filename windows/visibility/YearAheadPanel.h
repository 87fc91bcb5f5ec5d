#pragma once

#include "astro/YearAhead.h"

#include <QFutureWatcher>
#include <QTableWidget>
#include <vector>

namespace vkt {

// "A következő 12 újhold" for the place: each new moon with its first evening and last morning by
// each criterion, the classes in their colours. Computed away from the window's thread, so
// stepping between new moons never waits for it; a double-click asks for that new moon.
class YearAheadPanel : public QTableWidget {
    Q_OBJECT
public:
    explicit YearAheadPanel(QWidget* parent);
    ~YearAheadPanel() override;

    // Starts the twelve new moons at or after `from` for the place; the rows follow when they
    // arrive. What is under way for another place or instant is dropped.
    void compute(const astro::Place& place, astro::JulianDay from);
    // The new moons shown; empty until they arrive.
    const std::vector<astro::NewMoonOutlook>& outlooks() const { return outlooks_; }
    // Waits for the computation asked last and shows it. Throws what it failed with.
    const std::vector<astro::NewMoonOutlook>& finished();
    QFuture<std::vector<astro::NewMoonOutlook>> computation() const { return watcher_.future(); }
    const astro::Place& place() const { return place_; }

signals:
    void newMoonChosen(double newMoon);

private:
    void take(const std::vector<astro::NewMoonOutlook>& outlooks);

    QFutureWatcher<std::vector<astro::NewMoonOutlook>> watcher_;
    astro::Place place_;
    std::vector<astro::NewMoonOutlook> outlooks_;
    bool shown_ = false;  // the rows are those of the computation asked last
};

} // namespace vkt
