#pragma once

#include "services/DateTime.h"

#include <memory>

namespace vkt {

class Clock {
public:
    virtual ~Clock() = default;
    virtual DateTime now() const = 0;
};

class SystemClock final : public Clock {
public:
    DateTime now() const override;  // local wall-clock time, to the second
};

// The system clock unless a test has put its own in place.
DateTime currentDateTime();
void setClock(std::shared_ptr<const Clock> clock);  // nullptr restores the system clock

} // namespace vkt
