#include "windows/visibility/MapComputation.h"

#include <QtConcurrent/QtConcurrentRun>

namespace vkt {

QThreadPool& MapComputation::pool()
{
    static QThreadPool workers;
    return workers;
}

MapComputation::MapComputation(QObject* parent) : QObject(parent)
{
    connect(&watcher_, &QFutureWatcherBase::resultReadyAt, this, [this](int index) { take(watcher_.resultAt(index)); });
}

MapComputation::~MapComputation()
{
    // The worker holds copies only, but no thread should outlive the window that asked.
    clear();
    watcher_.waitForFinished();
}

void MapComputation::request(astro::Ephemeris& ephemeris, const astro::MapEvening& evening)
{
    if (evening_ == evening)
        return;
    watcher_.future().cancel();
    evening_ = evening;
    watcher_.setFuture(QtConcurrent::run(
        &pool(),
        [track = astro::skyTrackFor(ephemeris, evening), evening](QPromise<astro::VisibilityMap>& promise) {
            const auto cancelled = [&promise] { return promise.isCanceled(); };
            for (const double cell : {kCoarseCell, kFineCell}) {
                astro::VisibilityMap computed = astro::visibilityMap(track, evening, cell, cancelled);
                if (!computed.complete)
                    return;
                promise.addResult(std::move(computed));
            }
        }));
}

void MapComputation::clear()
{
    watcher_.future().cancel();
    evening_.reset();
}

const astro::VisibilityMap* MapComputation::latest() const
{
    return latest_ && latest_->evening == evening_ ? &*latest_ : nullptr;
}

const astro::VisibilityMap* MapComputation::fine()
{
    if (!evening_)
        return nullptr;
    QFuture<astro::VisibilityMap> future = watcher_.future();
    future.waitForFinished();
    if (future.resultCount() > 0)
        take(future.resultAt(future.resultCount() - 1));
    const astro::VisibilityMap* map = latest();
    return map && map->cellDegrees == kFineCell ? map : nullptr;
}

void MapComputation::take(const astro::VisibilityMap& computed)
{
    // A result of a cancelled evening may still be on its way; a coarse one after the fine one
    // adds nothing.
    if (computed.evening != evening_)
        return;
    if (const astro::VisibilityMap* shown = latest(); shown && shown->cellDegrees <= computed.cellDegrees)
        return;
    latest_ = computed;
    emit arrived();
}

} // namespace vkt
