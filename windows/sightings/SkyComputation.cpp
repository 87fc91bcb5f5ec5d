#include "windows/sightings/SkyComputation.h"

#include "astro/Ephemeris.h"
#include "astro/Error.h"
#include "sightings/SightingSky.h"

#include <QtConcurrent/QtConcurrentRun>

namespace vkt {

QThreadPool& SkyComputation::pool()
{
    // One worker: the other core keeps the window and the program answering.
    static QThreadPool workers;
    workers.setMaxThreadCount(1);
    return workers;
}

SkyComputation::SkyComputation(QObject* parent) : QObject(parent)
{
    connect(&watcher_, &QFutureWatcherBase::resultReadyAt, this, [this](int index) { take(index); });
    connect(&watcher_, &QFutureWatcherBase::finished, this, [this] {
        if (!watcher_.isCanceled())
            emit done();
    });
}

SkyComputation::~SkyComputation()
{
    cancel();
    watcher_.waitForFinished();
}

void SkyComputation::request(std::vector<Task> tasks)
{
    cancel();
    watcher_.waitForFinished();
    const quint64 id = ++request_;
    handedOn_ = 0;
    watcher_.setFuture(QtConcurrent::run(&pool(), [tasks = std::move(tasks), id](QPromise<Batch>& promise) {
        astro::Ephemeris ephemeris;
        sightings::ZoneCache zones;
        Batch batch{id, {}, {}};
        for (const Task& t : tasks) {
            if (promise.isCanceled())
                return;
            const sightings::Sighting& s = t.sighting;
            astro::SightingGeometry sky;  // a gap unless computed
            try {
                sky = astro::sightingGeometry(ephemeris, s.place, zones.of(s.place), s.date, s.session, s.time);
            } catch (const astro::Error&) {
            }
            batch.rows.push_back(t.row);
            batch.skies.push_back(sky);
            if (int(batch.rows.size()) == kBatch) {
                promise.addResult(std::move(batch));
                batch = Batch{id, {}, {}};
            }
        }
        if (!batch.rows.empty())
            promise.addResult(std::move(batch));
    }));
}

void SkyComputation::cancel()
{
    ++request_;
    watcher_.future().cancel();
}

void SkyComputation::finish()
{
    watcher_.waitForFinished();
    const QFuture<Batch> future = watcher_.future();
    for (int i = handedOn_; i < future.resultCount(); ++i)
        take(i);
}

void SkyComputation::take(int resultIndex)
{
    const QFuture<Batch> future = watcher_.future();
    if (resultIndex < handedOn_ || resultIndex >= future.resultCount())
        return;
    const Batch batch = future.resultAt(resultIndex);
    handedOn_ = resultIndex + 1;
    if (batch.request != request_)
        return;
    emit computed(batch.rows, batch.skies);
}

} // namespace vkt
