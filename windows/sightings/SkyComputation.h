#pragma once

#include "astro/SightingGeometry.h"
#include "sightings/Sighting.h"

#include <QFutureWatcher>
#include <QObject>
#include <QThreadPool>
#include <vector>

namespace vkt {

// The skies of many records computed away from the window's thread, in batches, so a window
// opened on thousands of records is usable at once. The worker makes its own ephemeris: one
// belongs to the thread that made it. A new request cancels the one under way, and nothing of a
// cancelled request is handed on.
class SkyComputation : public QObject {
    Q_OBJECT
public:
    // A record to compute and the row it stands in when asked.
    struct Task {
        std::size_t row = 0;
        sightings::Sighting sighting;
    };
    struct Batch {
        quint64 request = 0;
        std::vector<std::size_t> rows;
        std::vector<astro::SightingGeometry> skies;
    };
    static constexpr int kBatch = 64;  // records a batch: the table fills in as the worker goes

    explicit SkyComputation(QObject* parent);
    ~SkyComputation() override;

    static QThreadPool& pool();

    void request(std::vector<Task> tasks);
    void cancel();
    bool running() const { return watcher_.isRunning(); }
    // Waits for the request under way and hands on what it has not yet handed on.
    void finish();

signals:
    // Records' skies, rows[i]'s in skies[i]; one whose computation failed (an unknown zone) comes
    // with a gap.
    void computed(const std::vector<std::size_t>& rows, const std::vector<astro::SightingGeometry>& skies);
    void done();

private:
    void take(int resultIndex);

    QFutureWatcher<Batch> watcher_;
    quint64 request_ = 0;
    int handedOn_ = 0;  // results of the request under way already handed on
};

} // namespace vkt
