#pragma once

#include "astro/VisibilityMap.h"

#include <QFutureWatcher>
#include <QObject>
#include <QThreadPool>
#include <optional>

namespace vkt {

// The world map of one evening, computed away from the window's thread: a coarse map first, then
// the fine one. Asking for another evening cancels the one under way, and nothing of a cancelled
// evening is handed on.
class MapComputation : public QObject {
    Q_OBJECT
public:
    static constexpr double kCoarseCell = 4;  // degrees: within milliseconds
    static constexpr double kFineCell = 1;    // within a tenth of a second

    explicit MapComputation(QObject* parent);
    ~MapComputation() override;

    // The maps' own workers. Qt 6.4 draws large images on its global pool and waits for it, so a
    // window must not be painted while maps hold every one of those threads.
    static QThreadPool& pool();

    // Starts the evening's map unless it is the one asked for already. The positions are sampled
    // here, on the caller's thread, which keeps the ephemeris; the worker gets plain numbers.
    void request(astro::Ephemeris& ephemeris, const astro::MapEvening& evening);
    // Nothing asked any more: what is under way is cancelled.
    void clear();

    const std::optional<astro::MapEvening>& evening() const { return evening_; }
    // The finest map of the evening asked that has arrived, or nullptr.
    const astro::VisibilityMap* latest() const;
    // Waits for the fine map of the evening asked; nullptr when nothing is asked.
    const astro::VisibilityMap* fine();
    QFuture<astro::VisibilityMap> future() const { return watcher_.future(); }

signals:
    // A finer map of the evening asked has arrived.
    void arrived();

private:
    void take(const astro::VisibilityMap& computed);

    QFutureWatcher<astro::VisibilityMap> watcher_;
    std::optional<astro::MapEvening> evening_;
    std::optional<astro::VisibilityMap> latest_;
};

} // namespace vkt
