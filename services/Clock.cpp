#include "services/Clock.h"

#include <QDateTime>

namespace vkt {
namespace {
std::shared_ptr<const Clock>& installedClock()
{
    static std::shared_ptr<const Clock> clock;
    return clock;
}
} // namespace

DateTime SystemClock::now() const
{
    const QDateTime local = QDateTime::currentDateTime();
    const QDate d = local.date();
    const QTime t = local.time();
    return *fromCivil({d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second()});
}

DateTime currentDateTime()
{
    if (const auto& clock = installedClock())
        return clock->now();
    return SystemClock().now();
}

void setClock(std::shared_ptr<const Clock> clock)
{
    installedClock() = std::move(clock);
}

} // namespace vkt
